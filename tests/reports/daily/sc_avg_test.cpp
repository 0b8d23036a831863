#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reports/daily/sc_avg.h"
#include "tests/support/test_support.h"

namespace {

TEST(ScAvg, EveryScanInTheWindowIsACalStepAgainstQTimesP) {
  FormFixture f;
  f.SetWindow(Day(2019, 1, 2), Day(2019, 12, 31));
  const struct {
    const char* name;
    const char* file;
    std::vector<std::pair<double, double>> points;
  } cases[] = {
      {"several scans of a day", "00219 1 2.5 7 287 310 1 2 3\r\n00219 2 2 7 290 300 1 2 3\r\n",
       {{287, 775}, {290, 600}}},
      {"a day outside the window", "00119 1 2.5 7 287 310 1 2 3\n00219 2 2 7 290 300 1 2 3\n", {{290, 600}}},
      {"the third scan is malformed",
       "00219 1 2 7 281 100 1 2 3\n00319 1 2 7 282 100 1 2 3\n00419 1 2 7 283 100 1 2\n00519 1 2 7 284 100 1 2 3\n",
       {{281, 200}, {282, 200}}},
      {"fields that are not finite",
       "00219 1 inf 7 287 310 1 2 3\n00319 1 2 7 nan 1 1 2 3\n00419 1 2 7 290 300 1 2 3\n", {{290, 600}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    f.ClickWithFile(f.form->Sc->LoadSCavg, f.dir.Write("scoavg19.185", c.file));
    std::vector<std::pair<double, double>> points;
    for (const TChartPoint& p : f.form->Sc->Series26->Points()) {
      points.emplace_back(p.X, p.Y);
      EXPECT_EQ(p.Color, clRed);
    }
    EXPECT_EQ(points, c.points);
  }
  f.ClickWithFile(f.form->Sc->LoadSCavg, f.dir.Write("scoavg19.185", cases[0].file));
  EXPECT_EQ(f.form->Sc->SCGraph->LeftAxis.Minimum, 600);
  EXPECT_EQ(f.form->Sc->SCGraph->LeftAxis.Maximum, 775);
}

}  // namespace
