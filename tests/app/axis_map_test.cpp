#include "app/chart/render/axis_map.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/serial_date.h"
#include "tests/app/finishes_within.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double PixelOf(const AxisMap& map, double v) {
  double p = 0;
  EXPECT_TRUE(map.ToPixel(v, p)) << v;
  return p;
}

TEST(AxisMap, MapsValuesToPixels) {
  struct Case {
    const char* what;
    double min, max, pixelOfMin, pixelOfMax;
    bool log, inverted;
    double value, pixel;
  };
  const Case cases[] = {
      {"linear", 0, 10, 100, 200, false, false, 5, 150},
      {"linear below", 0, 10, 100, 200, false, false, -5, 50},
      {"vertical", 0, 10, 300, 100, false, false, 2.5, 250},
      {"inverted", 0, 10, 300, 100, false, true, 2.5, 150},
      {"inverted min", 0, 10, 300, 100, false, true, 0, 100},
      {"band of 40..50 per cent", -20, 20, 240, 200, false, false, 0, 220},
      {"band top", -20, 20, 240, 200, false, false, 20, 200},
      {"log decade", 1, 1000, 0, 300, true, false, 100, 200},
      {"log half decade", 1, 1000, 0, 300, true, false, std::sqrt(10.0), 50},
      {"log inverted", 1, 1000, 0, 300, true, true, 10, 200},
      {"reversed limits", 10, 0, 100, 200, false, false, 10, 200},
      {"dates", 43466, 44166, 0, 700, false, false, 43566, 100},
  };
  for (const Case& c : cases) {
    const AxisMap map(c.min, c.max, c.pixelOfMin, c.pixelOfMax, c.log, c.inverted);
    EXPECT_NEAR(PixelOf(map, c.value), c.pixel, 1e-9) << c.what;
  }
}

TEST(AxisMap, RepairsUnusableLimits) {
  struct Case {
    const char* what;
    double min, max;
    bool log;
    double value;  // must land inside the pixel interval
  };
  const Case cases[] = {
      {"equal", 5, 5, false, 5},
      {"equal zero", 0, 0, false, 0},
      {"equal huge", 1e300, 1e300, false, 1e300},
      {"equal near the largest double", 1.7e308, 1.7e308, false, 1.7e308},
      {"NaN minimum", kNaN, 3, false, 3},
      {"infinite maximum", 2, kInf, false, 2},
      {"both not finite", kNaN, -kInf, false, 0},
      {"log from zero", 0, 100, true, 100},
      {"log from negative", -5, 100, true, 1},
      {"log all negative", -10, -1, true, 5},
      {"log equal", 10, 10, true, 10},
      {"log equal small", 0.001, 0.001, true, 0.001},
  };
  for (const Case& c : cases) {
    const AxisMap map(c.min, c.max, 0, 100, c.log);
    EXPECT_TRUE(std::isfinite(map.Min()) && std::isfinite(map.Max())) << c.what;
    EXPECT_LT(map.Min(), map.Max()) << c.what;
    if (c.log) {
      EXPECT_GT(map.Min(), 0) << c.what;
    }
    const double p = PixelOf(map, c.value);
    EXPECT_GE(p, 0) << c.what;
    EXPECT_LE(p, 100) << c.what;
  }
  // A positive maximum survives on a log axis with a minimum at or below zero.
  EXPECT_EQ(AxisMap(-5, 100, 0, 1, true).Max(), 100);
  // An equal pair is centred.
  EXPECT_NEAR(PixelOf(AxisMap(7, 7, 0, 100), 7), 50, 1e-6);
}

TEST(AxisMap, ReportsWhatCannotBeDrawnAndClampsTheRest) {
  const AxisMap linear(0, 1, 0, 500);
  const AxisMap log(1, 10, 0, 500, true);
  double p = 0;
  for (double v : {kNaN, kInf, -kInf}) {
    EXPECT_FALSE(linear.ToPixel(v, p)) << v;
    EXPECT_FALSE(log.ToPixel(v, p)) << v;
  }
  EXPECT_FALSE(log.ToPixel(0, p));
  EXPECT_FALSE(log.ToPixel(-1, p));
  EXPECT_EQ(PixelOf(linear, 1e300), kMaxPixel);
  EXPECT_EQ(PixelOf(linear, -1e300), -kMaxPixel);
  EXPECT_NEAR(PixelOf(log, 1e-300), -150000, 1e-6);
  // The widest finite range still maps its middle to the middle.
  EXPECT_NEAR(PixelOf(AxisMap(-1.7e308, 1.7e308, 0, 100), 0), 50, 1e-6);
  // A range of a few ulps must not divide by zero or give NaN.
  const AxisMap tiny(1, std::nextafter(1.0, 2.0), 0, 100);
  EXPECT_TRUE(tiny.ToPixel(1e300, p));
  EXPECT_EQ(p, kMaxPixel);
  // A band without height puts everything on its one pixel.
  EXPECT_EQ(PixelOf(AxisMap(0, 10, 40, 40), 3), 40);
  // Pixel ends themselves are clamped.
  EXPECT_EQ(AxisMap(0, 1, -1e9, 1e9).PixelHigh(), kMaxPixel);
}

