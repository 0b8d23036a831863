// "CI files" and "CJ" tabs: lamp scans. The CI tab plots the current scan, an
// older scan kept for reference and their ratio, so that a change of the lamp
// or of the instrument shows as a departure from 1; the CJ tab plots the
// forward and the backward scan of one file and their ratio.
#include "reports/scans/lamp_scan.h"
#include "reports/scans/lamp_scan_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/paths.h"
#include "core/scan_header.h"
#include "core/text.h"

std::unique_ptr<TLampScan> CurrentLampScan;
std::unique_ptr<TLampScan> OldLampScan;


namespace {

constexpr char kCiPattern[] = "ci*.*;cj*.*";
constexpr char kCjPattern[] = "cj*.*;ch*.*";


// Makes a new, empty scan the one `slot` holds (so a file that cannot be
// opened leaves an empty scan there), reads `path` into it and applies the
// dark rule: after a "DARK" line only the first half of the points is in use
// (a CI file's dark scan is dropped; a CJ file's backward scan is still read
// from the full arrays). False when the file cannot be opened.
bool LoadLampScan(const std::string& path, std::unique_ptr<TLampScan>& slot) {
  slot = std::make_unique<TLampScan>();
  CFile file = OpenReportFile(path);
  if (!file) return false;
  ReadResult<TLampScan> read = ReadLampScan(file.get());
  *slot = std::move(read.value);
  read.RaiseError();
  if (slot->HasDarkBlock) slot->Count /= 2;
  return true;
}

// "Jun 05, 2016, Lakeside (dt=29ns)"
std::string ScanTitle(const TLampScan& scan) {
  return ScanDateText("mmm dd, yyyy", scan.Date) + ", " + scan.Location + " " + DeadTimeText(scan.DeadTime);
}

void PlotScan(TChartSeries& series, const TLampScan& scan, TColor color) {
  for (int i = 0; i < scan.Count; ++i) series.AddXY(scan.Wavelength[i], scan.Counts[i], "", color);
}

// A zero count below the line gives no ratio, nor does an overflow: no
// infinite or undefined value reaches the chart.
void AddRatio(TChartSeries& series, double x, double numerator, double denominator) {
  if (denominator == 0) return;
  const double ratio = numerator / denominator;
  if (std::isfinite(ratio)) series.AddXY(x, ratio, "", clBlack);
}

// The ratio axis always shows 1.0, and at least a range of 0.1 about its middle.
void ScaleRatioAxis(TChartAxis& axis) {
  axis.FixToData();
  double min = axis.Minimum, max = axis.Maximum;
  if (min < 1.0 && max < 1.0) {
    max = 1.0;
  } else if (min > 1.0 && max > 1.0) {
    min = 1.0;
  }
  axis.SetMaximum(max);
  axis.SetMinimum(min);
  if (max - min < 0.1) {
    const double middle = (min + max) / 2;
    axis.SetMaximum(middle + 0.05);
    axis.SetMinimum(middle - 0.05);
  }
}

// The current scan over the old one, paired by index. Only indices that both
// scans have in use are paired: an old scan shorter than the current one ends
// the ratio at its last point.
void PlotCiRatio(TChartSeries& series, const TLampScan& current, const TLampScan& old) {
  const int n = std::min(current.Count, old.Count);
  for (int i = 0; i < n; ++i) AddRatio(series, current.Wavelength[i], current.Counts[i], old.Counts[i]);
  series.SetTitle("ratio " + ScanDateText("yyyy", current.Date) + "/" + ScanDateText("yyyy", old.Date));
  ScaleRatioAxis(series.GetVertAxis());
}

void SetUpLampChart(TChart* chart) {
  chart->Title.Add("");
  chart->Legend.Alignment = TLegendAlignment::laTop;
  chart->BottomAxis.Title = "Wavelength";
  chart->LeftAxis.Title = "Counts per second";
  chart->RightAxis.Title = "Ratio";
  chart->BottomAxis.LabelsFormat = "###0.###";
  chart->LeftAxis.LabelsFormat = "###0.###";
  chart->RightAxis.LabelsFormat = "#0.000";
  for (TChartAxis* axis : {&chart->BottomAxis, &chart->LeftAxis, &chart->RightAxis}) axis->GridVisible = false;
}

void ScanPointer(TChartSeries* series, TColor color, TPointerStyle style, int size) {
  series->SeriesColor = color;
  series->LineVisible = false;
  series->Pointer.Style = style;
  series->Pointer.HorizSize = size;
  series->Pointer.VertSize = size;
}

}  // namespace

CjLampTab::CjLampTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  CJPanel = MakeButtonStrip("CJPanel", sheet);
  LoadCJ = MakeButton("LoadCJ", CJPanel, "Load CJ file", 8, Handler(&CjLampTab::LoadCJClick));

  CjGraph = MakeChart("CjGraph", sheet);
  SetUpLampChart(CjGraph);
  LineSeries13 = MakeSeries<TLineSeries>(CjGraph, "LineSeries13");
  LineSeries13->SeriesColor = clRed;
  LineSeries13->LineWidth = 2;
  LineSeries13->Pointer.Visible = false;
  LineSeries14 = MakeSeries<TLineSeries>(CjGraph, "LineSeries14");
  ScanPointer(LineSeries14, clBlack, TPointerStyle::psCross, 4);
  LineSeries15 = MakeSeries<TLineSeries>(CjGraph, "LineSeries15");
  LineSeries15->SeriesColor = clBlack;
  LineSeries15->LineDotted = true;
  LineSeries15->Pointer.Visible = false;
  LineSeries15->VertAxis = TVertAxis::aRightAxis;
  // Never filled, so kept out of the legend too.
  Series63 = MakeSeries<TPointSeries>(CjGraph, "Series63");
  Series63->SeriesColor = clGreen;
  Series63->Pointer.Style = TPointerStyle::psCircle;
  Series63->Pointer.OutlineColor = clRed;
  Series63->Active = false;
  Series63->ShowInLegend = false;
  FileListBox1 = Make<TFileListBox>("FileListBox1", CjGraph);
  FileListBox1->Visible = false;
}

