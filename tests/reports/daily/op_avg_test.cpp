#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/op_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

// A line as the instrument writes it: six text fields, day, month, year, the
// location, four numbers, north, horizon, steps per revolution and the rest.
std::string OpLine(const std::string& day, const std::string& month, const std::string& year,
                   const std::string& place, int north = -550, int horizon = -9, int steps = 14636,
                   const std::string& end = "\r\n") {
  return "ED,228,D:\\DATA\\,icf28114,zsf,dcf28114," + day + "," + month + "," + year + "," + place +
         ",55.716,-12.5615,1000, 2.695419," + std::to_string(north) + " ," + std::to_string(horizon) +
         " , " + std::to_string(steps) + " , 1 , 1 , 0 , 1 , 1 , 1 skc,o3,cphnov2m,22:59:08" + end;
}

// A line on a day of January 2019 at `place`.
std::string Jan(int day, const std::string& place, int north = -550, int horizon = -9, int steps = 14636) {
  return OpLine(std::to_string(day), "01", "19", place, north, horizon, steps);
}

int BitmapHeight(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[26] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const int32_t height = static_cast<int32_t>(header[22] | header[23] << 8 | header[24] << 16 |
                                              static_cast<uint32_t>(header[25]) << 24);
  return height < 0 ? -height : height;
}

class OpAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents, const std::string& name = "opavg.228") {
    path_ = f.dir.Write(name, contents);
    f.ClickWithFile(f.form->Op->LoadOPavg, path_);
  }
  TMainForm& form() { return *f.form; }
  FormFixture f;
  std::string path_;
};

TEST_F(OpAvgTest, CorrectionsAreGradedAgainstThePreviousDay) {
  struct Case {
    int north1, north2;
    TColor first, second;
    int horizon1, horizon2;
    TColor firstH, secondH;
  };
  const Case cases[] = {
      // The first record is compared with -999 and -99.
      {-989, -979, clGreen, clGreen, -69, -39, clGreen, clGreen},  // changes of exactly 10 and 30
      {-988, -999, clRed, clRed, -68, -99, clRed, clRed},          // 11 and 31
      {0, -10, clRed, clGreen, 0, -30, clRed, clGreen},
      {0, 11, clRed, clRed, 0, 31, clRed, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.north1);
    Load(Jan(1, "Davos", c.north1, c.horizon1) + Jan(2, "Davos", c.north2, c.horizon2));
    ASSERT_EQ(form().Op->Series32->Count(), 2);
    ASSERT_EQ(form().Op->Series33->Count(), 2);
    EXPECT_EQ(form().Op->Series32->Point(0).X, Day(2019, 1, 1));
    EXPECT_EQ(form().Op->Series32->YValue(1), c.north2);
    EXPECT_EQ(form().Op->Series32->Point(0).Color, c.first);
    EXPECT_EQ(form().Op->Series32->Point(1).Color, c.second);
    EXPECT_EQ(form().Op->Series32->Point(1).Label, "");
    EXPECT_EQ(form().Op->Series33->YValue(1), c.horizon2);
    EXPECT_EQ(form().Op->Series33->Point(0).Color, c.firstH);
    EXPECT_EQ(form().Op->Series33->Point(1).Color, c.secondH);
  }
}

