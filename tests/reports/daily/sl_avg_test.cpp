#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <vector>

#include "app/cli/headless.h"
#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/daily/sl_avg.h"
#include "reports/daily/sl_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

// One day of an SL averages file, in the file's column order.
struct Rec {
  std::string code;  // jjjyy
  int low, high, tests, r1, r2, r3, r4, r5, r6, i1;
};

// A day with the usual values of a working lamp.
Rec Sl(const std::string& code, int r6 = 310, int r5 = 450) {
  return {code, 20, 30, 5, 1718, 1177, 379, 397, r5, r6, 826120};
}

std::string Code(int dayOfYear, int yy) {
  char code[16];
  std::snprintf(code, sizeof code, "%03d%02d", dayOfYear, yy);
  return code;
}

// The file as the instrument writes it: CR LF line ends.
std::string File(const std::vector<Rec>& days) {
  std::string text;
  for (const Rec& r : days) {
    char line[200];
    std::snprintf(line, sizeof line, "%s %2d %2d %2d %5d %5d %5d %5d %5d %5d %7d\r\n", r.code.c_str(),
                  r.low, r.high, r.tests, r.r1, r.r2, r.r3, r.r4, r.r5, r.r6, r.i1);
    text += line;
  }
  return text;
}

std::vector<double> Ys(const TChartSeries* s) {
  std::vector<double> ys;
  for (const TChartPoint& p : s->Points()) ys.push_back(p.Y);
  return ys;
}

std::vector<double> Xs(const TChartSeries* s) {
  std::vector<double> xs;
  for (const TChartPoint& p : s->Points()) xs.push_back(p.X);
  return xs;
}

class SlAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents) {
    path_ = f.dir.Write("sloavg19.185", contents);
    f.ClickWithFile(f.form->Sl->LoadSLavgFile, path_);
  }
  void Load(const std::vector<Rec>& days) { Load(File(days)); }
  TMainForm& form() { return *f.form; }
  FormFixture f;  // today is 1 June 2020
  std::string path_;
};

TEST_F(SlAvgTest, StartsAsDesigned) {
  EXPECT_EQ(form().Sl->LoadSLavgFile->Caption, "Load sl avg file");
  EXPECT_EQ(form().Sl->RadioGroup1->Caption, "Plot in the bottom part");
  ASSERT_EQ(form().Sl->PageControl2->Pages.size(), 2u);
  EXPECT_EQ(form().Sl->PageControl2->Pages[0]->Caption, "SL plots vs date");
  EXPECT_EQ(form().Sl->PageControl2->Pages[1]->Caption, "SL plotts vs temperature");
  EXPECT_EQ(form().Sl->PageControl2->ActivePageIndex, 1);
  EXPECT_TRUE(form().Sl->PlotR5->Checked);
  for (TRadioButton* b : {form().Sl->PlotI1, form().Sl->Diff, form().Sl->PlotR1, form().Sl->PlotR2, form().Sl->PlotR3,
                          form().Sl->PlotR4, form().Sl->PlotT})
    EXPECT_FALSE(b->Checked) << b->Name;
  EXPECT_FALSE(form().Sl->Series10->Active);
  EXPECT_FALSE(form().Sl->Series24->Active);
  EXPECT_EQ(form().Sl->SL_T->Title.Lines(),
            std::vector<std::string>{"SL R6 vs temperature: large points indicate current year data"});
  EXPECT_EQ(form().Sl->SLGraph->LeftAxis.EndPosition, 50);
  EXPECT_EQ(form().Sl->SLGraph->RightAxis.StartPosition, 50);
  EXPECT_EQ(form().Sl->Series35->VertAxis, TVertAxis::aRightAxis);
  EXPECT_EQ(form().Sl->Series35->Title, "Comments");
}

