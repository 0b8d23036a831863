#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/hg_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

class HgAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents, const std::string& name = "hgoavg19.185") {
    path_ = f.dir.Write(name, contents);
    f.ClickWithFile(f.form->Hg->LoadHGavg, path_);
  }
  TMainForm& form() { return *f.form; }
  TChartAxis& calStepAxis() { return form().Hg->Series64->GetVertAxis(); }
  // Points in the six data series, in the order intensity, temperature, tests,
  // cal step, max shift, repeats.
  std::vector<int> Counts() {
    return {form().Hg->Series13->Count(), form().Hg->Series11->Count(), form().Hg->Series65->Count(),
            form().Hg->Series64->Count(), form().Hg->Series67->Count(), form().Hg->Series68->Count()};
  }
  FormFixture f;
  std::string path_;
};

TEST_F(HgAvgTest, OnlySevenWordLinesFillTheCalStepShiftAndRepeatsBands) {
  struct Case {
    const char* line;
    std::vector<int> counts;
  };
  const Case cases[] = {
      {"00119 300000.0 25", {0, 0, 0, 0, 0, 0}},                         // 3 words
      {"00119 300000.0 25 12", {1, 1, 1, 0, 0, 0}},                      // 4
      {"00119 300000.0 25 12 4", {1, 1, 1, 0, 0, 0}},                    // 5
      {"00119 300000.0 25 12 4 3", {1, 1, 1, 0, 0, 0}},                  // 6
      {"00119 300000.0 25 12 4 3 280", {1, 1, 1, 1, 1, 1}},              // 7
      {"00119 300000.0 25 12 4 3 280 9", {1, 1, 1, 0, 0, 0}},            // 8
      {"00119 300000.0 25 12 4 3 280 9 9 9", {1, 1, 1, 0, 0, 0}},        // 10
      {"00119", {0, 0, 0, 0, 0, 0}},                                     // one word
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(std::string(c.line) + "\n");
    EXPECT_EQ(Counts(), c.counts);
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(HgAvgTest, EachBandHoldsItsFieldAtTheDaysDate) {
  Load("17019 308857.5 27 6 4 3 280\n");
  const double day = Day(2019, 6, 19);
  const TChartPoint& intensity = form().Hg->Series13->Point(0);
  EXPECT_EQ(intensity.X, day);
  EXPECT_EQ(intensity.Y, 308857.5);
  EXPECT_EQ(intensity.Color, clBlue);
  EXPECT_EQ(intensity.Label, "");
  const TChartPoint& temperature = form().Hg->Series11->Point(0);
  EXPECT_EQ(temperature.X, day);
  EXPECT_EQ(temperature.Y, 27);
  EXPECT_EQ(temperature.Color, clRed);
  const TChartPoint& tests = form().Hg->Series65->Point(0);
  EXPECT_EQ(tests.X, day);
  EXPECT_EQ(tests.X1, day);
  EXPECT_EQ(tests.Y, 0);
  EXPECT_EQ(tests.Y1, 6);
  const TChartPoint& calStep = form().Hg->Series64->Point(0);
  EXPECT_EQ(calStep.Y, 280);
  EXPECT_EQ(calStep.Color, clTeeColor);  // the series' own colour
  EXPECT_EQ(form().Hg->Series64->PointColor(0), clYellow);
  EXPECT_EQ(form().Hg->Series67->Point(0).Y1, 3);
  EXPECT_EQ(form().Hg->Series68->Point(0).Y1, 4);
}

TEST_F(HgAvgTest, ShiftAndRepeatsArrowsNeedMoreThan100BetweenShiftAndCalStep) {
  struct Case {
    const char* line;
    int arrows;
  };
  const Case cases[] = {
      {"00119 1000 25 12 4 3 280", 1},   // difference 277
      {"00119 1000 25 12 4 3 50", 0},    // difference 47
      {"00119 1000 25 12 4 3 103", 0},   // difference exactly 100
      {"00119 1000 25 12 4 3 104", 1},   // 101
      {"00119 1000 25 12 4 -98 3", 1},   // 101 the other way
      {"00119 1000 25 12 4 280 3", 1},
      // Repeats are converted only when the arrows are drawn.
      {"00119 1000 25 12 x 3 50", 0},
      {"00119 1000 25 12 4 2147483647 -2147483648", 1},  // no overflow
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(std::string(c.line) + "\n");
    EXPECT_EQ(form().Hg->Series64->Count(), 1);
    EXPECT_EQ(form().Hg->Series67->Count(), c.arrows);
    EXPECT_EQ(form().Hg->Series68->Count(), c.arrows);
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(HgAvgTest, ShiftAndRepeatsAreClampedTo20AndGradedOnTheirOwnValues) {
  struct Case {
    int value;
    double end;
    TColor color;
  };
  const Case cases[] = {
      {25, 20, clRed}, {20, 20, clRed}, {10, 10, clRed}, {9, 9, clBlue}, {3, 3, clBlue},
      {2, 2, clGreen}, {0, 0, clGreen}, {-5, -5, clGreen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const std::string v = std::to_string(c.value);
    // The same value as repeats and as maximum shift, with cal step 280.
    Load("00119 1000 25 12 " + v + " " + v + " 280\n");
    ASSERT_EQ(form().Hg->Series67->Count(), 1);
    ASSERT_EQ(form().Hg->Series68->Count(), 1);
    for (const TArrowSeries* s : {form().Hg->Series67, form().Hg->Series68}) {
      const TChartPoint& p = s->Point(0);
      EXPECT_EQ(p.Y, 0);
      EXPECT_EQ(p.Y1, c.end);
      EXPECT_EQ(p.X, p.X1);
      EXPECT_EQ(p.Color, c.color);
    }
  }
}

TEST_F(HgAvgTest, TestCountArrowIsGradedAt20And30) {
  struct Case {
    int tests;
    TColor color;
  };
  const Case cases[] = {{0, clGreen}, {19, clGreen}, {20, clBlue}, {29, clBlue}, {30, clRed}, {45, clRed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tests);
    Load("00119 1000 25 " + std::to_string(c.tests) + "\n");
    ASSERT_EQ(form().Hg->Series65->Count(), 1);
    EXPECT_EQ(form().Hg->Series65->Point(0).Y1, c.tests);  // not clamped
    EXPECT_EQ(form().Hg->Series65->Point(0).Color, c.color);
  }
}

TEST_F(HgAvgTest, IntensityAndCalStepAxesEndOnWholeStepsWithAMargin) {
  struct Case {
    std::string file;
    double leftMin, leftMax, calMin, calMax;
  };
  const Case cases[] = {
      {"00119 123456 25 12 4 3 281\n00219 187654 25 12 4 3 292\n", 122000, 189000, 279, 296},
      {"00119 123000 25 12 4 3 280\n", 122000, 124000, 279, 281},
      {"00119 -1500 25 12 4 3 -7\n", -3000, 0, -11, -4},
      // No seven-word line: the cal step axis has no data.
      {"00119 .5 25 12\n", -1000, 2000, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Load(c.file);
    const TChartAxis& left = form().Hg->HGGraph->LeftAxis;
    EXPECT_FALSE(left.Automatic);
    EXPECT_EQ(left.Minimum, c.leftMin);
    EXPECT_EQ(left.Maximum, c.leftMax);
    EXPECT_FALSE(calStepAxis().Automatic);
    EXPECT_EQ(calStepAxis().Minimum, c.calMin);
    EXPECT_EQ(calStepAxis().Maximum, c.calMax);
  }
  // The fixed bands keep their start-up limits.
  const TChartAxis& shift = form().Hg->Series67->GetVertAxis();
  EXPECT_EQ(shift.Minimum, -20);
  EXPECT_EQ(shift.Maximum, 20);
  const TChartAxis& repeats = form().Hg->Series68->GetVertAxis();
  EXPECT_EQ(repeats.Minimum, 0);
  EXPECT_EQ(repeats.Maximum, 20);
}

TEST_F(HgAvgTest, AWordThatIsNotAWholeNumberEndsTheLoadAndKeepsTheDaysBefore) {
  struct Case {
    const char* badLine;
    const char* message;
    int calSteps;  // the bad line's calibration step stays when drawn before the failure
  };
  const Case cases[] = {
      {"0a119 9000 25 12 4 3 280", "'0a1' is not a valid integer value", 1},   // day of year
      {"001x9 9000 25 12 4 3 280", "'x9' is not a valid integer value", 1},    // year
      {"001 9000 25 12", "'' is not a valid integer value", 1},                // no year at all
      {"00219 9000 25.5 12 4 3 280", "'25.5' is not a valid integer value", 1},  // temperature
      {"00219 9000 25 twelve", "'twelve' is not a valid integer value", 1},   // tests
      {"00219 9000 25 12 4 3 28O", "'28O' is not a valid integer value", 1},  // cal step
      {"00219 9000 25 12 4 3- 280", "'3-' is not a valid integer value", 2},  // max shift
      {"00219 9000 25 12 4.0 3 280", "'4.0' is not a valid integer value", 2},  // repeats
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.badLine);
    f.platform.messages.clear();
    Load("00119 200000 20 12 4 3 280\n");  // sets the axes
    Load("00119 1000 25 12 4 3 280\n" + std::string(c.badLine) + "\n00319 5000 26 13 4 3 280\n");
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].text, c.message);
    // The first line stays drawn in every band; of the bad line at most its
    // calibration step, nothing after it.
    EXPECT_EQ(Counts(), (std::vector<int>{1, 1, 1, c.calSteps, 1, 1}));
    EXPECT_EQ(form().Hg->Series13->YValue(0), 1000);
    // The axes keep the limits of the load before.
    EXPECT_EQ(form().Hg->HGGraph->LeftAxis.Minimum, 199000);
    EXPECT_EQ(form().Hg->HGGraph->LeftAxis.Maximum, 201000);
    EXPECT_FALSE(form().Hg->HGGraph->LeftAxis.Automatic);
    EXPECT_EQ(form().Hg->HGGraph->Title[0], path_);
  }
}

TEST_F(HgAvgTest, DamagedFieldsOutsideTheDateWindowRaiseNothing) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 2));
  Load("00119 x 25.5 y 1 2 z\n00219 1000 25 12\n00319 1000 x y\n");
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(Counts(), (std::vector<int>{1, 1, 1, 0, 0, 0}));
}

