// SL tab: the daily standard-lamp averages. "SL plots vs date" shows R6 in the
// upper half of SLGraph and the quantity chosen under "Plot in the bottom
// part" in the lower half; "SL plotts vs temperature" shows R6 against the
// day's mean temperature, this year's days large and coloured by day of year.
#include "reports/daily/sl_avg.h"
#include "reports/daily/sl_avg_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/format.h"
#include "core/line_reader.h"
#include "app/chart/series_numeric.h"
#include "core/numeric.h"
#include "core/serial_date.h"

namespace {

constexpr char kSlTTitle[] = "SL R6 vs temperature: large points indicate current year data";

// Temperatures are clamped to this range; a day at either edge is drawn red
// and left out of the temperature chart.
constexpr int kLowestT = -50;
constexpr int kHighestT = 60;
// A day is plotted only when R6 and R5 moved less than this since the
// previous day in the window.
constexpr double kR6Jump = 30;
constexpr double kR5Jump = 50;
// The R6 axis is never narrower than this.
constexpr double kR6Span = 50;
// Diff is drawn from this day of the window on, when the running means no
// longer start from nothing.
constexpr int kFirstDiffDay = 9;
constexpr TColor kDarkGreen = 16384;

// The history A1 .. A8 of running means of R6. Every record that scans moves
// it on by one, inside the date window or not.
class RunningMeans {
 public:
  // Shifts A1 <- A2 ... A7 <- A8, makes the new A8 and returns Diff = A8 - A1.
  double Next(double r6, double previousR6) {
    std::copy(a_.begin() + 1, a_.end(), a_.begin());
    a_[7] = (a_[6] * 7 - previousR6 + r6) / 7;
    return a_[7] - a_[0];
  }