TEST_F(OpAvgTest, StepsPerRevolutionOffTheBandAreRedAtItsEdge) {
  struct Case {
    int steps;
    double shown;
    TColor colour;
  };
  const Case cases[] = {
      {14500, 14600, clRed}, {14599, 14600, clRed}, {14600, 14600, clGreen}, {14750, 14750, clGreen},
      {14900, 14900, clGreen}, {14901, 14900, clRed}, {15000, 14900, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    Load(Jan(1, "Davos", 0, 0, c.steps));
    ASSERT_EQ(form().Op->LineSeries12->Count(), 1);
    EXPECT_EQ(form().Op->LineSeries12->YValue(0), c.shown);
    EXPECT_EQ(form().Op->LineSeries12->Point(0).Color, c.colour);
  }
}

TEST_F(OpAvgTest, StaysAtLocationsMakeOneRowPerPlace) {
  Load(Jan(1, "Davos") + Jan(8, "Davos") +  // a gap of 7 days: one stay
       Jan(16, "davos") +                   // 8 days: a new stay on the same row
       Jan(17, "AROSA") + Jan(18, "DaVoS") + Jan(19, "Arosa") + Jan(9, "Arosa"));  // back 10 days
  struct Bar {
    double start, end;
    int row;
    const char* label;
  };
  const Bar bars[] = {
      {Day(2019, 1, 1), Day(2019, 1, 8), 1, "DAVOS"},   {Day(2019, 1, 16), Day(2019, 1, 16), 1, "DAVOS"},
      {Day(2019, 1, 17), Day(2019, 1, 17), 2, "AROSA"}, {Day(2019, 1, 18), Day(2019, 1, 18), 1, "DAVOS"},
      {Day(2019, 1, 19), Day(2019, 1, 19), 2, "AROSA"}, {Day(2019, 1, 9), Day(2019, 1, 9), 2, "AROSA"},
  };
  ASSERT_EQ(form().Op->Series51->Count(), static_cast<int>(std::size(bars)));
  for (int i = 0; i < form().Op->Series51->Count(); ++i) {
    SCOPED_TRACE(i);
    const TChartPoint& p = form().Op->Series51->Point(i);
    EXPECT_EQ(p.X, bars[i].start);
    EXPECT_EQ(p.X1, bars[i].end);
    EXPECT_EQ(p.Y, bars[i].row);
    EXPECT_EQ(p.Label, bars[i].label);
    EXPECT_EQ(p.Color, clBlue);
  }
}

TEST_F(OpAvgTest, EveryStayIsDrawnBeyondNineHundredNinetyNine) {
  f.SetWindow(Day(1900, 1, 1), Day(2100, 1, 1));
  std::string file;  // a year apart, at two places by turns
  for (int i = 0; i < 1200; ++i) file += OpLine("01", "01", std::to_string(i % 50 + 50), i % 2 ? "A" : "B");
  Load(file);
  ASSERT_EQ(form().Op->Series51->Count(), 1200);
  EXPECT_EQ(form().Op->Series51->Point(1198).Y, 1);
  EXPECT_EQ(form().Op->Series51->Point(1199).Y, 2);
  EXPECT_EQ(form().Op->Series51->Point(1199).Label, "A");
}

TEST_F(OpAvgTest, TheLastStayEndsWithTheLastDatedRecordOfTheFile) {
  f.SetWindow(Day(2019, 1, 1), Day(2019, 1, 2));
  // The 20th lies beyond the window; the 25th has no possible month.
  Load(Jan(1, "Davos") + Jan(2, "Davos") + Jan(20, "Arosa") + OpLine("25", "13", "19", "Arosa"));
  ASSERT_EQ(form().Op->Series51->Count(), 1);
  EXPECT_EQ(form().Op->Series51->Point(0).X, Day(2019, 1, 1));
  EXPECT_EQ(form().Op->Series51->Point(0).X1, Day(2019, 1, 20));
  EXPECT_EQ(form().Op->Series32->Count(), 2);
}

TEST_F(OpAvgTest, DatesYearsAndTheSkipRules) {
  struct Case {
    std::string line;
    int points;
    double date;
  };
  const Case cases[] = {
      {OpLine("07", "11", "14", "Copenhagen"), 1, Day(2014, 11, 7)},
      {OpLine("1", "1", "49", "x"), 1, Day(2049, 1, 1)},
      {OpLine("1", "1", "50", "x"), 1, Day(1950, 1, 1)},
      {OpLine("31", "12", "2019", "x"), 1, Day(3919, 12, 31)},
      {OpLine("0", "1", "19", "x"), 0, 0},
      {OpLine("32", "1", "19", "x"), 0, 0},
      {OpLine("1", "0", "19", "x"), 0, 0},
      {OpLine("1", "13", "19", "x"), 0, 0},
      {OpLine("aa", "1", "19", "x"), 0, 0},
      {"ED,228,D:\\DATA\\,icf28114,zsf,dcf28114,07,11,14,Copenhagen,55.716\r\n", 0, 0},  // fields too few
      {"\r\n", 0, 0},
  };
  f.SetWindow(Day(1900, 1, 1), Day(9999, 12, 31));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(c.line);
    ASSERT_EQ(form().Op->Series32->Count(), c.points);
    if (c.points) {
      EXPECT_EQ(form().Op->Series32->XValue(0), c.date);
    }
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(OpAvgTest, AnImpossibleDayEndsTheLoadWithTheDateError) {
  Load(Jan(1, "Davos") + OpLine("30", "02", "19", "Davos") + Jan(3, "Davos"));
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "Invalid argument to date encode");
  EXPECT_EQ(form().Op->Series32->Count(), 1);  // the points so far stay
  EXPECT_EQ(form().Op->Series51->Count(), 0);  // no bar
  EXPECT_TRUE(form().Op->OPGraph->LeftAxis.Automatic);
  EXPECT_EQ(form().Op->OPGraph->Title[0], path_);
}

TEST_F(OpAvgTest, EachLineIsOneRecordAndACutOffLastLineIsNotUsed) {
  struct Case {
    const char* what;
    std::string file;
    int points;
  };
  const std::string last = OpLine("3", "1", "19", "x");
  const Case cases[] = {
      {"CR LF and a Ctrl-Z", Jan(1, "x") + Jan(2, "x") + "\x1a", 2},
      {"LF only", OpLine("1", "1", "19", "x", 0, 0, 14700, "\n") + OpLine("2", "1", "19", "x", 0, 0, 14700, "\n"), 2},
      {"no line end at the end", Jan(1, "x") + last.substr(0, last.size() - 2), 1},
      {"a bare CR at the end", Jan(1, "x") + last.substr(0, last.size() - 1), 2},
      {"empty lines", "\r\n" + Jan(1, "x") + "\r\n\r\n" + Jan(2, "x"), 2},
      {"nothing after field 17",
       "ED,228,D,i,z,d,1,1,19,x,1,2,3,4,-550,-9,14636\r\n" + Jan(2, "x"), 2},
      {"a line a field short", "ED,228,D,i,z,d,1,1,19,x,1,2,3,4,-550,-9\r\n" + Jan(2, "x"), 1},
      {"binary junk", std::string("\0\x01,\x02\r\n", 6) + Jan(2, "x"), 1},
      {"an empty file", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.file);
    EXPECT_EQ(form().Op->Series32->Count(), c.points);
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(OpAvgTest, AxesAreRoundedToTheirSteps) {
  Load(Jan(1, "x", -3, -9, 14612) + Jan(2, "x", 12, -7, 14871));
  struct Case {
    const TChartAxis* axis;
    double min, max;
  };
  const Case cases[] = {
      {&form().Op->LocationGraph->LeftAxis, 14595, 14885},
      {&form().Op->OPGraph->LeftAxis, -10, 20},
      {&form().Op->OPGraph->RightAxis, -15, 0},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.axis->Automatic);
    EXPECT_EQ(c.axis->Minimum, c.min);
    EXPECT_EQ(c.axis->Maximum, c.max);
  }
}

TEST_F(OpAvgTest, StrictDateLimitsBothCharts) {
  f.SetWindow(Day(2018, 1, 1), Day(2020, 1, 1));
  form().StrictDate->SetChecked(true);
  Load(Jan(1, "x"));
  for (TChart* chart : {form().Op->OPGraph, form().Op->LocationGraph}) {
    EXPECT_FALSE(chart->BottomAxis.Automatic) << chart->Name;
    EXPECT_EQ(chart->BottomAxis.Minimum, Day(2018, 1, 1)) << chart->Name;
    EXPECT_EQ(chart->BottomAxis.Maximum, Day(2020, 1, 1)) << chart->Name;
  }
}

TEST_F(OpAvgTest, FolderModeSavesBothChartsAtTheirHeightsAndRestoresIt) {
  const std::string path = f.dir.Write("OPAVG.228", Jan(1, "x") + Jan(2, "x"));
  const int height = form().Op->OPGraph->Height;
  const int below = form().Op->LocationGraph->Height;
  auto run = [&] { return f.RunInFolderMode(path, [this] { form().Op->LoadOPavgClick(nullptr); }); };
  EXPECT_TRUE(run());
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(BitmapHeight(f.dir.Path() + "/228_opavg_19-19.bmp"), height * 18 / 10);
  EXPECT_EQ(BitmapHeight(f.dir.Path() + "/228_loc_19-19.bmp"), below + height - height * 2 / 10);
  EXPECT_EQ(form().Op->OPGraph->Height, height);
  EXPECT_EQ(form().Op->LocationGraph->Height, below);

  // A bitmap that cannot be written: the error is shown, the height restored.
  std::filesystem::remove(f.dir.Path() + "/228_loc_19-19.bmp");
  std::filesystem::create_directory(f.dir.Path() + "/228_loc_19-19.bmp");
  EXPECT_FALSE(run());
  EXPECT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(form().Op->OPGraph->Height, height);
}

TEST_F(OpAvgTest, CommentMarkersAndCompositeBand) {
  form().Op->Series38->AddXY(Day(2019, 1, 1), 0, "lamp changed", clBlue);
  Load(Jan(1, "x", -550, -9) + Jan(2, "x", -550, -12));
  EXPECT_EQ(form().Op->Series38->Count(), 1);  // the loader leaves the comments alone
  EXPECT_EQ(form().Op->Series38->ParentChart(), form().Op->OPGraph);
  ASSERT_EQ(form().Composite->Series76->Count(), 2);
  EXPECT_EQ(form().Composite->Series76->YValue(1), -12);
}

TEST_F(OpAvgTest, CancelChangesNothingAndAMissingFileOnlyClears) {
  Load(Jan(1, "x"));
  const std::string dir = form().OpenDialog1->InitialDir;
  RunUserAction([this] { form().Op->LoadOPavg->Click(); });  // no answer queued
  EXPECT_EQ(f.platform.dialogs.back().fileName, "opavg*.*");
  EXPECT_EQ(form().Op->Series32->Count(), 1);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);

  f.ClickWithFile(form().Op->LoadOPavg, f.dir.Path() + "/missing.228");
  for (TChartSeries* s : {static_cast<TChartSeries*>(form().Op->Series32), static_cast<TChartSeries*>(form().Op->Series33),
                          static_cast<TChartSeries*>(form().Op->LineSeries12), static_cast<TChartSeries*>(form().Op->Series51)})
    EXPECT_EQ(s->Count(), 0) << s->Name;
  EXPECT_TRUE(form().Op->OPGraph->LeftAxis.Automatic);
  EXPECT_TRUE(form().Op->OPGraph->RightAxis.Automatic);
  EXPECT_EQ(form().Op->OPGraph->Title[0], path_);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(OpAvgTest, LayoutOfTheTab) {
  EXPECT_EQ(form().Op->LoadOPavg->Caption, "Load OP_ST");
  EXPECT_EQ(form().Op->OPGraph->Align, TAlign::alTop);
  EXPECT_EQ(form().Op->OPGraph->Height, 225);
  EXPECT_EQ(form().Op->Splitter1->Top, form().Op->OPGraph->Top + form().Op->OPGraph->Height);
  EXPECT_EQ(form().Op->LocationGraph->Top, form().Op->Splitter1->Top + form().Op->Splitter1->Height);
  for (TChart* chart : {form().Op->OPGraph, form().Op->LocationGraph}) {
    EXPECT_EQ(chart->Title.Lines(), std::vector<std::string>{"TChart"});
    EXPECT_FALSE(chart->Legend.Visible);
    EXPECT_EQ(chart->BottomAxis.Title, "Date, UTC");
  }
  EXPECT_EQ(form().Op->OPGraph->LeftAxis.Title, "North correction, steps");
  EXPECT_EQ(form().Op->OPGraph->RightAxis.Title, "Horizon corr., steps");
  EXPECT_EQ(form().Op->LocationGraph->LeftAxis.Title, "Steps per revolution");
  // Dragging the splitter down makes the top chart taller and the time line shorter.
  const int below = form().Op->LocationGraph->Height;
  form().Op->OPGraph->SetHeight(300);
  EXPECT_EQ(form().Op->LocationGraph->Height, below - 75);
}

TEST(OpAvgReader, ReadsTheFieldsOfEachLine) {
  TempDir dir;
  const std::string longName(150, 'n');
  const std::string path = dir.Write("OPAVG.228",
                                     "ED,228,D:\\DATA\\,icf28114,zsf,dcf28114,07,11,14,Copenhagen,55.716,"
                                     "-12.5615,1000, 2.695419,-550 ,-9 , 14636 , 1 , 1\n" +
                                         OpLine("8", "11", "14", longName, 3, 4, 5, "\n"));
  CFile file(path, "rb");
  const std::vector<OpAvgRecord> records = ReadOpAvg(file.get()).value;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].day, 7);
  EXPECT_EQ(records[0].month, 11);
  EXPECT_EQ(records[0].year, 14);
  EXPECT_EQ(records[0].location, "Copenhagen");
  EXPECT_EQ(records[0].north, -550);
  EXPECT_EQ(records[0].horizon, -9);
  EXPECT_EQ(records[0].stepsPerRevolution, 14636);
  EXPECT_EQ(records[1].location, longName.substr(0, 99));
  EXPECT_EQ(records[1].stepsPerRevolution, 5);
}

}  // namespace
