#pragma once
// Reading values off a chart on screen: the point nearest the mouse, and the
// line of text that gives its values.

#include <functional>
#include <string>

#include "app/chart/chart_view_state.h"

class TChart;
class TChartSeries;

// A point as drawn. Arrows, Gantt bars and shapes run from the first end to
// the second; a plain point has both ends in one place.
struct PointHit {
  const TChartSeries* series = nullptr;  // null: no point
  int index = -1;
  double x = 0, y = 0, x1 = 0, y1 = 0;  // pixels
};

// The drawn scale of an axis; null for an axis that is not drawn.
using ScaleOf = std::function<const PixelScale*(const TChartAxis& axis)>;

// Where a point of a series is drawn; no series when it cannot be drawn.
PointHit LocatePoint(const TChartSeries& series, int index, const ScaleOf& scaleOf);

// The point of the chart's active series nearest the pixel (x, y), measured
// to the line between its ends. Only points that show in the plot count, and
// a pixel outside the plot finds nothing.
PointHit NearestPoint(const TChart& chart, const ScaleOf& scaleOf, const PixelRect& plot, double x, double y);

// The chart, the series (its title, else the title of its vertical axis, else
// its name), the x value (a date in the axis' date format on a date axis),
// the y value and the point's label; both ends where a point has two.
// For example "DTGraph  Dead time, ns.  14/03/19  34.5 -> 36.2".
std::string DescribePoint(const TChart& chart, const TChartSeries& series, int index);
