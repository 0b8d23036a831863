#include <gtest/gtest.h>

#include <filesystem>

#include "reports/daily/dt_avg.h"
#include "reports/folder/auto_save.h"
#include "tests/support/test_support.h"

namespace {

TEST(AutoSaveChart, NamesTheBitmapAfterInstrumentBaseAndYears) {
  FormFixture f;
  TChart* chart = f.form->Dt->DTGraph;
  struct Case {
    const char* report;
    double from, to;  // a fixed date axis; 0 and 0 leave it to the data
    const char* bitmap;
  };
  const Case cases[] = {
      {"sloavg19.185", Day(2019, 3, 1), Day(2020, 2, 1), "185_slavgR6R5_19-20.bmp"},
      {"SLOAVG.1857", Day(1999, 1, 1), Day(2001, 1, 1), "185_slavgR6R5_99-01.bmp"},  // three characters
      {"sloavg", Day(2019, 1, 1), Day(2019, 6, 1), "_slavgR6R5_19-19.bmp"},         // no extension
      {"sloavg18.033", 0, 0, "033_slavgR6R5_18-19.bmp"},                            // the data's span
  };
  f.form->Dt->Series12->AddArrow(Day(2018, 12, 30), 1, Day(2018, 12, 30), 2);
  f.form->Dt->Series12->AddArrow(Day(2019, 1, 2), 1, Day(2019, 1, 2), 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    if (c.from == 0)
      chart->BottomAxis.SetAutomatic(true);
    else
      chart->BottomAxis.SetMinMax(c.from, c.to);
    AutoSaveChart(chart, f.dir.Path() + "/" + c.report, "slavgR6R5", Day(1990, 1, 1), Day(2030, 1, 1));
    EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/" + c.bitmap));
  }
}

TEST(AutoSaveChart, AChartWithNoDataTakesTheYearsOfTheDateWindow) {
  FormFixture f;
  TChart* chart = f.form->Dt->DTGraph;
  AutoSaveChart(chart, f.dir.Path() + "/dtoavg.185", "dtavg", Day(2016, 7, 1), Day(2018, 6, 30));
  EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/185_dtavg_16-18.bmp"));

  // Points outside the window only, as the AP voltage rows' labels at day 0.
  f.form->Dt->Series12->AddArrow(0, 1, 0, 2);
  AutoSaveChart(chart, f.dir.Path() + "/dtoavg.184", "dtavg", Day(2016, 7, 1), Day(2018, 6, 30));
  EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/184_dtavg_16-18.bmp"));

  // A fixed axis keeps its own limits, with or without data.
  chart->BottomAxis.SetMinMax(Day(2010, 1, 1), Day(2011, 1, 1));
  AutoSaveChart(chart, f.dir.Path() + "/dtoavg.185", "dtavg", Day(2016, 7, 1), Day(2018, 6, 30));
  EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/185_dtavg_10-11.bmp"));
}

}  // namespace
