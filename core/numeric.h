#pragma once
// Numeric routines shared by the loaders.

#include <vector>

class TChartSeries;
class TChartAxis;

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

// Deletes the points whose y lies more than three standard deviations from the
// mean, walking from the last point so that the indices still to visit stay
// valid; mean and deviation are not recomputed. With fewer than two points, or
// no spread at all, nothing is deleted.
void RemoveOutliers(TChartSeries& series);

// The y range of the points whose x lies within the current limits of `xAxis`
// (ends included), rounded outward to multiples of `step` and widened by one
// more step at each end. With no such point min ends above max.
void VisibleRange(const TChartSeries& series, const TChartAxis& xAxis, double step, double& min,
                  double& max);