TEST_F(SlAvgTest, FirstDayIsMeasuredAgainstZeroAndJumpsAreNotDrawn) {
  struct Case {
    std::vector<Rec> days;
    std::vector<double> plottedR6;
  };
  const Case cases[] = {
      {{Sl("00119", 20, 40)}, {20}},
      {{Sl("00119", -29, -49)}, {-29}},
      {{Sl("00119", 30, 0)}, {}},
      {{Sl("00119", 0, 50)}, {}},
      {{Sl("00119"), Sl("00219", 311, 451)}, {311}},
      // a jump is not drawn but is the reference for the next day
      {{Sl("00119"), Sl("00219", 340, 450), Sl("00319", 341, 450)}, {341}},
      {{Sl("00119"), Sl("00219", 280, 450)}, {}},
      {{Sl("00119"), Sl("00219", 311, 500), Sl("00319", 312, 501)}, {312}},
      {{Sl("00119"), Sl("00219", 339, 499), Sl("00319", 310, 450)}, {339, 310}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(File(c.days));
    Load(c.days);
    EXPECT_EQ(Ys(form().Sl->Series8), c.plottedR6);
    // every day in the window has its temperature arrow
    EXPECT_EQ(form().Sl->Series62->Count(), static_cast<int>(c.days.size()));
  }
}

TEST_F(SlAvgTest, EachPlottedDayGivesAllSevenQuantities) {
  Rec day = Sl("17019", 312, 451);
  day.r1 = 1701;
  day.r2 = 1172;
  day.r3 = 373;
  day.r4 = 394;
  day.i1 = 8261205;
  Load({Sl("16919"), day});
  const std::pair<TChartSeries*, double> expected[] = {
      {form().Sl->Series8, 312},  {form().Sl->Series9, 451},  {form().Sl->Series10, 8261205}, {form().Sl->Series28, 1701},
      {form().Sl->Series29, 1172}, {form().Sl->Series30, 373}, {form().Sl->Series34, 394},
  };
  for (const auto& [series, y] : expected) {
    SCOPED_TRACE(series->Name);
    ASSERT_EQ(series->Count(), 1);
    const TChartPoint& p = series->Point(0);
    EXPECT_EQ(p.X, Day(2019, 6, 19));
    EXPECT_EQ(p.Y, y);
    EXPECT_EQ(p.Label, "");
    EXPECT_EQ(p.Color, series == form().Sl->Series8 ? clRed : clGreen);
  }
}

TEST_F(SlAvgTest, OnlyDaysInTheWindowCountAndAreComparedWithEachOther) {
  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 4));
  Rec before = Sl("00119", 305), first = Sl("00219", 310), second = Sl("00319", 311),
      last = Sl("00419", 312), after = Sl("00519", 313);
  first.tests = 3;
  second.tests = 4;
  last.tests = 6;
  before.tests = after.tests = 100;
  Load({before, first, second, last, after});
  // the day before the window is not the reference of its first day
  EXPECT_EQ(Ys(form().Sl->Series8), (std::vector<double>{311, 312}));
  EXPECT_EQ(Xs(form().Sl->Series62), (std::vector<double>{Day(2019, 1, 2), Day(2019, 1, 3), Day(2019, 1, 4)}));
  EXPECT_EQ(form().Sl->SLGraph->Foot.Lines(), std::vector<std::string>{"Average number of SL/day = 4.3"});
}

// Ten days whose R6 makes the running means easy to follow: with every day in
// the window the difference at day k is (R6 of day k - R6 of day k-7) / 7.
std::vector<Rec> TenDays(int yy) {
  const int r6[] = {1700, 1701, 1703, 1706, 1710, 1715, 1721, 1728, 1736, 1745};
  std::vector<Rec> days;
  for (int k = 0; k < 10; ++k) days.push_back(Sl(Code(10 + k, yy), r6[k]));
  return days;
}

