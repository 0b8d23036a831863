// FI tab: how far the weighted readings of filters 1 to 5 lie from those of
// filter 0, day by day, and the list of the days read.
#include "reports/daily/fi_avg.h"

#include <cmath>
#include <optional>

#include "app/Mainunit.h"
#include "core/format.h"

std::vector<FiDayRecord> FiDays;

namespace {

// Titles and colours of the curves of filters 0 to 5.
struct FilterCurve {
  const char* name;
  const char* title;
  TColor color;
};
const FilterCurve kCurves[kFiFilters] = {
    {"Series44", "nd0", clOlive}, {"LineSeries1", "nd1", clGreen}, {"Series20", "nd2", clRed},
    {"Series21", "nd3", clYellow}, {"Series22", "nd4", clBlue},    {"Series23", "nd5", clBlack},
};

// The level the curves lie around: filter 0 of the first day that has it.
std::optional<double> ReferenceLevel(const std::vector<FiDayRecord>& days) {
  for (const FiDayRecord& d : days)
    if (d.sums[0]) return d.sums[0];
  return std::nullopt;
}

}  // namespace

FiAvgTab::FiAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  FiDays.clear();

  FIPanel = MakeButtonStrip("FIPanel", sheet);
  LoadFIavg = MakeButton("LoadFIavg", FIPanel, "Load fi avg file", 8, Handler(&FiAvgTab::LoadFIavgClick));

  // Nothing reacts to its check marks: it lists the days read.
  FIscans = Make<TCheckListBox>("FIscans", sheet);
  FIscans->Align = TAlign::alRight;
  FIscans->Width = 110;

  FIGraph = MakeChart("FIGraph", sheet);
  FIGraph->Title.FontColor = clBlack;
  FIGraph->Title.FontHeight = 12;
  FIGraph->Legend.Alignment = TLegendAlignment::laTop;
  FIGraph->Legend.SymbolWidth = 100;
  TChartAxis& bottom = FIGraph->BottomAxis;
  bottom.SetDateScale("date", 1.0, "MM/yyyy");
  bottom.GridVisible = false;
  TChartAxis& left = FIGraph->LeftAxis;
  left.LabelsFormat = "###0.###";
  left.GridVisible = false;
  left.LabelsSeparation = 80;

  TLineSeries* FiAvgTab::*members[kFiFilters] = {&FiAvgTab::Series44, &FiAvgTab::LineSeries1, &FiAvgTab::Series20,
                                                &FiAvgTab::Series21, &FiAvgTab::Series22,    &FiAvgTab::Series23};
  for (int k = 0; k < kFiFilters; ++k) {
    TLineSeries* s = filters_[k] = this->*members[k] = MakeSeries<TLineSeries>(FIGraph, kCurves[k].name);
    s->Title = kCurves[k].title;
    s->SeriesColor = kCurves[k].color;
    s->Pointer.Style = TPointerStyle::psCircle;
    s->Pointer.HorizSize = 3;
    s->Pointer.VertSize = 3;
  }
}

void FiAvgTab::LoadFIavgClick(TObject*) {
  FiDays.clear();
  std::string path;
  if (!form_.SelectReportFile("fioavg*.*", path)) return;
  for (TLineSeries* s : filters_) s->Clear();

  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    FIscans->Clear();
    FIGraph->Title.Clear();
    FIGraph->Title.Add(path);
    FiDays = ReadFiAvg(file.get()).value;
  }
  form_.ShowLoadSummary(path, std::to_string(FiDays.size()) + " days");
  for (const FiDayRecord& d : FiDays) FIscans->Add(FormatDateTime("yyy-mm-dd", d.date));

  // Filter 0 is the reference of each day: its own curve stays empty. A day
  // plots a filter only when both its sums are there (and with filter 0 of
  // this day there is a level).
  const std::optional<double> level = ReferenceLevel(FiDays);
  for (TLineSeries* s : filters_) s->Reserve(static_cast<int>(FiDays.size()));
  for (const FiDayRecord& d : FiDays) {
    if (!d.sums[0]) continue;
    for (int k = 1; k < kFiFilters; ++k) {
      if (!d.sums[k]) continue;
      const double y = *d.sums[k] - *d.sums[0] + *level;
      if (std::isfinite(y)) filters_[k]->AddXY(d.date, y, "", kCurves[k].color);
    }
  }
}
