#pragma once
// Where everything of a chart goes, worked out before anything is painted:
// plain data that the painters follow and tests check without pixels. Text
// sizes come from QFontMetrics; nothing here paints.

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

#include "app/chart/render/axis_map.h"

class ChartViewState;
class TChart;
class TChartAxis;
class TChartSeries;

// The title or the foot: one rectangle per line that has room, as wide as
// its text. Title lines keep clear of the controls shown over the chart.
struct TextBlockLayout {
  QFont font;
  struct Line {
    QRect rect;
    QString text;
  };
  std::vector<Line> lines;
};

struct AxisLabelLayout {
  double value = 0;  // the tick it names
  QString text;
  QRectF rect;
};

struct AxisTitleLayout {
  QString text;  // empty: no title; a title broken in two holds a line end
  QFont font;
  QSizeF box;      // the text's size before it is turned
  int angle = 0;   // degrees counter-clockwise
  QPointF centre;  // the painter turns the text about this point
  QRectF rect;     // the turned text's bounds
};

struct AxisLayout {
  const TChartAxis* axis = nullptr;
  bool shown = false;
  // The band: pixels the axis covers along the plot, top..bottom for a
  // vertical axis, left..right for a horizontal one. Bands that adjoin keep a
  // gap between them; the axis' limits lie a few pixels inside its band, so
  // that a point at a limit shows whole.
  double from = 0, to = 0;
  AxisMap map{0, 1, 0, 1};
  // None where the limits are made up: on an automatic axis without data,
  // or limits of one value that no data lie at.
  std::vector<double> ticks;
  // The labels drawn, in tick order; a label that would cover one of another
  // axis on the same side is left out.
  std::vector<AxisLabelLayout> labels;
  int labelWidth = 0;  // the widest label of the axis
  AxisTitleLayout title;
};

struct LegendLayout {
  QRect box;  // empty: no legend
  QFont font;
  struct Entry {
    const TChartSeries* series;
    QRect symbol;
    QRect textRect;
    QString text;  // cut short to its rectangle
  };
  std::vector<Entry> entries;
};

struct ChartLayout {
  QRect area;
  TextBlockLayout title, foot;
  LegendLayout legend;
  QRect axesRoom;  // what title, foot and legend leave: the plot and its axes
  QRect plot;
  int labelHeight = 0;  // of an axis label
  // Bottom, top, left and right, then the custom axes.
  std::vector<AxisLayout> axes;

  // The layout of one of the chart's axes; null for an axis of another chart.
  const AxisLayout* Find(const TChartAxis& axis) const;
};

// Lays `chart` out in `area`. A chart whose AlignPlotWith names another chart
// of the window gives its plot the left and right edges that suit both, the
// other laid out at its own size.
// With a `view`, the axes it zooms take its limits instead of the model's.
ChartLayout LayoutChart(const TChart& chart, const QRect& area, const ChartViewState* view = nullptr);