TEST_F(SlAvgTest, DiffStartsWithTheNinthDayOfTheWindow) {
  Load(TenDays(19));
  const TChartSeries* diff = form().Sl->Series24;
  ASSERT_EQ(diff->Count(), 2);
  EXPECT_EQ(diff->XValue(0), Day(2019, 1, 18));
  EXPECT_NEAR(diff->YValue(0), (1736 - 1701) / 7.0, 1e-9);
  EXPECT_NEAR(diff->YValue(1), (1745 - 1703) / 7.0, 1e-9);
  EXPECT_EQ(diff->Point(0).Color, clBlue);
}

TEST_F(SlAvgTest, RunningMeansTakeDaysOutsideTheWindowToo) {
  f.SetWindow(Day(2019, 1, 1), Day(2019, 12, 31));
  std::vector<Rec> days = TenDays(19);
  // An old day in the middle of the file moves the means by (1400 - 1715) / 7
  // without becoming the reference of the next day.
  days.insert(days.begin() + 6, Sl("00118", 1400));
  Load(days);
  const TChartSeries* diff = form().Sl->Series24;
  ASSERT_EQ(diff->Count(), 2);
  EXPECT_EQ(diff->XValue(0), Day(2019, 1, 18));
  EXPECT_NEAR(diff->YValue(0), (1421 - 1703) / 7.0, 1e-9);
  EXPECT_NEAR(diff->YValue(1), (1430 - 1706) / 7.0, 1e-9);
}

TEST_F(SlAvgTest, TemperaturesAreClampedAndEdgeDaysLeftOutOfTheTemperatureChart) {
  struct Case {
    int low, high;
    double arrowLow, arrowHigh;
    TColor color;
    bool onTemperatureChart;
    double meanT;
  };
  const Case cases[] = {
      {20, 30, 20, 30, clGreen, true, 25},
      {21, 24, 21, 24, clGreen, true, 22},
      {-7, 0, -7, 0, clGreen, true, -3},  // truncated toward zero
      {-49, 59, -49, 59, clGreen, true, 5},
      {70, 80, 60, 60, clRed, false, 0},
      {-60, -55, -50, -50, clRed, false, 0},
      {-50, 10, -50, 10, clRed, false, 0},
      {10, 60, 10, 60, clRed, false, 0},
      {-51, 61, -50, 60, clRed, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.low) + " " + std::to_string(c.high));
    Rec day = Sl("10019");
    day.low = c.low;
    day.high = c.high;
    Load({Sl("09919"), day});
    ASSERT_EQ(form().Sl->Series8->Count(), 1);
    ASSERT_EQ(form().Sl->Series62->Count(), 2);
    const TChartPoint& arrow = form().Sl->Series62->Point(1);
    EXPECT_EQ(arrow.X, Day(2019, 4, 10));
    EXPECT_EQ(arrow.X1, Day(2019, 4, 10));
    EXPECT_EQ(arrow.Y, c.arrowLow);
    EXPECT_EQ(arrow.Y1, c.arrowHigh);
    EXPECT_EQ(arrow.Color, c.color);
    EXPECT_EQ(form().Sl->Series46->Count(), 0);
    ASSERT_EQ(form().Sl->Series45->Count(), c.onTemperatureChart ? 1 : 0);
    if (c.onTemperatureChart) {
      EXPECT_EQ(form().Sl->Series45->XValue(0), c.meanT);
      EXPECT_EQ(form().Sl->Series45->YValue(0), 310);
      EXPECT_EQ(form().Sl->Series45->Point(0).Color, clSilver);
    }
  }
}

TEST_F(SlAvgTest, LowAboveHighIgnoresTheDay) {
  Rec bad = Sl("00219", 311);
  bad.low = 31;
  bad.high = 30;
  Load({Sl("00119"), bad, Sl("00319", 312)});
  EXPECT_EQ(Ys(form().Sl->Series8), std::vector<double>{312});
  EXPECT_EQ(form().Sl->Series62->Count(), 2);
}

