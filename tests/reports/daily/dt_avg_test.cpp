#include <gtest/gtest.h>

#include <cmath>

#include "app/controls/application.h"
#include "core/line_reader.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/dt_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

class DtAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents) {
    path_ = f.dir.Write("dtoavg19.185", contents);
    f.ClickWithFile(f.form->Dt->LoadDtAvg, path_);
  }
  TMainForm& form() { return *f.form; }
  FormFixture f;
  std::string path_;
};

TEST_F(DtAvgTest, EachLineGivesAnArrowAndItsIntensityPoint) {
  struct Case {
    const char* line;
    int arrows;
    double a, b;
    TColor arrowColor;
    int points;
    TColor pointColor;
  };
  // exp(28 * 3.5e6 / 1e9) = 1.103 is a large correction (blue); exp(28 * 0.5e6 / 1e9) = 1.014 is not.
  const Case cases[] = {
      {"00119 14.2 30.1", 1, 14.2, 30.1, clGreen, 0, 0},
      {"00119 0 30", 1, 0, 30, clGreen, 0, 0},
      {"00119 -1 30", 0, 0, 0, 0, 0, 0},
      {"00119 30 -0.5", 0, 0, 0, 0, 0, 0},
      {"00119 28 27 2.0 1 3500000 1", 1, 28, 27, clRed, 1, clBlue},
      {"00119 28 27 1.999 1 500000 1", 1, 28, 27, clGreen, 1, clRed},
      {"00119 28 27 .1 .8 3500781 1255615 12:30:00 5", 1, 28, 27, clGreen, 1, clBlue},
      // exp(25 * I / 1e9) either side of 1.025
      {"00119 25 27 1 1 987704 1", 1, 25, 27, clGreen, 1, clRed},
      {"00119 25 27 1 1 987705 1", 1, 25, 27, clGreen, 1, clBlue},
      {"00119 28 27 .1", 1, 28, 27, clGreen, 0, 0},          // 5 fields: no intensity
      {"00119 28 27 .1 .8", 1, 28, 27, clGreen, 0, 0},       // 6 fields: no intensity
      {"00119 28", 0, 0, 0, 0, 0, 0},                        // 3 fields
      {"00119 nan 28", 0, 0, 0, 0, 0, 0},                    // damaged number
      {"text that is not a record", 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(std::string(c.line) + "\n");
    ASSERT_EQ(form().Dt->Series12->Count(), c.arrows);
    ASSERT_EQ(form().Dt->Series53->Count(), c.points);
    if (c.arrows) {
      const TChartPoint& p = form().Dt->Series12->Point(0);
      EXPECT_EQ(p.X, Day(2019, 1, 1));
      EXPECT_EQ(p.X1, Day(2019, 1, 1));
      EXPECT_DOUBLE_EQ(p.Y, c.a);
      EXPECT_DOUBLE_EQ(p.Y1, c.b);
      EXPECT_EQ(p.Label, "");
      EXPECT_EQ(p.Color, c.arrowColor);
    }
    if (c.points) {
      EXPECT_EQ(form().Dt->Series53->Point(0).Color, c.pointColor);
    }
  }
}

TEST_F(DtAvgTest, IntensityIsPlottedInMillionCounts) {
  Load("17019 28.04 27.724 .1 .8 3500781 1255615\r\n");
  ASSERT_EQ(form().Dt->Series53->Count(), 1);
  EXPECT_DOUBLE_EQ(form().Dt->Series53->YValue(0), 3.500781);
  EXPECT_EQ(form().Dt->Series53->XValue(0), Day(2019, 6, 19));
}

TEST_F(DtAvgTest, DeadTimeAxisEndsOnTheWholeNumbersOfTheSpinEdits) {
  struct Case {
    std::string file;
    double min, max;
    const char* minText;
    const char* maxText;
  };
  const Case cases[] = {
      // 14 * 0.95 = 13.3 and 40 * 1.05 = 42
      {"00119 14.6 30\n00219 20 40.2\n", 13, 42, "13", "42"},
      // the spin range ends at 200
      {"00119 150 250\n", 142, 200, "142", "200"},
      {"00119 0.5 0.9\n", 0, 0, "0", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Load(c.file);
    const TChartAxis& left = form().Dt->DTGraph->LeftAxis;
    EXPECT_FALSE(left.Automatic);
    EXPECT_EQ(left.Minimum, c.min);
    EXPECT_EQ(left.Maximum, c.max);
    EXPECT_EQ(form().Dt->dtMin->Text, c.minText);
    EXPECT_EQ(form().Dt->dtMax->Text, c.maxText);
  }
}

TEST_F(DtAvgTest, SpinEditsMoveTheAxisOnlyWithinTheOtherLimit) {
  Load("00119 14.6 30\n00219 20 40.2\n");
  TChartAxis& left = form().Dt->DTGraph->LeftAxis;
  form().Dt->dtMinUpDown->SetPosition(20);
  EXPECT_EQ(left.Minimum, 20);
  form().Dt->dtMinUpDown->SetPosition(42);  // up to the maximum: refused
  EXPECT_EQ(left.Minimum, 20);
  form().Dt->dtMaxUpDown->SetPosition(20);  // down to the minimum: refused
  EXPECT_EQ(left.Maximum, 42);
  form().Dt->dtMax->SetText("35");  // typed into the edit
  EXPECT_EQ(left.Maximum, 35);
  form().Dt->dtMax->SetText("abc");  // not a number: the last position holds
  EXPECT_EQ(left.Maximum, 35);
}

TEST_F(DtAvgTest, SameLimitsAsBeforeStillSetTheAxisFromTheEdits) {
  Load("00119 14.6 30\n00219 20 40.2\n");
  Load("00119 14.6 30\n00219 20 40.2\n");
  EXPECT_EQ(form().Dt->DTGraph->LeftAxis.Minimum, 13);
  EXPECT_EQ(form().Dt->DTGraph->LeftAxis.Maximum, 42);
}

TEST_F(DtAvgTest, DateWindowIsInclusiveAndYearCodesPivotAt50) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 4));
  Load("00119 10 20\n00219 11 20\n00419 12 20\n00519 13 20\n");
  ASSERT_EQ(form().Dt->Series12->Count(), 2);
  EXPECT_EQ(form().Dt->Series12->XValue(0), Day(2019, 1, 2));
  EXPECT_EQ(form().Dt->Series12->XValue(1), Day(2019, 1, 4));

  f.SetWindow(Day(1900, 1, 1), Day(2100, 1, 1));
  Load("00149 10 20\n00150 10 20\n");
  ASSERT_EQ(form().Dt->Series12->Count(), 2);
  EXPECT_EQ(form().Dt->Series12->XValue(0), Day(2049, 1, 1));
  EXPECT_EQ(form().Dt->Series12->XValue(1), Day(1950, 1, 1));
}

