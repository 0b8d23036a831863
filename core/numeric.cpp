#include "core/numeric.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/chart/chart.h"

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

void LinearFit(const std::vector<double>& x, const std::vector<double>& y, int n, LinearFitResult& fit) {
  fit.r2 = 0;
  const int last = std::min<long long>({static_cast<long long>(n), static_cast<long long>(x.size()) - 1,
                                         static_cast<long long>(y.size()) - 1});
  double sx = 0, sy = 0, sxy = 0, sxx = 0, syy = 0;
  int used = 0;
  for (int i = 1; i <= last; ++i) {
    if (x[i] == kMissing) continue;
    ++used;
    sx += x[i];
    sy += y[i];
    sxy += x[i] * y[i];
    sxx += x[i] * x[i];
    syy += y[i] * y[i];
  }
  if (used < 3) return;
  const double count = used;

  const double cxx = sxx - sx * sx / count, cyy = syy - sy * sy / count, cxy = sxy - sx * sy / count;
  fit.r2 = cxx * cyy == 0 ? -1 : cxy * cxy / (cxx * cyy);

  const double d = sx * sx - count * sxx;
  fit.slope = d == 0 ? 0 : (sx * sy - count * sxy) / d;
  fit.intercept = d == 0 ? 0 : (sy - fit.slope * sx) / count;

  const double meanX = sx / count, meanY = sy / count;
  double residuals = 0, qyy = 0, qxx = 0, qxy = 0;
  for (int i = 1; i <= last; ++i) {
    if (x[i] == kMissing) continue;
    const double r = x[i] * fit.slope + fit.intercept - y[i];
    residuals += r * r;
    qyy += (y[i] - meanY) * (y[i] - meanY);
    qxx += (x[i] - meanX) * (x[i] - meanX);
    qxy += (x[i] - meanX) * (y[i] - meanY);
  }
  const double e = qyy - fit.slope * qxy;
  const double sigma = e > 0 ? std::sqrt(e / count) : 0;
  fit.slopeError = qxx > 0 ? sigma / std::sqrt(qxx) : 0;
  fit.meanError = qxx > 0 ? sigma / std::sqrt(count) : 0;
  fit.rms = std::sqrt(residuals / count);
}

void RemoveOutliers(TChartSeries& series) {
  const int n = series.Count();
  if (n < 2) return;
  double sum = 0, sumSquares = 0;
  for (int i = 0; i < n; ++i) {
    sum += series.YValue(i);
    sumSquares += series.YValue(i) * series.YValue(i);
  }
  const double mean = sum / n;
  const double sd = std::sqrt((n * sumSquares - sum * sum) / n / (n - 1));
  // Equal values can leave a rounding-sized difference from the mean; without
  // a real spread nothing is an outlier.
  if (!(sd > 0) || !std::isfinite(sd)) return;
  for (int i = n - 1; i >= 0; --i)
    if (std::fabs(series.YValue(i) - mean) > 3 * sd) series.Delete(i);
}

void VisibleRange(const TChartSeries& series, const TChartAxis& xAxis, double step, double& min,
                  double& max) {
  min = 1e10;
  max = -1e10;
  double from = 0, to = 0;
  xAxis.CurrentLimits(from, to);
  for (const TChartPoint& p : series.Points()) {
    if (p.X < from || p.X > to) continue;
    min = std::min(min, p.Y);
    max = std::max(max, p.Y);
  }
  if (!(step > 0)) return;
  min = step * std::floor(min / step) - step;
  max = step * std::ceil(max / step) + step;
}
