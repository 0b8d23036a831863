#include "app/chart/chart_view_state.h"

#include <QRect>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"

namespace {

TEST(PixelScaleTest, TurnsValuesIntoPixelsAndBack) {
  struct Case {
    const char* name;
    PixelScale scale;
    double value, pixel;
  };
  const Case cases[] = {
      {"linear", {0, 10, 100, 200, false}, 2.5, 125},
      {"linear, upwards", {0, 100, 300, 100, false}, 25, 250},
      {"below the minimum", {0, 10, 100, 200, false}, -5, 50},
      {"logarithmic", {1, 1000, 0, 300, true}, 10, 100},
      {"logarithmic between decades", {1, 100, 0, 200, true}, std::sqrt(10.0), 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(c.scale.ToPixel(c.value), c.pixel, 1e-9);
    EXPECT_NEAR(c.scale.ToValue(c.pixel), c.value, 1e-9);
  }
  const PixelScale log{1, 1000, 0, 300, true};
  EXPECT_TRUE(std::isnan(log.ToPixel(0)));
  EXPECT_TRUE(std::isnan(log.ToPixel(-1)));
  EXPECT_TRUE(std::isnan(PixelScale{}.ToPixel(NAN)));
}

// A chart drawn with its bottom axis 0..10 over pixels 100..200 and its left
// axis 0..100 from pixel 300 up to pixel 100.
struct Drawn {
  TChart chart{"Chart", nullptr};
  TChartAxis* band = nullptr;
  std::vector<AxisScale> axes;
  ChartViewState view;

  Drawn() {
    chart.BottomAxis.SetMinMax(0, 10);
    chart.LeftAxis.SetMinMax(0, 100);
    band = chart.AddCustomAxis();
    band->SetStartEnd(40, 60);
    band->SetMinMax(-20, 20);
    axes = {{&chart.BottomAxis, {0, 10, 100, 200, false}},
            {&chart.LeftAxis, {0, 100, 300, 100, false}},
            {band, {-20, 20, 220, 180, false}}};
  }
  // The limits drawn now: the view's, else the model's.
  std::pair<double, double> Shown(const TChartAxis& axis) const {
    double lo = 0, hi = 0;
    if (!view.Limits(axis, lo, hi)) axis.CurrentLimits(lo, hi);
    return {lo, hi};
  }
};

using Limits = std::pair<double, double>;

TEST(ChartViewStateTest, ARectangleShowsTheValuesUnderItAndLeavesTheModelAlone) {
  struct Case {
    const char* name;
    PixelRect rect;
    Limits bottom, left;
  };
  const Case cases[] = {
      {"rectangle", {120, 150, 160, 250}, {2, 6}, {25, 75}},
      {"drawn backwards", {160, 250, 120, 150}, {2, 6}, {25, 75}},
      {"flat: x only", {120, 200, 160, 202}, {2, 6}, {0, 100}},
      {"narrow: y only", {120, 150, 122, 250}, {0, 10}, {25, 75}},
      {"a click", {120, 150, 121, 151}, {0, 10}, {0, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawn d;
    d.view.ZoomToRect(d.axes, c.rect);
    EXPECT_EQ(d.Shown(d.chart.BottomAxis), c.bottom);
    EXPECT_EQ(d.Shown(d.chart.LeftAxis), c.left);
    // A band keeps its values; the model keeps its limits.
    EXPECT_EQ(d.Shown(*d.band), Limits(-20, 20));
    EXPECT_EQ(d.chart.BottomAxis.Maximum, 10);
    EXPECT_EQ(d.chart.LeftAxis.Minimum, 0);
    EXPECT_FALSE(d.chart.BottomAxis.Automatic);
  }
}

TEST(ChartViewStateTest, TheWheelKeepsTheValueUnderTheMouseInPlace) {
  struct Case {
    const char* name;
    double factor;
    ZoomDirection direction;
    Limits bottom, left;
  };
  // The mouse at x = 150 (value 5), y = 250 (value 25).
  const Case cases[] = {
      {"closer", 0.5, ZoomDirection::Both, {2.5, 7.5}, {12.5, 62.5}},
      {"farther", 2, ZoomDirection::Both, {-5, 15}, {-25, 175}},
      {"across only", 0.5, ZoomDirection::Horizontal, {2.5, 7.5}, {0, 100}},
      {"up and down only", 0.5, ZoomDirection::Vertical, {0, 10}, {12.5, 62.5}},
      {"no factor", 0, ZoomDirection::Both, {0, 10}, {0, 100}},
      {"not a number", NAN, ZoomDirection::Both, {0, 10}, {0, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawn d;
    d.view.ZoomAbout(d.axes, 150, 250, c.factor, c.direction);
    EXPECT_EQ(d.Shown(d.chart.BottomAxis), c.bottom);
    EXPECT_EQ(d.Shown(d.chart.LeftAxis), c.left);
    EXPECT_EQ(d.Shown(*d.band), Limits(-20, 20));
  }
}

TEST(ChartViewStateTest, PanningMovesWhatIsShownWithTheMouse) {
  Drawn d;
  // Ten pixels right and fifty down: earlier and higher values come into view.
  d.view.Pan(d.axes, 10, 50);
  EXPECT_EQ(d.Shown(d.chart.BottomAxis), Limits(-1, 9));
  EXPECT_EQ(d.Shown(d.chart.LeftAxis), Limits(25, 125));
  EXPECT_EQ(d.Shown(*d.band), Limits(-20, 20));
  EXPECT_TRUE(d.view.Zoomed());
  d.view.Reset();
  EXPECT_FALSE(d.view.Zoomed());
  EXPECT_EQ(d.Shown(d.chart.BottomAxis), Limits(0, 10));
}

TEST(ChartViewStateTest, ALogarithmicAxisZoomsInDecades) {
  TChart chart("Chart", nullptr);
  chart.LeftAxis.SetLogarithmic(true);
  chart.LeftAxis.SetMinMax(1, 10000);
  ChartViewState view;
  // Decades 100 pixels apart, from 1 at pixel 400 up to 10000 at pixel 0.
  view.ZoomToRect({{&chart.LeftAxis, {1, 10000, 400, 0, true}}}, {0, 100, 0, 300});
  double lo = 0, hi = 0;
  ASSERT_TRUE(view.Limits(chart.LeftAxis, lo, hi));
  EXPECT_NEAR(lo, 10, 1e-9);
  EXPECT_NEAR(hi, 1000, 1e-9);
}

TEST(ChartViewStateTest, AViewThatWouldBeUnusableIsNotTaken) {
  struct Case {
    const char* name;
    double factor;
  };
  // Relative to the range 0..10 shown over 100 pixels.
  const Case cases[] = {
      {"narrower than the values can tell apart", 1e-12},
      {"far beyond what the model shows", 1e4},
      {"beyond what a double holds", 1e308},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawn d;
    d.view.ZoomAbout(d.axes, 150, 200, c.factor, ZoomDirection::Horizontal);
    EXPECT_EQ(d.Shown(d.chart.BottomAxis), Limits(0, 10));
  }
  // A pan far away is refused too.
  Drawn d;
  d.view.Pan(d.axes, -1e6, 0);
  EXPECT_EQ(d.Shown(d.chart.BottomAxis), Limits(0, 10));
}

TEST(ChartViewStateTest, ANewHandSetLimitShowsThroughTheZoom) {
  auto spinEdit = [](TChartAxis& a) { a.SetMaximum(80); };
  auto nothing = [](TChartAxis&) {};
  struct Case {
    const char* name;
    std::function<void(TChartAxis&)> before, reload;  // reload: the same file read again
    bool zoomed;
  };
  const Case cases[] = {
      {"nothing changed", nothing, nullptr, true},
      {"a spin edit", spinEdit, nullptr, false},
      {"made automatic", [](TChartAxis& a) { a.SetAutomatic(true); }, nullptr, false},
      {"the same file read again", nothing, spinEdit, true},
      {"a spin edit, then the same file again", spinEdit, [](TChartAxis& a) { a.SetMaximum(90); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawn d;
    d.view.ZoomToRect(d.axes, {120, 150, 160, 250});
    c.before(d.chart.LeftAxis);
    if (c.reload) {
      d.view.ForgetReplaced();
      c.reload(d.chart.LeftAxis);
      d.view.KeepAcrossReload();
    }
    double lo = 0, hi = 0;
    EXPECT_EQ(d.view.Limits(d.chart.LeftAxis, lo, hi), c.zoomed);
    // The other axis keeps its zoom.
    EXPECT_EQ(d.Shown(d.chart.BottomAxis), Limits(2, 6));
  }
}

TEST(ChartViewStateTest, DataAddedToAnAutomaticAxisKeepsTheZoom) {
  TChart chart("Chart", nullptr);
  TPointSeries* s = chart.AddSeries<TPointSeries>("S");
  s->AddXY(0, 0);
  s->AddXY(10, 10);
  ChartViewState view;
  view.ZoomToRect({{&chart.BottomAxis, {0, 10, 100, 200, false}}}, {120, 0, 160, 0});
  s->AddXY(11, 5);  // a day appended
  double lo = 0, hi = 0;
  ASSERT_TRUE(view.Limits(chart.BottomAxis, lo, hi));
  EXPECT_EQ(Limits(lo, hi), Limits(2, 6));
}

TEST(ChartViewStateTest, TheLayoutDrawsTheViewsLimitsWithoutInset) {
  TChart chart("Chart", nullptr);
  TPointSeries* s = chart.AddSeries<TPointSeries>("S");
  s->AddXY(0, 0);
  s->AddXY(10, 10);
  const QRect area(0, 0, 400, 300);
  const ChartLayout before = LayoutChart(chart, area);
  const AxisLayout& bottom = *before.Find(chart.BottomAxis);
  double from = 0;
  ASSERT_TRUE(bottom.map.ToPixel(0, from));
  EXPECT_GT(from, before.plot.left());  // an automatic axis keeps its ends inside
  ChartViewState view;
  view.ZoomToRect({{&chart.BottomAxis, {0, 10, 100, 200, false}}}, {120, 0, 160, 0});
  const ChartLayout zoomed = LayoutChart(chart, area, &view);
  const AxisMap& map = zoomed.Find(chart.BottomAxis)->map;
  EXPECT_EQ(map.Min(), 2);
  EXPECT_EQ(map.Max(), 6);
  double left = 0;
  ASSERT_TRUE(map.ToPixel(2, left));
  EXPECT_EQ(left, zoomed.plot.left());
  EXPECT_EQ(zoomed.Find(chart.LeftAxis)->map.Max(), before.Find(chart.LeftAxis)->map.Max());
}

}  // namespace
