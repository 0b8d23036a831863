#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

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

// The limits are the least and greatest value met in the order of the
// points, both ends of an arrow in turn, and a bar's zero after it: which of
// -0 and +0 is met first shows in a label.
TEST_F(ChartFixture, TheFirstZeroMetBecomesTheLimit) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    TSeriesKind kind;
    std::vector<double> ys, y1s;  // y1s for arrows
    double min, max;
    bool minNegative, maxNegative;  // the sign of a zero limit
  };
  const Case cases[] = {
      {"+0 then -0", TSeriesKind::Point, {0.0, -0.0}, {}, 0, 0, false, false},
      {"-0 then +0", TSeriesKind::Point, {-0.0, 0.0}, {}, 0, 0, true, true},
      {"-0 among others", TSeriesKind::Point, {5, -0.0, 3, 0.0}, {}, 0, 5, true, false},
      {"a bar of -0, then its zero", TSeriesKind::Bar, {-0.0}, {}, 0, 0, true, true},
      {"a bar of no value still stands on zero", TSeriesKind::Bar, {nan}, {}, 0, 0, false, false},
      {"bars above zero", TSeriesKind::Bar, {3, 7}, {}, 0, 7, false, false},
      {"an arrow's end before the next start", TSeriesKind::Arrow, {2, 0.0}, {-0.0, 4}, 0, 4, true, false},
      {"large values need no order", TSeriesKind::Point, {-1e300, 7, 1e300}, {}, -1e300, 1e300, true, false},
  };
  for (const Case& c : cases) {
    TChart fresh("Chart", nullptr);
    TChartSeries* s = nullptr;
    if (c.kind == TSeriesKind::Bar) {
      s = fresh.AddSeries<TBarSeries>("s");
    } else if (c.kind == TSeriesKind::Arrow) {
      s = fresh.AddSeries<TArrowSeries>("s");
    } else {
      s = fresh.AddSeries<TPointSeries>("s");
    }
    for (size_t i = 0; i < c.ys.size(); ++i) {
      if (c.kind == TSeriesKind::Arrow) {
        static_cast<TArrowSeries*>(s)->AddArrow(double(i), c.ys[i], double(i), c.y1s[i]);
      } else {
        s->AddXY(double(i), c.ys[i]);
      }
    }
    fresh.LeftAxis.AdjustMaxMin();
    EXPECT_EQ(fresh.LeftAxis.Minimum, c.min) << c.what;
    EXPECT_EQ(fresh.LeftAxis.Maximum, c.max) << c.what;
    EXPECT_EQ(std::signbit(fresh.LeftAxis.Minimum), c.minNegative) << c.what;
    EXPECT_EQ(std::signbit(fresh.LeftAxis.Maximum), c.maxNegative) << c.what;
  }
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

TEST_F(ChartFixture, DeletingPointsTakesTheirLabelsAndColoursAlong) {
  struct Added {
    double x;
    std::string label;
    TColor color;
  };
  struct Kept {
    double x;
    std::string label;
    TColor color;
  };
  const std::vector<Added> five = {{1, "a", clRed}, {2, "", clTeeColor}, {3, "c", clBlue}, {4, "", clGreen},
                                   {5, "e", clTeeColor}};
  const struct {
    const char* name;
    std::vector<Added> points;
    std::vector<bool> remove;
    std::vector<Kept> kept;
  } cases[] = {
      {"labels after deleted points move down", five, {true, true, false, false, false},
       {{3, "c", clBlue}, {4, "", clGreen}, {5, "e", clTeeColor}}},
      {"a deleted point takes its label and colour", five, {false, false, true, false, true},
       {{1, "a", clRed}, {2, "", clTeeColor}, {4, "", clGreen}}},
      {"points beyond the flags stay", five, {false, true},
       {{1, "a", clRed}, {3, "c", clBlue}, {4, "", clGreen}, {5, "e", clTeeColor}}},
      {"a first colour after plain points", {{1, "", clTeeColor}, {2, "", clTeeColor}, {3, "z", clRed}},
       {true, false, false}, {{2, "", clTeeColor}, {3, "z", clRed}}},
      {"nothing flagged", {{1, "", clTeeColor}, {2, "b", clTeeColor}}, {false, false},
       {{1, "", clTeeColor}, {2, "b", clTeeColor}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TChart other("Other", nullptr);
    auto* s = chart.AddSeries<TPointSeries>(c.name);
    auto* copy = other.AddSeries<TPointSeries>("copy");
    copy->SetDataSource(s);
    for (const Added& p : c.points) s->AddXY(p.x, p.x * 10, p.label, p.color);
    s->DeletePoints(c.remove);
    ASSERT_EQ(s->Count(), static_cast<int>(c.kept.size()));
    ASSERT_EQ(copy->Count(), s->Count());
    for (size_t i = 0; i < c.kept.size(); ++i) {
      const TChartPoint p = s->Point(static_cast<int>(i));
      EXPECT_EQ(p.X, c.kept[i].x);
      EXPECT_EQ(p.Y, c.kept[i].x * 10);
      EXPECT_EQ(p.Label, c.kept[i].label);
      EXPECT_EQ(p.Color, c.kept[i].color);
      EXPECT_EQ(copy->XValue(static_cast<int>(i)), c.kept[i].x);
      EXPECT_EQ(copy->Point(static_cast<int>(i)).Label, "");  // a copy takes x and y only
    }
  }
}

TEST_F(ChartFixture, DeletingOnePointShiftsTheLabelsAfterIt) {
  auto* s = chart.AddSeries<TPointSeries>("s");
  s->AddXY(1, 1, "a");
  s->AddXY(2, 2, "b");
  s->AddXY(3, 3);
  s->AddXY(4, 4, "d");
  s->Delete(1);
  std::vector<std::string> labels;
  for (const TChartPoint& p : s->Points()) labels.push_back(p.Label);
  EXPECT_EQ(labels, (std::vector<std::string>{"a", "", "d"}));
  s->Delete(0);
  EXPECT_EQ(s->Point(0).Label, "");
  EXPECT_EQ(s->Point(1).Label, "d");
}

TEST_F(ChartFixture, EachKindKeepsTheEndsItHas) {
  auto* line = chart.AddSeries<TLineSeries>("line");
  auto* arrows = chart.AddSeries<TArrowSeries>("arrows");
  auto* gantt = chart.AddSeries<TGanttSeries>("gantt");
  auto* shape = chart.AddSeries<TChartShape>("shape");
  line->AddXY(1, 2);
  arrows->AddArrow(1, 2, 3, 4);
  gantt->AddGanttColor(1, 3, 2);
  shape->SetBounds(1, 2, 3, 4);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{line, arrows, gantt, shape}) s->SetYValue(0, 9);
  const struct {
    const char* name;
    const TChartSeries* series;
    double x1, y1;
  } cases[] = {
      {"a line point is one place", line, 1, 9},
      {"an arrow keeps its end", arrows, 3, 4},
      {"a Gantt bar ends along x in its row", gantt, 3, 9},
      {"a shape keeps its corner", shape, 3, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TChartPoint p = c.series->Point(0);
    EXPECT_EQ(p.X, 1);
    EXPECT_EQ(p.Y, 9);
    EXPECT_EQ(p.X1, c.x1);
    EXPECT_EQ(p.Y1, c.y1);
  }
  EXPECT_THROW(line->Point(1), std::out_of_range);
  EXPECT_THROW(line->PointColor(-1), std::out_of_range);
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
