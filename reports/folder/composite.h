#pragma once
// Composite tab: ten quantities of the daily charts stacked in bands over one
// date axis. It has no loader; each series follows a series of another tab.

#include "app/report_tab.h"

class CompositeChartTab : public ReportTab {
 public:
  CompositeChartTab(TMainForm& form, TTabSheet* sheet);

  TChart* CompositeChart = nullptr;
  TPointSeries* PointSeries5 = nullptr;
  TPointSeries* Series25 = nullptr;
  TPointSeries* Series66 = nullptr;
  TPointSeries* Series69 = nullptr;
  TPointSeries* Series70 = nullptr;
  TPointSeries* Series71 = nullptr;
  TPointSeries* Series73 = nullptr;
  TPointSeries* Series74 = nullptr;
  TPointSeries* Series76 = nullptr;
  TPointSeries* Series77 = nullptr;
};
