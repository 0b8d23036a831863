#include "core/numeric.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

std::vector<bool> OutlierMask(const std::vector<double>& values) {
  const size_t n = values.size();
  std::vector<bool> outlier(n, false);
  if (n < 2) return outlier;
  double sum = 0, sumSquares = 0;
  for (double v : values) {
    sum += v;
    sumSquares += v * v;
  }
  const double count = static_cast<double>(n);
  const double mean = sum / count;
  const double sd = std::sqrt((count * sumSquares - sum * sum) / count / (count - 1));
  // Equal values can leave a rounding-sized difference from the mean; without
  // a real spread nothing is an outlier.
  if (!(sd > 0) || !std::isfinite(sd)) return outlier;
  for (size_t i = 0; i < n; ++i) outlier[i] = std::fabs(values[i] - mean) > 3 * sd;
  return outlier;
}

void VisibleRange(const std::vector<double>& x, const std::vector<double>& y, double from, double to,
                  double step, double& min, double& max) {
  min = 1e10;
  max = -1e10;
  const size_t n = std::min(x.size(), y.size());
  for (size_t i = 0; i < n; ++i) {
    if (x[i] < from || x[i] > to) continue;
    min = std::min(min, y[i]);
    max = std::max(max, y[i]);
  }
  if (!(step > 0)) return;
  min = step * std::floor(min / step) - step;
  max = step * std::ceil(max / step) + step;
}
