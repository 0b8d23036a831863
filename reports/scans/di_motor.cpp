// DI tab: the diagnostic motor test. "Lamps warm up" shows the intensity of
// the standard lamp (upper half) and of the mercury lamp (lower half) against
// minutes after power on; "Short motor scans" shows the zenith, iris and both
// filter-wheel scans, each titled with where its maximum was found against
// where it should be; "Long FW 1 and 2 scans" shows the long wheel scans.
#include "reports/scans/di_motor.h"
#include "reports/scans/di_motor_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/Mainunit.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/report_reader.h"

namespace {

constexpr char kZenithCheck[] = "Check SL alignment on iris and zenith zeroing";
constexpr char kFw2Check[] = "Check FW2 movements and positioning";
constexpr char kFw1Check[] = "Check FW1 movements and positioning";
constexpr char kIrisCheck[] = "Check IRIS movements and positioning";

// A filter-wheel scan is centred on the step where the maximum should be.
constexpr size_t kWheelMiddleLine = 4;
constexpr double kWheelHalfSpan = 20;
// The iris peaks at step 75, or at step 250 in scans that go beyond 75.
constexpr int kIrisNear = 75;
constexpr int kIrisFar = 250;
constexpr double kIrisIncrement = 25;
constexpr double kLongScanLastStep = 320;
constexpr double kLongScanIncrement = 8;
// Clearing "logarithmic" shows the long FW1 scan with this many of its own
// spans free above and below it.
constexpr double kLinearMargins = 3;

void Plot(TChartSeries& series, const std::vector<DiWarmUpPoint>& points) {
  for (const DiWarmUpPoint& p : points) series.AddXY(p.minutes, p.intensity);
}

void Plot(TChartSeries& series, const DiScan& scan) {
  for (const DiScanLine& line : scan)
    if (line.valid) series.AddXY(line.step, line.intensity);
}

// The step of the greatest intensity, the first of equal ones; none when no
// intensity is above -1.
std::optional<int> FoundStep(const DiScan& scan) {
  float max = -1.0f;
  std::optional<int> found;
  for (const DiScanLine& line : scan) {
    if (line.valid && line.intensity > max) {
      max = line.intensity;
      found = line.step;
    }
  }
  return found;
}

std::string FoundText(std::optional<int> found, const char* pattern) {
  return found ? "found at " + FormatFloat(pattern, *found) : "found no maximum";
}

void SetTitle(TChart& chart, const std::vector<std::string>& lines) {
  chart.Title.Clear();
  for (const std::string& line : lines) chart.Title.Add(line);
}

// A verdict is black when the maximum is where it should be; otherwise red,
// with what to check on the instrument.
void ShowVerdict(TChart& chart, const std::vector<std::string>& lines, bool asExpected) {
  chart.Title.FontColor = asExpected ? clBlack : clRed;
  SetTitle(chart, lines);
}

void ShowWheelVerdict(TChart& chart, std::optional<int> expected, std::optional<int> found, const char* check,
                      const std::string& asExpectedLine) {
  if (expected && found == expected) {
    ShowVerdict(chart, {asExpectedLine}, true);
    return;
  }
  const std::string finding =
      expected ? "Expected max I at step " + FormatFloat("###", *expected) + ", but " + FoundText(found, "###")
               : "Expected max I at an unknown step: the middle line of the scan is damaged";
  ShowVerdict(chart, {finding, check}, false);
}

// The scan is read before its axis is fitted; the first label need not be round.
void StartScan(TChart& chart, TChartSeries& series, const DiScan& scan) {
  chart.BottomAxis.SetAutomatic(true);
  chart.BottomAxis.SetRoundFirstLabel(false);
  series.Clear();
  Plot(series, scan);
}

void DrawZenith(TChart& chart, TChartSeries& series, const DiScan& scan) {
  series.Clear();
  Plot(series, scan);
  const std::optional<int> found = FoundStep(scan);
  if (found == 0)
    ShowVerdict(chart, {"Found max I as expected at step 0"}, true);
  else
    ShowVerdict(chart, {"Expected max I at step 0, but " + FoundText(found, "00"), kZenithCheck}, false);
}

void DrawWheel(TChart& chart, TChartSeries& series, const DiScan& scan, const char* check) {
  StartScan(chart, series, scan);
  std::optional<int> expected;
  if (scan.size() > kWheelMiddleLine && scan[kWheelMiddleLine].valid) expected = scan[kWheelMiddleLine].step;
  std::string asExpected;
  if (expected) {
    chart.BottomAxis.SetMinMax(*expected - kWheelHalfSpan, *expected + kWheelHalfSpan);
    asExpected = FormatFloat("Found max I as expected at step ###", *expected);
  }
  ShowWheelVerdict(chart, expected, FoundStep(scan), check, asExpected);
}

void DrawIris(TChart& chart, TChartSeries& series, const DiScan& scan) {
  StartScan(chart, series, scan);
  const bool far = std::any_of(scan.begin(), scan.end(), [](const DiScanLine& l) { return l.step > kIrisNear; });
  const int expected = far ? kIrisFar : kIrisNear;
  chart.BottomAxis.SetMinMax(0, expected);
  chart.BottomAxis.SetDesiredIncrement(kIrisIncrement);
  ShowWheelVerdict(chart, expected, FoundStep(scan), kIrisCheck,
                   "Found max I as expected at step " + FormatFloat("###", expected));
}

// No verdict: the chart keeps the file name as its title.
void DrawLongScan(TChart& chart, TChartSeries& series, const DiScan& scan) {
  StartScan(chart, series, scan);
  chart.BottomAxis.SetMinMax(0, kLongScanLastStep);
  chart.BottomAxis.SetDesiredIncrement(kLongScanIncrement);
  chart.Title.FontColor = clBlack;
  chart.Repaint();
}

// The sections before the first missing header are drawn; that header is named.
bool HeaderFound(const DiTest& test, DiSection section) {
  if (section < test.headersFound) return true;
  CurrentPlatform().ShowMessage("Sorry!", std::string("An error in the DI test file: expected \"") +
                                              kDiHeaders[section] + "\"");
  return false;
}

}  // namespace

