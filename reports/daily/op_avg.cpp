// OP_ST tab: the instrument's north and horizon corrections above, its steps
// per revolution and a time line of its locations below.
#include "reports/daily/op_avg.h"
#include "reports/daily/op_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <unordered_map>
#include <utility>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/numeric.h"
#include "core/serial_date.h"
#include "core/text.h"


namespace {

// Years from 50 are 19yy, below 50 20yy; a four-digit year is taken the same
// way. A year beyond the calendar makes EncodeDate refuse it.
double RecordDate(const OpAvgRecord& r) {
  long long year = FourDigitYear(r.year);
  if (year < 1 || year > 9999) year = 0;
  return EncodeDate(static_cast<int>(year), r.month, r.day);
}

// The stays of the instrument at its locations: a stay ends where the
// location changes or after a gap of more than 7 days. Each location (its
// name in any case) keeps one row, numbered in the order of first appearance.
class LocationStays {
 public:
  struct Stay {
    std::string name;  // as read in the stay's first record
    double start = 0, end = 0;
    int row = 0;
  };

  // A record at `name` on `date`; the record before it was on `previousDate`.
  void Add(const std::string& name, double date, double previousDate) {
    std::string lower = AnsiLowerCase(name);
    const long long gapDays = TruncToInt(date - previousDate);
    if (!stays_.empty() && lower == lastName_ && std::abs(gapDays) <= 7) return;
    if (!stays_.empty()) stays_.back().end = previousDate;
    const int row = rows_.try_emplace(lower, static_cast<int>(rows_.size()) + 1).first->second;
    stays_.push_back({name, date, date, row});
    lastName_ = std::move(lower);
  }
  // The last stay ends on `lastDate`.
  void Finish(double lastDate) {
    if (!stays_.empty()) stays_.back().end = lastDate;
  }
  const std::vector<Stay>& Stays() const { return stays_; }

 private:
  std::vector<Stay> stays_;
  std::string lastName_;                       // lower case, of the current stay
  std::unordered_map<std::string, int> rows_;  // by lower-case name
};

TColor ChangeColour(long long value, long long previous, long long tolerance) {
  return std::abs(value - previous) > tolerance ? clRed : clGreen;
}



// A chart of this tab: white, no legend, "TChart" until the first load.
void StyleChart(TChart* chart) {
  chart->Title.Add("TChart");
  chart->Legend.Visible = false;
  chart->BottomAxis.SetDateScale("Date, UTC");
  chart->LeftAxis.EndPosition = 50;
  chart->RightAxis.StartPosition = 50;
}

void DateLine(TChartSeries* series, TVertAxis axis, TPointerStyle pointer) {
  series->VertAxis = axis;
  series->SeriesColor = clRed;
  series->Pointer.Style = pointer;
}

// Keeps a control's height from here to the end of the scope, whatever happens.
class HeightKeeper {
 public:
  explicit HeightKeeper(TControl* control) : control_(control), height_(control->Height) {}
  ~HeightKeeper() { control_->SetHeight(height_); }
  HeightKeeper(const HeightKeeper&) = delete;
  HeightKeeper& operator=(const HeightKeeper&) = delete;
  int Height() const { return height_; }

 private:
  TControl* control_;
  int height_;
};

}  // namespace

