#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "app/chart/chart.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"

namespace chart_render {

QPen ColourPen(const QColor& colour, int width) {
  QPen pen(colour);
  pen.setWidth(std::clamp(width, 1, 50));
  return pen;
}

// ---------------------------------------------------------------- pointers

namespace {

template <size_t N>
void DrawPolygon(QPainter& p, const std::array<QPointF, N>& corners) {
  p.drawPolygon(corners.data(), static_cast<int>(N));
}

// Strokes only: drawn in the point's colour, as there is nothing to fill.
void DrawCross(QPainter& p, TPointerStyle style, double x, double y, double hs, double vs, const QColor& colour) {
  const QPen saved = p.pen();
  p.setPen(ColourPen(colour));
  if (style != TPointerStyle::psDiagCross) {
    p.drawLine(QPointF(x - hs, y), QPointF(x + hs, y));
    p.drawLine(QPointF(x, y - vs), QPointF(x, y + vs));
  }
  if (style != TPointerStyle::psCross) {
    p.drawLine(QPointF(x - hs, y - vs), QPointF(x + hs, y + vs));
    p.drawLine(QPointF(x - hs, y + vs), QPointF(x + hs, y - vs));
  }
  p.setPen(saved);
}

}  // namespace

void DrawPointer(QPainter& p, const TSeriesPointer& ptr, const QPointF& c, const QColor& colour) {
  const double hs = PointerHalfSize(ptr.HorizSize), vs = PointerHalfSize(ptr.VertSize);
  const double x = c.x(), y = c.y();
  switch (ptr.Style) {
    case TPointerStyle::psRectangle: p.drawRect(QRectF(x - hs, y - vs, 2 * hs, 2 * vs)); break;
    case TPointerStyle::psCircle: p.drawEllipse(c, hs, vs); break;
    case TPointerStyle::psTriangle:
      DrawPolygon<3>(p, {QPointF(x, y - vs), QPointF(x + hs, y + vs), QPointF(x - hs, y + vs)});
      break;
    case TPointerStyle::psDownTriangle:
      DrawPolygon<3>(p, {QPointF(x - hs, y - vs), QPointF(x + hs, y - vs), QPointF(x, y + vs)});
      break;
    case TPointerStyle::psDiamond:
      DrawPolygon<4>(p, {QPointF(x, y - vs), QPointF(x + hs, y), QPointF(x, y + vs), QPointF(x - hs, y)});
      break;
    case TPointerStyle::psCross:
    case TPointerStyle::psDiagCross:
    case TPointerStyle::psStar: DrawCross(p, ptr.Style, x, y, hs, vs, colour); break;
    case TPointerStyle::psSmallDot: p.fillRect(QRectF(x - 1, y - 1, 2, 2), colour); break;
  }
}

PointerStyle::PointerStyle(QPainter& p, const TSeriesPointer& ptr) : p_(p), ptr_(ptr) {
  if (ptr.OutlineVisible) {
    p.setPen(ColourPen(ToQColor(ptr.OutlineColor), ptr.OutlineWidth));
  } else {
    p.setPen(Qt::NoPen);
  }
}

QColor PointerStyle::Use(TColor pointColour) {
  const TColor c = ptr_.BrushColor == clTeeColor ? pointColour : ptr_.BrushColor;
  if (!set_ || c != current_) {
    current_ = c;
    colour_ = ToQColor(c);
    p_.setBrush(colour_);
    set_ = true;
  }
  return colour_;
}

// ---------------------------------------------------------------- series kinds

namespace {

// The points of a line in one pixel column, handed on as the first, the
// lowest, the highest and the last of them: the line through those covers
// the same pixels, and a line of more points than columns draws in a
// fraction of the time.
class ColumnReduction {
 public:
  explicit ColumnReduction(std::vector<QPointF>& out) : out_(out) {}

  void Add(const QPointF& q) {
    const double column = std::floor(q.x());
    if (n_ > 0 && column != column_) End();
    column_ = column;
    if (n_ < kKept) kept_[n_] = q;
    if (n_ == 0 || q.y() < low_.y()) low_ = q, lowAt_ = n_;
    if (n_ == 0 || q.y() > high_.y()) high_ = q, highAt_ = n_;
    last_ = q;
    ++n_;
  }

