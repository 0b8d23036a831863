#pragma once
// The painters of a laid-out chart, one short function per part. Each sets
// the pen, brush and font it needs.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRect>

#include <functional>
#include <map>
#include <memory>

#include "app/chart/render/axis_map.h"
#include "app/controls/controls.h"

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
  bool Map(double vx, double vy, QPointF& out) const {
    double px = 0, py = 0;
    if (!x.ToPixel(vx, px) || !y.ToPixel(vy, py)) return false;
    out = QPointF(px, py);
    return true;
  }
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

// pile_painter.cpp: shapes repeated at one place drawn with the ink of the
// whole pile at the cost of a few copies.
// Whether images copied to the painter land on whole pixels unscaled.
bool DrawsWholePixels(const QPainter& p);
// Whether two points of a series may coincide: false where x rises from
// every point to the next, as in most records, which need no looking.
bool MayRepeat(const TChartSeries& s);
// The image of `count` copies of `one` laid on each other.
QImage PileOf(const QImage& one, int count);

// Shapes of one colour, each to be drawn a number of times, on a painter
// that draws whole pixels. Copies of one colour give the same pixels in any
// order, and a pixel under n copies of coverage a ends with 1 - (1 - a)^n:
// a shape is drawn once on a layer that is laid on the painter, when the
// piles end, as n copies of itself.
class Piles {
 public:
  // Beyond this many copies every pixel a shape touches is solid.
  static constexpr int kMostCopies = 2048;

  explicit Piles(QPainter& p);
  ~Piles();
  Piles(const Piles&) = delete;
  Piles& operator=(const Piles&) = delete;

  // `draw` paints one copy of the shape, setting its own pen and brush.
  void Add(int copies, const std::function<void(QPainter&)>& draw);

 private:
  // A layer costs the pixels of what the painter shows twice over, whatever
  // it holds; one larger than kMostPixels is not made.
  static constexpr size_t kCountLayers = 8;
  static constexpr double kMostPixels = 4e6;
  struct Layer {
    QImage image;
    std::unique_ptr<QPainter> painter;
  };
  // Null where the layer would be too large.
  QPainter* LayerFor(int copies);

  QPainter& p_;
  QRect shown_;  // what the painter can show, where the layers lie
  std::map<int, Layer> layers_;  // by number of copies
};

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