 private:
  std::array<double, 8> a_{};
};

struct SlTotals {
  double tests = 0;  // standard-lamp tests of the days in the window
  int days = 0;      // days in the window
};

bool AtClampLimit(int t) { return t == kLowestT || t == kHighestT; }

// Colour of a point of this year's days: it grows by 179.2 a day, so the
// green byte rises through the year.
TColor DayOfYearColor(int dayOfYear) { return TruncToInt(dayOfYear * 256 * 0.7 + 256); }

void PlotDay(SlAvgTab& f, const SlAvgRecord& r) {
  f.Series8->AddXY(r.date, r.r6, "", clRed);
  f.Series9->AddXY(r.date, r.r5, "", clGreen);
  f.Series10->AddXY(r.date, r.i1, "", clGreen);
  f.Series28->AddXY(r.date, r.r1, "", clGreen);
  f.Series29->AddXY(r.date, r.r2, "", clGreen);
  f.Series30->AddXY(r.date, r.r3, "", clGreen);
  f.Series34->AddXY(r.date, r.r4, "", clGreen);
}

// R6 at the day's mean temperature, in whole degrees (truncated toward zero).
void PlotAgainstTemperature(SlAvgTab& f, const SlAvgRecord& r, int low, int high, int currentYear) {
  const double meanT = (low + high) / 2;
  if (r.year == currentYear)
    f.Series46->AddXY(meanT, r.r6, "", DayOfYearColor(r.dayOfYear));
  else
    f.Series45->AddXY(meanT, r.r6, "", clSilver);
}

// The records in file order: the running means take every one, the charts
// only those inside the date window.
SlTotals PlotRecords(SlAvgTab& f, const std::vector<SlAvgRecord>& records) {
  int currentYear = 0, month = 0, day = 0;
  DecodeDate(Date(), currentYear, month, day);
  RunningMeans means;
  double p = 0, q = 0;  // R6 and R5 of the previous day in the window
  SlTotals totals;
  for (const SlAvgRecord& r : records) {
    const double diff = means.Next(r.r6, p);
    const int low = std::clamp(r.lowT, kLowestT, kHighestT);
    const int high = std::clamp(r.highT, kLowestT, kHighestT);
    if (!f.Form().InDateWindow(r.date)) continue;
    totals.tests += r.tests;
    ++totals.days;
    const bool clamped = AtClampLimit(low) || AtClampLimit(high);
    if (std::fabs(r.r6 - p) < kR6Jump && std::fabs(r.r5 - q) < kR5Jump) {
      PlotDay(f, r);
      if (!clamped) PlotAgainstTemperature(f, r, low, high, currentYear);
    }
    // A day that jumped is not drawn but is still what the next day is measured against.
    p = r.r6;
    q = r.r5;
    f.Series62->AddArrow(r.date, low, r.date, high, "", clamped ? clRed : clGreen);
    if (totals.days >= kFirstDiffDay) f.Series24->AddXY(r.date, diff, "", clBlue);
  }
  return totals;
}

// What each button of "Plot in the bottom part" shows in the lower half.
struct LowerChoice {
  TRadioButton* button;
  TChartSeries* series;
  const char* title;
  double step;  // of the right axis' range
};

using LowerChoices = std::array<LowerChoice, 8>;

LowerChoices ChoicesOf(const SlAvgTab& f) {
  return {{
      {f.PlotR5, f.Series9, "R5", 5},
      {f.PlotI1, f.Series10, "I1", 1000},
      {f.Diff, f.Series24, "diff", 5},
      {f.PlotR1, f.Series28, "R1", 5},
      {f.PlotR2, f.Series29, "R2", 5},
      {f.PlotR3, f.Series30, "R3", 5},
      {f.PlotR4, f.Series34, "R4", 5},
      {f.PlotT, f.Series62, "Temperature", 5},
  }};
}

// The choice of the checked button; null when none is checked.
const LowerChoice* Checked(const LowerChoices& choices) {
  for (const LowerChoice& c : choices)
    if (c.button->Checked) return &c;
  return nullptr;
}

// Shows the series of the checked button alone in the lower half and names
// the right axis after it.
void ShowCheckedChoice(SlAvgTab& f) {
  const LowerChoices choices = ChoicesOf(f);
  const LowerChoice* checked = Checked(choices);
  for (const LowerChoice& c : choices) c.series->SetActive(&c == checked);
  TChartAxis& right = f.SLGraph->RightAxis;
  if (checked) right.SetTitle(checked->title, right.TitleAngle);
}

// An axis over the y of the points inside SLGraph's date range. With no such
// point the axis keeps its limits.
void FitToVisible(TChartAxis& axis, const TChartSeries& series, const TChartAxis& dateAxis, double step) {
  double min = 0, max = 0;
  VisibleRange(series, dateAxis, step, min, max);
  if (min <= max) axis.SetMinMax(min, max);
}

// R6 gets at least kR6Span units, centred on its data, on both charts.
void SetR6Range(SlAvgTab& f) {
  f.SLGraph->BottomAxis.AdjustMaxMin();
  TChartAxis& left = f.SLGraph->LeftAxis;
  left.AdjustMaxMin();
  left.SetAutomatic(false);
  double min = left.Minimum, max = left.Maximum;
  if (max - min < kR6Span) {
    const double middle = (min + max) / 2;
    min = middle - kR6Span / 2;
    max = middle + kR6Span / 2;
  }
  left.SetMinMax(min, max);
  TChartAxis& r6vsT = f.SL_T->LeftAxis;
  r6vsT.FixToData();
  r6vsT.SetMinMax(min, max);
}

}  // namespace