TEST_F(HgAvgTest, AnIntensityThatIsNotANumberPlotsNoIntensityThatDay) {
  Load("00119 300000 25 12\n00219 lamp 26 13\n00319 nan 27 14\n00419 inf 28 15\n00519 .5e3 29 16\n");
  // The other bands keep every day; no intensity is carried over from the day before.
  EXPECT_EQ(form().Hg->Series11->Count(), 5);
  EXPECT_EQ(form().Hg->Series65->Count(), 5);
  ASSERT_EQ(form().Hg->Series13->Count(), 2);
  EXPECT_EQ(form().Hg->Series13->XValue(0), Day(2019, 1, 1));
  EXPECT_EQ(form().Hg->Series13->XValue(1), Day(2019, 1, 5));
  EXPECT_EQ(form().Hg->Series13->YValue(1), 500);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(HgAvgTest, DateWindowIsInclusiveAndStrictDateForcesTheDateAxis) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 3));
  form().StrictDate->SetChecked(true);
  Load("00119 1000 25 12\n00219 1000 25 12\n00319 1000 25 12\n00419 1000 25 12\n");
  ASSERT_EQ(form().Hg->Series13->Count(), 2);
  EXPECT_EQ(form().Hg->Series13->XValue(0), Day(2019, 1, 2));
  EXPECT_EQ(form().Hg->Series13->XValue(1), Day(2019, 1, 3));
  const TChartAxis& bottom = form().Hg->HGGraph->BottomAxis;
  EXPECT_FALSE(bottom.Automatic);
  EXPECT_EQ(bottom.Minimum, Day(2019, 1, 2));
  EXPECT_EQ(bottom.Maximum, Day(2019, 1, 3));

  form().StrictDate->SetChecked(false);
  form().Hg->HGGraph->BottomAxis.SetAutomatic(true);
  f.SetWindow(Day(1900, 1, 1), Day(2100, 1, 1));
  Load("36599 1000 25 12\n00150 1000 25 12\n");
  EXPECT_TRUE(form().Hg->HGGraph->BottomAxis.Automatic);
  ASSERT_EQ(form().Hg->Series13->Count(), 2);
  EXPECT_EQ(form().Hg->Series13->XValue(0), Day(1999, 12, 31));
  EXPECT_EQ(form().Hg->Series13->XValue(1), Day(1950, 1, 1));
}

