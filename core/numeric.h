#pragma once
// Numeric routines shared by the loaders.

#include <vector>

// trunc() as a whole number, saturated to the int range (NaN gives 0), so that
// a wild value from a damaged file never overflows a conversion.
int TruncToInt(double v);

// The x value that marks a point as missing in LinearFit.
inline constexpr double kMissing = -999;

struct LinearFitResult {
  double slope = 0;
  double intercept = 0;
  double slopeError = 0;
  double meanError = 0;
  double rms = 0;
  double r2 = 0;
};

// Least-squares line through the points (x[i], y[i]) for i = 1 .. n (element 0
// is not used); points whose x is kMissing take no part. With fewer than three
// usable points only r2 is written (0): the caller's other values stay. r2 is
// -1 when x or y does not vary. Errors use the divisor n, not n - 2. Indices
// beyond either array are not read.
void LinearFit(const std::vector<double>& x, const std::vector<double>& y, int n, LinearFitResult& fit);

// Marks the values that lie more than three standard deviations from their
// mean (mean and deviation of all of them, computed once). With fewer than two
// values, or no spread at all, nothing is marked.
std::vector<bool> OutlierMask(const std::vector<double>& values);

// The range of the y[i] whose x[i] lies within from..to (ends included),
// rounded outward to multiples of `step` and widened by one more step at each
// end. With no such point min ends above max.
void VisibleRange(const std::vector<double>& x, const std::vector<double>& y, double from, double to,
                  double step, double& min, double& max);