TChart* DiMotorTab::MakeMotorChart(const std::string& name, TWinControl* parent, const std::string& bottomTitle) {
  TChart* chart = Make<TChart>(name, parent);
  chart->Legend.Visible = false;
  chart->Title.FontColor = clBlack;
  chart->Title.FontHeight = 12;
  chart->BottomAxis.Title = bottomTitle;
  chart->BottomAxis.LabelsFormat = "###0";
  chart->BottomAxis.GridVisible = false;
  chart->LeftAxis.Title = "Intensity";
  chart->LeftAxis.LabelsFormat = "###0.###";
  chart->LeftAxis.GridVisible = false;
  return chart;
}

DiMotorTab::DiMotorTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  DIPanel = MakeButtonStrip("DIPanel", sheet);
  LoadDI = MakeButton("LoadDI", DIPanel, "Load di test file", 8, Handler(&DiMotorTab::LoadDIClick));
  SpeedButton7 = MakeSaveButton("SpeedButton7", DIPanel, 136, Handler(&DiMotorTab::SpeedButton7Click));

  DIPages = Make<TPageControl>("DIPages", sheet);
  DIPages->Align = TAlign::alClient;
  DILampsSheet = MakeSheet("DILampsSheet", DIPages, "Lamps warm up");
  TabSheet20 = MakeSheet("TabSheet20", DIPages, "Short motor scans");
  TabSheet21 = MakeSheet("TabSheet21", DIPages, "Long FW 1 and 2 scans");

  diLampsChart = MakeChart("diLampsChart", DILampsSheet);
  diLampsChart->BottomAxis.Title = "Minutes after power ON";
  diLampsChart->LeftAxis.Title = "SL Intensity";
  diLampsChart->LeftAxis.EndPosition = 50;
  diLampsChart->RightAxis.Title = "Hg Intensity";
  diLampsChart->RightAxis.StartPosition = 50;
  LineSeries17 = MakeSeries<TLineSeries>(diLampsChart, "LineSeries17");
  LineSeries17->Title = "SL Intensity";
  LineSeries17->Pointer.Visible = false;
  LineSeries16 = MakeSeries<TLineSeries>(diLampsChart, "LineSeries16");
  LineSeries16->Title = "Hg Intensity";
  LineSeries16->VertAxis = TVertAxis::aRightAxis;
  LineSeries16->SeriesColor = clBlue;
  LineSeries16->Pointer.Visible = false;

  // Four charts in a square below the file name; TabSheet20Resize sizes them.
  Label5 = Make<TLabel>("Label5", TabSheet20);
  Label5->Caption = "Filename";
  Label5->SetBounds(8, 0, 400, 14);
  zeChart = MakeMotorChart("zeChart", TabSheet20, "Zenith motor step");
  zeChart->SetBounds(4, 14, 0, 0);
  LineSeries19 = MakeSeries<TLineSeries>(zeChart, "LineSeries19");
  irisChart = MakeMotorChart("irisChart", TabSheet20, "Iris step");
  irisChart->SetTop(14);
  LineSeries22 = MakeSeries<TLineSeries>(irisChart, "LineSeries22");
  fw1Chart = MakeMotorChart("fw1Chart", TabSheet20, "FW1 step");
  fw1Chart->SetLeft(4);
  LineSeries21 = MakeSeries<TLineSeries>(fw1Chart, "LineSeries21");
  fw2Chart = MakeMotorChart("fw2Chart", TabSheet20, "FW2 step");
  LineSeries20 = MakeSeries<TLineSeries>(fw2Chart, "LineSeries20");
  TabSheet20->OnResize = Handler(&DiMotorTab::TabSheet20Resize);

  // The long scans one above the other; TabSheet21Resize sizes them.
  longfw1Chart = MakeMotorChart("longfw1Chart", TabSheet21, "FW1 motor step");
  longfw1Chart->SetBounds(4, 4, 0, 0);
  longfw1Chart->BottomAxis.Inverted = true;
  longfw1Chart->LeftAxis.Logarithmic = true;
  LineSeries24 = MakeSeries<TLineSeries>(longfw1Chart, "LineSeries24");
  LineSeries24->Pointer.Visible = false;
  Series82 = MakeSeries<TChartShape>(longfw1Chart, "Series82");
  Series82->SeriesColor = clWhite;
  Series82->SetBounds(3, 181.9375, 21, 593.875);
  logarithmic = Make<TCheckBox>("logarithmic", longfw1Chart);
  logarithmic->Caption = "logarithmic";
  logarithmic->Checked = true;
  logarithmic->SetBounds(6, 6, 100, 19);
  logarithmic->OnClick = Handler(&DiMotorTab::logarithmicClick);
  longfw2Chart = MakeMotorChart("longfw2Chart", TabSheet21, "FW2 motor step");
  longfw2Chart->SetLeft(4);
  longfw2Chart->LeftAxis.Logarithmic = true;
  LineSeries23 = MakeSeries<TLineSeries>(longfw2Chart, "LineSeries23");
  LineSeries23->Pointer.Visible = false;
  TabSheet21->OnResize = Handler(&DiMotorTab::TabSheet21Resize);
}