SlAvgTab::SlAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  SLPanel = MakeButtonStrip("SLPanel", sheet);
  SLPanel->Height = 46;  // room for the radio group
  LoadSLavgFile = MakeButton("LoadSLavgFile", SLPanel, "Load sl avg file", 8, Handler(&SlAvgTab::LoadSLavgFileClick));
  LoadSLavgFile->SetTop(11);
  SLSaveBMP = MakeSaveButton("SLSaveBMP", SLPanel, 136, Handler(&SlAvgTab::SLSaveBMPClick));
  SLSaveBMP->SetTop(11);

  RadioGroup1 = Make<TGroupBox>("RadioGroup1", SLPanel);
  RadioGroup1->Caption = "Plot in the bottom part";
  const struct {
    TRadioButton* SlAvgTab::*button;
    const char* name;
    const char* caption;
  } radios[] = {
      {&SlAvgTab::PlotR5, "PlotR5", "R5"}, {&SlAvgTab::PlotI1, "PlotI1", "I1"},
      {&SlAvgTab::Diff, "Diff", "Diff"},   {&SlAvgTab::PlotR1, "PlotR1", "R1"},
      {&SlAvgTab::PlotR2, "PlotR2", "R2"}, {&SlAvgTab::PlotR3, "PlotR3", "R3"},
      {&SlAvgTab::PlotR4, "PlotR4", "R4"}, {&SlAvgTab::PlotT, "PlotT", "T"},
  };
  int left = 8;
  for (const auto& r : radios) {
    TRadioButton* button = Make<TRadioButton>(r.name, RadioGroup1);
    button->Caption = r.caption;
    button->SetBounds(left, 18, 52, 19);
    button->OnClick = Handler(&SlAvgTab::PlotR5Click);
    this->*r.button = button;
    left += 56;
  }
  RadioGroup1->SetBounds(176, 2, left + 4, 42);
  PlotR5->Checked = true;

  PageControl2 = Make<TPageControl>("PageControl2", sheet);
  PageControl2->Align = TAlign::alClient;
  SLDateSheet = MakeSheet("SLDateSheet", PageControl2, "SL plots vs date");
  SLTempSheet = MakeSheet("SLTempSheet", PageControl2, "SL plotts vs temperature");
  PageControl2->ActivePageIndex = 1;

  SLGraph = MakeChart("SLGraph", SLDateSheet);
  SLGraph->Legend.Visible = false;
  SLGraph->BottomAxis.SetDateScale("Date", 0);
  TChartAxis& leftAxis = SLGraph->LeftAxis;
  leftAxis.Title = "R6";
  leftAxis.EndPosition = 50;
  leftAxis.LabelsFormat = "###0";
  TChartAxis& right = SLGraph->RightAxis;
  right.StartPosition = 50;
  right.LabelsFormat = "###0";

  // Date points without lines, each in its design-time look.
  auto look = [](TChartSeries* s, TVertAxis axis, TColor color, TPointerStyle style, int size) {
    s->VertAxis = axis;
    s->SeriesColor = color;
    s->LineVisible = false;
    s->Pointer.Style = style;
    s->Pointer.HorizSize = size;
    s->Pointer.VertSize = size;
  };
  constexpr TVertAxis kLeft = TVertAxis::aLeftAxis, kRight = TVertAxis::aRightAxis;
  constexpr TPointerStyle kCircle = TPointerStyle::psCircle, kSquare = TPointerStyle::psRectangle;
  Series8 = MakeSeries<TLineSeries>(SLGraph, "Series8");
  look(Series8, kLeft, clRed, kCircle, 3);
  Series9 = MakeSeries<TLineSeries>(SLGraph, "Series9");
  look(Series9, kRight, clGreen, kCircle, 3);
  Series10 = MakeSeries<TLineSeries>(SLGraph, "Series10");
  look(Series10, kRight, kDarkGreen, kSquare, 2);
  Series10->Active = false;
  Series24 = MakeSeries<TLineSeries>(SLGraph, "Series24");
  look(Series24, kRight, clMaroon, kSquare, 2);
  Series24->Active = false;
  Series28 = MakeSeries<TLineSeries>(SLGraph, "Series28");
  look(Series28, kRight, clGreen, kCircle, 3);
  Series29 = MakeSeries<TLineSeries>(SLGraph, "Series29");
  look(Series29, kRight, clGreen, kCircle, 3);
  Series30 = MakeSeries<TLineSeries>(SLGraph, "Series30");
  look(Series30, kRight, clGreen, kCircle, 3);
  Series34 = MakeSeries<TPointSeries>(SLGraph, "Series34");
  look(Series34, kRight, clYellow, kCircle, 3);
  Series34->Pointer.OutlineColor = clGreen;
  Series62 = MakeSeries<TArrowSeries>(SLGraph, "Series62");
  Series62->VertAxis = kRight;
  Series62->SeriesColor = clGray;

  // Comment markers; only the comments overlay fills them.
  Series35 = MakeSeries<TPointSeries>(SLGraph, "Series35");
  look(Series35, kRight, clBlue, TPointerStyle::psDownTriangle, 4);
  Series35->Title = "Comments";
  Series35->Marks.Visible = true;
  Series35->Marks.FontColor = clBlue;
  Series35->Marks.FontHeight = 12;
  Series35->Marks.Transparent = true;
  Series35->Marks.Frame = false;
  Series35->Marks.ArrowLength = 100;

  // The span shown, chosen on the chart itself.
  DateTimePicker1 = Make<TDateTimePicker>("DateTimePicker1", SLGraph);
  DateTimePicker1->SetBounds(4, 4, 100, 22);
  DateTimePicker1->OnChange = Handler(&SlAvgTab::DateTimePicker1Change);
  DateTimePicker2 = Make<TDateTimePicker>("DateTimePicker2", SLGraph);
  DateTimePicker2->SetBounds(108, 4, 100, 22);
  DateTimePicker2->OnChange = Handler(&SlAvgTab::DateTimePicker1Change);

  SL_T = MakeChart("SL_T", SLTempSheet);
  SL_T->Title.Add(kSlTTitle);
  SL_T->Legend.Visible = false;
  SL_T->LeftAxis.LabelsFormat = "###0";
  Series45 = MakeSeries<TPointSeries>(SL_T, "Series45");
  Series45->SeriesColor = clSilver;
  Series45->Pointer.Style = kCircle;
  Series45->Pointer.HorizSize = 2;
  Series45->Pointer.VertSize = 2;
  Series46 = MakeSeries<TPointSeries>(SL_T, "Series46");
  Series46->Pointer.Style = TPointerStyle::psDiamond;
  Series46->Pointer.HorizSize = 5;
  Series46->Pointer.VertSize = 5;
}