TEST_F(SlAvgTest, ThisYearsDaysAreLargeAndColouredByDayOfYear) {
  Load({Sl("09919"), Sl("10019"), Sl("00120"), Sl("10020"), Sl("36620")});
  EXPECT_EQ(form().Sl->Series45->Count(), 1);
  const TChartSeries* current = form().Sl->Series46;
  ASSERT_EQ(current->Count(), 3);
  // trunc(day * 256 * 0.7 + 256)
  EXPECT_EQ(current->Point(0).Color, 435);
  EXPECT_EQ(current->Point(1).Color, 18176);
  EXPECT_EQ(current->Point(2).Color, 65843);
  EXPECT_EQ(current->XValue(0), 25);
  EXPECT_EQ(current->YValue(0), 310);
}

TEST_F(SlAvgTest, FootGivesTheMeanNumberOfTestsPerDay) {
  struct Case {
    std::vector<int> tests;
    const char* foot;
  };
  const Case cases[] = {
      {{3, 4}, "Average number of SL/day = 3.5"},
      {{10, 0, 0}, "Average number of SL/day = 3.3"},
      {{1000, 2000}, "Average number of SL/day = 1500.0"},
      {{}, "Average number of SL/day = .0"},
  };
  for (const Case& c : cases) {
    std::vector<Rec> days;
    for (size_t i = 0; i < c.tests.size(); ++i) {
      days.push_back(Sl(Code(static_cast<int>(i) + 1, 19)));
      days.back().tests = c.tests[i];
    }
    Load(days);
    EXPECT_EQ(form().Sl->SLGraph->Foot.Lines(), std::vector<std::string>{c.foot});
  }
  // a window that holds none of the days
  f.SetWindow(Day(2020, 1, 1), Day(2020, 2, 1));
  Load({Sl("00119"), Sl("00219")});
  EXPECT_EQ(form().Sl->SLGraph->Foot.Lines(), std::vector<std::string>{"Average number of SL/day = .0"});
  EXPECT_EQ(form().Sl->Series62->Count(), 0);
}

TEST_F(SlAvgTest, R6AxisIsAtLeastFiftyWideOnBothCharts) {
  struct Case {
    std::vector<int> r6;  // the first day is not plotted (it is measured against 0)
    double tMin, tMax;    // R6 axis of SL_T
    double min, max;      // R6 axis of SLGraph: the visible range in steps of 5
  };
  const Case cases[] = {
      {{1700, 1710, 1725, 1740}, 1700, 1750, 1705, 1745},
      {{1701, 1711, 1712}, 1686.5, 1736.5, 1705, 1720},
      {{1690, 1700, 1720, 1740, 1760}, 1700, 1760, 1695, 1765},
      {{1700}, -25, 25, -25, 25},  // nothing plotted: the axis keeps its limits
  };
  for (const Case& c : cases) {
    std::vector<Rec> days;
    for (size_t i = 0; i < c.r6.size(); ++i) days.push_back(Sl(Code(static_cast<int>(i) + 1, 19), c.r6[i]));
    SCOPED_TRACE(File(days));
    Load(days);
    const TChartAxis& t = form().Sl->SL_T->LeftAxis;
    EXPECT_FALSE(t.Automatic);
    EXPECT_EQ(t.Minimum, c.tMin);
    EXPECT_EQ(t.Maximum, c.tMax);
    const TChartAxis& left = form().Sl->SLGraph->LeftAxis;
    EXPECT_FALSE(left.Automatic);
    EXPECT_EQ(left.Minimum, c.min);
    EXPECT_EQ(left.Maximum, c.max);
  }
  EXPECT_EQ(form().Sl->SL_T->LeftAxis.Title, "R6");
  EXPECT_EQ(form().Sl->SL_T->BottomAxis.Title, "Temperature");
}

// Ten days on which every lower quantity varies: day k (1 .. 10) has
// R1 = 1700 + k, R2 = 1170 + k, R3 = 370 + k, R4 = 390 + k, R5 = 450 + k,
// I1 = 820000 + 1000 k, a low temperature of 10 + k, and R6 = 310 + k % 2.
std::vector<Rec> VaryingDays() {
  std::vector<Rec> days;
  for (int k = 1; k <= 10; ++k)
    days.push_back({Code(k, 19), 10 + k, 30, 5, 1700 + k, 1170 + k, 370 + k, 390 + k, 450 + k, 310 + k % 2,
                    820000 + 1000 * k});
  return days;
}