OpAvgTab::OpAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  OPPanel = MakeButtonStrip("OPPanel", sheet);
  LoadOPavg = MakeButton("LoadOPavg", OPPanel, "Load OP_ST", 8, Handler(&OpAvgTab::LoadOPavgClick));

  OPGraph = MakeChart("OPGraph", sheet);
  OPGraph->Align = TAlign::alTop;
  OPGraph->Height = 225;
  StyleChart(OPGraph);
  OPGraph->LeftAxis.Title = "North correction, steps";
  OPGraph->RightAxis.Title = "Horizon corr., steps";
  Series32 = MakeSeries<TLineSeries>(OPGraph, "Series32");
  DateLine(Series32, TVertAxis::aLeftAxis, TPointerStyle::psCircle);
  Series33 = MakeSeries<TLineSeries>(OPGraph, "Series33");
  DateLine(Series33, TVertAxis::aRightAxis, TPointerStyle::psRectangle);
  // Comment markers; only the comments overlay fills them.
  Series38 = MakeSeries<TPointSeries>(OPGraph, "Series38");
  Series38->VertAxis = TVertAxis::aRightAxis;
  Series38->SeriesColor = clGreen;
  Series38->Pointer.Style = TPointerStyle::psDownTriangle;
  Series38->Marks.Visible = true;
  Series38->Marks.Transparent = true;
  Series38->ShowInLegend = false;

  // Dragging it moves the bottom edge of OPGraph.
  Splitter1 = Make<TSplitter>("Splitter1", sheet);
  Splitter1->Align = TAlign::alTop;
  Splitter1->Height = 2;
  Splitter1->Color = clBlue;

  LocationGraph = MakeChart("LocationGraph", sheet);
  StyleChart(LocationGraph);
  LocationGraph->LeftAxis.Title = "Steps per revolution";
  LocationGraph->RightAxis.LabelsSeparation = 0;
  LineSeries12 = MakeSeries<TLineSeries>(LocationGraph, "LineSeries12");
  DateLine(LineSeries12, TVertAxis::aLeftAxis, TPointerStyle::psCircle);
  // One bar per stay, labelled with the location's name.
  Series51 = MakeSeries<TGanttSeries>(LocationGraph, "Series51");
  Series51->VertAxis = TVertAxis::aRightAxis;
  Series51->SeriesColor = clGreen;
  Series51->Pointer.VertSize = 1;
  Series51->Pointer.OutlineVisible = false;
  // Each location's row is labelled with its name on the right axis.
  LocationGraph->RightAxis.PointLabels = true;
  // The two charts share their date axis.
  OPGraph->AlignPlotWith = LocationGraph;
  LocationGraph->AlignPlotWith = OPGraph;
}

void OpAvgTab::LoadOPavgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("opavg*.*", path)) return;
  Series32->Clear();
  Series33->Clear();
  LineSeries12->Clear();
  Series51->Clear();
  OPGraph->LeftAxis.SetAutomatic(true);
  OPGraph->RightAxis.SetAutomatic(true);

  Records<OpAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    for (TChart* chart : {OPGraph, LocationGraph}) {
      chart->Title.Clear();
      chart->Title.Add(path);
    }
    data = ReadOpAvg(file.get());
  }
  form_.ShowLoadSummary(path, std::to_string(data.value.size()) + " records");

  LocationStays stays;
  double previousDate = 0.0;
  double lastDated = 0.0;  // the last record with a possible day and month, in the window or not
  long long previousNorth = -999, previousHorizon = -99;
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{Series32, Series33, LineSeries12})
    s->Reserve(static_cast<int>(data.value.size()));
  for (const OpAvgRecord& r : data.value) {
    if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31) continue;
    // A day its month does not have ends the load here, before any bar is drawn.
    const double date = RecordDate(r);
    lastDated = date;
    if (!form_.InDateWindow(date)) continue;
    stays.Add(r.location, date, previousDate);
    previousDate = date;
    Series32->AddXY(date, r.north, "", ChangeColour(r.north, previousNorth, 10));
    Series33->AddXY(date, r.horizon, "", ChangeColour(r.horizon, previousHorizon, 30));
    previousNorth = r.north;
    previousHorizon = r.horizon;
    // Values off the expected band are drawn red at its edge.
    const int steps = r.stepsPerRevolution;
    if (steps < 14600) {
      LineSeries12->AddXY(date, 14600, "", clRed);
    } else if (steps > 14900) {
      LineSeries12->AddXY(date, 14900, "", clRed);
    } else {
      LineSeries12->AddXY(date, steps, "", clGreen);
    }
  }
  // The last stay runs to the last dated record of the file, also when that
  // record lies beyond the date window.
  stays.Finish(lastDated);
  for (const LocationStays::Stay& stay : stays.Stays())
    Series51->AddGanttColor(stay.start, stay.end, stay.row, AnsiUpperCase(stay.name), clBlue);

  TChartAxis& steps = LocationGraph->LeftAxis;
  steps.FixToData();
  steps.RoundOutward(20, 5);
  OPGraph->LeftAxis.FixToData();
  OPGraph->RightAxis.FixToData();
  OPGraph->LeftAxis.RoundOutward(5, 5);
  OPGraph->RightAxis.RoundOutward(5, 5);

  form_.ApplyStrictDate(OPGraph->BottomAxis);
  form_.ApplyStrictDate(LocationGraph->BottomAxis);

  if (FolderMode) {
    // A tall top chart for its own bitmap, then a tall time line for the other.
    const HeightKeeper keep(OPGraph);
    OPGraph->SetHeight(TruncToInt(keep.Height() * 1.8));
    AutoSaveChart(OPGraph, path, "opavg");
    OPGraph->SetHeight(TruncToInt(keep.Height() * 0.2));
    AutoSaveChart(LocationGraph, path, "loc");
  }
}
