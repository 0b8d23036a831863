// CZ/HS/HL tab: one wavelength scan across a mercury line, straight lines
// fitted to both flanks of its peak, and the line's centre and full width at
// half height ("FHHB") in the chart title.
#include "reports/scans/cz_scan.h"
#include "reports/scans/cz_scan_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Mainunit.h"
#include "core/format.h"
#include "core/line_reader.h"
#include "core/numeric.h"
#include "core/scan_header.h"
#include "core/text.h"


namespace {

constexpr char kCzPattern[] = "cz?????.*;hl?????.*;hs?????.*";

// The mercury line a scan is about: the wavelengths kept around it (both ends
// included) and the title's words for it.
struct HgLine {
  double from, to;
  const char* label;
};
constexpr HgLine kHg3341 = {3333, 3351, " cz scan on 3341.48A Hg line"};
constexpr HgLine kHg2967 = {2958, 2977, " cz scan on 2967.28A Hg line"};

// The third title line when the flanks give no crossing lines: a flank with
// fewer than three points between 20 and 80 % of the peak has no fit.
constexpr char kNotMeasured[] = "Centre and FHHB not measured: a flank gives no line";


// Puts the points of the mercury line's window into `series` in ascending
// wavelength, as the chart keeps them. The first point read chooses the line;
// `peak` becomes the wavelength of the greatest count, the first of equal
// ones in file order. Null when there is no point at all.
const HgLine* PlotWindow(const std::vector<CzScanPoint>& points, TChartSeries& series, double& peak) {
  if (points.empty()) return nullptr;
  const HgLine& line = points.front().wavelength > 3000 ? kHg3341 : kHg2967;
  std::vector<CzScanPoint> kept;
  double max = -99;
  for (const CzScanPoint& p : points) {
    if (p.wavelength < line.from || p.wavelength > line.to) continue;
    if (p.counts > max) {
      max = p.counts;
      peak = p.wavelength;
    }
    kept.push_back(p);
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const CzScanPoint& a, const CzScanPoint& b) { return a.wavelength < b.wavelength; });
  for (const CzScanPoint& p : kept) series.AddXY(p.wavelength, p.counts, "", clBlack);
  return &line;
}

struct FlankLine {
  bool fitted = false;
  double slope = 0, intercept = 0;
  double first = 0, last = 0;  // the first and last wavelength taken
  double At(double x) const { return slope * x + intercept; }
};

// The least-squares line through the points `begin` .. `end` - 1 of `series`
// whose count lies strictly between 0.2 and 0.8 of `top`. Every such point is
// taken, however many; fewer than three give no line.
FlankLine FitFlank(const TChartSeries& series, int begin, int end, double top) {
  std::vector<double> x{0}, y{0};  // element 0 is not used by LinearFit
  for (int i = begin; i < end; ++i) {
    const double v = series.YValue(i);
    if (v > 0.2 * top && v < 0.8 * top) {
      x.push_back(series.XValue(i));
      y.push_back(v);
    }
  }
  FlankLine flank;
  const int n = static_cast<int>(x.size()) - 1;
  if (n < 3) return flank;
  LinearFitResult fit;
  LinearFit(x, y, n, fit);
  flank.slope = fit.slope;
  flank.intercept = fit.intercept;
  flank.first = x[1];
  flank.last = x[static_cast<size_t>(n)];
  // Wild counts can overflow the fit: such a flank gives no line either.
  flank.fitted = std::isfinite(flank.At(flank.first)) && std::isfinite(flank.At(flank.last)) &&
                 std::isfinite(flank.slope) && std::isfinite(flank.intercept);
  return flank;
}

// A line series keeps its points in ascending x.
void AddSegment(TChartSeries& series, double x0, double y0, double x1, double y1) {
  if (x1 < x0) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  series.AddXY(x0, y0, "", clGreen);
  series.AddXY(x1, y1, "", clGreen);
}

void AddFlank(TChartSeries& series, const FlankLine& flank) {
  if (flank.fitted) AddSegment(series, flank.first, flank.At(flank.first), flank.last, flank.At(flank.last));
}

struct LineMeasure {
  bool measured = false;
  double xL = 0, xR = 0;  // where the left and right flank lines are at half height
  double width = 0;       // the "FHHB"
  double centre = 0;      // where the two flank lines cross
};

// Nothing is measured unless both flanks gave lines that reach half height and
// cross, so that no undefined number reaches the chart or the title.
LineMeasure Measure(const FlankLine& left, const FlankLine& right, double half) {
  LineMeasure m;
  if (!left.fitted || !right.fitted || left.slope == 0 || right.slope == 0 || left.slope == right.slope)
    return m;
  m.xL = (half - left.intercept) / left.slope;
  m.xR = (half - right.intercept) / right.slope;
  m.width = m.xR - m.xL;
  m.centre = (right.intercept - left.intercept) / (left.slope - right.slope);
  m.measured = std::isfinite(m.width) && std::isfinite(m.centre);
  return m;
}

}  // namespace

