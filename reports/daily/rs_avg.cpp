// RS tab: the eight daily run/stop ratios, one row each, as arrows that show
// how far a ratio lies from 1 and red bars where it is out of tolerance.
#include "reports/daily/rs_avg.h"
#include "reports/daily/rs_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/serial_date.h"


namespace {

constexpr double kHalfBar = 0.4;       // w: half a red bar, a green arrow at the limit
constexpr double kTolerance = 0.003;   // of ratios 0 and 2 to 7
constexpr double kLow = 1 - kTolerance;   // 0.997
constexpr double kHigh = 1 + kTolerance;  // 1.003
constexpr double kRatio1Min = 0.2;
constexpr double kRatio1Max = 5;
constexpr double kTick = kHalfBar / 10;  // ratio 1's green tick
constexpr double kClipLow = 0.99;        // the hidden points' range
constexpr double kClipHigh = 1.01;

// One test for the row's red bar and for the hidden points, so the two never
// disagree on a ratio at the limit.
bool OutOfTolerance(double r) { return r < kLow || r > kHigh; }

// A red bar across row k, or a green arrow from the row towards the ratio's
// side of 1, as long as the deviation is of the tolerance.
void PlotRatioRow(TArrowSeries& series, int k, double date, double r) {
  if (OutOfTolerance(r)) {
    series.AddArrow(date, k - kHalfBar, date, k + kHalfBar, "", clRed);
    return;
  }
  const double d = std::fabs(r - 1) * kHalfBar / kTolerance;
  if (r < 1)
    series.AddArrow(date, k - d, date, k, "", clGreen);
  else
    series.AddArrow(date, k, date, k + d, "", clGreen);
}

// Ratio 1 has a wide range of its own and shows only a fixed tick inside it.
void PlotRatio1(TArrowSeries& series, double date, double r) {
  if (r < kRatio1Min || r > kRatio1Max)
    series.AddArrow(date, 1 - kHalfBar, date, 1 + kHalfBar, "", clRed);
  else if (r < 1)
    series.AddArrow(date, 1 - kTick, date, 1, "", clGreen);
  else
    series.AddArrow(date, 1, date, 1 + kTick, "", clGreen);
}

void PlotRsDay(TArrowSeries* const (&rows)[kRsRatios], TPointSeries& hidden, const RsAvgRecord& day) {
  const double* r = day.ratio;
  PlotRatio1(*rows[1], day.date, r[1]);
  PlotRatioRow(*rows[2], 2, day.date, r[2]);
  // Out-of-tolerance ratios, clipped, for the composite chart.
  for (int i = 0; i < kRsRatios; ++i)
    if (i != 1 && OutOfTolerance(r[i])) hidden.AddXY(day.date, std::clamp(r[i], kClipLow, kClipHigh), "", clRed);
  for (int k : {3, 4, 5, 6, 7, 0}) PlotRatioRow(*rows[k], k, day.date, r[k]);
}

}  // namespace

RsAvgTab::RsAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  RSPanel = MakeButtonStrip("RSPanel", sheet);
  LoadRSavg = MakeButton("LoadRSavg", RSPanel, "Load rs avg file", 8, Handler(&RsAvgTab::LoadRSavgClick));
  SpeedButton3 = MakeSaveButton("SpeedButton3", RSPanel, 136, Handler(&RsAvgTab::SpeedButton3Click));

  RSGraph = MakeChart("RSGraph", sheet);
  RSGraph->Title.Add("");
  RSGraph->Title.FontColor = clBlack;
  RSGraph->Title.FontHeight = 12;
  RSGraph->Legend.Visible = false;
  TChartAxis& bottom = RSGraph->BottomAxis;
  bottom.SetDateScale("Date");
  bottom.GridVisible = false;
  // Row i at height i, ratio 0 at the top; the loader never changes this axis.
  TChartAxis& left = RSGraph->LeftAxis;
  left.Automatic = false;
  left.Minimum = -1;
  left.Maximum = 8;
  left.Inverted = true;
  left.Increment = 1;
  left.LabelsFormat = "###0.###";
  left.GridVisible = false;
  left.LabelsSeparation = 80;

  struct Row {
    TArrowSeries* RsAvgTab::*series;
    const char* name;
  };
  const Row rows[kRsRatios] = {
      {&RsAvgTab::Series40, "Series40"}, {&RsAvgTab::Series14, "Series14"},
      {&RsAvgTab::Series15, "Series15"}, {&RsAvgTab::Series16, "Series16"},
      {&RsAvgTab::Series17, "Series17"}, {&RsAvgTab::Series18, "Series18"},
      {&RsAvgTab::Series19, "Series19"}, {&RsAvgTab::Series39, "Series39"},
  };
  for (const Row& row : rows) {
    TArrowSeries* s = MakeSeries<TArrowSeries>(RSGraph, row.name);
    s->SeriesColor = clTeal;
    s->ShowInLegend = false;
    s->Pointer.Style = TPointerStyle::psRectangle;
    s->Pointer.HorizSize = 1;
    s->Pointer.VertSize = 1;
    s->Marks.ArrowVisible = false;
    this->*row.series = s;
  }

  // Shown by the composite chart only.
  Series72 = MakeSeries<TPointSeries>(RSGraph, "Series72");
  Series72->Active = false;

  // Comment markers; only the comments overlay fills them.
  Series36 = MakeSeries<TPointSeries>(RSGraph, "Series36");
  Series36->SeriesColor = clRed;
  Series36->Pointer.Style = TPointerStyle::psDownTriangle;
  Series36->Pointer.HorizSize = 2;
  Series36->Pointer.VertSize = 2;
  Series36->Marks.Visible = true;
  Series36->ShowInLegend = false;
}

void RsAvgTab::LoadRSavgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("rsoavg*.*", path)) return;
  Series14->Clear();
  Series15->Clear();
  Series16->Clear();
  Series17->Clear();
  Series18->Clear();
  Series19->Clear();
  Series39->Clear();
  Series40->Clear();
  Series72->Clear();

  Records<RsAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    RSGraph->Title.Clear();
    RSGraph->Title.Add(path);
    data = ReadRsAvg(file.get());
  }
  SummarizeDays(path, data.value);

  TArrowSeries* const rows[kRsRatios] = {Series40, Series14, Series15, Series16,
                                         Series17, Series18, Series19, Series39};
  for (TChartSeries* s : rows) s->Reserve(static_cast<int>(data.value.size()));
  for (const RsAvgRecord& day : data.value)
    if (form_.InDateWindow(day.date)) PlotRsDay(rows, *Series72, day);

  form_.ApplyStrictDate(RSGraph->BottomAxis);
  if (FolderMode) AutoSaveChart(RSGraph, path, "rsavg");
}

void RsAvgTab::SpeedButton3Click(TObject*) { form_.SaveChartAs(RSGraph); }
