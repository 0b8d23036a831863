// FC tab: overlays the filter-wheel tests of one instrument, one set of
// curves per file: R6 in the upper half, and R5 or the intensity, as chosen
// under "Bottom plot", in the lower half.
#include "reports/scans/fc_wheel.h"
#include "reports/scans/fc_wheel_reader.h"

#include <iterator>

#include "app/Mainunit.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/report_reader.h"
#include "core/scan_header.h"
#include "core/serial_date.h"
#include "core/text.h"

bool NewFcGraph = true;
std::string FcBrewerNo;

namespace {

constexpr char kDifferentBrewers[] = "Cannot plot different Brewers on the same graph!\nPlease clear the graph first.";


void Sorry(const std::string& text) { CurrentPlatform().ShowMessage("Sorry!", text); }


TLineSeries* AddCurve(TChart& chart, const std::string& title, TVertAxis axis, TColor colour) {
  TLineSeries* curve = chart.AddSeries<TLineSeries>("");
  curve->Title = title;
  curve->SeriesColor = colour;
  curve->Pointer.Visible = true;
  curve->SetVertAxis(axis);
  return curve;
}

}  // namespace

FcWheelTab::FcWheelTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  NewFcGraph = true;
  FcBrewerNo.clear();

  FCPanel = MakeButtonStrip("FCPanel", sheet);
  FCPanel->Height = 46;  // room for the radio group
  LoadFC = MakeButton("LoadFC", FCPanel, "Load FC files", 8, Handler(&FcWheelTab::LoadFCClick));
  LoadFC->SetTop(11);
  ClearFC = MakeButton("ClearFC", FCPanel, "Clear graph", 136, Handler(&FcWheelTab::ClearFCClick), 90);
  ClearFC->SetTop(11);
  FCBottomPlot = Make<TGroupBox>("FCBottomPlot", FCPanel);
  FCBottomPlot->Caption = "Bottom plot";
  FCBottomPlot->SetBounds(236, 2, 120, 42);
  R5 = Make<TRadioButton>("R5", FCBottomPlot);
  R5->Caption = "R5";
  R5->SetBounds(8, 18, 50, 19);
  R5->Checked = true;
  R5->OnClick = Handler(&FcWheelTab::R5Click);
  I = Make<TRadioButton>("I", FCBottomPlot);
  I->Caption = "I";
  I->SetBounds(62, 18, 50, 19);
  I->OnClick = Handler(&FcWheelTab::R5Click);

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

void FcWheelTab::LoadFCClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("fc*.*", path)) return;
  const std::string date = FormatDateTime("mmmm dd, yyyy", FileNameDate(path));
  const std::string brewerNo = NameInstrument(path);
  if (!NewFcGraph && brewerNo != FcBrewerNo) {
    Sorry(kDifferentBrewers);
    return;
  }
  FcBrewerNo = brewerNo;
  FcScan scan;
  {
    CFile file = OpenReportFile(path);
    if (!file) {
      Sorry("Cannot open the file.");
      return;
    }
    scan = ReadFcScan(file.get());
  }
  if (!scan.missingHeader.empty()) {
    Sorry("An error in the FC test file: expected \"" + scan.missingHeader + "\"");
    return;
  }

  fcChart->BottomAxis.SetAutomatic(true);
  fcChart->BottomAxis.SetRoundFirstLabel(false);
  for (TChartAxis* axis : {&fcChart->LeftAxis, &fcChart->RightAxis, &fcChart->BottomAxis}) axis->SetGridVisible(true);
  if (NewFcGraph) {
    fcChart->Title.Add("Brewer #" + brewerNo);
    NewFcGraph = false;
  }

  // The file's three curves share the chart's next automatic colour.
  const TColor colour = fcChart->NextSeriesColor();
  TLineSeries* r5 = AddCurve(*fcChart, "r5" + date, TVertAxis::aRightAxis, colour);
  r5->ShowInLegend = false;
  r5->SetActive(R5->Checked);
  for (const FcStep& s : scan.steps) r5->AddXY(s.step, s.r5);
  TLineSeries* intensity = AddCurve(*fcChart, "I", TVertAxis::aRightAxis, colour);
  intensity->ShowInLegend = false;
  intensity->SetActive(!R5->Checked);
  for (const FcStep& s : scan.steps) intensity->AddXY(s.step, s.intensity, "", colour);
  TLineSeries* r6 = AddCurve(*fcChart, date, TVertAxis::aLeftAxis, colour);
  for (const FcStep& s : scan.steps) r6->AddXY(s.step, s.r6, "", colour);
  SummarizePoints(path, {fcChart});
}

// The chart adds one set of curves per file, so "Clear graph" empties it and
// makes the next load start afresh.
void FcWheelTab::ClearFCClick(TObject*) {
  fcChart->RemoveAllSeries();
  fcChart->Title.Clear();
  NewFcGraph = true;
}

// Each file's R5 curve is titled "r5" and its date, its intensity curve "I";
// the R6 curves, titled with their dates alone, always show.
void FcWheelTab::R5Click(TObject*) {
  for (TChartSeries* s : fcChart->Series()) {
    if (s->Title.find("r5") != std::string::npos) s->SetActive(R5->Checked);
    if (s->Title.find('I') != std::string::npos) s->SetActive(!R5->Checked);
  }
}
