#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/rs_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

class RsAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents, const std::string& name = "rsoavg19.185") {
    path_ = f.dir.Write(name, contents);
    f.ClickWithFile(f.form->Rs->LoadRSavg, path_);
  }
  // A day of 1 January 2019 whose ratios are all 1 but ratio `i`.
  static std::string LineWith(int i, const std::string& value) {
    std::string line = "00119";
    for (int k = 0; k < kRsRatios; ++k) line += " " + (k == i ? value : std::string("1.0000"));
    return line + " 12:30:05 7\n";
  }
  TMainForm& form() { return *f.form; }
  TArrowSeries* Row(int i) {
    TArrowSeries* rows[kRsRatios] = {form().Rs->Series40, form().Rs->Series14, form().Rs->Series15, form().Rs->Series16,
                                     form().Rs->Series17, form().Rs->Series18, form().Rs->Series19, form().Rs->Series39};
    return rows[i];
  }
  FormFixture f;
  std::string path_;
};

TEST_F(RsAvgTest, EachRatioRowShowsItsDeviationOrARedBar) {
  struct Case {
    int ratio;
    const char* value;
    double from, to;
    TColor color;
    bool hidden;
    double hiddenY;
  };
  const Case cases[] = {
      {2, "0.9985", 1.8, 2, clGreen, false, 0},
      {2, "1.0015", 2, 2.2, clGreen, false, 0},
      {2, ".997", 1.6, 2, clGreen, false, 0},   // at the limits: green, full length
      {2, "1.003", 2, 2.4, clGreen, false, 0},
      {3, "0.9969", 2.6, 3.4, clRed, true, 0.9969},
      {5, "1.0031", 4.6, 5.4, clRed, true, 1.0031},
      {4, "-0.5", 3.6, 4.4, clRed, true, 1.01},  // unusable: 10.0
      {7, "12", 6.6, 7.4, clRed, true, 1.01},
      {6, "10", 5.6, 6.4, clRed, true, 1.01},    // 10 itself is kept, and clipped
      {0, "1.2", -0.4, 0.4, clRed, true, 1.01},
      {0, "0.5", -0.4, 0.4, clRed, true, 0.99},
      {3, "nan", 2.6, 3.4, clRed, true, 1.01},
      {3, "-inf", 2.6, 3.4, clRed, true, 1.01},
      {6, "1", 6, 6, clGreen, false, 0},          // zero length
      {0, "1", 0, 0, clGreen, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ratio) + " = " + c.value);
    Load(LineWith(c.ratio, c.value));
    for (int k = 0; k < kRsRatios; ++k) ASSERT_EQ(Row(k)->Count(), 1) << "row " << k;
    const TChartPoint& p = Row(c.ratio)->Point(0);
    EXPECT_EQ(p.X, Day(2019, 1, 1));
    EXPECT_EQ(p.X1, Day(2019, 1, 1));
    EXPECT_NEAR(p.Y, c.from, 1e-12);
    EXPECT_NEAR(p.Y1, c.to, 1e-12);
    EXPECT_EQ(p.Color, c.color);
    EXPECT_EQ(p.Label, "");
    ASSERT_EQ(form().Rs->Series72->Count(), c.hidden ? 1 : 0);
    if (c.hidden) {
      EXPECT_DOUBLE_EQ(form().Rs->Series72->YValue(0), c.hiddenY);
      EXPECT_EQ(form().Rs->Series72->Point(0).Color, clRed);
    }
    // The other rows show a ratio of exactly 1.
    const int other = c.ratio == 3 ? 4 : 3;
    EXPECT_EQ(Row(other)->Point(0).Y, other);
    EXPECT_EQ(Row(other)->Point(0).Y1, other);
  }
}

