// HG tab: the mercury-lamp averages in horizontal bands of one date chart.
#include "reports/daily/hg_avg.h"
#include "reports/daily/hg_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/serial_date.h"
#include "core/text.h"


namespace {

constexpr TColor kOwnColor = clTeeColor;  // a point in its series' own colour
constexpr int kArrowClamp = 20;           // the fixed "max shift" and "repeats" axes end at 20


void DatePoints(TChartSeries* series, TVertAxis axis, TColor color) {
  series->VertAxis = axis;
  series->SeriesColor = color;
}

// Arrow colours graded on the unclamped values.
TColor TestsColor(int tests) { return tests < 20 ? clGreen : tests < 30 ? clBlue : clRed; }
TColor RepeatsOrShiftColor(int value) { return value < 3 ? clGreen : value < 10 ? clBlue : clRed; }

// One day in every band, so that its values line up on the date axis.
void PlotHgDay(const HgAvgTab& tab, const HgAvgRecord& r) {
  if (r.hasCalStep) {
    tab.Series64->AddXY(r.date, r.calStep, "", kOwnColor);
    if (r.calStepOnly) return;
    if (r.hasShift) {
      tab.Series67->AddArrow(r.date, 0, r.date, std::min(r.maxShift, kArrowClamp), "",
                              RepeatsOrShiftColor(r.maxShift));
      tab.Series68->AddArrow(r.date, 0, r.date, std::min(r.repeats, kArrowClamp), "",
                              RepeatsOrShiftColor(r.repeats));
    }
  }
  if (r.hasIntensity) tab.Series13->AddXY(r.date, r.intensity, "", clBlue);
  tab.Series11->AddXY(r.date, r.temperature, "", clRed);
  tab.Series65->AddArrow(r.date, 0, r.date, r.tests, "", TestsColor(r.tests));
}

}  // namespace

HgAvgTab::HgAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  HGPanel = MakeButtonStrip("HGPanel", sheet);
  LoadHGavg = MakeButton("LoadHGavg", HGPanel, "Load hg avg file", 8, Handler(&HgAvgTab::LoadHGavgClick));
  SpeedButton2 = MakeSaveButton("SpeedButton2", HGPanel, 136, Handler(&HgAvgTab::SpeedButton2Click));

  HGGraph = MakeChart("HGGraph", sheet);
  HGGraph->Title.Add("");
  HGGraph->Legend.Alignment = TLegendAlignment::laTop;
  HGGraph->BottomAxis.SetDateScale("Date");
  TChartAxis& left = HGGraph->LeftAxis;
  left.Title = "Intensity";
  left.LabelsFormat = "###0";
  left.StartPosition = 0;
  left.EndPosition = 40;
  TChartAxis& right = HGGraph->RightAxis;
  right.Title = "T, C";
  right.LabelsFormat = "###0";
  right.StartPosition = 85;
  right.EndPosition = 100;

  Series13 = MakeSeries<TPointSeries>(HGGraph, "Series13");
  Series13->Title = "Intensity";
  DatePoints(Series13, TVertAxis::aLeftAxis, clBlue);
  Series13->Pointer.HorizSize = 3;
  Series13->Pointer.VertSize = 1;

  Series11 = MakeSeries<TPointSeries>(HGGraph, "Series11");
  Series11->Title = "Temperature";
  DatePoints(Series11, TVertAxis::aRightAxis, clRed);
  Series11->Pointer.HorizSize = 3;
  Series11->Pointer.VertSize = 1;

  // The vertical axes of the arrow bands and of the calibration step are
  // custom axes made at start-up.
  Series65 = MakeSeries<TArrowSeries>(HGGraph, "Series65");
  Series65->Title = "N of HGs";
  DatePoints(Series65, TVertAxis::aLeftAxis, clGray);

  Series68 = MakeSeries<TArrowSeries>(HGGraph, "Series68");
  Series68->Title = "repeats";
  DatePoints(Series68, TVertAxis::aLeftAxis, clNavy);
  Series68->Marks.ArrowVisible = false;

  Series67 = MakeSeries<TArrowSeries>(HGGraph, "Series67");
  Series67->Title = "max shift";
  DatePoints(Series67, TVertAxis::aLeftAxis, clTeal);
  Series67->Marks.ArrowVisible = false;

  Series64 = MakeSeries<TPointSeries>(HGGraph, "Series64");
  Series64->Title = "cal step";
  DatePoints(Series64, TVertAxis::aLeftAxis, clYellow);
  Series64->Pointer.Style = TPointerStyle::psCircle;
  Series64->Pointer.BrushColor = clOrange;

  // Comment markers; only the comments overlay fills them.
  Series37 = MakeSeries<TPointSeries>(HGGraph, "Series37");
  DatePoints(Series37, TVertAxis::aRightAxis, clGreen);
  Series37->Pointer.Style = TPointerStyle::psDownTriangle;
  Series37->ShowInLegend = false;
  Series37->Marks.Visible = true;
  Series37->Marks.Transparent = true;
  Series37->Marks.ArrowColor = 58880;
}

void HgAvgTab::LoadHGavgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("hgoavg*.*", path)) return;
  Series11->Clear();
  Series13->Clear();
  Series64->Clear();
  Series67->Clear();
  Series65->Clear();
  Series68->Clear();
  TChartAxis& calStepAxis = Series64->GetVertAxis();
  calStepAxis.SetAutomatic(true);

  Records<HgAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    HGGraph->Title.Clear();
    HGGraph->Title.Add(path);
    data = ReadHgAvg(file.get(), [this](double date) { return form_.InDateWindow(date); });
  }
  // Only the days in the window are read at all.
  form_.ShowLoadSummary(path, std::to_string(data.value.size()) + " days in the date window");
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{Series11, Series13, Series64, Series67, Series65,
                                                             Series68})
    s->Reserve(static_cast<int>(data.value.size()));
  for (const HgAvgRecord& r : data.value) PlotHgDay(*this, r);
  // A field that is not a whole number ends the load: the days before it
  // stay drawn, the axes keep their limits.
  data.RaiseError();

  HGGraph->LeftAxis.FixToData();
  HGGraph->LeftAxis.RoundOutward(1000, 1000);
  calStepAxis.FixToData();
  calStepAxis.RoundOutward(5, 1);
  form_.ApplyStrictDate(HGGraph->BottomAxis);
  if (FolderMode) AutoSaveChart(HGGraph, path, "hgavg");
}

void HgAvgTab::SpeedButton2Click(TObject*) { form_.SaveChartAs(HGGraph); }
