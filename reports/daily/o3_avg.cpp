// O3 avg tab: how many days of the date window fall into each 50 DU class of
// slant ozone, in counts or in per cent.
#include "reports/daily/o3_avg.h"
#include "reports/daily/o3_avg_reader.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "app/Mainunit.h"
#include "core/format.h"

namespace {

constexpr int kClasses = 30;
constexpr double kClassWidth = 50;     // DU
constexpr double kClassDivisor = 5000;  // A × M over this is the class index

using Counters = std::array<int64_t, kClasses>;

// The class of a day, trunc(A × M / 5000); none when that falls outside the
// table (or is not a number), so such a day is counted nowhere.
std::optional<int> OzoneClass(const O3AvgRecord& r) {
  const double q = r.a * r.m / kClassDivisor;
  if (!(q > -1 && q < kClasses)) return std::nullopt;
  return static_cast<int>(q);
}

// Per cents of the days outside class 0, in whole numbers, as the counters
// divided by a hundredth of those days. Below 100 such days that hundredth
// would be 0, so the per cents are then worked out exactly; with no day
// outside class 0 every bar drawn is already 0.
void ToPercent(Counters& counters, int64_t days) {
  const int64_t rest = days - counters[0];
  if (rest <= 0) return;
  const int64_t hundredth = rest / 100;
  for (int64_t& c : counters) c = hundredth > 0 ? c / hundredth : c * 100 / rest;
}

}  // namespace

O3AvgTab::O3AvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  O3Panel = MakeButtonStrip("O3Panel", sheet);
  LoadO3avg = MakeButton("LoadO3avg", O3Panel, "Load O3avg", 8, Handler(&O3AvgTab::LoadO3avgClick));
  // Read when a load ends: a change shows at the next load.
  Percent = Make<TCheckBox>("Percent", O3Panel);
  Percent->Caption = "Percent";
  Percent->SetBounds(140, 8, 80, 19);

  nDays = Make<TLabel>("nDays", sheet);
  nDays->Align = TAlign::alBottom;
  nDays->Height = 20;

  O3Graph = MakeChart("O3Graph", sheet);
  O3Graph->Legend.Visible = false;
  O3Graph->BottomAxis.Title = "Slant ozone, DU";
  O3Graph->LeftAxis.Title = "Number of days";

  Series27 = MakeSeries<TBarSeries>(O3Graph, "Series27");
  Series27->BarWidthPercent = 95;
}

void O3AvgTab::LoadO3avgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("ozoavg*.*", path)) return;
  Series27->Clear();

  Records<O3AvgRecord> records;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    O3Graph->Title.Clear();
    O3Graph->Title.Add(path);
    records = ReadO3Avg(file.get());
  }
  SummarizeDays(path, records.value);

  Counters counters{};
  int64_t days = 0;
  for (const O3AvgRecord& r : records.value) {
    if (!form_.InDateWindow(r.date)) continue;
    const std::optional<int> c = OzoneClass(r);
    if (!c) continue;
    ++counters[static_cast<size_t>(*c)];
    ++days;
  }
  if (days == 0) return;

  const bool percent = Percent->Checked;
  if (percent) ToPercent(counters, days);
  // The per cents are those of the days outside class 0, so class 0 is then left out.
  for (int c = percent ? 1 : 0; c < kClasses; ++c)
    Series27->AddXY(kClassWidth * c, static_cast<double>(counters[static_cast<size_t>(c)]), "",
                    c == 0 ? clRed : clBlue);

  TChartAxis& left = O3Graph->LeftAxis;
  left.FixToData();
  CurrentPlatform().ProcessMessages();
  left.SetMinMax(0, std::ceil(left.Maximum / 10) * 10);
  left.SetTitle(percent ? "Percentage of days" : "Number of days", left.TitleAngle);
  nDays->SetCaption("Total number of days in the file: " + FormatFloat("####", static_cast<double>(days)));
}
