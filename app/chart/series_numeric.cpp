#include "app/chart/series_numeric.h"

#include <vector>

#include "app/chart/chart.h"
#include "core/numeric.h"

namespace {

std::vector<double> XValues(const TChartSeries& series) {
  std::vector<double> x;
  x.reserve(series.Points().size());
  for (const TChartPoint& p : series.Points()) x.push_back(p.X);
  return x;
}

std::vector<double> YValues(const TChartSeries& series) {
  std::vector<double> y;
  y.reserve(series.Points().size());
  for (const TChartPoint& p : series.Points()) y.push_back(p.Y);
  return y;
}

}  // namespace

void RemoveOutliers(TChartSeries& series) { series.DeletePoints(OutlierMask(YValues(series))); }

void VisibleRange(const TChartSeries& series, const TChartAxis& xAxis, double step, double& min,
                  double& max) {
  double from = 0, to = 0;
  xAxis.CurrentLimits(from, to);
  VisibleRange(XValues(series), YValues(series), from, to, step, min, max);
}
