#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls/application.h"
#include "reports/scans/duv_scan.h"
#include "tests/support/test_support.h"

namespace {

class DuvScanTest : public ::testing::Test {
 protected:
  void Load(const std::string& name, const std::string& contents) { LoadPath(f.dir.Write(name, contents)); }
  void LoadPath(const std::string& path) { f.ClickWithFile(f.form->Duv->LoadDUV, path); }
  void Clear() { RunUserAction([this] { f.form->Duv->ClearGraph->Click(); }); }
  TChart& chart() { return *f.form->Duv->DUVGraph; }
  FormFixture f;
};

TEST_F(DuvScanTest, ADayThatRunsPastMidnightGoesOnAt24Hours) {
  const struct {
    const char* name;
    const char* file;
    std::vector<double> times;
  } cases[] = {
      {"no wrap", " 5.0387  0.127678\r\n 8.0067 39.07816\r\n\x1a", {5.0387, 8.0067}},
      {"past midnight", "22.5 1\n23 2\n23.5 3\n0 4\n0.5 5\n1.0 6\n", {22.5, 23, 23.5, 24, 24.5, 25}},
      {"a first time below 0", "-0.5 1\n1 2\n", {23.5, 25}},
      {"a last pair without a line end", "10 1\n11 2", {10, 11}},
      {"a lone time at the end", "10 1\n11", {10}},
      {"an item that is not a finite number", "10 1\n11 nan\n12 3\n", {10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Clear();
    Load("DUV17219.185", c.file);
    ASSERT_EQ(chart().Series().size(), 1u);
    std::vector<double> times;
    for (const TChartPoint& p : chart().Series()[0]->Points()) times.push_back(p.X);
    EXPECT_EQ(times, c.times);
  }
}

TEST_F(DuvScanTest, InstrumentsOfOneDayShareTheChartUntilAnotherDayIsCleared) {
  Load("DUV17219.123", "10 1\n11 2\n");
  Load("duv17219.045", "10 3\n11 4\n");
  ASSERT_EQ(chart().Series().size(), 2u);
  const TChartSeries& first = *chart().Series()[0];
  EXPECT_EQ(first.Title, "#123");
  EXPECT_EQ(chart().Series()[1]->Title, "#045");
  EXPECT_NE(first.SeriesColor, chart().Series()[1]->SeriesColor);
  EXPECT_EQ(chart().Series()[1]->YValue(1), 4);
  EXPECT_EQ(chart().Title.Lines(), std::vector<std::string>{"June 21, 2019, Julian day 17219"});

  Load("DUV31016.123", "10 1\n");
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].caption, "Sorry!");
  EXPECT_EQ(f.platform.messages[0].text,
            "Cannot plot different days on the same graph!\nPlease clear the graph first.");
  EXPECT_EQ(chart().Series().size(), 2u);

  const TColor firstColor = first.SeriesColor;
  Clear();
  Load("DUV31016.123", "10 1\n");
  ASSERT_EQ(chart().Series().size(), 1u);
  EXPECT_EQ(chart().Series()[0]->SeriesColor, firstColor);  // the colours start again
  EXPECT_EQ(chart().Title.Lines(), std::vector<std::string>{"November 05, 2016, Julian day 31016"});
  EXPECT_EQ(DuvDayCode, "31016");
}

TEST_F(DuvScanTest, NamesAndFilesThatCannotBeReadLeaveTheChartAlone) {
  const struct {
    std::string path;
    const char* caption;
    const char* text;
  } cases[] = {
      {f.dir.Path() + "/DUV17219.185", "Ooops!", "Cannot open the file."},
      {f.dir.Write("DUVab219.185", "10 1\n"), kApplicationTitle, "'ab2' is not a valid floating point value"},
      {f.dir.Write("19.185", "10 1\n"), kApplicationTitle, "'' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    f.platform.messages.clear();
    LoadPath(c.path);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].caption, c.caption);
    EXPECT_EQ(f.platform.messages[0].text, c.text);
    EXPECT_TRUE(chart().Series().empty());
    EXPECT_TRUE(NewDuvGraph);
  }
}

}  // namespace
