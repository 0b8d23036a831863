// FC tab: overlays the filter-wheel tests of one instrument, one set of
// curves per file.
#include "reports/scans/fc_wheel.h"

#include "app/Mainunit.h"

bool NewFcGraph = true;

FcWheelTab::FcWheelTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  NewFcGraph = true;

  FCPanel = MakeButtonStrip("FCPanel", sheet);
  ClearFC = MakeButton("ClearFC", FCPanel, "Clear graph", 136, Handler(&FcWheelTab::ClearFCClick), 90);

  fcChart = MakeChart("fcChart", sheet);
  fcChart->Title.FontColor = clBlack;
  fcChart->Title.FontHeight = 12;
  TChartAxis& bottom = fcChart->BottomAxis;
  bottom.Title = "FW#3 steps";
  bottom.LabelsFormat = "###0";
  bottom.GridVisible = false;
  // R6 in the upper half of the plot, R5 (or the intensity) in the lower half.
  TChartAxis& left = fcChart->LeftAxis;
  left.Title = "R6";
  left.EndPosition = 50;
  left.GridVisible = false;
  TChartAxis& right = fcChart->RightAxis;
  right.Title = "R5";
  right.StartPosition = 50;
  right.GridVisible = false;
}

// The chart adds one set of curves per file, so "Clear graph" empties it and
// makes the next load start afresh.
void FcWheelTab::ClearFCClick(TObject*) {
  fcChart->RemoveAllSeries();
  fcChart->Title.Clear();
  NewFcGraph = true;
}
