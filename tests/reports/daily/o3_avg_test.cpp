#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "reports/daily/o3_avg.h"
#include "tests/support/test_support.h"

namespace {

// `days` days of 2019 from `firstDay` on, in the class of a × m.
std::string Days(int days, const char* a, int m, int firstDay = 1) {
  std::string file;
  for (int d = firstDay; d < firstDay + days; ++d) {
    char line[120];
    std::snprintf(line, sizeof line, "%03d19 %s 1.5 2 3 7/ 8 %d 1 2 3 4 5 6/ 7 8 9\r\n", d, a, m);
    file += line;
  }
  return file;
}

class O3AvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents, bool percent = false) {
    f.form->O3->Percent->SetChecked(percent);
    f.ClickWithFile(f.form->O3->LoadO3avg, f.dir.Write("ozoavg19.185", contents));
  }
  // The height of the bar at `x`, or -1 when there is none.
  double BarAt(double x) {
    for (const TChartPoint& p : f.form->O3->Series27->Points())
      if (p.X == x) return p.Y;
    return -1;
  }
  const TChartAxis& left() { return f.form->O3->O3Graph->LeftAxis; }
  FormFixture f;
};

TEST_F(O3AvgTest, EachDayCountsInTheClassOfAm) {
  const struct {
    const char* a;
    int m;
    double x;  // where the day is counted; -1: nowhere
  } cases[] = {
      {"300", 250, 750}, {"300", 249, 700},   {"0", 250, 0},     {"-1", 4999, 0},
      {"299.99", 500, 1450}, {"300", 500, -1}, {"-1", 5000, -1}, {"nan", 250, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " x " + std::to_string(c.m));
    Load(Days(1, c.a, c.m));
    EXPECT_EQ(f.form->O3->Series27->Count(), c.x < 0 ? 0 : 30);
    if (c.x >= 0) {
      EXPECT_EQ(BarAt(c.x), 1);
    }
  }
  EXPECT_EQ(f.form->O3->nDays->Caption, "Total number of days in the file: 1");  // of the last counted day
}

TEST_F(O3AvgTest, PercentModeDividesByAHundredthOfTheDaysOutsideClassZero) {
  // 250 days, 10 of them in class 0: the divisor is 240 div 100 = 2.
  const std::string many = Days(10, "0", 250) + Days(230, "300", 100, 11) + Days(10, "350", 100, 241);
  // Only 4 days outside class 0: their whole per cents.
  const std::string few = Days(2, "0", 250) + Days(3, "300", 100, 3) + Days(1, "350", 100, 6);
  const struct {
    const char* name;
    std::string file;
    bool percent;
    double class0, class6, class7, axisMax;  // -1: no bar
    const char* axisTitle;
  } cases[] = {
      {"counts", many, false, 10, 230, 10, 230, "Number of days"},
      {"halved", many, true, -1, 115, 5, 120, "Percentage of days"},
      {"under a hundred days", few, true, -1, 75, 25, 80, "Percentage of days"},
      {"all in class 0", Days(3, "0", 250), true, -1, 0, 0, 0, "Percentage of days"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.file, c.percent);
    EXPECT_EQ(BarAt(0), c.class0);
    EXPECT_EQ(BarAt(300), c.class6);
    EXPECT_EQ(BarAt(350), c.class7);
    EXPECT_EQ(left().Minimum, 0);
    EXPECT_EQ(left().Maximum, c.axisMax);
    EXPECT_EQ(left().Title, c.axisTitle);
  }
  const TBarSeries& bars = *f.form->O3->Series27;
  Load(many);
  EXPECT_EQ(bars.Point(0).Color, clRed);
  EXPECT_EQ(bars.Point(6).Color, clBlue);
}

TEST_F(O3AvgTest, LeftAxisEndsAtTheNextMultipleOfTenOfEveryLoad) {
  for (const auto& [highest, max] : {std::pair{45, 50.0}, {37, 40.0}, {40, 40.0}, {1, 10.0}}) {
    SCOPED_TRACE(highest);
    Load(Days(highest, "300", 100));
    EXPECT_EQ(left().Maximum, max);
  }
  // A file of no counted day changes neither the axis nor the count.
  Load(Days(1, "300", 100).substr(0, 20));
  EXPECT_EQ(f.form->O3->Series27->Count(), 0);
  EXPECT_EQ(left().Maximum, 10);
  EXPECT_EQ(f.form->O3->nDays->Caption, "Total number of days in the file: 1");
}

TEST_F(O3AvgTest, ReadingStopsAtTheFirstDamagedDayAndObeysTheDateWindow) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 12, 31));
  // Day 1 lies outside the window; day 5 lacks its second "/", so day 6 is never read.
  std::string damaged = Days(1, "300", 100, 5);
  damaged.erase(damaged.rfind('/'), 1);
  Load(Days(4, "300", 100) + damaged + Days(1, "300", 100, 6));
  EXPECT_EQ(BarAt(300), 3);
  EXPECT_EQ(f.form->O3->nDays->Caption, "Total number of days in the file: 3");
}

}  // namespace
