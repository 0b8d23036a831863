#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "reports/daily/fi_avg.h"
#include "tests/support/test_support.h"

namespace {

using Curve = std::vector<std::pair<double, double>>;

// A group of readings: its heading, then pairs of which only the first
// readings count; the second ones are signed as the instrument writes them.
std::string Group(const std::vector<double>& x) {
  std::ostringstream out;
  out << "1 3 3";
  for (double v : x) out << "  " << v << " +12";
  return out.str();
}

// Groups of these sums, one a line: only a group's third reading counts then.
std::string GroupsOf(const std::vector<double>& sums) {
  std::string groups;
  for (double sum : sums) groups += Group({7, 9, sum, 0, 0, 0}) + "\r\n";
  return groups;
}

std::string DayOf(const char* dayCode, const std::vector<double>& sums) {
  return std::string(dayCode) + "  23\r\n" + GroupsOf(sums);
}

class FiAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents) { LoadPath(f.dir.Write("fioavg19.185", contents)); }
  void LoadPath(const std::string& path) { f.ClickWithFile(f.form->Fi->LoadFIavg, path); }
  // The points of filters 1 to 5.
  std::vector<Curve> Curves() {
    std::vector<Curve> curves;
    for (TChartSeries* s : {f.form->Fi->LineSeries1, f.form->Fi->Series20, f.form->Fi->Series21,
                            f.form->Fi->Series22, f.form->Fi->Series23}) {
      curves.emplace_back();
      for (const TChartPoint& p : s->Points()) curves.back().emplace_back(p.X, p.Y);
    }
    return curves;
  }
  FormFixture f;
};

TEST_F(FiAvgTest, AGroupSumsItsFirstReadingsWithTheirWeights) {
  // 3 - 0.5 * 4 - 2.2 * 5 + 1.7 * 6 = 0.2, whatever the first two readings.
  Load("00119 23 " + Group({100, 200, 3, 4, 5, 6}) + " " + Group({1, 2, 3, 4, 5, 6}) + "\n");
  ASSERT_EQ(FiDays.size(), 1u);
  EXPECT_NEAR(FiDays[0].sums[0].value_or(0), 0.2, 1e-12);
  EXPECT_NEAR(FiDays[0].sums[1].value_or(0), 0.2, 1e-12);
  EXPECT_FALSE(FiDays[0].sums[2]);
}

TEST_F(FiAvgTest, CurvesLieAroundTheFirstDaysFilterZero) {
  const double d1 = Day(2019, 1, 1), d2 = Day(2019, 1, 2), d3 = Day(2019, 1, 3), y2k = Day(1999, 12, 31);
  const struct {
    const char* name;
    std::string file;
    std::vector<Curve> curves;
    std::vector<std::string> items;
  } cases[] = {
      {"one day plots its own sums", DayOf("00119", {100, 101, 102, 103, 104, 105}),
       {{{d1, 101}}, {{d1, 102}}, {{d1, 103}}, {{d1, 104}}, {{d1, 105}}}, {"2019-01-01"}},
      {"days in file order, each from its own filter 0",
       DayOf("00319", {100, 101, 102, 103, 104, 105}) + DayOf("00119", {200, 210, 220, 230, 240, 250}),
       {{{d3, 101}, {d1, 110}}, {{d3, 102}, {d1, 120}}, {{d3, 103}, {d1, 130}}, {{d3, 104}, {d1, 140}},
        {{d3, 105}, {d1, 150}}},
       {"2019-01-03", "2019-01-01"}},
      // Reading runs across days, so a day of fewer groups is one the file ends with.
      {"a last day of three groups plots filters 1 and 2 only",
       DayOf("00119", {100, 101, 102, 103, 104, 105}) + DayOf("00219", {100, 111, 112}),
       {{{d1, 101}, {d2, 111}}, {{d1, 102}, {d2, 112}}, {{d1, 103}}, {{d1, 104}}, {{d1, 105}}},
       {"2019-01-01", "2019-01-02"}},
      // The damaged pair's text is read as the next day code, of 31 Dec 1999.
      {"a first day without filter 0 gives way to the next as reference",
       "00119 23 1 3 3 abcde 23\n" + GroupsOf({100, 111, 112, 113, 114, 115}),
       {{{y2k, 111}}, {{y2k, 112}}, {{y2k, 113}}, {{y2k, 114}}, {{y2k, 115}}}, {"2019-01-01", "1999-12-31"}},
      {"a day code without its value ends the reading", DayOf("00119", {100, 101, 102, 103, 104, 105}) + "00219\n",
       {{{d1, 101}}, {{d1, 102}}, {{d1, 103}}, {{d1, 104}}, {{d1, 105}}}, {"2019-01-01"}},
      {"an empty file", "", {{}, {}, {}, {}, {}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.file);
    EXPECT_EQ(Curves(), c.curves);
    EXPECT_EQ(f.form->Fi->Series44->Count(), 0);
    EXPECT_EQ(f.form->Fi->FIscans->Items, c.items);
  }
}

TEST_F(FiAvgTest, ADamagedPairEndsTheDaysGroupsWithoutAValue) {
  const struct {
    const char* name;
    const char* pairs;  // of filter 2
  } cases[] = {{"not a number", "1 1 2 2 abc +1"},
               {"not finite", "1 1 2 2 inf +1 4 4 5 5 6 6"},
               {"not finite at a weight of 0", "nan +1 2 2 3 3 4 4 5 5 6 6"},
               {"second reading missing", "1 1 2 2 5"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(DayOf("00119", {100, 101}) + "3 3 3 " + c.pairs + "\n");
    EXPECT_EQ(Curves(), (std::vector<Curve>{{{Day(2019, 1, 1), 101}}, {}, {}, {}, {}}));
  }
}

TEST_F(FiAvgTest, ADayCutShortLikeTheHeadOfAnExcerptPlotsOnlyFiniteValues) {
  LoadPath(std::string(LUMOGRAPH_TEST_DATA) + "/fi/fioavg_cut_first_day.185");
  EXPECT_EQ(f.form->Fi->FIscans->Items.size(), FiDays.size());
  size_t points = 0, finite = 0;
  for (const Curve& curve : Curves())
    for (const auto& [x, y] : curve) {
      ++points;
      finite += std::isfinite(x) && std::isfinite(y);
    }
  EXPECT_GT(points, 0u);
  EXPECT_EQ(finite, points);
}

}  // namespace