  // Hands on the points of the column begun.
  void End() {
    if (n_ <= kKept) {
      out_.insert(out_.end(), kept_.begin(), kept_.begin() + n_);
    } else {
      out_.push_back(kept_[0]);
      const bool lowFirst = lowAt_ < highAt_;
      PushInside(lowFirst ? low_ : high_);
      PushInside(lowFirst ? high_ : low_);
      out_.push_back(last_);
    }
    n_ = 0;
  }

 private:
  static constexpr size_t kKept = 4;

  // Many points zigzag across the whole column and leave it solid; a stroke
  // down its middle does too, where one at the points' own x would share its
  // ink with the next column.
  void PushInside(const QPointF& q) { out_.push_back(QPointF(column_ + 0.5, q.y())); }

  std::vector<QPointF>& out_;
  std::array<QPointF, kKept> kept_;
  size_t n_ = 0;
  double column_ = 0;
  size_t lowAt_ = 0, highAt_ = 0;
  QPointF low_, high_, last_;
};

// Segments and arrows by their two ends, exactly: a repeated record maps to
// the same pixels to the last bit.
struct Ends {
  double ax, ay, bx, by;
  bool operator==(const Ends& o) const { return ax == o.ax && ay == o.ay && bx == o.bx && by == o.by; }
};

Ends EndsOf(const QPointF& a, const QPointF& b) { return {a.x(), a.y(), b.x(), b.y()}; }

// Distinct ends numbered as first seen, in one flat table kept at most half
// full: a series of a million shapes that repeat nothing pays little for
// the looking, and one of a few thousand repeated stays in the cache.
class DistinctEnds {
 public:
  // The number of `ends`: the next one where they are new.
  uint32_t Number(const Ends& ends) {
    if (2 * (keys_.size() + 1) > slots_.size()) Grow();
    uint32_t& slot = SlotOf(ends);
    if (slot == 0) {
      keys_.push_back(ends);
      slot = static_cast<uint32_t>(keys_.size());  // fewer than 2^31: a series' points are counted in int
    }
    return slot - 1;
  }

 private:
  static uint64_t Hash(const Ends& e) {
    uint64_t h = 0;
    for (double v : {e.ax, e.ay, e.bx, e.by}) {
      uint64_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      h = (h ^ bits) * 0x9E3779B97F4A7C15ull;
      h ^= h >> 32;
    }
    return h;
  }

  // The slot holding `ends`, or the empty one where they would go.
  uint32_t& SlotOf(const Ends& ends) {
    const size_t mask = slots_.size() - 1;
    for (size_t at = Hash(ends) & mask;; at = (at + 1) & mask) {
      uint32_t& slot = slots_[at];
      if (slot == 0 || keys_[slot - 1] == ends) return slot;
    }
  }

  void Grow() {
    slots_.assign(std::max<size_t>(64, 2 * slots_.size()), 0);
    for (size_t k = 0; k < keys_.size(); ++k) SlotOf(keys_[k]) = static_cast<uint32_t>(k + 1);
  }

