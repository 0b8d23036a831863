#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "core/line_reader.h"
#include "reports/scans/fc_wheel.h"
#include "reports/scans/fc_wheel_reader.h"
#include "tests/support/test_support.h"

namespace {

// An FC file as the instrument writes it: the two header lines, then one line
// per step of five whole numbers, CR LF line ends. Step k has R6 1900 + k,
// R5 2600 + k and intensity 300000 + k (plus `offset`).
std::string FcText(int steps, int offset = 0, const std::string& scanHeader = " FW#3 SCAN-INST #123  05/11/16",
                   const std::string& columns = "FW3    R6   R5       I(2)     dark") {
  std::string s = scanHeader + "\r\n" + columns + "\r\n";
  for (int k = 0; k < steps; ++k) {
    char line[100];
    std::snprintf(line, sizeof line, "%4d %5d %5d %8d %4d\r\n", 96 * k, 1900 + k + offset, 2600 + k + offset,
                  300000 + k + offset, 8);
    s += line;
  }
  return s;
}

class FcWheelTest : public ::testing::Test {
 protected:
  void Load(const std::string& name, const std::string& text) {
    f.ClickWithFile(tab().LoadFC, f.dir.Write(name, text));
  }
  FcWheelTab& tab() { return *f.form->Fc; }
  const std::vector<TChartSeries*>& Curves() { return tab().fcChart->Series(); }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (const TChartSeries* s : Curves()) titles.push_back(s->Title);
    return titles;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.platform.messages) texts.push_back(m.caption + ": " + m.text);
    return texts;
  }
  FormFixture f;
};

TEST_F(FcWheelTest, TheFileNameGivesTheDateAndTheInstrument) {
  Load("FC31016.123", FcText(3));
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.platform.dialogs.at(0).fileName, "fc*.*");
  EXPECT_EQ(tab().fcChart->Title.Lines(), std::vector<std::string>{"Brewer #123"});
  EXPECT_EQ(FcBrewerNo, "123");
  EXPECT_FALSE(NewFcGraph);
  // Added in the order R5, intensity, R6; only R6 is in the legend, on the left.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"r5November 05, 2016", "I", "November 05, 2016"}));
  const bool inLegend[] = {false, false, true};
  const TVertAxis axis[] = {TVertAxis::aRightAxis, TVertAxis::aRightAxis, TVertAxis::aLeftAxis};
  const double y1[] = {2601, 300001, 1901};  // the second step of each column
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(Curves()[i]->Title);
    EXPECT_EQ(Curves()[i]->ShowInLegend, inLegend[i]);
    EXPECT_EQ(Curves()[i]->VertAxis, axis[i]);
    EXPECT_TRUE(Curves()[i]->Pointer.Visible);
    ASSERT_EQ(Curves()[i]->Count(), 3);
    EXPECT_EQ(Curves()[i]->XValue(1), 96);
    EXPECT_EQ(Curves()[i]->YValue(1), y1[i]);
    EXPECT_EQ(Curves()[i]->Point(1).Label, "");
  }
  for (const TChartAxis* a : {&tab().fcChart->LeftAxis, &tab().fcChart->RightAxis, &tab().fcChart->BottomAxis})
    EXPECT_TRUE(a->GridVisible);
  EXPECT_FALSE(tab().fcChart->BottomAxis.RoundFirstLabel);
}

TEST_F(FcWheelTest, OnlyOneInstrumentUntilTheGraphIsCleared) {
  Load("FC31016.123", FcText(3));
  Load("FC31116.045", FcText(3, 10));
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Sorry!: Cannot plot different Brewers on the same graph!\nPlease clear the graph first."});
  EXPECT_EQ(Curves().size(), 3u);
  EXPECT_EQ(FcBrewerNo, "123");  // the refused file changed nothing

  Load("FC31216.123", FcText(3, 20));  // the same instrument joins
  EXPECT_EQ(Curves().size(), 6u);
  EXPECT_EQ(tab().fcChart->Title.Lines(), std::vector<std::string>{"Brewer #123"});

  EXPECT_TRUE(RunUserAction([&] { tab().ClearFC->Click(); }));
  Load("FC31116.045", FcText(3, 10));
  EXPECT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(tab().fcChart->Title.Lines(), std::vector<std::string>{"Brewer #045"});
  EXPECT_EQ(Titles(), (std::vector<std::string>{"r5November 06, 2016", "I", "November 06, 2016"}));
  EXPECT_EQ(FcBrewerNo, "045");
}

