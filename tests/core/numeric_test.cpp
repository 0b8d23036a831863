#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "app/chart/chart.h"
#include "core/numeric.h"

namespace {

TEST(TruncToInt, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(TruncToInt(42.9), 42);
  EXPECT_EQ(TruncToInt(-42.9), -42);
  EXPECT_EQ(TruncToInt(1e300), INT_MAX);
  EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(TruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(LinearFit, WorkedExamples) {
  LinearFitResult fit;
  LinearFit({0, 1, 2, 3}, {0, 2, 4, 6}, 3, fit);
  EXPECT_DOUBLE_EQ(fit.slope, 2);
  EXPECT_NEAR(fit.intercept, 0, 1e-12);
  EXPECT_DOUBLE_EQ(fit.r2, 1);
  EXPECT_NEAR(fit.rms, 0, 1e-12);
  EXPECT_NEAR(fit.slopeError, 0, 1e-12);

  LinearFitResult flat;
  LinearFit({0, 1, 2, 3}, {0, 5, 5, 5}, 3, flat);
  EXPECT_EQ(flat.r2, -1);
  EXPECT_NEAR(flat.slope, 0, 1e-12);
  EXPECT_NEAR(flat.intercept, 5, 1e-12);
}

TEST(LinearFit, MissingPointsTakeNoPart) {
  LinearFitResult with, without;
  LinearFit({0, 1, kMissing, 2, 3, 4}, {0, 1.5, 999, 2.9, 4.2, 5.1}, 5, with);
  LinearFit({0, 1, 2, 3, 4}, {0, 1.5, 2.9, 4.2, 5.1}, 4, without);
  EXPECT_DOUBLE_EQ(with.slope, without.slope);
  EXPECT_DOUBLE_EQ(with.intercept, without.intercept);
  EXPECT_DOUBLE_EQ(with.rms, without.rms);
  EXPECT_DOUBLE_EQ(with.meanError, without.meanError);
  // four points (1, 1.5) .. (4, 5.1); the rms divides by n
  EXPECT_NEAR(without.slope, 1.21, 1e-12);
  EXPECT_NEAR(without.intercept, 0.4, 1e-12);
  EXPECT_NEAR(without.rms, std::sqrt(0.067 / 4), 1e-12);
}

TEST(LinearFit, FewerThanThreePointsWriteOnlyR2) {
  LinearFitResult fit;
  fit.slope = 7;
  fit.intercept = 8;
  fit.r2 = 5;
  LinearFit({0, 1, kMissing, 3}, {0, 1, 2, 3}, 3, fit);
  EXPECT_EQ(fit.r2, 0);
  EXPECT_EQ(fit.slope, 7);
  EXPECT_EQ(fit.intercept, 8);
  // n beyond the arrays reads nothing past them
  LinearFit({0, 1, 2}, {0, 1, 2}, 1000, fit);
  EXPECT_EQ(fit.slope, 7);
}

struct SeriesFixture : ::testing::Test {
  TChart chart{"chart", nullptr};
  TChartSeries* series = chart.AddSeries<TPointSeries>("s");
  void Fill(const std::vector<double>& ys) {
    series->Clear();
    for (size_t i = 0; i < ys.size(); ++i) series->AddXY(static_cast<double>(i), ys[i]);
  }
};

TEST_F(SeriesFixture, RemoveOutliersDeletesOnlyFarPoints) {
  std::vector<double> ys(20, 100.0);
  ys.insert(ys.begin() + 7, 1000.0);
  Fill(ys);
  RemoveOutliers(*series);
  ASSERT_EQ(series->Count(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(series->YValue(i), 100.0);
  EXPECT_EQ(series->XValue(7), 8);  // the point after the outlier moved up

  const std::vector<std::vector<double>> kept = {
      std::vector<double>(30, 0.1),  // equal values, rounding included
      {5},
      {},
      {1, 2, 3, 4, 5, 6},
  };
  for (const auto& values : kept) {
    Fill(values);
    RemoveOutliers(*series);
    EXPECT_EQ(series->Count(), static_cast<int>(values.size()));
  }
}

TEST_F(SeriesFixture, VisibleRangeRoundsOutwardAndWidensByAStep) {
  Fill({500, 12345, 13990, 13000, 99999});
  chart.BottomAxis.SetMinMax(1, 3);
  double min = 0, max = 0;
  VisibleRange(*series, chart.BottomAxis, 1000, min, max);
  EXPECT_EQ(min, 11000);
  EXPECT_EQ(max, 15000);

  Fill({1003, 1017});
  chart.BottomAxis.SetMinMax(0, 1);
  VisibleRange(*series, chart.BottomAxis, 5, min, max);
  EXPECT_EQ(min, 995);
  EXPECT_EQ(max, 1025);

  chart.BottomAxis.SetMinMax(50, 60);  // nothing visible
  VisibleRange(*series, chart.BottomAxis, 5, min, max);
  EXPECT_GT(min, max);
}

}  // namespace
