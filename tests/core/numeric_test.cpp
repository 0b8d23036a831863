#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

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

}  // namespace