  std::vector<uint32_t> slots_;  // number + 1 of the ends there, 0 for none
  std::vector<Ends> keys_;       // by number
};

// A line far denser than the plot's columns after the column reduction
// passes over the same ground again and again, as a file of repeated
// records does. It is drawn in pieces, each at its first place: a piece of
// segments that come once, or one of segments that repeat as often as each
// other, drawn once with the ink of all its copies. Pieces stay polylines,
// as Qt strokes a segment within a polyline otherwise than alone.
void DrawDenseLine(QPainter& p, const std::vector<QPointF>& line, const QPen& pen) {
  DistinctEnds distinct;
  std::vector<uint32_t> numbers(line.size());  // of the segment ending at each point
  std::vector<int> copies;                     // by number; 0 once drawn
  for (size_t i = 1; i < line.size(); ++i) {
    numbers[i] = distinct.Number(EndsOf(line[i - 1], line[i]));
    if (numbers[i] == copies.size()) copies.push_back(0);
    ++copies[numbers[i]];
  }
  Piles piles(p);
  size_t pieceStart = 0;  // the point the piece begins at
  int pieceCopies = 0;    // of each of its segments; 0 for no piece
  auto endPiece = [&](size_t end) {
    if (pieceCopies > 0 && end > pieceStart) {
      piles.Add(pieceCopies, [&](QPainter& q) {
        q.setPen(pen);
        q.drawPolyline(line.data() + pieceStart, static_cast<int>(end - pieceStart + 1));
      });
    }
    pieceCopies = 0;
  };
  for (size_t i = 1; i < line.size(); ++i) {
    int& n = copies[numbers[i]];
    if (n != pieceCopies) {
      endPiece(i - 1);
      pieceStart = i - 1;
      pieceCopies = n;
    }
    n = 0;  // drawn here; later copies are in the pile
  }
  endPiece(line.size() - 1);
}

// The connecting line of a line or area series: runs of one colour are drawn
// as one polyline; a value that cannot be drawn breaks the line.
void DrawSeriesLine(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  std::vector<QPointF> run;
  ColumnReduction column(run);
  TColor runColour = s.SeriesColor;
  // A line reduced per column keeps at most four points in each.
  const size_t dense = 4 * static_cast<size_t>(c.plot.width() + 1);
  const bool piles = DrawsWholePixels(p);
  auto draw = [&]() {
    column.End();
    if (run.size() > 1) {
      QPen pen = ColourPen(ToQColor(runColour), s.LineWidth);
      if (s.LineDotted) pen.setStyle(Qt::DotLine);
      p.setPen(pen);
      // A dotted pen's dashes run along the whole polyline.
      if (piles && !s.LineDotted && run.size() > dense) {
        DrawDenseLine(p, run, pen);
      } else {
        p.drawPolyline(run.data(), static_cast<int>(run.size()));
      }
    }
  };
  const std::vector<double>& xs = s.XValues();
  const std::vector<double>& ys = s.YValues();
  for (size_t i = 0; i < xs.size(); ++i) {
    QPointF q;
    if (!c.Map(xs[i], ys[i], q)) {
      draw();
      run.clear();
      continue;
    }
    const TColor colour = s.PointColor(static_cast<int>(i));
    if (colour != runColour && !run.empty()) {
      draw();
      const QPointF last = run.back();
      run.clear();
      column.Add(last);
    }
    runColour = colour;
    column.Add(q);
  }
  draw();
}

void DrawLines(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  if (s.LineVisible) DrawSeriesLine(p, s, c);
  DrawPointers(p, s, c);
}

// The length of an arrow's head: the head size set, but no larger than the
// series' pointers ask for (a 1 by 1 pointer wants a small head), and no more
// than a third of the arrow, so that a short arrow still shows its length.
double ArrowHeadLength(const TArrowSeries& s, double arrowLength) {
  const double pointer = 2.0 * std::max(PointerHalfSize(s.Pointer.HorizSize), PointerHalfSize(s.Pointer.VertSize)) + 1;
  return std::min({double(std::clamp(s.ArrowHeight, 0, 100)), pointer, arrowLength / 3});
}

struct Arrow {
  QLineF shaft;
  std::array<QPointF, 3> head;
  bool hasHead;
  int copies;
};

// Arrows of one colour in a row are drawn together, shafts and then heads:
// one colour laid over itself gives the same pixels in any order, and the
// painter is set up once for the run instead of twice for every arrow. In a
// series of more arrows than the plot has columns, an arrow repeated within
// the run is drawn once with the ink of all its copies.
void DrawArrows(QPainter& p, const TArrowSeries& s, const SeriesContext& c) {
  const double height = std::clamp(s.ArrowHeight, 0, 100);
  const double width = std::clamp(s.ArrowWidth, 0, 100);
  const std::vector<double>& xs = s.XValues();
  const std::vector<double>& ys = s.YValues();
  const std::vector<double>& x1s = s.X1Values();
  const std::vector<double>& y1s = s.Y1Values();
  if (x1s.size() != xs.size() || y1s.size() != xs.size()) return;
  const bool piles = DrawsWholePixels(p) && xs.size() > static_cast<size_t>(c.plot.width()) && MayRepeat(s);
  std::vector<Arrow> run;
  // Where the first arrow of each distinct set of values stands in the run;
  // places in runs before, and those of values not drawn, are stale.
  struct Place {
    size_t run = SIZE_MAX, index = 0;
  };
  DistinctEnds distinct;
  std::vector<Place> places;  // by number of the values
  size_t runs = 0;
  bool piled = false;  // whether the run holds an arrow of several copies
  std::vector<QLineF> shafts;
  std::vector<std::array<QPointF, 3>> heads;
  TColor runColour = clTeeColor;
  auto draw = [&]() {
    const QColor colour = ToQColor(runColour);
    const QPen pen = ColourPen(colour, s.LineWidth);
    if (piled) {
      Piles layers(p);
      for (const Arrow& a : run) {
        if (a.copies == 1) continue;
        layers.Add(a.copies, [&](QPainter& q) {
          q.setPen(pen);
          q.drawLine(a.shaft);
          q.setPen(Qt::NoPen);
          q.setBrush(colour);
          if (a.hasHead) DrawPolygon<3>(q, a.head);
        });
      }
    }
    for (const Arrow& a : run) {
      if (a.copies > 1) continue;
      shafts.push_back(a.shaft);
      if (a.hasHead) heads.push_back(a.head);
    }
    p.setPen(pen);
    p.drawLines(shafts.data(), static_cast<int>(shafts.size()));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (const auto& head : heads) DrawPolygon<3>(p, head);
    run.clear();
    ++runs;
    piled = false;
    shafts.clear();
    heads.clear();
  };
  for (size_t i = 0; i < xs.size(); ++i) {
    const TColor colour = s.PointColor(static_cast<int>(i));
    // The same values give the same pixels: a repeat needs no mapping.
    const uint32_t number = piles ? distinct.Number({xs[i], ys[i], x1s[i], y1s[i]}) : 0;
    if (number >= places.size()) places.resize(number + 1);
    if (piles && places[number].run == runs && colour == runColour) {
      ++run[places[number].index].copies;
      piled = true;
      continue;
    }
    QPointF a, b;
    if (!c.Map(xs[i], ys[i], a) || !c.Map(x1s[i], y1s[i], b)) continue;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    if (!(dx * dx + dy * dy > 1e-18)) continue;  // no direction, nothing to point
    if (colour != runColour && !run.empty()) draw();
    runColour = colour;
    places[number] = {runs, run.size()};
    const double len = std::hypot(dx, dy);
    Arrow arrow{QLineF(a, b), {}, false, 1};
    const double length = ArrowHeadLength(s, len);
    if (length >= 1) {  // else too short for a head that could be seen
      // The head keeps the shape its height and width give it.
      const double halfWidth = height > 0 ? width / 2 * length / height : 0;
      const QPointF u(dx / len, dy / len), n(-u.y(), u.x());
      const QPointF base = b - u * length;
      arrow.head = {b, base + n * halfWidth, base - n * halfWidth};
      arrow.hasHead = true;
    }
    run.push_back(arrow);
  }
  if (!run.empty()) draw();
}

// The slot of a bar: the least pixel distance between neighbouring x values.
double BarSlot(const TChartSeries& s, const SeriesContext& c) {
  std::vector<double> xs;
  xs.reserve(static_cast<size_t>(s.Count()));
  for (const TChartPoint& pt : s.Points()) {
    double px = 0;
    if (c.x.ToPixel(pt.X, px)) xs.push_back(px);
  }
  std::sort(xs.begin(), xs.end());
  double slot = c.plot.width() / 4.0;
  for (size_t i = 1; i < xs.size(); ++i) {
    if (xs[i] - xs[i - 1] >= 1) slot = std::min(slot, xs[i] - xs[i - 1]);
  }
  return std::max(1.0, slot);
}

void DrawBars(QPainter& p, const TBarSeries& s, const SeriesContext& c) {
  const double width = std::max(1.0, BarSlot(s, c) * std::clamp(s.BarWidthPercent, 1, 100) / 100);
  // Bars stand on zero, or on the axis' end nearest to it.
  const double base = c.y.Logarithmic() ? c.y.Min() : std::clamp(0.0, c.y.Min(), c.y.Max());
  double baseY = 0;
  c.y.ToPixel(base, baseY);
  PointerStyle style(p, s.Pointer);
  if (width < 4) p.setPen(Qt::NoPen);  // an outline would hide a thin bar
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    QPointF top;
    if (!c.Map(pt.X, pt.Y, top)) continue;
    style.Use(s.PointColor(i));
    p.drawRect(QRectF(QPointF(top.x() - width / 2, std::min(top.y(), baseY)),
                      QPointF(top.x() + width / 2, std::max(top.y(), baseY))));
  }
}

// The fill under an area series: its colour made transparent as set, or a
// gradient from a pale tint at the bottom of the band up to that colour.
QBrush AreaBrush(const TAreaSeries& s, double bottom, double top) {
  QColor colour = ToQColor(s.SeriesColor);
  colour.setAlpha(255 * (100 - std::clamp(s.Transparency, 0, 100)) / 100);
  if (!s.GradientBottomToTop) return colour;
  QLinearGradient gradient(0, bottom, 0, top);
  QColor pale = colour.lighter(180);
  pale.setAlpha(colour.alpha());
  gradient.setColorAt(0, pale);
  gradient.setColorAt(1, colour);
  return gradient;
}

void DrawArea(QPainter& p, const TAreaSeries& s, const SeriesContext& c) {
  QPolygonF polygon;
  polygon.reserve(s.Count() + 2);
  for (const TChartPoint& pt : s.Points()) {
    QPointF q;
    if (c.Map(pt.X, pt.Y, q)) polygon.append(q);
  }
  if (polygon.size() > 1) {
    const double bottom = c.bandBottom;
    polygon.append(QPointF(polygon.back().x(), bottom));
    polygon.append(QPointF(polygon.front().x(), bottom));
    p.setBrush(AreaBrush(s, bottom, polygon.boundingRect().top()));
    p.setPen(Qt::NoPen);
    p.drawPolygon(polygon);
  }
  DrawLines(p, s, c);
}

void DrawGantt(QPainter& p, const TGanttSeries& s, const SeriesContext& c) {
  const double half = PointerHalfSize(s.Pointer.VertSize);
  PointerStyle style(p, s.Pointer);
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    QPointF a, b;
    if (!c.Map(pt.X, pt.Y, a) || !c.Map(pt.X1, pt.Y, b)) continue;
    style.Use(s.PointColor(i));
    p.drawRect(QRectF(QPointF(std::min(a.x(), b.x()), a.y() - half), QPointF(std::max(a.x(), b.x()), a.y() + half)));
  }
}

