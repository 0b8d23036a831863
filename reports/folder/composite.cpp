// Composite tab: ten quantities of the daily charts stacked in bands over one
// date axis. It has no loader; each series follows a series of another tab.
#include "app/Mainunit.h"

void TMainForm::CreateCompositeTab() {
  CompositeChart = MakeChart("CompositeChart", CompositeTab);
  CompositeChart->Legend.Visible = false;
  CompositeChart->BottomAxis.SetDateScale("Date", 0);

  struct Row {
    TPointSeries* TMainForm::*series;
    const char* name;
    const char* title;
    TColor color;
    TColor outline;
    int size;
  };
  const Row rows[] = {
      {&TMainForm::PointSeries5, "PointSeries5", "Comp1", 4227327, 16512, 4},
      {&TMainForm::Series25, "Series25", "Comp2", 16744448, 64, 4},
      {&TMainForm::Series66, "Series66", "Comp3", clRed, clBlack, 4},
      {&TMainForm::Series69, "Series69", "Comp4", clGreen, clBlack, 4},
      {&TMainForm::Series70, "Series70", "Comp5", 16711808, clBlack, 4},
      {&TMainForm::Series71, "Series71", "Comp6", clBlack, clBlack, 4},
      {&TMainForm::Series73, "Series73", "Comp7", 8388863, clBlack, 4},
      {&TMainForm::Series74, "Series74", "Comp8", clTeal, clBlack, 3},
      {&TMainForm::Series76, "Series76", "Comp9", clTeal, clBlack, 3},
      {&TMainForm::Series77, "Series77", "Comp10", clPurple, clBlack, 3},
  };
  for (const Row& row : rows) {
    TPointSeries* s = MakeSeries<TPointSeries>(CompositeChart, row.name);
    s->Title = row.title;
    s->SeriesColor = row.color;
    s->Pointer.OutlineColor = row.outline;
    s->Pointer.HorizSize = row.size;
    s->Pointer.VertSize = row.size;
    s->XDateTime = true;
    this->*row.series = s;
  }
  // Each band shows the x and y of its source and follows it from now on.
  PointSeries5->SetDataSource(LineSeries2);
  Series25->SetDataSource(LineSeries3);
  Series66->SetDataSource(Series8);
  Series69->SetDataSource(Series72);
  Series70->SetDataSource(Series12);
  Series71->SetDataSource(Series13);
  Series73->SetDataSource(Series10);
  Series74->SetDataSource(Series62);
  Series76->SetDataSource(Series33);
  Series77->SetDataSource(LineSeries8);
}