TEST(AxisMap, PlacesLabelsInsideTheirInterval) {
  struct Case {
    double pixel, size, from, to, expectFrom;
  };
  const Case cases[] = {
      {50, 10, 0, 100, 45},   // centred
      {2, 10, 0, 100, 0},     // pushed down from the top
      {99, 10, 0, 100, 90},   // pushed up from the bottom
      {-40, 10, 0, 100, 0},   // far outside
  };
  for (const Case& c : cases) {
    const LabelSpan s = PlaceLabel(c.pixel, c.size, c.from, c.to);
    EXPECT_DOUBLE_EQ(s.from, c.expectFrom) << c.pixel;
    EXPECT_DOUBLE_EQ(s.to, c.expectFrom + c.size) << c.pixel;
  }
}

TickRules Rules(double from, double to, double labelSize, double desired = 0, int separation = 10) {
  TickRules rules;
  rules.desiredIncrement = desired;
  rules.separationPercent = separation;
  rules.labelFrom = from;
  rules.labelTo = to;
  rules.labelSize = [labelSize](double) { return labelSize; };
  return rules;
}

// Labels of `size` pixels, kept inside 0..length, stand at least `gap`
// pixels apart.
bool Apart(const AxisMap& map, const std::vector<double>& ticks, double length, double size, double gap) {
  std::vector<LabelSpan> spans;
  for (double t : ticks) spans.push_back(PlaceLabel(PixelOf(map, t), size, 0, length));
  std::sort(spans.begin(), spans.end(), [](const LabelSpan& a, const LabelSpan& b) { return a.from < b.from; });
  for (size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].from - spans[i - 1].to < gap) return false;
  }
  return true;
}

// The spacing of evenly stepped ticks.
double StepOf(const std::vector<double>& ticks) { return ticks.size() < 2 ? 0 : ticks[1] - ticks[0]; }

TEST(AxisTicks, ValueTicksAreTheDensestNiceStepThatFits) {
  struct Case {
    const char* what;
    double min, max, length, labelSize, desired;
    double first, step;
    size_t count;
  };
  const Case cases[] = {
      {"room for many", 0, 10, 500, 11, 0, 0, 0.5, 21},
      {"wide labels kept inside the axis", 0, 10, 500, 40, 0, 0, 2, 6},
      {"desired increment", 0, 10, 500, 11, 2, 0, 2, 6},
      {"desired increment not nice", 0, 10, 500, 11, 3, 0, 5, 3},
      {"offset range", 0.989, 1.011, 300, 11, 0, 0.99, 0.002, 11},
      {"negative", -20, 20, 40, 11, 0, -20, 20, 3},
      {"large", 0, 3e9, 200, 11, 0, 0, 5e8, 7},
  };
  for (const Case& c : cases) {
    const AxisMap map(c.min, c.max, c.length, 0);
    const TickRules rules = Rules(0, c.length, c.labelSize, c.desired);
    const std::vector<double> ticks = ValueTicks(map, rules);
    ASSERT_EQ(ticks.size(), c.count) << c.what;
    EXPECT_NEAR(ticks.front(), c.first, 1e-9 * std::fabs(c.step)) << c.what;
    EXPECT_NEAR(StepOf(ticks), c.step, 1e-9 * c.step) << c.what;
    EXPECT_TRUE(LabelsFit(map, ticks, rules)) << c.what;
  }
}

TEST(AxisTicks, LabelsNeverOverlapAndStepsObeyTheIncrement) {
  const double ranges[][2] = {{0, 1}, {-3.7, 12.2}, {1e-7, 3e-7}, {43000, 43700}, {-1e6, 1e9}, {5, 5}};
  for (const auto& r : ranges) {
    for (double length : {12.0, 30.0, 90.0, 400.0, 1500.0}) {
      for (double label : {11.0, 60.0}) {
        for (double desired : {0.0, 1.0, 0.25}) {
          const AxisMap map(r[0], r[1], length, 0);
          const TickRules rules = Rules(0, length, label, desired, 80);
          const std::vector<double> ticks = ValueTicks(map, rules);
          SCOPED_TRACE(testing::Message() << r[0] << ".." << r[1] << " in " << length << " px, labels " << label
                                          << ", increment " << desired);
          EXPECT_TRUE(Apart(map, ticks, length, label, 0.8 * label));
          for (double t : ticks) {
            EXPECT_GE(t, map.Min() - 1e-9 * std::fabs(map.Min()));
            EXPECT_LE(t, map.Max() + 1e-9 * std::fabs(map.Max()));
          }
          const bool ends = ticks.size() == 2 && ticks[0] == map.Min() && ticks[1] == map.Max();
          if (ticks.size() > 1 && !ends) {
            EXPECT_GE(StepOf(ticks), desired * (1 - 1e-9));
          }
          // Where two labels have room, at least two are shown.
          if (length >= 2 * label + 0.8 * label + 1) {
            EXPECT_GE(ticks.size(), 2u);
          }
        }
      }
    }
  }
}