TEST_F(RsAvgTest, RatioOneHasItsOwnRangeAndNeverAHiddenPoint) {
  struct Case {
    const char* value;
    double from, to;
    TColor color;
  };
  const Case cases[] = {
      {"0.2", 0.96, 1, clGreen},  {"5", 1, 1.04, clGreen},   {".6667", 0.96, 1, clGreen},
      {"1", 1, 1.04, clGreen},    {"0.1999", 0.6, 1.4, clRed}, {"5.001", 0.6, 1.4, clRed},
      {"12", 0.6, 1.4, clRed},    {"-1", 0.6, 1.4, clRed},     {"0", 0.6, 1.4, clRed},
      {"nan", 0.6, 1.4, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Load(LineWith(1, c.value));
    ASSERT_EQ(form().Rs->Series14->Count(), 1);
    const TChartPoint& p = form().Rs->Series14->Point(0);
    EXPECT_NEAR(p.Y, c.from, 1e-12);
    EXPECT_NEAR(p.Y1, c.to, 1e-12);
    EXPECT_EQ(p.Color, c.color);
    EXPECT_EQ(form().Rs->Series72->Count(), 0);
  }
}

TEST_F(RsAvgTest, HiddenPointsComeInRatioOrderAndTheCompositeFollows) {
  Load("00119 1.02 3 .9 1 1 1 1 .995\n00219 1 1 1 1 1 1 1 1\n00319 1 1 1 1 1.004 1 1 1\n");
  const double expected[][2] = {
      {Day(2019, 1, 1), 1.01}, {Day(2019, 1, 1), 0.99}, {Day(2019, 1, 1), 0.995}, {Day(2019, 1, 3), 1.004}};
  ASSERT_EQ(form().Rs->Series72->Count(), 4);
  ASSERT_EQ(form().Composite->Series69->Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(form().Rs->Series72->XValue(i), expected[i][0]);
    EXPECT_DOUBLE_EQ(form().Rs->Series72->YValue(i), expected[i][1]);
    EXPECT_EQ(form().Composite->Series69->XValue(i), expected[i][0]);
    EXPECT_DOUBLE_EQ(form().Composite->Series69->YValue(i), expected[i][1]);
  }
  EXPECT_FALSE(form().Rs->Series72->Active);
}

TEST_F(RsAvgTest, LinesWithoutEightRatiosAreSkipped) {
  struct Case {
    const char* line;
    int days;
  };
  const Case cases[] = {
      {"17019 1.0001 1.2 .9993 1.0004 .9999 .9996 1.0002 1.0002", 1},  // the instrument's lines
      {"17019 1.0001 1.2 .9993 1.0004 .9999 .9996 1.0002 1.0002 12:30:05 7.5", 1},
      {"17019 1.0001 1.2 .9993 1.0004 .9999 .9996 1.0002", 0},         // seven ratios
      {"17019 1.0001 1.2 .9993 1.0004 .9999 .9996 1.0002 x", 0},
      {"1701", 0},
      {"ratio report", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(std::string(c.line) + "\r\n");
    for (int k = 0; k < kRsRatios; ++k) EXPECT_EQ(Row(k)->Count(), c.days) << "row " << k;
  }
}

TEST_F(RsAvgTest, DamagedFilesAreReadSafely) {
  const std::string good = "00119 1 1 1 1 1 1 1 1";
  const std::string longLine = "00219 1 1 1 1 1 1 1 1" + std::string(300, ' ') + "1";
  const std::string files[] = {
      "\n\n" + good + "\n",                              // empty first lines
      good + "\r\n\r\n\x1a",                             // CR LF and a Ctrl-Z mark
      good,                                              // no final line end
      std::string("\0\x01\x02 junk\n", 9) + good + "\n",  // binary junk
      longLine + "\n" + good + "\n",                     // over-long: skipped whole
      good + "\n" + std::string(100000, 'x'),            // a huge last line
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file.size());
    Load(file, "RSOAVG.185");
    ASSERT_EQ(form().Rs->Series40->Count(), 1);
    EXPECT_EQ(form().Rs->Series40->XValue(0), Day(2019, 1, 1));
  }
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(RsAvgTest, DateWindowAndStrictDate) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 3));
  form().StrictDate->SetChecked(true);
  Load("00119 1 1 1 1 1 1 1 1\n00219 1 1 1 1 1 1 1 1\n00319 1 1 1 1 1 1 1 1\n00419 1 1 1 1 1 1 1 1\n");
  ASSERT_EQ(form().Rs->Series14->Count(), 2);
  EXPECT_EQ(form().Rs->Series14->XValue(0), Day(2019, 1, 2));
  EXPECT_EQ(form().Rs->Series14->XValue(1), Day(2019, 1, 3));
  const TChartAxis& bottom = form().Rs->RSGraph->BottomAxis;
  EXPECT_FALSE(bottom.Automatic);
  EXPECT_EQ(bottom.Minimum, Day(2019, 1, 2));
  EXPECT_EQ(bottom.Maximum, Day(2019, 1, 3));

  // A day code that is not a number is day 0 of 2000 and is tested like any other.
  form().StrictDate->SetChecked(false);
  f.SetWindow(Day(1999, 12, 31), Day(1999, 12, 31));
  Load("abcxy 1 1 1 1 1 1 1 1\n");
  EXPECT_EQ(form().Rs->Series14->Count(), 1);
}