TEST_F(SlAvgTest, EachRadioButtonShowsExactlyOneLowerSeries) {
  Load(VaryingDays());
  struct Case {
    TRadioButton* button;
    TChartSeries* series;
    const char* title;
    double min, max;  // the visible range of the plotted days, in steps
  };
  const Case cases[] = {
      {form().Sl->PlotI1, form().Sl->Series10, "I1", 821000, 831000},  // steps of 1000
      {form().Sl->Diff, form().Sl->Series24, "diff", -10, 10},          // +1/7 and -1/7
      {form().Sl->PlotR1, form().Sl->Series28, "R1", 1695, 1715},
      {form().Sl->PlotR2, form().Sl->Series29, "R2", 1165, 1185},
      {form().Sl->PlotR3, form().Sl->Series30, "R3", 365, 385},
      {form().Sl->PlotR4, form().Sl->Series34, "R4", 385, 405},
      {form().Sl->PlotT, form().Sl->Series62, "Temperature", 5, 25},  // lows of the days shown
      {form().Sl->PlotR5, form().Sl->Series9, "R5", 445, 465},
  };
  const TChartSeries* lower[] = {form().Sl->Series9,  form().Sl->Series10, form().Sl->Series24, form().Sl->Series28,
                                 form().Sl->Series29, form().Sl->Series30, form().Sl->Series34, form().Sl->Series62};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    c.button->SetChecked(true);
    ASSERT_TRUE(RunUserAction([&] { c.button->Click(); }));
    for (const TChartSeries* s : lower) EXPECT_EQ(s->Active, s == c.series) << s->Name;
    EXPECT_TRUE(form().Sl->Series8->Active);
    const TChartAxis& right = form().Sl->SLGraph->RightAxis;
    EXPECT_EQ(right.Title, c.title);
    EXPECT_EQ(right.Minimum, c.min);
    EXPECT_EQ(right.Maximum, c.max);
    EXPECT_EQ(form().Sl->SLGraph->LeftAxis.Minimum, 305);
    EXPECT_EQ(form().Sl->SLGraph->LeftAxis.Maximum, 320);
  }

  // A load always comes back to R5.
  form().Sl->PlotT->SetChecked(true);
  form().Sl->PlotT->Click();
  Load(VaryingDays());
  EXPECT_TRUE(form().Sl->PlotR5->Checked);
  EXPECT_FALSE(form().Sl->PlotT->Checked);
  EXPECT_TRUE(form().Sl->Series9->Active);
  EXPECT_FALSE(form().Sl->Series62->Active);
  EXPECT_EQ(form().Sl->SLGraph->RightAxis.Title, "R5");
}

