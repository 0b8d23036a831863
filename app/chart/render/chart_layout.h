#pragma once
// Where everything of a chart goes, worked out before anything is painted:
// plain data that the painters follow and tests check without pixels. Text
// sizes come from QFontMetrics; nothing here paints.

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <vector>

#include "app/chart/render/axis_map.h"

class ChartViewState;
class TChart;
class TChartAxis;
class TChartSeries;

// The title or the foot: one rectangle per line that has room.
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
  QString text;  // empty: no title
  QFont font;
  int angle = 0;   // degrees counter-clockwise
  QPointF centre;  // the painter turns the text about this point
  QRectF rect;     // the turned text's bounds
};

struct AxisLayout {
  const TChartAxis* axis = nullptr;
  bool shown = false;
  // The band: pixels the axis covers along the plot, top..bottom for a
  // vertical axis, left..right for a horizontal one.
  double from = 0, to = 0;
  AxisMap map{0, 1, 0, 1};
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

// With a `view`, the axes it zooms take its limits instead of the model's.
ChartLayout LayoutChart(const TChart& chart, const QRect& area, const ChartViewState* view = nullptr);
