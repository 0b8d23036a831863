#include "app/chart/series_numeric.h"

#include "app/chart/chart.h"
#include "core/numeric.h"

void RemoveOutliers(TChartSeries& series) { series.DeletePoints(OutlierMask(series.YValues())); }

void VisibleRange(const TChartSeries& series, const TChartAxis& xAxis, double step, double& min,
                  double& max) {
  double from = 0, to = 0;
  xAxis.CurrentLimits(from, to);
  VisibleRange(series.XValues(), series.YValues(), from, to, step, min, max);
}
