#pragma once
// OP_ST tab: north and horizon corrections, steps per revolution and the
// instrument's locations over time.

#include "app/report_tab.h"

class OpAvgTab : public ReportTab {
 public:
  OpAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* OPPanel = nullptr;
  TButton* LoadOPavg = nullptr;
  TChart* OPGraph = nullptr;
  TLineSeries* Series32 = nullptr;
  TLineSeries* Series33 = nullptr;
  TPointSeries* Series38 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TChart* LocationGraph = nullptr;
  TLineSeries* LineSeries12 = nullptr;
  TGanttSeries* Series51 = nullptr;
  void LoadOPavgClick(TObject* sender);
};
