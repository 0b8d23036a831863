#pragma once
// DT tab: daily dead-time averages as arrows from the first to the second dead
// time, and the day's high-intensity count rate on the right axis.

#include "app/report_tab.h"

class DtAvgTab : public ReportTab {
 public:
  DtAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* DTPanel = nullptr;
  TButton* LoadDtAvg = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TChart* DTGraph = nullptr;
  TArrowSeries* Series12 = nullptr;
  TPointSeries* Series53 = nullptr;
  TPointSeries* Series31 = nullptr;
  TLabel* dtMaxLabel = nullptr;
  TEdit* dtMax = nullptr;
  TUpDown* dtMaxUpDown = nullptr;
  TLabel* dtMinLabel = nullptr;
  TEdit* dtMin = nullptr;
  TUpDown* dtMinUpDown = nullptr;
  void LoadDtAvgClick(TObject* sender);
  void dtMinChange(TObject* sender);
  void dtMaxChange(TObject* sender);
  void SpeedButton1Click(TObject* sender);
};