void DrawShape(QPainter& p, const TChartShape& s, const SeriesContext& c) {
  const QColor colour = ToQColor(s.SeriesColor);
  for (const TChartPoint& pt : s.Points()) {
    QPointF a, b;
    if (!c.Map(pt.X, pt.Y, a) || !c.Map(pt.X1, pt.Y1, b)) continue;
    if (s.Style == TChartShapeStyle::chasLine) {
      p.setPen(ColourPen(colour, s.LineWidth));
      p.drawLine(a, b);
      continue;
    }
    if (s.Pointer.OutlineVisible) {
      p.setPen(ColourPen(ToQColor(s.Pointer.OutlineColor), s.Pointer.OutlineWidth));
    } else {
      p.setPen(Qt::NoPen);
    }
    p.setBrush(colour);
    const QRectF r = QRectF(a, b).normalized();
    if (s.Style == TChartShapeStyle::chasCircle) {
      p.drawEllipse(r);
    } else {
      p.drawRect(r);
    }
  }
}

}  // namespace

void DrawSeries(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  switch (s.Kind()) {
    case TSeriesKind::Line: DrawLines(p, s, c); break;
    case TSeriesKind::Point: DrawPointers(p, s, c); break;
    case TSeriesKind::Arrow: DrawArrows(p, static_cast<const TArrowSeries&>(s), c); break;
    case TSeriesKind::Bar: DrawBars(p, static_cast<const TBarSeries&>(s), c); break;
    case TSeriesKind::Area: DrawArea(p, static_cast<const TAreaSeries&>(s), c); break;
    case TSeriesKind::Gantt: DrawGantt(p, static_cast<const TGanttSeries&>(s), c); break;
    case TSeriesKind::Shape: DrawShape(p, static_cast<const TChartShape&>(s), c); break;
  }
}

}  // namespace chart_render