CzScanTab::CzScanTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  CZPanel = MakeButtonStrip("CZPanel", sheet);
  LoadCZ = MakeButton("LoadCZ", CZPanel, "Load CZ file", 8, Handler(&CzScanTab::LoadCZClick));
  CzSaveBMP = MakeSaveButton("CzSaveBMP", CZPanel, 136, Handler(&CzScanTab::CzSaveBMPClick));

  CZGraph = MakeChart("CZGraph", sheet);
  CZGraph->Title.Add("");
  CZGraph->Title.FontColor = clBlack;
  CZGraph->Title.FontHeight = 12;
  CZGraph->Legend.Visible = false;
  TChartAxis& bottom = CZGraph->BottomAxis;
  bottom.Title = "Wavelength";
  bottom.LabelsFormat = "###0";
  bottom.Increment = 1.0;
  bottom.GridVisible = false;
  TChartAxis& left = CZGraph->LeftAxis;
  left.LabelsFormat = "###0.###";
  left.GridVisible = false;
  left.LabelsSeparation = 80;

  Series1 = MakeSeries<TLineSeries>(CZGraph, "Series1");
  Series1->SeriesColor = clRed;
  Series1->Pointer.Style = TPointerStyle::psCross;
  Series1->Pointer.BrushColor = 4194304;
  Series5 = MakeSeries<TLineSeries>(CZGraph, "Series5");
  Series5->SeriesColor = clGreen;
  Series5->Pointer.Visible = false;
  Series6 = MakeSeries<TLineSeries>(CZGraph, "Series6");
  Series6->SeriesColor = clYellow;
  Series6->Pointer.Visible = false;
  Series6->ShowInLegend = false;
  Series7 = MakeSeries<TLineSeries>(CZGraph, "Series7");
  Series7->SeriesColor = clBlue;
  Series7->Pointer.Visible = false;
}

void CzScanTab::LoadCZClick(TObject*) {
  // Cleared before the file is chosen: a cancelled dialog leaves no data.
  Series1->Clear();
  Series5->Clear();
  Series6->Clear();
  Series7->Clear();
  std::string path;
  if (!form_.SelectReportFile(kCzPattern, path)) return;
  ReadResult<CzScan> read;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    read = ReadCzScan(file.get());
  }
  read.RaiseError();
  const CzScan& scan = read.value;
  const std::string brewerNo = path.substr(path.size() < 3 ? 0 : path.size() - 3);

  double peak = 0;
  const HgLine* line = PlotWindow(scan.points, *Series1, peak);
  const std::vector<double>& plotted = Series1->YValues();
  const int n = Series1->Count();
  // The largest count plotted.
  const double top = plotted.empty() ? 0 : *std::max_element(plotted.begin(), plotted.end());

  // The points are in ascending wavelength: the left flank ends before the
  // first point beyond the peak, the right flank starts at the peak.
  int afterPeak = 0;
  while (afterPeak < n && Series1->XValue(afterPeak) <= peak) ++afterPeak;
  int fromPeak = 0;
  while (fromPeak < n && Series1->XValue(fromPeak) < peak) ++fromPeak;
  const FlankLine left = FitFlank(*Series1, 0, afterPeak, top);
  const FlankLine right = FitFlank(*Series1, fromPeak, n, top);
  AddFlank(*Series5, left);
  AddFlank(*Series6, right);

  const LineMeasure hg = Measure(left, right, top / 2);
  if (hg.measured) AddSegment(*Series7, hg.xL, top / 2, hg.xR, top / 2);

  TChartAxis& axis = CZGraph->LeftAxis;
  axis.FixToData();
  // A tenth of room above the data, unless that is beyond any number.
  const double roomy = 1.1 * axis.Maximum;
  axis.SetMaximum(std::isfinite(roomy) ? roomy : axis.Maximum);

  TChartText& title = CZGraph->Title;
  title.Clear();
  title.Add(ScanDateText("mmm dd, yyyy", scan.date) + " in " + scan.place);
  title.Add("Brewer #" + brewerNo + DeadTimeText(scan.deadTime) + (line ? line->label : ""));
  title.Add(hg.measured ? "Centre at " + FormatFloat("####.00", hg.centre) + "A and FHHB=" +
                              FormatFloat("##.0", hg.width) + "A"
                        : kNotMeasured);
  if (!scan.optionalLine.empty()) title.Add(scan.optionalLine);
  SummarizePoints(path, {CZGraph});
}

void CzScanTab::CzSaveBMPClick(TObject*) { form_.SaveChartAs(CZGraph); }
