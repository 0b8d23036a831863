// SC tab: the calibration step of every sun scan against its slant ozone.
#include "reports/daily/sc_avg.h"
#include "reports/daily/sc_avg_reader.h"

#include <cmath>

#include "app/Mainunit.h"

ScAvgTab::ScAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  SCPanel = MakeButtonStrip("SCPanel", sheet);
  LoadSCavg = MakeButton("LoadSCavg", SCPanel, "Load SC avg", 8, Handler(&ScAvgTab::LoadSCavgClick));

  SCGraph = MakeChart("SCGraph", sheet);
  SCGraph->Title.Add("TChart");
  SCGraph->Legend.Visible = false;
  SCGraph->BottomAxis.Title = "Cal step";
  SCGraph->LeftAxis.Title = "Slant ozone";

  Series26 = MakeSeries<TPointSeries>(SCGraph, "Series26");
  Series26->SeriesColor = clRed;
  Series26->Pointer.Style = TPointerStyle::psCircle;
}

void ScAvgTab::LoadSCavgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("scoavg*.*", path)) return;
  Series26->Clear();

  Records<ScAvgRecord> records;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    SCGraph->Title.Clear();
    SCGraph->Title.Add(path);
    records = ReadScAvg(file.get());
  }
  SummarizeDays(path, records.value);

  Series26->Reserve(static_cast<int>(records.value.size()));
  for (const ScAvgRecord& r : records.value) {
    if (!form_.InDateWindow(r.date)) continue;
    // A "nan" or "inf" field, or a product too large, has no place on the chart.
    const double slantOzone = r.q * r.p;
    if (std::isfinite(r.calStep) && std::isfinite(slantOzone))
      Series26->AddXY(r.calStep, slantOzone, "", clRed);
  }
  SCGraph->LeftAxis.AdjustMaxMin();
}
