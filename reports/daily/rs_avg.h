#pragma once
// RS tab: the eight daily run/stop ratios against their tolerance.

#include "app/report_tab.h"

class RsAvgTab : public ReportTab {
 public:
  RsAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* RSPanel = nullptr;
  TButton* LoadRSavg = nullptr;
  TSpeedButton* SpeedButton3 = nullptr;
  TChart* RSGraph = nullptr;
  TArrowSeries* Series40 = nullptr;
  TArrowSeries* Series14 = nullptr;
  TArrowSeries* Series15 = nullptr;
  TArrowSeries* Series16 = nullptr;
  TArrowSeries* Series17 = nullptr;
  TArrowSeries* Series18 = nullptr;
  TArrowSeries* Series19 = nullptr;
  TArrowSeries* Series39 = nullptr;
  TPointSeries* Series72 = nullptr;
  TPointSeries* Series36 = nullptr;
  void LoadRSavgClick(TObject* sender);
  void SpeedButton3Click(TObject* sender);
};
