#include "app/chart/point_reading.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/chart/chart.h"
#include "core/format.h"

namespace {

// Squared distance from (x, y) to the line from (x0, y0) to (x1, y1).
double SquaredDistance(double x, double y, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = dx * dx + dy * dy;
  const double t = length > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length, 0.0, 1.0) : 0.0;
  const double ex = x0 + t * dx - x, ey = y0 + t * dy - y;
  return ex * ex + ey * ey;
}

// Whether any of the line between a point's ends lies in the plot; half a
// pixel of slack keeps points drawn on the frame.
bool Shows(const PointHit& p, const PixelRect& plot) {
  return std::max(p.x, p.x1) >= plot.left - 0.5 && std::min(p.x, p.x1) <= plot.right + 0.5 &&
         std::max(p.y, p.y1) >= plot.top - 0.5 && std::min(p.y, p.y1) <= plot.bottom + 0.5;
}

std::string Value(const TChartAxis& axis, double v) {
  return axis.DateTime ? FormatDateTime(axis.DateTimeFormat, v) : FormatFloat("0.######", v);
}

std::string Ends(const TChartAxis& axis, double from, double to) {
  const std::string a = Value(axis, from), b = Value(axis, to);
  return a == b ? a : a + " -> " + b;
}

std::string SeriesName(const TChartSeries& s) {
  if (!s.Title.empty()) return s.Title;
  if (!s.GetVertAxis().Title.empty()) return s.GetVertAxis().Title;
  return s.Name;
}

}  // namespace

PointHit LocatePoint(const TChartSeries& series, int index, const ScaleOf& scaleOf) {
  const PixelScale* h = scaleOf(series.GetHorizAxis());
  const PixelScale* v = scaleOf(series.GetVertAxis());
  if (!h || !v || index < 0 || index >= series.Count()) return {};
  const TChartPoint& p = series.Point(index);
  PointHit hit{&series, index, h->ToPixel(p.X), v->ToPixel(p.Y), h->ToPixel(p.X1), v->ToPixel(p.Y1)};
  if (std::isnan(hit.x) || std::isnan(hit.y) || std::isnan(hit.x1) || std::isnan(hit.y1)) return {};
  return hit;
}

PointHit NearestPoint(const TChart& chart, const ScaleOf& scaleOf, const PixelRect& plot, double x, double y) {
  PointHit best;
  if (x < plot.left || x > plot.right || y < plot.top || y > plot.bottom) return best;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (const TChartSeries* s : chart.Series()) {
    if (!s->Active) continue;
    for (int i = 0; i < s->Count(); ++i) {
      const PointHit hit = LocatePoint(*s, i, scaleOf);
      if (!hit.series || !Shows(hit, plot)) continue;
      const double d = SquaredDistance(x, y, hit.x, hit.y, hit.x1, hit.y1);
      if (d < bestDistance) {
        bestDistance = d;
        best = hit;
      }
    }
  }
  return best;
}

std::string DescribePoint(const TChart& chart, const TChartSeries& series, int index) {
  const TChartPoint& p = series.Point(index);
  std::string text = chart.Name + "  " + SeriesName(series) + "  " + Ends(series.GetHorizAxis(), p.X, p.X1) +
                     "  " + Ends(series.GetVertAxis(), p.Y, p.Y1);
  if (!p.Label.empty()) text += "  " + p.Label;
  return text;
}