TEST(AxisTicks, ThinBandsFallBackToTheirEnds) {
  // The R/S band of the composite chart: 0.989..1.011, increment 1.
  const AxisMap band(0.989, 1.011, 40, 0);
  EXPECT_EQ(ValueTicks(band, Rules(0, 40, 11, 1)), (std::vector<double>{0.989, 1.011}));
  // No room for two labels: the one tick that fits.
  const AxisMap thin(0.989, 1.011, 15, 0);
  EXPECT_EQ(ValueTicks(thin, Rules(0, 15, 11)), (std::vector<double>{1.0}));
  // No room for any.
  EXPECT_TRUE(ValueTicks(AxisMap(0, 1, 8, 0), Rules(0, 8, 11)).empty());
}

TEST(AxisTicks, LogTicksShowDecadesAndTwoAndFiveWhenThereIsRoom) {
  struct Case {
    double length;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {600, {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 1e4, 2e4, 5e4, 1e5, 2e5, 5e5, 1e6}},
      {120, {1, 10, 100, 1000, 1e4, 1e5, 1e6}},
      {60, {1, 100, 1e4, 1e6}},
  };
  for (const Case& c : cases) {
    const AxisMap map(1, 1e6, c.length, 0, true);
    const std::vector<double> ticks = LogTicks(map, Rules(0, c.length, 11));
    ASSERT_EQ(ticks.size(), c.expected.size()) << c.length;
    for (size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], c.expected[i], 1e-9 * c.expected[i]);
  }
  // Within one decade: plain steps.
  const AxisMap narrow(150, 180, 300, 0, true);
  const std::vector<double> ticks = AxisTicks(narrow, false, Rules(0, 300, 11));
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_NEAR(StepOf(ticks), 2, 1e-9);
}

// Serial dates for the tests.
double Day(int y, int m, int d) {
  double s = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, s));
  return s;
}

TEST(AxisTicks, DateTicksFallOnMidnightsWeeksMonthsAndYears) {
  enum Expect { Days2, Mondays, MonthStarts, OddMonthStarts, FiveYears };
  struct Case {
    const char* what;
    double min, max, length, desired;
    Expect expect;
  };
  const Case cases[] = {
      {"20 days", Day(2019, 3, 1), Day(2019, 3, 21), 800, 1, Days2},
      {"20 days, weekly", Day(2019, 3, 1), Day(2019, 3, 21), 800, 7, Mondays},
      {"700 days, wide", Day(2018, 1, 10), Day(2018, 1, 10) + 700, 2000, 1, MonthStarts},
      {"700 days", Day(2018, 1, 10), Day(2018, 1, 10) + 700, 800, 1, OddMonthStarts},
      {"700 days, increment 35", Day(2018, 1, 10), Day(2018, 1, 10) + 700, 2000, 35, OddMonthStarts},
      {"30 years", Day(1990, 6, 1), Day(2020, 6, 1), 400, 1, FiveYears},
  };
  for (const Case& c : cases) {
    const AxisMap map(c.min, c.max, 0, c.length);
    const TickRules rules = Rules(0, c.length, 50, c.desired);
    const std::vector<double> ticks = AxisTicks(map, true, rules);
    ASSERT_GE(ticks.size(), 2u) << c.what;
    EXPECT_TRUE(Apart(map, ticks, c.length, 50, 5)) << c.what;
    for (double t : ticks) {
      int y = 0, m = 0, d = 0;
      DecodeDate(t, y, m, d);
      EXPECT_EQ(t, std::floor(t)) << c.what;
      EXPECT_GE(t, c.min) << c.what;
      EXPECT_LE(t, c.max) << c.what;
      switch (c.expect) {
        case Days2: EXPECT_EQ(std::fmod(t, 2.0), 0) << c.what; break;
        case Mondays: EXPECT_EQ(std::fmod(t - 2, 7.0), 0) << c.what; break;
        case MonthStarts: EXPECT_EQ(d, 1) << c.what; break;
        case OddMonthStarts: EXPECT_TRUE(d == 1 && m % 2 == 1) << c.what << " " << y << "-" << m << "-" << d; break;
        case FiveYears: EXPECT_TRUE(d == 1 && m == 1 && y % 5 == 0) << c.what << " " << y; break;
      }
    }
    if (c.expect == MonthStarts) {
      EXPECT_GE(ticks.size(), 22u);  // every month of the 700 days
    }
    if (c.expect == Days2) {
      EXPECT_EQ(StepOf(ticks), 2);
    }
  }
}