void SlAvgTab::LoadSLavgFileClick(TObject* sender) {
  std::string path;
  if (!form_.SelectReportFile("sl?avg*.*", path)) return;
  PlotR5->SetChecked(true);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{Series24, Series45, Series46, Series8, Series9,
                                                             Series10, Series28, Series29, Series30, Series34,
                                                             Series62})
    s->Clear();
  // The temperature arrows draw as plain vertical bars.
  Series62->SetArrowHead(1, 1);
  SLGraph->BottomAxis.SetAutomatic(true);
  SLGraph->LeftAxis.SetAutomatic(true);
  SLGraph->RightAxis.SetAutomatic(true);
  SLGraph->Title.Clear();
  SL_T->Title.Clear();

  Records<SlAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    SLGraph->Title.Add(path);
    SL_T->Title.Add(path);
    SL_T->Title.Add(kSlTTitle);
    data = ReadSlAvg(file.get());
  }
  SummarizeDays(path, data.value);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{Series24, Series45, Series46, Series8, Series9,
                                                             Series10, Series28, Series29, Series30, Series34,
                                                             Series62})
    s->Reserve(static_cast<int>(data.value.size()));
  const SlTotals totals = PlotRecords(*this, data.value);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{Series8, Series9, Series10, Series28, Series29,
                                                             Series30, Series34})
    RemoveOutliers(*s);

  SL_T->LeftAxis.SetTitle("R6", SL_T->LeftAxis.TitleAngle);
  SL_T->BottomAxis.SetTitle("Temperature", SL_T->BottomAxis.TitleAngle);
  SLGraph->Foot.Clear();
  SLGraph->Foot.Add("Average number of SL/day = " +
                    FormatFloat("###.0", totals.tests / std::max(totals.days, 1)));

  SetR6Range(*this);
  // The small pickers on the chart start at the span of the data just loaded.
  DateTimePicker1->SetDate(SLGraph->BottomAxis.Minimum);
  DateTimePicker2->SetDate(SLGraph->BottomAxis.Maximum);
  PlotR5Click(sender);
  form_.ApplyStrictDate(SLGraph->BottomAxis);

  if (!FolderMode) return;
  AutoSaveChart(SLGraph, path, "slavgR6R5");
  PlotI1->SetChecked(true);
  PlotR5Click(sender);
  AutoSaveChart(SLGraph, path, "slavgR6I1");
  // Temperatures are no dates: this chart is named after the years of the SL
  // dates, so that the bitmaps of several SL files never overwrite each other.
  AutoSaveChart(SL_T, path, "slavgR6vsT", &SLGraph->BottomAxis);
}

void SlAvgTab::PlotR5Click(TObject* sender) {
  ShowCheckedChoice(*this);
  DateTimePicker1Change(sender);
}

void SlAvgTab::DateTimePicker1Change(TObject*) {
  TChartAxis& bottom = SLGraph->BottomAxis;
  bottom.SetAutomatic(false);
  const double first = DateTimePicker1->GetDate(), last = DateTimePicker2->GetDate();
  if (first < last) bottom.SetMinMax(first, last);
  bottom.SetDesiredIncrement((last - first) / 20);
  // Both ranges look at the points inside SLGraph's dates, whatever the series.
  FitToVisible(SLGraph->LeftAxis, *Series8, bottom, 5);
  const LowerChoices choices = ChoicesOf(*this);
  if (const LowerChoice* c = Checked(choices)) FitToVisible(SLGraph->RightAxis, *c->series, bottom, c->step);
}

void SlAvgTab::SLSaveBMPClick(TObject*) { form_.SaveChartAs(SLGraph); }
