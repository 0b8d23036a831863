#include "app/chart/point_reading.h"

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "core/serial_date.h"

namespace {

// A chart whose bottom and left axes map value v to pixel 10 * v (x) and
// 200 - 10 * v (y), the right axis v to 200 - v, over a plot of 0..200.
struct Drawn {
  TChart chart{"DTGraph", nullptr};
  PixelScale bottom{0, 20, 0, 200, false};
  PixelScale left{0, 20, 200, 0, false};
  PixelScale right{0, 200, 200, 0, false};
  PixelRect plot{0, 0, 200, 200};

  ScaleOf Scales() const {
    return [this](const TChartAxis& a) -> const PixelScale* {
      if (&a == &chart.BottomAxis) return &bottom;
      if (&a == &chart.LeftAxis) return &left;
      if (&a == &chart.RightAxis) return &right;
      return nullptr;
    };
  }
  PointHit At(double x, double y) const { return NearestPoint(chart, Scales(), plot, x, y); }
};

TEST(PointReadingTest, FindsTheNearestPointOfTheActiveSeries) {
  Drawn d;
  TPointSeries* a = d.chart.AddSeries<TPointSeries>("A");
  a->AddXY(2, 2);    // pixel (20, 180)
  a->AddXY(10, 10);  // pixel (100, 100)
  TPointSeries* b = d.chart.AddSeries<TPointSeries>("B");
  b->SetVertAxis(TVertAxis::aRightAxis);
  b->AddXY(12, 150);  // pixel (120, 50)
  TArrowSeries* arrows = d.chart.AddSeries<TArrowSeries>("Arrows");
  arrows->AddArrow(18, 2, 18, 18);  // from (180, 180) up to (180, 20)
  TPointSeries* hidden = d.chart.AddSeries<TPointSeries>("Hidden");
  hidden->AddXY(5, 5);  // pixel (50, 150)
  hidden->SetActive(false);
  TPointSeries* away = d.chart.AddSeries<TPointSeries>("Away");
  away->AddXY(21, 10);  // pixel (210, 100): outside the plot

  struct Case {
    const char* name;
    double x, y;
    const TChartSeries* series;
    int index;
  };
  const Case cases[] = {
      {"on a point", 100, 100, a, 1},
      {"near a point", 25, 170, a, 0},
      {"a point of the right axis", 115, 55, b, 0},
      {"beside the middle of an arrow", 170, 100, arrows, 0},
      {"where an inactive series has a point", 50, 150, a, 0},
      {"nearest to a point outside the plot", 199, 100, arrows, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PointHit hit = d.At(c.x, c.y);
    EXPECT_EQ(hit.series, c.series);
    EXPECT_EQ(hit.index, c.index);
  }
  const PointHit arrow = d.At(170, 100);
  EXPECT_EQ(arrow.x, 180);
  EXPECT_EQ(arrow.y, 180);
  EXPECT_EQ(arrow.y1, 20);
}

TEST(PointReadingTest, NothingIsFoundWithoutDataOrOutsideThePlot) {
  Drawn d;
  EXPECT_EQ(d.At(100, 100).series, nullptr);
  TPointSeries* s = d.chart.AddSeries<TPointSeries>("S");
  s->AddXY(10, 10);
  EXPECT_EQ(d.At(100, 100).series, s);
  EXPECT_EQ(d.At(201, 100).series, nullptr);
  EXPECT_EQ(d.At(100, -1).series, nullptr);
  // A series on an axis that is not drawn cannot be read.
  TPointSeries* top = d.chart.AddSeries<TPointSeries>("Top");
  top->HorizAxis = THorizAxis::aTopAxis;
  top->AddXY(10, 10);
  EXPECT_EQ(d.At(100, 100).series, s);
  EXPECT_EQ(LocatePoint(*top, 0, d.Scales()).series, nullptr);
  EXPECT_EQ(LocatePoint(*s, 1, d.Scales()).series, nullptr);
}

TEST(PointReadingTest, DescribesThePointInTheAxesTerms) {
  TChart chart("DTGraph", nullptr);
  chart.BottomAxis.SetDateScale("Date");
  chart.LeftAxis.Title = "Dead time, ns.";
  TArrowSeries* arrows = chart.AddSeries<TArrowSeries>("Series12");
  const double day = EncodeDate(2019, 3, 14);
  arrows->AddArrow(day, 34.5, day, 36.25);
  TPointSeries* titled = chart.AddSeries<TPointSeries>("Series53");
  titled->Title = "Intensity";
  titled->AddXY(day + 1, 2.5, "lamp changed");
  TGanttSeries* bars = chart.AddSeries<TGanttSeries>("Series51");
  bars->SetVertAxis(TVertAxis::aRightAxis);
  bars->AddGanttColor(day, day + 3, 1);
  TPointSeries* plain = chart.AddSeries<TPointSeries>("Series7");
  plain->SetVertAxis(TVertAxis::aRightAxis);
  plain->AddXY(day, 1.0 / 3);

  struct Case {
    const TChartSeries* series;
    const char* text;
  };
  const Case cases[] = {
      {arrows, "DTGraph  Dead time, ns.  14/03/19  34.5 -> 36.25"},
      {titled, "DTGraph  Intensity  15/03/19  2.5  lamp changed"},
      {bars, "DTGraph  Series51  14/03/19 -> 17/03/19  1"},
      {plain, "DTGraph  Series7  14/03/19  0.333333"},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribePoint(chart, *c.series, 0), c.text);
}

}  // namespace