TEST_F(FcWheelTest, StepLinesUpToTwentyFourAndUpToTheFirstOtherLine) {
  struct Case {
    const char* name;
    std::string text;
    int points;
  };
  const std::string longLine = "  96  1901  2601   300001" + std::string(200, ' ') + "8\r\n";
  const Case cases[] = {
      {"20 lines and a closing text", FcText(20) + "FW#3 scan finished\r\n" + FcText(3), 20},
      {"30 lines", FcText(30), 24},
      {"a line of four numbers", FcText(5) + "1 2 3 4\r\n" + FcText(3).substr(FcText(0).size()), 5},
      {"an over-long line", FcText(2) + longLine + FcText(3).substr(FcText(0).size()), 2},
      {"no step line", FcText(0), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(RunUserAction([&] { tab().ClearFC->Click(); }));
    Load("FC31016.123", c.text);
    EXPECT_TRUE(f.platform.messages.empty());
    ASSERT_EQ(Curves().size(), 3u);
    for (const TChartSeries* s : Curves()) EXPECT_EQ(s->Count(), c.points);
  }
}

TEST_F(FcWheelTest, AMissingHeaderIsNamedAndLeavesTheChartAsItWas) {
  struct Case {
    const char* name;
    std::string text;
    std::string missing;
  };
  const Case cases[] = {
      {"scan header", FcText(3, 0, "FW#3 SCAN"), "FW#3 SCAN-INST"},
      {"column header", FcText(3, 0, " FW#3 SCAN-INST #123", "FW3 R6 R5 I(2)"), "FW3    R6   R5       I(2)"},
      {"empty file", "", "FW#3 SCAN-INST"},
      {"over-long scan header", " FW#3 SCAN-INST" + std::string(200, '#') + "\r\n", "FW#3 SCAN-INST"},
  };
  Load("FC31016.123", FcText(3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f.platform.messages.clear();
    Load("FC31116.123", c.text);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Sorry!: An error in the FC test file: expected \"" + c.missing + "\""});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"r5November 05, 2016", "I", "November 05, 2016"}));
  }
  f.platform.messages.clear();
  f.ClickWithFile(tab().LoadFC, f.dir.Path() + "/FC31216.123");  // no such file
  EXPECT_EQ(Messages(), std::vector<std::string>{"Sorry!: Cannot open the file."});
  EXPECT_EQ(Curves().size(), 3u);
}

TEST_F(FcWheelTest, ADayCodeThatIsNoNumberEndsTheLoad) {
  struct Case {
    const char* name;
    std::string path;
    std::string error;
  };
  const Case cases[] = {
      {"letters for the year", f.dir.Path() + "/FC310ab.123", "'ab' is not a valid integer value"},
      {"letters for the day", f.dir.Path() + "/FCx1016.123", "'x10' is not a valid floating point value"},
      // Too short to hold a day code before the instrument number.
      {"short name", "c.123", "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f.platform.messages.clear();
    f.ClickWithFile(tab().LoadFC, c.path);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].text, c.error);
    EXPECT_TRUE(Curves().empty());
    EXPECT_TRUE(NewFcGraph);
  }
}

TEST_F(FcWheelTest, BottomPlotSwitchesEveryFile) {
  Load("FC31016.123", FcText(3));
  Load("FC31116.123", FcText(3, 5));
  auto activeByTitle = [&] {
    std::vector<std::string> shown;
    for (const TChartSeries* s : Curves())
      if (s->Active) shown.push_back(s->Title);
    return shown;
  };
  EXPECT_TRUE(tab().R5->Checked);
  EXPECT_EQ(activeByTitle(), (std::vector<std::string>{"r5November 05, 2016", "November 05, 2016",
                                                       "r5November 06, 2016", "November 06, 2016"}));
  tab().I->SetChecked(true);
  EXPECT_TRUE(RunUserAction([&] { tab().I->Click(); }));
  EXPECT_FALSE(tab().R5->Checked);
  EXPECT_EQ(activeByTitle(), (std::vector<std::string>{"I", "November 05, 2016", "I", "November 06, 2016"}));
  // A file loaded now follows the choice.
  Load("FC31216.123", FcText(3, 9));
  EXPECT_EQ(activeByTitle(), (std::vector<std::string>{"I", "November 05, 2016", "I", "November 06, 2016", "I",
                                                       "November 07, 2016"}));
  tab().R5->SetChecked(true);
  EXPECT_TRUE(RunUserAction([&] { tab().R5->Click(); }));
  EXPECT_EQ(activeByTitle().size(), 6u);
  EXPECT_EQ(activeByTitle()[4], "r5November 07, 2016");
}

TEST_F(FcWheelTest, EachFileHasOneColourOfItsOwn) {
  Load("FC31016.123", FcText(3));
  Load("FC31116.123", FcText(3, 5));
  ASSERT_EQ(Curves().size(), 6u);
  std::vector<std::string> legend;
  std::set<TColor> colours;
  for (size_t file = 0; file < 2; ++file) {
    const TColor colour = Curves()[3 * file]->SeriesColor;
    colours.insert(colour);
    for (size_t i = 3 * file; i < 3 * file + 3; ++i) {
      const TChartSeries& s = *Curves()[i];
      EXPECT_EQ(s.SeriesColor, colour);
      for (int p = 0; p < s.Count(); ++p) EXPECT_EQ(s.PointColor(p), colour);
      if (s.ShowInLegend) legend.push_back(s.Title);
    }
  }
  EXPECT_EQ(colours.size(), 2u);
  EXPECT_EQ(legend, (std::vector<std::string>{"November 05, 2016", "November 06, 2016"}));
  // After "Clear graph" the first file takes the first colour again.
  const TColor first = Curves()[0]->SeriesColor;
  EXPECT_TRUE(RunUserAction([&] { tab().ClearFC->Click(); }));
  Load("FC31116.123", FcText(3, 5));
  EXPECT_EQ(Curves()[0]->SeriesColor, first);
}

TEST(FcWheelState, ANewFormForgetsTheInstrument) {
  FcBrewerNo = "123";
  FormFixture f;
  EXPECT_EQ(FcBrewerNo, "");
}

}  // namespace