TEST_F(HgAvgTest, DamagedFilesAreReadSafely) {
  const std::string farApart = "00119 1000 25 12" + std::string(220, ' ') + "4 3 280";
  const std::string files[] = {
      "\n\n00119 1000 25 12\n",                       // empty first lines
      "00119 1000 25 12\r\n\r\n\x1a",                 // CR LF and a Ctrl-Z mark
      "00119 1000 25 12",                             // no final line end
      "00119 1000 25 12\x1a",                         // the mark right after the last word
      "\x01\x02\x03 junk\n00119 1000 25 12\n",        // binary junk of too few words
      farApart + "\n00119 1000 25 12\n",              // over-long: skipped, not plotted cut
      "00119   1000     25    12   \n",               // runs of blanks
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    Load(file, "HGOAVG.185");
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(Counts(), (std::vector<int>{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(form().Hg->Series13->XValue(0), Day(2019, 1, 1));
  }
}

TEST_F(HgAvgTest, TitleIsThePathTheCompositeFollowsAndCommentsStay) {
  form().Hg->Series37->AddXY(Day(2019, 1, 1), 0, "lamp changed", clBlue);
  Load("00119 1000 25 12\n00219 2000 25 12\n");
  ASSERT_EQ(form().Hg->HGGraph->Title.Count(), 1);
  EXPECT_EQ(form().Hg->HGGraph->Title[0], path_);
  ASSERT_EQ(form().Composite->Series71->Count(), 2);
  EXPECT_EQ(form().Composite->Series71->XValue(1), Day(2019, 1, 2));
  EXPECT_EQ(form().Composite->Series71->YValue(1), 2000);
  ASSERT_EQ(form().Hg->Series37->Count(), 1);
  EXPECT_EQ(form().Hg->Series37->Point(0).Label, "lamp changed");
}

TEST_F(HgAvgTest, CancelChangesNothingAndAMissingFileOnlyClears) {
  Load("00119 1000 25 12 4 3 280\n");
  const std::string dir = form().OpenDialog1->InitialDir;
  RunUserAction([this] { form().Hg->LoadHGavg->Click(); });  // no answer queued: cancelled
  EXPECT_EQ(Counts(), (std::vector<int>{1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);
  ASSERT_FALSE(f.platform.dialogs.empty());
  EXPECT_EQ(f.platform.dialogs.back().fileName, "hgoavg*.*");

  f.ClickWithFile(form().Hg->LoadHGavg, f.dir.Path() + "/missing.185");
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(calStepAxis().Automatic);
  EXPECT_EQ(form().Hg->HGGraph->Title[0], path_);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(HgAvgTest, FolderModeAsksNothingAndSavesTheChartNextToTheReport) {
  const std::string path = f.dir.Write("hgoavg.185", "00119 1000 25 12\n36520 1000 25 12\n");
  const bool ran = f.RunInFolderMode(path, [this] { form().Hg->LoadHGavgClick(nullptr); });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(form().Hg->Series13->Count(), 2);
  EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/185_hgavg_19-20.bmp"));
}

TEST_F(HgAvgTest, SaveButtonWritesTheChart) {
  Load("00119 1000 25 12\n");
  const std::string bmp = f.dir.Path() + "/hg";
  f.platform.fileAnswers.push_back(bmp);
  RunUserAction([this] { form().Hg->SpeedButton2->Click(); });
  EXPECT_EQ(f.platform.dialogs.back().fileName, "*.bmp");
  EXPECT_TRUE(std::filesystem::exists(bmp + ".bmp"));
}

TEST(HgAvgReader, ReadsTheInstrumentsFourWordLines) {
  TempDir dir;
  const std::string path = dir.Write("HGOAVG.228", "20204    308857.0   27    6\r\n31114    584347.0   26   10\r\n\x1a");
  CFile file = OpenReportFile(path);
  const Records<HgAvgRecord> data = ReadHgAvg(file.get(), [](double) { return true; });
  EXPECT_FALSE(data.error.has_value());
  ASSERT_EQ(data.value.size(), 2u);
  EXPECT_EQ(data.value[0].date, Day(2004, 7, 20));
  EXPECT_EQ(data.value[1].date, Day(2014, 11, 7));
  EXPECT_EQ(data.value[1].intensity, 584347.0);
  EXPECT_EQ(data.value[1].temperature, 26);
  EXPECT_EQ(data.value[1].tests, 10);
  EXPECT_FALSE(data.value[1].hasCalStep);
}

}  // namespace