TEST_F(SlAvgTest, PickersSpanTheDataAndReRangeTheChart) {
  // At start every lower series but I1 and Diff is shown, so the span takes in
  // the first day's temperature arrow although its R6 is not plotted.
  Load(VaryingDays());
  EXPECT_EQ(form().Sl->DateTimePicker1->DateTime, Day(2019, 1, 1));
  // From then on only R5 is shown below: the span is that of days 2 .. 10.
  Load(VaryingDays());
  EXPECT_EQ(form().Sl->DateTimePicker1->DateTime, Day(2019, 1, 2));
  EXPECT_EQ(form().Sl->DateTimePicker2->DateTime, Day(2019, 1, 10));
  const TChartAxis& bottom = form().Sl->SLGraph->BottomAxis;
  EXPECT_FALSE(bottom.Automatic);
  EXPECT_EQ(bottom.Minimum, Day(2019, 1, 2));
  EXPECT_EQ(bottom.Maximum, Day(2019, 1, 10));
  EXPECT_DOUBLE_EQ(bottom.Increment, 8 / 20.0);

  // Days 2 .. 4 alone: R5 452 .. 454, R6 310 .. 311.
  TDateTimePicker* second = form().Sl->DateTimePicker2;
  second->SetDateTime(Day(2019, 1, 4));
  ASSERT_TRUE(RunUserAction([&] { second->OnChange(second); }));
  EXPECT_EQ(bottom.Minimum, Day(2019, 1, 2));
  EXPECT_EQ(bottom.Maximum, Day(2019, 1, 4));
  EXPECT_DOUBLE_EQ(bottom.Increment, 2 / 20.0);
  EXPECT_EQ(form().Sl->SLGraph->RightAxis.Minimum, 445);
  EXPECT_EQ(form().Sl->SLGraph->RightAxis.Maximum, 460);

  // The first date on or after the second: the date limits stay.
  TDateTimePicker* first = form().Sl->DateTimePicker1;
  for (double date : {Day(2019, 1, 6), Day(2019, 1, 4)}) {
    first->SetDateTime(date);
    ASSERT_TRUE(RunUserAction([&] { first->OnChange(first); }));
    EXPECT_EQ(bottom.Minimum, Day(2019, 1, 2));
    EXPECT_EQ(bottom.Maximum, Day(2019, 1, 4));
  }
}

TEST_F(SlAvgTest, StrictDateForcesTheDateAxisToTheWindow) {
  f.SetWindow(Day(2018, 1, 1), Day(2020, 1, 1));
  form().StrictDate->SetChecked(true);
  Load(VaryingDays());
  const TChartAxis& bottom = form().Sl->SLGraph->BottomAxis;
  EXPECT_FALSE(bottom.Automatic);
  EXPECT_EQ(bottom.Minimum, Day(2018, 1, 1));
  EXPECT_EQ(bottom.Maximum, Day(2020, 1, 1));
  // the pickers still show the span of the data (on a fresh window the first
  // day's temperature arrow counts)
  EXPECT_EQ(form().Sl->DateTimePicker1->DateTime, Day(2019, 1, 1));
}

TEST_F(SlAvgTest, OutliersAreRemovedFromThePlottedSeries) {
  std::vector<Rec> days;
  for (int k = 1; k <= 22; ++k) days.push_back(Sl(Code(k, 19)));
  days[11].i1 = 8261200;  // ten times the others
  Load(days);
  EXPECT_EQ(form().Sl->Series8->Count(), 21);
  ASSERT_EQ(form().Sl->Series10->Count(), 20);
  for (double y : Ys(form().Sl->Series10)) EXPECT_EQ(y, 826120);
  // the composite chart follows the deletion
  EXPECT_EQ(form().Composite->Series73->Count(), 20);
}

