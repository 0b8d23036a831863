#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/chart/chart.h"

namespace {

struct ChartFixture : ::testing::Test {
  TChart chart{"Chart", nullptr};
  void Limits(const TChartAxis& axis, double& min, double& max) {
    const_cast<TChartAxis&>(axis).AdjustMaxMin();
    min = axis.Minimum;
    max = axis.Maximum;
  }
};

TEST_F(ChartFixture, AdjustMaxMinTakesTheExactDataOfActiveSeriesOnTheAxis) {
  auto* points = chart.AddSeries<TPointSeries>("points");
  points->AddXY(10, 5);
  points->AddXY(12, -3);
  auto* hidden = chart.AddSeries<TPointSeries>("hidden");
  hidden->AddXY(100, 1000);
  hidden->SetActive(false);
  auto* onRight = chart.AddSeries<TLineSeries>("right");
  onRight->SetVertAxis(TVertAxis::aRightAxis);
  onRight->AddXY(11, 77);

  double min = 0, max = 0;
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(min, -3);
  EXPECT_EQ(max, 5);
  Limits(chart.RightAxis, min, max);
  EXPECT_EQ(min, 77);
  EXPECT_EQ(max, 77);
  Limits(chart.BottomAxis, min, max);
  EXPECT_EQ(min, 10);
  EXPECT_EQ(max, 12);

  hidden->SetActive(true);
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(max, 1000);
}

TEST_F(ChartFixture, ArrowsShapesAndGanttBarsCountBothEnds) {
  auto* arrows = chart.AddSeries<TArrowSeries>("arrows");
  arrows->AddArrow(5, 30, 6, 14.2);
  auto* gantt = chart.AddSeries<TGanttSeries>("gantt");
  gantt->SetVertAxis(TVertAxis::aRightAxis);
  gantt->AddGanttColor(1, 20, 3);
  auto* bars = chart.AddSeries<TBarSeries>("bars");
  bars->SetVertAxis(TVertAxis::aRightAxis);
  bars->AddXY(7, 9);

  double min = 0, max = 0;
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(min, 14.2);
  EXPECT_EQ(max, 30);
  Limits(chart.BottomAxis, min, max);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 20);
  Limits(chart.RightAxis, min, max);  // bars stand on zero
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 9);
}

TEST_F(ChartFixture, CustomAxesFixedLimitsAndEmptyData) {
  TChartAxis* band = chart.AddCustomAxis();
  auto* s = chart.AddSeries<TPointSeries>("s");
  s->SetCustomVertAxis(band);
  s->AddXY(1, 281);
  s->AddXY(2, 292);
  auto* left = chart.AddSeries<TPointSeries>("left");
  left->AddXY(1, -50);

  double min = 0, max = 0;
  Limits(*band, min, max);
  EXPECT_EQ(min, 281);
  EXPECT_EQ(max, 292);
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(min, -50);  // the band's data stays on the band

  band->SetMinMax(-20, 20);
  Limits(*band, min, max);
  EXPECT_EQ(min, -20);
  EXPECT_EQ(max, 20);

  s->Clear();
  left->Clear();
  chart.LeftAxis.Minimum = 7;
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 0);
}

TEST_F(ChartFixture, NonFiniteValuesNeverBecomeLimits) {
  auto* s = chart.AddSeries<TPointSeries>("s");
  s->AddXY(1, std::numeric_limits<double>::quiet_NaN());
  s->AddXY(2, 4);
  s->AddXY(3, std::numeric_limits<double>::infinity());
  double min = 0, max = 0;
  Limits(chart.LeftAxis, min, max);
  EXPECT_EQ(min, 4);
  EXPECT_EQ(max, 4);
}

TEST_F(ChartFixture, PointsKeepLabelColourAndDeleteShiftsTheRest) {
  auto* s = chart.AddSeries<TPointSeries>("s");
  s->SetColor(clYellow);
  s->AddXY(1, 10, "a", clRed);
  s->AddXY(2, 20, "b");
  s->AddXY(3, 30, "c", clBlue);
  EXPECT_EQ(s->PointColor(0), clRed);
  EXPECT_EQ(s->PointColor(1), clYellow);  // "the series' own colour"
  EXPECT_EQ(s->Point(1).Color, clTeeColor);
  s->Delete(1);
  s->Delete(7);  // outside: ignored
  ASSERT_EQ(s->Count(), 2);
  EXPECT_EQ(s->Point(1).Label, "c");
  EXPECT_EQ(s->YValue(1), 30);
}

TEST_F(ChartFixture, AFollowingSeriesCopiesItsSourceAndFollowsIt) {
  TChart other("Other", nullptr);
  auto* source = chart.AddSeries<TArrowSeries>("source");
  source->AddArrow(1, 10, 1, 20, "x", clRed);
  auto* copy = other.AddSeries<TPointSeries>("copy");
  copy->SetDataSource(source);
  ASSERT_EQ(copy->Count(), 1);
  EXPECT_EQ(copy->YValue(0), 10);  // an arrow's start
  EXPECT_EQ(copy->Point(0).Color, clTeeColor);

  source->AddArrow(2, 11, 2, 21);
  source->AddArrow(3, 12, 3, 22);
  source->Delete(0);
  source->SetYValue(0, 99);
  ASSERT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->XValue(0), 2);
  EXPECT_EQ(copy->YValue(0), 99);
  source->Clear();
  EXPECT_EQ(copy->Count(), 0);
}

TEST_F(ChartFixture, RemoveAllSeriesDetachesButKeepsThem) {
  auto* s = chart.AddSeries<TLineSeries>("s");
  s->AddXY(1, 1);
  chart.RemoveAllSeries();
  EXPECT_TRUE(chart.Series().empty());
  EXPECT_EQ(s->Count(), 1);
  chart.AddExistingSeries(s);
  chart.AddExistingSeries(s);
  EXPECT_EQ(chart.Series().size(), 1u);
}

TEST_F(ChartFixture, ModelChangesAreAnnounced) {
  int changes = 0;
  chart.AddObserver([&] { ++changes; });
  auto* s = chart.AddSeries<TPointSeries>("s");
  s->AddXY(1, 1);
  chart.Title.Add("t");
  chart.LeftAxis.SetMinMax(0, 1);
  EXPECT_EQ(changes, 4);
}

}  // namespace
