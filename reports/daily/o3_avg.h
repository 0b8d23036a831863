#pragma once
// O3 avg tab: how many days of the date window fall into each 50 DU class of
// slant ozone, in counts or in per cent.

#include "app/report_tab.h"

class O3AvgTab : public ReportTab {
 public:
  O3AvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* O3Panel = nullptr;
  TButton* LoadO3avg = nullptr;
  TCheckBox* Percent = nullptr;
  TLabel* nDays = nullptr;
  TChart* O3Graph = nullptr;
  TBarSeries* Series27 = nullptr;
  void LoadO3avgClick(TObject* sender);
};