void DiMotorTab::LoadDIClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("di*.*", path)) return;
  LineSeries17->Clear();
  DiTest test;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    test = ReadDiTest(file.get());
  }
  const std::string name = ExtractFileName(path);
  for (TChart* chart : {diLampsChart, longfw1Chart, longfw2Chart}) SetTitle(*chart, {name});
  Label5->SetCaption(name);
  if (test.hasSlCurrent) diLampsChart->Title.Add(FormatFloat("   SL current = 0.00", test.slCurrent));
  Plot(*LineSeries17, test.slWarmUp);

  if (!HeaderFound(test, kDiZenith)) return;
  DrawZenith(*zeChart, *LineSeries19, test.scans[kDiZenith]);
  if (!HeaderFound(test, kDiFw2)) return;
  DrawWheel(*fw2Chart, *LineSeries20, test.scans[kDiFw2], kFw2Check);
  if (!HeaderFound(test, kDiFw1)) return;
  DrawWheel(*fw1Chart, *LineSeries21, test.scans[kDiFw1], kFw1Check);
  if (!HeaderFound(test, kDiIris)) return;
  DrawIris(*irisChart, *LineSeries22, test.scans[kDiIris]);
  if (!HeaderFound(test, kDiLongFw2)) return;
  DrawLongScan(*longfw2Chart, *LineSeries23, test.scans[kDiLongFw2]);
  if (!HeaderFound(test, kDiLongFw1)) return;
  DrawLongScan(*longfw1Chart, *LineSeries24, test.scans[kDiLongFw1]);
  // The mercury curve is cleared before its header is looked for.
  LineSeries16->Clear();
  if (!HeaderFound(test, kDiMercury)) return;
  Plot(*LineSeries16, test.hgWarmUp);
  SummarizePoints(path, {diLampsChart, zeChart, irisChart, fw1Chart, fw2Chart, longfw1Chart, longfw2Chart});
}

void DiMotorTab::logarithmicClick(TObject*) {
  TChartAxis& left = longfw1Chart->LeftAxis;
  left.SetLogarithmic(logarithmic->Checked);
  if (logarithmic->Checked) {
    left.SetAutomatic(true);
    return;
  }
  const std::vector<double>& y = LineSeries24->YValues();
  double minY = 0, maxY = 0;
  if (!y.empty()) {
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    minY = *low;
    maxY = *high;
  }
  // An empty or flat scan has no span of its own: it is shown in the middle
  // of a span as large as its value (or of one).
  double span = maxY - minY;
  if (!(span > 0)) span = std::max(std::fabs(maxY), 1.0);
  left.SetMinMax(minY - kLinearMargins * span, maxY + kLinearMargins * span);
}

void DiMotorTab::TabSheet20Resize(TObject*) {
  const int height = TabSheet20->Height / 2 - 10;
  const int width = TabSheet20->Width / 2 - 10;
  for (TChart* chart : {zeChart, irisChart, fw1Chart, fw2Chart})
    chart->SetBounds(chart->Left, chart->Top, width, height);
  irisChart->SetLeft(zeChart->Left + zeChart->Width + 5);
  fw2Chart->SetLeft(fw1Chart->Left + fw1Chart->Width + 5);
  fw1Chart->SetTop(zeChart->Top + zeChart->Height + 5);
  fw2Chart->SetTop(irisChart->Top + irisChart->Height + 5);
}

void DiMotorTab::TabSheet21Resize(TObject*) {
  const int height = TabSheet21->Height / 2 - 10;
  const int width = TabSheet21->Width - 10;
  for (TChart* chart : {longfw2Chart, longfw1Chart}) chart->SetBounds(chart->Left, chart->Top, width, height);
  longfw2Chart->SetTop(longfw1Chart->Top + longfw1Chart->Height + 5);
}

// The lamps' chart: it names the file and the lamp current.
void DiMotorTab::SpeedButton7Click(TObject*) { form_.SaveChartAs(diLampsChart); }