TEST(AxisTicks, DateTicksSurviveOddRanges) {
  // Less than a day: the two ends; far beyond the calendar: no hang.
  const AxisMap hours(43466.25, 43466.75, 0, 800);
  EXPECT_EQ(DateTicks(hours, Rules(0, 800, 50, 1)), (std::vector<double>{43466.25, 43466.75}));
  const AxisMap huge(-1e12, 1e12, 0, 800);
  const TickRules rules = Rules(0, 800, 50, 1);
  EXPECT_TRUE(LabelsFit(huge, DateTicks(huge, rules), rules));
}

}  // namespace

// ---------------------------------------------------------------- hostile limits

double NextUp(double v, int ulps) {
  for (int i = 0; i < ulps; ++i) v = std::nextafter(v, kInf);
  return v;
}

TEST(AxisTicks, NoLimitsMakeTickGenerationHangOrRunAway) {
  enum Kind { Linear, Log, Date };
  struct Case {
    const char* what;
    double min, max;
    Kind kind;
  };
  const double denormal = std::numeric_limits<double>::denorm_min();
  const Case cases[] = {
      {"huge magnitude with ulp spread", 1e20, NextUp(1e20, 8), Linear},
      {"beyond 2^53 with ulp spread", -std::ldexp(1.0, 60), NextUp(-std::ldexp(1.0, 60), 5), Linear},
      {"large doubles an ulp apart", 1.7e308, NextUp(1.7e308, 1), Linear},
      {"denormal limits", denormal, 40 * denormal, Linear},
      {"denormal from zero", 0, 3 * denormal, Linear},
      {"1e308 span", -1e308, 1e308, Linear},
      {"widest span", -std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), Linear},
      {"equal limits", 5, 5, Linear},
      {"equal huge limits", 1e300, 1e300, Linear},
      {"minus zero", -0.0, 0.0, Linear},
      {"NaN limits", kNaN, kNaN, Linear},
      {"infinite limits", -kInf, kInf, Linear},
      {"NaN and a value", kNaN, 1e20, Linear},
      {"log axis over 300 decades", 1e-150, 1e150, Log},
      {"log axis over every double", denormal, std::numeric_limits<double>::max(), Log},
      {"log denormal limits", denormal, 40 * denormal, Log},
      {"log huge with ulp spread", 1e300, NextUp(1e300, 3), Log},
      {"log equal limits", 7, 7, Log},
      {"log NaN limits", kNaN, kInf, Log},
      {"date axis over an enormous span", -1e300, 1e300, Date},
      {"date axis beyond the calendar", 1e300, NextUp(1e300, 2), Date},
      {"date denormal limits", denormal, 3 * denormal, Date},
      {"date equal limits", 43466, 43466, Date},
      {"date minus zero", -0.0, -0.0, Date},
      {"date non-finite limits", -kInf, kNaN, Date},
  };
  for (double length : {30.0, 500.0, 1e6}) {
    for (const Case& c : cases) {
      const std::string what = std::string(c.what) + " in " + std::to_string(length) + " px";
      SCOPED_TRACE(what);
      const AxisMap map(c.min, c.max, length, 0, c.kind == Log);
      // Usable limits: finite, in order, and apart by more than rounding.
      ASSERT_TRUE(std::isfinite(map.Min()) && std::isfinite(map.Max()));
      ASSERT_LT(map.Min(), map.Max());
      EXPECT_NE(map.Min() + (map.Max() - map.Min()) / 1024, map.Min());
      const TickRules rules = Rules(0, length, 11);
      const std::vector<double> ticks =
          FinishesWithin(std::chrono::seconds(20), what, [&] { return AxisTicks(map, c.kind == Date, rules); });
      // Labels 11 pixels high and apart: no more than fit on the axis.
      EXPECT_LE(ticks.size(), static_cast<size_t>(length / 12) + 1);
      EXPECT_TRUE(LabelsFit(map, ticks, rules));
      for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_TRUE(map.Drawable(ticks[i])) << ticks[i];
        if (i > 0) {
          EXPECT_LT(ticks[i - 1], ticks[i]);
        }
      }
      // Two labels have room on every length here: at least the two ends show.
      EXPECT_GE(ticks.size(), 2u);
    }
  }
}