TEST_F(RsAvgTest, LeftAxisKeepsItsFixedInvertedRows) {
  Load("00119 1 1 1 1 1 1 1 1\n");
  const TChartAxis& left = form().Rs->RSGraph->LeftAxis;
  EXPECT_FALSE(left.Automatic);
  EXPECT_TRUE(left.Inverted);
  EXPECT_EQ(left.Minimum, -1);
  EXPECT_EQ(left.Maximum, 8);
}

TEST_F(RsAvgTest, TitleIsThePathAndCommentsStay) {
  form().Rs->Series36->AddXY(Day(2019, 1, 1), 8.0, "moved", clBlue);
  Load("00119 1 1 1 1 1 1 1 1\n");
  ASSERT_EQ(form().Rs->RSGraph->Title.Count(), 1);
  EXPECT_EQ(form().Rs->RSGraph->Title[0], path_);
  ASSERT_EQ(form().Rs->Series36->Count(), 1);
  EXPECT_EQ(form().Rs->Series36->Point(0).Label, "moved");
}

TEST_F(RsAvgTest, CancelChangesNothingAndAMissingFileOnlyClears) {
  Load("00119 1 1 1 1 1 1 1 .9\n");
  RunUserAction([this] { form().Rs->LoadRSavg->Click(); });  // cancelled
  EXPECT_EQ(form().Rs->Series39->Count(), 1);
  EXPECT_EQ(form().Rs->Series72->Count(), 1);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "rsoavg*.*");

  f.ClickWithFile(form().Rs->LoadRSavg, f.dir.Path() + "/missing.185");
  for (int k = 0; k < kRsRatios; ++k) EXPECT_EQ(Row(k)->Count(), 0);
  EXPECT_EQ(form().Rs->Series72->Count(), 0);
  EXPECT_EQ(form().Rs->RSGraph->Title[0], path_);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(RsAvgTest, FolderModeAsksNothingAndSavesTheChartNextToTheReport) {
  const std::string path = f.dir.Write("rsoavg.228", "17019 1 1 1 1 1 1 1 1\n");
  const bool ran = f.RunInFolderMode(path, [this] { form().Rs->LoadRSavgClick(nullptr); });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/228_rsavg_19-19.bmp"));
}

TEST_F(RsAvgTest, SaveButtonWritesTheChart) {
  const std::string bmp = f.dir.Path() + "/rs.bmp";
  f.platform.fileAnswers.push_back(bmp);
  RunUserAction([this] { form().Rs->SpeedButton3->Click(); });
  EXPECT_EQ(f.platform.dialogs.back().fileName, "*.bmp");
  EXPECT_TRUE(std::filesystem::exists(bmp));
}

TEST(RsAvgReader, ReadsTheInstrumentsLines) {
  TempDir dir;
  const std::string path = dir.Write("RSOAVG.228",
                                     "17519      .9999          0     1.0002     1.0002          1     1.0006"
                                     "     1.0002      .9999\r\n\x1a");
  CFile file = OpenReportFile(path);
  const std::vector<RsAvgRecord> records = ReadRsAvg(file.get()).value;
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].date, Day(2019, 6, 24));
  const double expected[kRsRatios] = {.9999, 0, 1.0002, 1.0002, 1, 1.0006, 1.0002, .9999};
  for (int i = 0; i < kRsRatios; ++i) EXPECT_EQ(records[0].ratio[i], expected[i]) << i;
}

}  // namespace
