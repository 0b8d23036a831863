#pragma once
// MI tab (hidden): its loader reads an MI file; the chart has no data yet.

#include "app/report_tab.h"

class MiFileTab : public ReportTab {
 public:
  MiFileTab(TMainForm& form, TTabSheet* sheet);

  TPanel* MIPanel = nullptr;
  TButton* Button1 = nullptr;
  TChart* Chart1 = nullptr;
  TLineSeries* LineSeries18 = nullptr;
  TLineSeries* LineSeries25 = nullptr;
  TLineSeries* LineSeries26 = nullptr;
  TPointSeries* PointSeries1 = nullptr;
  void LoadMIClick(TObject* sender);
};
