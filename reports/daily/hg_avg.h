#pragma once
// HG tab: the mercury-lamp averages in horizontal bands of one date chart.

#include "app/report_tab.h"

class HgAvgTab : public ReportTab {
 public:
  HgAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* HGPanel = nullptr;
  TButton* LoadHGavg = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TChart* HGGraph = nullptr;
  TPointSeries* Series13 = nullptr;
  TPointSeries* Series11 = nullptr;
  TArrowSeries* Series65 = nullptr;
  TArrowSeries* Series68 = nullptr;
  TArrowSeries* Series67 = nullptr;
  TPointSeries* Series64 = nullptr;
  TPointSeries* Series37 = nullptr;
  void LoadHGavgClick(TObject* sender);
  void SpeedButton2Click(TObject* sender);
};
