#include "reports/folder/composite.h"

#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sl_avg.h"

CompositeChartTab::CompositeChartTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  CompositeChart = MakeChart("CompositeChart", sheet);
  CompositeChart->Legend.Visible = false;
  CompositeChart->BottomAxis.SetDateScale("Date", 0);

  struct Row {
    TPointSeries* CompositeChartTab::*series;
    const char* name;
    const char* title;
    TColor color;
    TColor outline;
    int size;
  };
  const Row rows[] = {
      {&CompositeChartTab::PointSeries5, "PointSeries5", "Comp1", 4227327, 16512, 4},
      {&CompositeChartTab::Series25, "Series25", "Comp2", 16744448, 64, 4},
      {&CompositeChartTab::Series66, "Series66", "Comp3", clRed, clBlack, 4},
      {&CompositeChartTab::Series69, "Series69", "Comp4", clGreen, clBlack, 4},
      {&CompositeChartTab::Series70, "Series70", "Comp5", 16711808, clBlack, 4},
      {&CompositeChartTab::Series71, "Series71", "Comp6", clBlack, clBlack, 4},
      {&CompositeChartTab::Series73, "Series73", "Comp7", 8388863, clBlack, 4},
      {&CompositeChartTab::Series74, "Series74", "Comp8", clTeal, clBlack, 3},
      {&CompositeChartTab::Series76, "Series76", "Comp9", clTeal, clBlack, 3},
      {&CompositeChartTab::Series77, "Series77", "Comp10", clPurple, clBlack, 3},
  };
  for (const Row& row : rows) {
    TPointSeries* s = MakeSeries<TPointSeries>(CompositeChart, row.name);
    s->Title = row.title;
    s->SeriesColor = row.color;
    s->Pointer.OutlineColor = row.outline;
    s->Pointer.HorizSize = row.size;
    s->Pointer.VertSize = row.size;
    this->*row.series = s;
  }
  // Each band shows the x and y of its source and follows it from now on.
  PointSeries5->SetDataSource(form.Ap->LineSeries2);
  Series25->SetDataSource(form.Ap->LineSeries3);
  Series66->SetDataSource(form.Sl->Series8);
  Series69->SetDataSource(form.Rs->Series72);
  Series70->SetDataSource(form.Dt->Series12);
  Series71->SetDataSource(form.Hg->Series13);
  Series73->SetDataSource(form.Sl->Series10);
  Series74->SetDataSource(form.Sl->Series62);
  Series76->SetDataSource(form.Op->Series33);
  Series77->SetDataSource(form.Ap->LineSeries8);
}
