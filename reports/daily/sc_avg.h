#pragma once
// SC tab: the calibration step of every sun scan against its slant ozone.

#include "app/report_tab.h"

class ScAvgTab : public ReportTab {
 public:
  ScAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* SCPanel = nullptr;
  TButton* LoadSCavg = nullptr;
  TChart* SCGraph = nullptr;
  TPointSeries* Series26 = nullptr;
  void LoadSCavgClick(TObject* sender);
};