CiLampTab::CiLampTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  // The scans of an earlier form do not outlive it.
  CurrentLampScan.reset();
  OldLampScan.reset();

  CIPanel = MakeButtonStrip("CIPanel", sheet);
  LoadCI = MakeButton("LoadCI", CIPanel, "Load current CI file", 8, Handler(&CiLampTab::LoadCIClick), 130);
  LoadOldCI = MakeButton("LoadOldCI", CIPanel, "Load Old CI file", 146, Handler(&CiLampTab::LoadOldCIClick));
  CiSaveBMP = MakeSaveButton("CiSaveBMP", CIPanel, 274, Handler(&CiLampTab::CiSaveBMPClick));
  // Nothing reads it.
  MKIII = Make<TCheckBox>("MKIII", CIPanel);
  MKIII->Caption = "MKIII format";
  MKIII->SetBounds(310, 8, 100, 19);
  MKIII->Visible = false;

  CiGraph = MakeChart("CiGraph", sheet);
  SetUpLampChart(CiGraph);
  Series2 = MakeSeries<TLineSeries>(CiGraph, "Series2");
  ScanPointer(Series2, clRed, TPointerStyle::psCircle, 2);
  Series3 = MakeSeries<TLineSeries>(CiGraph, "Series3");
  ScanPointer(Series3, clGreen, TPointerStyle::psRectangle, 2);
  Series4 = MakeSeries<TLineSeries>(CiGraph, "Series4");
  ScanPointer(Series4, clBlue, TPointerStyle::psDiamond, 3);
  Series4->VertAxis = TVertAxis::aRightAxis;
  // Folder loading lists the folder's files with it.
  FileListBox = Make<TFileListBox>("FileListBox", CiGraph);
  FileListBox->Visible = false;
}

void CiLampTab::LoadCIClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile(kCiPattern, path)) return;
  Series2->Clear();
  Series4->Clear();
  if (!LoadLampScan(path, CurrentLampScan)) return;
  const TLampScan& scan = *CurrentLampScan;
  CiGraph->Title.Clear();
  CiGraph->Title.Add("Brewer " + scan.BrewerNo);
  Series2->SetTitle(ScanTitle(scan));
  PlotScan(*Series2, scan, clRed);
  if (OldLampScan) PlotCiRatio(*Series4, scan, *OldLampScan);
  SummarizePoints(path, {CiGraph});
}

void CiLampTab::LoadOldCIClick(TObject*) {
  // The reference scan leaves the dialogs' folders where they were.
  std::string path;
  if (!AskForReportFile(*form_.OpenDialog1, kCiPattern, path)) return;
  Series3->Clear();
  Series4->Clear();
  if (!LoadLampScan(path, OldLampScan)) return;
  const TLampScan& old = *OldLampScan;
  CiGraph->Title.Clear();
  CiGraph->Title.Add("Brewer " + old.BrewerNo + "  sl (ci) scan.");
  Series3->SetTitle(ScanTitle(old));
  PlotScan(*Series3, old, clBlack);
  if (CurrentLampScan) PlotCiRatio(*Series4, *CurrentLampScan, old);
  SummarizePoints(path, {CiGraph});
}

void CjLampTab::LoadCJClick(TObject*) {
  std::string path;
  // Folder loading never drives this loader: it always asks.
  if (!AskForReportFile(*form_.OpenDialog1, kCjPattern, path)) return;
  RememberFolder(*form_.OpenDialog1, *form_.OpenDirDialog1, path);
  LineSeries13->Clear();
  LineSeries14->Clear();
  LineSeries15->Clear();
  // A CJ scan becomes the current scan that the next CI ratio uses.
  if (!LoadLampScan(path, CurrentLampScan)) return;
  const TLampScan& scan = *CurrentLampScan;
  if (!scan.HasDarkBlock) return;  // no backward scan to pair with

  CjGraph->Title.Clear();
  CjGraph->Title.Add("Brewer " + scan.BrewerNo + " " + ScanTitle(scan));
  LineSeries13->SetTitle("forward");
  LineSeries14->SetTitle("back");
  LineSeries15->SetTitle("ratio");
  // The backward scan follows the separator line in reverse order: point
  // 2n - 1 - i was taken at the forward wavelength i.
  const int n = scan.Count;
  for (int i = 0; i < n; ++i) {
    const double x = scan.Wavelength[i];
    const double forward = scan.Counts[i];
    const double back = scan.Counts[static_cast<size_t>(2 * n - 1 - i)];
    LineSeries13->AddXY(x, forward, "", clRed);
    LineSeries14->AddXY(x, back, "", clBlue);
    AddRatio(*LineSeries15, x, forward, back);
  }
  ScaleRatioAxis(CjGraph->RightAxis);
  SummarizePoints(path, {CjGraph});
}

void CiLampTab::CiSaveBMPClick(TObject*) { form_.SaveChartAs(CiGraph); }