TEST_F(SlAvgTest, CompositeFollowsR6IntensityAndLowTemperature) {
  Load(VaryingDays());
  EXPECT_EQ(Ys(form().Composite->Series66), Ys(form().Sl->Series8));
  EXPECT_EQ(Xs(form().Composite->Series66), Xs(form().Sl->Series8));
  EXPECT_EQ(Ys(form().Composite->Series73), Ys(form().Sl->Series10));
  EXPECT_EQ(Xs(form().Composite->Series74), Xs(form().Sl->Series62));
  EXPECT_EQ(Ys(form().Composite->Series74), (std::vector<double>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

TEST_F(SlAvgTest, CommentMarkersSurviveALoad) {
  form().Sl->Series35->AddXY(Day(2019, 1, 5), -2000.0, "lamp changed", clBlack);
  Load(VaryingDays());
  ASSERT_EQ(form().Sl->Series35->Count(), 1);
  EXPECT_EQ(form().Sl->Series35->Point(0).Label, "lamp changed");
}

TEST_F(SlAvgTest, TitlesNameTheFile) {
  Load(VaryingDays());
  EXPECT_EQ(form().Sl->SLGraph->Title.Lines(), std::vector<std::string>{path_});
  EXPECT_EQ(form().Sl->SL_T->Title.Lines(),
            (std::vector<std::string>{path_, "SL R6 vs temperature: large points indicate current year data"}));
}

TEST_F(SlAvgTest, CancelChangesNothingAndAMissingFileOnlyClears) {
  Load(VaryingDays());
  const std::string dir = form().OpenDialog1->InitialDir;
  RunUserAction([this] { form().Sl->LoadSLavgFile->Click(); });  // no answer queued: cancelled
  EXPECT_EQ(form().Sl->Series8->Count(), 9);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);
  ASSERT_FALSE(f.platform.dialogs.empty());
  EXPECT_EQ(f.platform.dialogs.back().fileName, "sl?avg*.*");

  f.ClickWithFile(form().Sl->LoadSLavgFile, f.dir.Path() + "/missing.185");
  for (const TChartSeries* s : std::initializer_list<const TChartSeries*>{
           form().Sl->Series8, form().Sl->Series9, form().Sl->Series10, form().Sl->Series24, form().Sl->Series28, form().Sl->Series29,
           form().Sl->Series30, form().Sl->Series34, form().Sl->Series62, form().Sl->Series45, form().Sl->Series46})
    EXPECT_EQ(s->Count(), 0) << s->Name;
  EXPECT_EQ(form().Sl->SLGraph->Title.Count(), 0);
  EXPECT_EQ(form().Sl->SL_T->Title.Count(), 0);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(SlAvgTest, DamagedFilesAreReadSafely) {
  const std::string first = "00119 20 30  5  1718  1177   379   397   450   310  826120";
  const std::string second = "00219 20 30  5  1718  1177   379   397   451   311  826121";
  const std::string longLine(20000, '7');
  const std::string files[] = {
      "\n\n" + first + "\n\n" + second + "\n",                         // empty lines
      first + "\r\n" + second + "\r\n\x1a",                            // CR LF and a Ctrl-Z
      first + "\n" + second,                                           // no final line end
      std::string("\0\x01\x02 junk\n", 9) + first + "\n" + second,    // binary junk
      longLine + "\n" + first + "\n" + second + "\n",                  // an over-long line
      first + "\n00219 20 30  5  1718  1177   379   397   451   311\n" + second + "\n",  // a field short
      first + "\n00219 20 30  5  1718  nan   379   397   451   311  826121\n" + second + "\n",
      first + "  2  1  1  1  5  2   591\n" + second + "  2  2  2  1  5  3   547\n",  // the extra columns
      first + "\n" + second + "\n" + longLine,                         // an over-long last line
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file.substr(0, 200));
    Load(file);
    EXPECT_EQ(form().Sl->Series62->Count(), 2);
    ASSERT_EQ(form().Sl->Series8->Count(), 1);
    EXPECT_EQ(form().Sl->Series8->XValue(0), Day(2019, 1, 2));
    EXPECT_EQ(form().Sl->Series8->YValue(0), 311);
    EXPECT_EQ(form().Sl->Series10->YValue(0), 826121);
  }
}

TEST_F(SlAvgTest, FolderModeSavesThreeBitmapsAndLeavesI1Shown) {
  const std::string path = f.dir.Write("SLOAVG19.185", File(VaryingDays()));
  const bool ran = f.RunInFolderMode(path, [this] { form().Sl->LoadSLavgFileClick(nullptr); });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(f.platform.dialogs.empty());
  // The temperature chart takes its years from the SL dates, not its degrees.
  for (const char* name : {"185_slavgR6R5_19-19.bmp", "185_slavgR6I1_19-19.bmp", "185_slavgR6vsT_19-19.bmp"})
    EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/" + name)) << name;
  EXPECT_TRUE(form().Sl->PlotI1->Checked);
  EXPECT_TRUE(form().Sl->Series10->Active);
  EXPECT_FALSE(form().Sl->Series9->Active);
  EXPECT_EQ(form().Sl->SLGraph->RightAxis.Title, "I1");
}

TEST_F(SlAvgTest, TwoFilesOfDifferentYearsKeepTwoTemperatureBitmaps) {
  std::vector<Rec> of2020 = VaryingDays();
  for (Rec& r : of2020) r.code.replace(3, 2, "20");
  for (const auto& [name, days] : {std::pair{"sloavg19.185", VaryingDays()}, std::pair{"sloavg20.185", of2020}}) {
    const std::string path = f.dir.Write(name, File(days));
    EXPECT_TRUE(f.RunInFolderMode(path, [this] { form().Sl->LoadSLavgFileClick(nullptr); }));
  }
  for (const char* name : {"185_slavgR6vsT_19-19.bmp", "185_slavgR6vsT_20-20.bmp"})
    EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/" + name)) << name;
}

TEST_F(SlAvgTest, SaveButtonWritesTheDateChart) {
  Load(VaryingDays());
  const std::string bmp = f.dir.Path() + "/sl.bmp";
  f.platform.fileAnswers.push_back(bmp);
  ASSERT_TRUE(RunUserAction([this] { form().Sl->SLSaveBMP->Click(); }));
  EXPECT_EQ(f.platform.dialogs.back().fileName, "*.bmp");
  EXPECT_TRUE(std::filesystem::exists(bmp));
}

TEST(SlAvgHeadless, LoadsThroughTheDriver) {
  TempDir dir;
  const std::string path = dir.Write("sloavg19.185", File(VaryingDays()));
  std::ostringstream out, err;
  const int status = RunHeadless({"--set", "StartingDate=2019-01-01", "--set", "EndDate=2019-01-05", "--click",
                                  "Load sl avg file=" + path, "--dump", "-"},
                                 out, err);
  EXPECT_EQ(status, kHeadlessOk) << err.str();
  // days 1 .. 5 in the window, five tests each
  EXPECT_NE(out.str().find("Average number of SL/day = 5.0"), std::string::npos);
}

TEST(SlAvgReader, ReadsTheInstrumentsLines) {
  TempDir dir;
  // Lines as a real instrument writes them; the second has an intensity that
  // ran into the next columns.
  const std::string path = dir.Write("SLOAVG.228",
                                     "13715 15 17  4  1964  1248   425   454   510   263  404849  2  2  2  3  6  5  1164\r\n"
                                     "15115 18 34 10  2217  1387   488   522   548   256  308507883509227197254 63 90643\r\n"
                                     "15215 18 31  8  1921  1215   410   451   477   243  342655  3  2  1  5 18  9  6476\r\n"
                                     "36599 -9 -5  8  1921  1215   410   451   477   243  342655\r\n"
                                     "00150 1 2 3 4 5 6 7 8 9\r\n"
                                     "\x1a");
  CFile file = OpenReportFile(path);
  const std::vector<SlAvgRecord> records = ReadSlAvg(file.get()).value;
  ASSERT_EQ(records.size(), 4u);
  const SlAvgRecord& r = records[0];
  EXPECT_EQ(r.date, Day(2015, 5, 17));
  EXPECT_EQ(r.dayOfYear, 137);
  EXPECT_EQ(r.year, 2015);
  EXPECT_EQ(r.lowT, 15);
  EXPECT_EQ(r.highT, 17);
  EXPECT_EQ(r.tests, 4);
  EXPECT_EQ((std::vector<int>{r.r1, r.r2, r.r3, r.r4, r.r5, r.r6}),
            (std::vector<int>{1964, 1248, 425, 454, 510, 263}));
  EXPECT_EQ(r.i1, 404849);
  EXPECT_EQ(records[1].i1, 3085078);  // seven digits; the rest goes with the line
  EXPECT_EQ(records[2].date, Day(2015, 6, 1));
  EXPECT_EQ(records[3].date, Day(1999, 12, 31));
  EXPECT_EQ(records[3].year, 1999);
}

}  // namespace