TEST_F(DtAvgTest, StartAfterEndPlotsNothing) {
  f.SetWindow(Day(2019, 6, 1), Day(2019, 1, 1));
  Load("00119 10 20\n17019 10 20\n");
  EXPECT_EQ(form().Dt->Series12->Count(), 0);
}

TEST_F(DtAvgTest, StrictDateForcesTheDateAxisToTheWindow) {
  f.SetWindow(Day(2018, 1, 1), Day(2020, 1, 1));
  form().StrictDate->SetChecked(true);
  Load("00119 10 20\n");
  const TChartAxis& bottom = form().Dt->DTGraph->BottomAxis;
  EXPECT_FALSE(bottom.Automatic);
  EXPECT_EQ(bottom.Minimum, Day(2018, 1, 1));
  EXPECT_EQ(bottom.Maximum, Day(2020, 1, 1));

  form().StrictDate->SetChecked(false);
  form().Dt->DTGraph->BottomAxis.SetAutomatic(true);
  Load("00119 10 20\n");
  EXPECT_TRUE(form().Dt->DTGraph->BottomAxis.Automatic);
}

TEST_F(DtAvgTest, DamagedFilesAreReadSafely) {
  const std::string longLine(20000, '7');
  const std::string files[] = {
      "\n\n00119 10 20\n",                                   // empty first lines
      "00119 10 20\r\n\x1a",                                 // CR LF and a Ctrl-Z at the end
      "00119 10 20",                                         // no final line end
      std::string("\0\x01\x02 junk\n00119 10 20\n", 20),     // binary junk
      longLine + "\n00119 10 20\n",                          // a line longer than the buffer
      "00119 10 20\n" + longLine,                            // an over-long last line
  };
  for (const std::string& file : files) {
    Load(file);
    ASSERT_EQ(form().Dt->Series12->Count(), 1) << "file of " << file.size() << " bytes";
    EXPECT_EQ(form().Dt->Series12->XValue(0), Day(2019, 1, 1));
  }
}

TEST_F(DtAvgTest, TitleIsTheFilePathAndTheCompositeFollows) {
  Load("00119 10 20\n00219 11 21\n");
  ASSERT_EQ(form().Dt->DTGraph->Title.Count(), 1);
  EXPECT_EQ(form().Dt->DTGraph->Title[0], path_);
  ASSERT_EQ(form().Composite->Series70->Count(), 2);
  EXPECT_EQ(form().Composite->Series70->XValue(1), Day(2019, 1, 2));
  EXPECT_EQ(form().Composite->Series70->YValue(1), 11);
}

TEST_F(DtAvgTest, CancelChangesNothingAndAMissingFileOnlyClears) {
  Load("00119 10 20\n");
  const std::string dir = form().OpenDialog1->InitialDir;
  RunUserAction([this] { form().Dt->LoadDtAvg->Click(); });  // no answer queued: cancelled
  EXPECT_EQ(form().Dt->Series12->Count(), 1);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);
  ASSERT_FALSE(f.platform.dialogs.empty());
  EXPECT_EQ(f.platform.dialogs.back().fileName, "dtoavg*.*");

  f.ClickWithFile(form().Dt->LoadDtAvg, f.dir.Path() + "/missing.185");
  EXPECT_EQ(form().Dt->Series12->Count(), 0);
  EXPECT_EQ(form().Dt->DTGraph->Title[0], path_);  // the title keeps its old text
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST(DtAvgReader, ReadsTheThreeAndSevenColumnLayouts) {
  TempDir dir;
  const std::string path = dir.Write("DTOAVG.228",
                                     "18904     32.006     32.436\r\n"
                                     "17019      28.04     27.724  .1  .8  3500781  1255615\r\n"
                                     "\x1a");
  CFile file(path, "rb");
  const std::vector<DtAvgRecord> records = ReadDtAvg(file.get()).value;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_FALSE(records[0].hasIntensity);
  EXPECT_EQ(records[0].date, Day(2004, 7, 7));
  EXPECT_TRUE(records[1].hasIntensity);
  EXPECT_DOUBLE_EQ(records[1].intensity, 3500781);
  EXPECT_DOUBLE_EQ(records[1].valueC, 0.1);
}

}  // namespace
