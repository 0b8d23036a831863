#pragma once
// The numeric helpers of core/numeric.h applied to chart series.

class TChartSeries;
class TChartAxis;

// Deletes, in one pass, the points whose y lies more than three standard
// deviations from the mean of all of them. With fewer than two points, or no
// spread at all, nothing is deleted.
void RemoveOutliers(TChartSeries& series);

// The y range of the points whose x lies within the current limits of `xAxis`
// (ends included), rounded outward to multiples of `step` and widened by one
// more step at each end. With no such point min ends above max.
void VisibleRange(const TChartSeries& series, const TChartAxis& xAxis, double step, double& min,
                  double& max);
