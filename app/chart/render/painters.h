#pragma once
// The painters of a laid-out chart, one short function per part. Each sets
// the pen, brush and font it needs.

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRect>

#include "app/chart/render/axis_map.h"
#include "app/controls/controls.h"

class QPainter;
class TChartSeries;
class TChartText;
struct TSeriesPointer;
struct AxisLayout;
struct ChartLayout;
struct LegendLayout;
struct TextBlockLayout;

namespace chart_render {

// What a series is drawn against.
struct SeriesContext {
  const AxisMap& x;
  const AxisMap& y;
  QRect plot;
  double bandBottom;  // pixel row of the bottom of the vertical axis' band

  // The pixel of a value pair; false when either value cannot be drawn.
  bool Map(double vx, double vy, QPointF& out) const;
};

QPen ColourPen(const QColor& colour, int width = 1);

// Sets pen and brush for the pointers of one series, changing the brush only
// when the colour does (a series may hold many thousands of points).
class PointerStyle {
 public:
  PointerStyle(QPainter& p, const TSeriesPointer& ptr);
  // Sets the brush for a point of the given colour; returns the fill.
  QColor Use(TColor pointColour);

 private:
  QPainter& p_;
  const TSeriesPointer& ptr_;
  bool set_ = false;
  TColor current_ = 0;
  QColor colour_;
};

// Half sizes are clamped so that a damaged setting cannot make a huge shape.
inline int PointerHalfSize(int v) { return v < 0 ? 0 : v > 100 ? 100 : v; }

void DrawPointer(QPainter& p, const TSeriesPointer& ptr, const QPointF& centre, const QColor& colour);

// pointer_painter.cpp: the pointers of a series, stamped where the painter
// draws whole pixels.
void DrawPointers(QPainter& p, const TChartSeries& s, const SeriesContext& c);

// text_painter.cpp
void DrawTextBlock(QPainter& p, const TextBlockLayout& block, const TChartText& text);
void DrawMarks(QPainter& p, const TChartSeries& s, const SeriesContext& c, const QRect& area);

// legend_painter.cpp
void DrawLegend(QPainter& p, const LegendLayout& legend);

// axis_painter.cpp
void DrawGrid(QPainter& p, const ChartLayout& layout);
void DrawAxes(QPainter& p, const ChartLayout& layout);

// series_painter.cpp: the one painter of the series' kind.
void DrawSeries(QPainter& p, const TChartSeries& s, const SeriesContext& c);

}  // namespace chart_render
