#include "app/chart/render/chart_renderer.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/chart/render/axis_map.h"
#include "core/format.h"
#include "core/text.h"

namespace {

// A font every Debian machine has, sized in pixels, so that a chart looks
// the same on every screen and in every bitmap.
constexpr char kFontFamily[] = "DejaVu Sans";
constexpr int kLabelFontPx = 11;
constexpr int kLegendFontPx = 11;
constexpr int kSmallestTitlePx = 8;
constexpr int kMargin = 6;      // around the chart and between its blocks
constexpr int kTickLength = 4;  // outside the plot
constexpr int kGap = 3;         // between ticks, labels and titles
constexpr int kLegendPadding = 4;
constexpr double kDataInset = 6;  // room inside an automatic axis for the extreme points

QFont PixelFont(int px) {
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPixelSize(std::max(1, px));
  return font;
}

// A negative font height gives the character height without leading.
int FontPx(int height, int fallback) {
  const long px = std::labs(static_cast<long>(height));
  return px == 0 ? fallback : static_cast<int>(std::min(px, 200L));
}

// Texts from report files are 8-bit Latin-1; paths and our own texts are UTF-8.
QString Text(const std::string& s) { return QString::fromStdString(DisplayText(s)); }

// TColor is 0xBBGGRR; negative values are system colours, of which this
// program only uses the window face.
QColor ToQColor(TColor c, TColor teeColor = clBlack) {
  if (c == clTeeColor) c = teeColor;
  if (c < 0 || c == clTeeColor) return QColor(240, 240, 240);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QPen ColourPen(const QColor& colour, int width = 1) {
  QPen pen(colour);
  pen.setWidth(std::clamp(width, 1, 50));
  return pen;
}

// ---------------------------------------------------------------- title, foot

// Draws the lines of a title at the top of `rest` (or of a foot at its
// bottom) and returns what is left.
QRect DrawTextLines(QPainter& p, const TChartText& text, QRect rest, bool atTop) {
  const auto& lines = text.Lines();
  const bool any = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
  if (!text.Visible || !any) return rest;
  const QFont font = PixelFont(FontPx(text.FontHeight, 12));
  const int lineHeight = QFontMetrics(font).height();
  const int count = std::min(static_cast<int>(lines.size()), rest.height() / lineHeight);
  if (count <= 0) return rest;
  const int height = count * lineHeight;
  p.setFont(font);
  p.setPen(ToQColor(text.FontColor));
  const int top = atTop ? rest.top() : rest.bottom() + 1 - height;
  for (int i = 0; i < count; ++i) {
    const QRect line(rest.left(), top + i * lineHeight, rest.width(), lineHeight);
    p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, Text(lines[static_cast<size_t>(i)]));
  }
  return atTop ? rest.adjusted(0, height + kMargin, 0, 0) : rest.adjusted(0, 0, 0, -height - kMargin);
}

// ---------------------------------------------------------------- pointers

// Half sizes are clamped so that a damaged setting cannot make a huge shape.
int HalfSize(int v) { return std::clamp(v, 0, 100); }

void DrawPointer(QPainter& p, const TSeriesPointer& ptr, const QPointF& c, const QColor& colour) {
  const double hs = HalfSize(ptr.HorizSize), vs = HalfSize(ptr.VertSize);
  const double x = c.x(), y = c.y();
  switch (ptr.Style) {
    case TPointerStyle::psRectangle: p.drawRect(QRectF(x - hs, y - vs, 2 * hs, 2 * vs)); break;
    case TPointerStyle::psCircle: p.drawEllipse(c, hs, vs); break;
    case TPointerStyle::psTriangle: {
      const std::array<QPointF, 3> t{QPointF(x, y - vs), QPointF(x + hs, y + vs), QPointF(x - hs, y + vs)};
      p.drawPolygon(t.data(), 3);
      break;
    }
    case TPointerStyle::psDownTriangle: {
      const std::array<QPointF, 3> t{QPointF(x - hs, y - vs), QPointF(x + hs, y - vs), QPointF(x, y + vs)};
      p.drawPolygon(t.data(), 3);
      break;
    }
    case TPointerStyle::psDiamond: {
      const std::array<QPointF, 4> d{QPointF(x, y - vs), QPointF(x + hs, y), QPointF(x, y + vs), QPointF(x - hs, y)};
      p.drawPolygon(d.data(), 4);
      break;
    }
    case TPointerStyle::psCross:
    case TPointerStyle::psDiagCross:
    case TPointerStyle::psStar: {
      // Strokes only: drawn in the point's colour, as there is nothing to fill.
      const QPen saved = p.pen();
      p.setPen(ColourPen(colour));
      if (ptr.Style != TPointerStyle::psDiagCross) {
        p.drawLine(QPointF(x - hs, y), QPointF(x + hs, y));
        p.drawLine(QPointF(x, y - vs), QPointF(x, y + vs));
      }
      if (ptr.Style != TPointerStyle::psCross) {
        p.drawLine(QPointF(x - hs, y - vs), QPointF(x + hs, y + vs));
        p.drawLine(QPointF(x - hs, y + vs), QPointF(x + hs, y - vs));
      }
      p.setPen(saved);
      break;
    }
    case TPointerStyle::psSmallDot: p.fillRect(QRectF(x - 1, y - 1, 2, 2), colour); break;
  }
}

// Sets pen and brush for the pointers of one series, changing the brush only
// when the colour does (a series may hold many thousands of points).
class PointerStyle {
 public:
  PointerStyle(QPainter& p, const TSeriesPointer& ptr) : p_(p), ptr_(ptr) {
    if (ptr.OutlineVisible) {
      p.setPen(ColourPen(ToQColor(ptr.OutlineColor), ptr.OutlineWidth));
    } else {
      p.setPen(Qt::NoPen);
    }
  }
  // The colour of a point's pointer.
  QColor Use(TColor pointColour) {
    const TColor c = ptr_.BrushColor == clTeeColor ? pointColour : ptr_.BrushColor;
    if (!set_ || c != current_) {
      current_ = c;
      colour_ = ToQColor(c);
      p_.setBrush(colour_);
      set_ = true;
    }
    return colour_;
  }

 private:
  QPainter& p_;
  const TSeriesPointer& ptr_;
  bool set_ = false;
  TColor current_ = 0;
  QColor colour_;
};

// ---------------------------------------------------------------- axes

int ClampPercent(double v) { return static_cast<int>(std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 100.0)); }

// The smallest step a value format can show apart ("0.0" shows tenths), so
// that no two ticks get the same label.
double FormatResolution(const std::string& format) {
  const std::string section = format.substr(0, format.find(';'));
  if (section.empty() || section.find_first_of("Ee") != std::string::npos) return 0;
  const size_t point = section.find('.');
  if (point == std::string::npos) return 1;
  int decimals = 0;
  for (size_t i = point + 1; i < section.size() && (section[i] == '0' || section[i] == '#'); ++i) ++decimals;
  return std::pow(10.0, -decimals);
}

// Likewise for date formats: one day, or a month or a year when the format
// shows no day or month.
double DateResolution(const std::string& format) {
  auto has = [&](char c) {
    return format.find(c) != std::string::npos || format.find(static_cast<char>(c - 'a' + 'A')) != std::string::npos;
  };
  if (has('d')) return 1;
  if (has('m')) return 28;
  if (has('y')) return 365;
  return 1;
}

QString AxisLabel(const TChartAxis& axis, double v) {
  return Text(axis.DateTime ? FormatDateTime(axis.DateTimeFormat, v) : FormatFloat(axis.LabelsFormat, v));
}

// An axis title fitted to the room along its axis: a smaller font first, then
// cut short.
struct AxisTitle {
  QString text;
  QFont font;
  double across = 0;  // pixels taken across the axis
};

void RotatedSize(const QString& text, const QFont& font, int angle, double& width, double& height) {
  const QFontMetrics fm(font);
  const double w = fm.horizontalAdvance(text), h = fm.height();
  const double a = qDegreesToRadians(double(angle));
  width = std::fabs(w * std::cos(a)) + std::fabs(h * std::sin(a));
  height = std::fabs(w * std::sin(a)) + std::fabs(h * std::cos(a));
}

// Degrees counter-clockwise, within one turn.
int TitleAngle(const TChartAxis& axis) { return axis.TitleAngle % 360; }

AxisTitle FitTitle(const TChartAxis& axis, double room) {
  AxisTitle t;
  if (axis.Title.empty()) return t;
  const bool vertical = !axis.Horizontal();
  const int angle = TitleAngle(axis);
  t.text = Text(axis.Title);
  double w = 0, h = 0;
  for (int px = kLabelFontPx; px >= kSmallestTitlePx; --px) {
    t.font = PixelFont(px);
    RotatedSize(t.text, t.font, angle, w, h);
    if ((vertical ? h : w) <= room) break;
  }
  if ((vertical ? h : w) > room) {
    // Only a title along its axis gets shorter by cutting it.
    const int along = std::abs(angle % 180) == (vertical ? 90 : 0) ? static_cast<int>(room) : 0;
    t.text = QFontMetrics(t.font).elidedText(t.text, Qt::ElideRight, std::max(0, along));
    RotatedSize(t.text, t.font, angle, w, h);
  }
  t.across = t.text.isEmpty() ? 0 : (vertical ? w : h);
  return t;
}

// One axis as laid out for this drawing.
struct AxisView {
  const TChartAxis* axis = nullptr;
  bool shown = false;
  AxisMap map{0, 1, 0, 1};
  double from = 0, to = 0;  // pixels of the axis' extent: top..bottom or left..right
  std::vector<double> ticks;
  std::vector<QString> labels;
  int labelWidth = 0;  // widest label
  AxisTitle title;
};

// An axis is drawn when a drawn series uses it; with no active series at all,
// the bottom and left axes still show an empty frame.
bool AxisShown(const TChart& chart, const TChartAxis& axis) {
  if (!axis.Visible) return false;
  bool anyActive = false;
  for (const TChartSeries* s : chart.Series()) {
    if (!s->Active) continue;
    anyActive = true;
    if (&s->GetVertAxis() == &axis || &s->GetHorizAxis() == &axis) return true;
  }
  return !anyActive && (axis.Kind() == TAxisKind::Left || axis.Kind() == TAxisKind::Bottom);
}

struct Layout {
  std::vector<AxisView> axes;
  QRect rest;   // the room left for plot and axes
  QRect plot;
  int labelHeight = 0;
  int leftLabels = 0, rightLabels = 0;  // widest label on each side
};

void MapAxis(AxisView& v, const QRect& plot) {
  const TChartAxis& a = *v.axis;
  double lo = 0, hi = 0;
  a.CurrentLimits(lo, hi);
  const double start = ClampPercent(std::min(a.StartPosition, a.EndPosition));
  const double end = ClampPercent(std::max(a.StartPosition, a.EndPosition));
  if (a.Horizontal()) {
    v.from = plot.left() + (plot.width() - 1) * start / 100;
    v.to = plot.left() + (plot.width() - 1) * end / 100;
  } else {
    v.from = plot.top() + (plot.height() - 1) * start / 100;
    v.to = plot.top() + (plot.height() - 1) * end / 100;
  }
  // An automatic axis ends exactly at the extreme data: keep those points a
  // few pixels inside so that they show whole rather than cut by the frame.
  const double inset = a.Automatic ? std::min(kDataInset, (v.to - v.from) / 4) : 0;
  if (a.Horizontal())
    v.map = AxisMap(lo, hi, v.from + inset, v.to - inset, a.Logarithmic, a.Inverted);
  else
    v.map = AxisMap(lo, hi, v.to - inset, v.from + inset, a.Logarithmic, a.Inverted);
}

// An axis labelled with the texts of the points drawn against it (the rows of
// a time line): a label at each labelled point's position, the first of equal
// positions, and none that would overlap the one before.
void ChoosePointLabels(AxisView& v, const QFontMetrics& fm) {
  const TChartAxis& a = *v.axis;
  struct Found {
    double pixel, value;
    const std::string* text;
  };
  std::vector<Found> found;
  for (const TChartSeries* s : a.ParentChart()->Series()) {
    if (!s->Active || (a.Horizontal() ? &s->GetHorizAxis() : &s->GetVertAxis()) != &a) continue;
    for (const TChartPoint& pt : s->Points()) {
      const double value = a.Horizontal() ? pt.X : pt.Y;
      double pixel = 0;
      if (!pt.Label.empty() && v.map.ToPixel(value, pixel)) found.push_back({pixel, value, &pt.Label});
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const Found& l, const Found& r) { return l.pixel < r.pixel; });
  double lastEnd = -kMaxPixel;
  for (const Found& f : found) {
    const QString text = Text(*f.text);
    const double size = a.Horizontal() ? fm.horizontalAdvance(text) : fm.height();
    if (f.pixel - size / 2 < lastEnd) continue;
    lastEnd = f.pixel + size / 2;
    v.ticks.push_back(f.value);
    v.labels.push_back(text);
    v.labelWidth = std::max(v.labelWidth, fm.horizontalAdvance(text));
  }
}

void ChooseTicks(AxisView& v, const QFontMetrics& fm, double labelFrom, double labelTo) {
  const TChartAxis& a = *v.axis;
  TickRules rules;
  rules.desiredIncrement =
      std::max(a.Increment, a.DateTime ? DateResolution(a.DateTimeFormat) : FormatResolution(a.LabelsFormat));
  rules.separationPercent = std::clamp(a.LabelsSeparation, 0, 1000);
  rules.labelFrom = labelFrom;
  rules.labelTo = labelTo;
  if (a.Horizontal()) {
    rules.labelSize = [&](double value) { return double(fm.horizontalAdvance(AxisLabel(a, value))); };
  } else {
    const double height = fm.height();
    rules.labelSize = [height](double) { return height; };
  }
  v.ticks.clear();
  v.labels.clear();
  v.labelWidth = 0;
  if (a.PointLabels) {
    if (a.LabelsVisible) ChoosePointLabels(v, fm);
    return;
  }
  v.ticks = AxisTicks(v.map, a.DateTime, rules);
  if (!a.LabelsVisible) return;
  for (double t : v.ticks) {
    v.labels.push_back(AxisLabel(a, t));
    v.labelWidth = std::max(v.labelWidth, fm.horizontalAdvance(v.labels.back()));
  }
}

// Room a horizontal axis takes below (or above) the plot.
int HorizontalAxisDepth(const AxisView& v, int labelHeight) {
  if (!v.shown) return 0;
  int depth = kTickLength + kGap + (v.axis->LabelsVisible ? labelHeight : 0);
  if (v.title.across > 0) depth += kGap + static_cast<int>(std::ceil(v.title.across));
  return depth;
}

// Room the vertical axes of one side take beside the plot.
int SideWidth(const Layout& L, bool right, int& labels) {
  bool any = false;
  int titles = 0;
  labels = 0;
  for (const AxisView& v : L.axes) {
    if (!v.shown || v.axis->Horizontal() || v.axis->AtRight() != right) continue;
    any = true;
    labels = std::max(labels, v.labelWidth);
    titles = std::max(titles, static_cast<int>(std::ceil(v.title.across)));
  }
  if (!any) return 0;
  return kTickLength + kGap + labels + (titles > 0 ? kGap + titles : 0);
}

Layout LayoutAxes(const TChart& chart, QRect rest) {
  Layout L;
  L.rest = rest;
  const QFontMetrics fm(PixelFont(kLabelFontPx));
  L.labelHeight = fm.height();
  // Bottom and top come first: the heights below read them by index.
  std::vector<const TChartAxis*> all{&chart.BottomAxis, &chart.TopAxis, &chart.LeftAxis, &chart.RightAxis};
  for (const auto& custom : chart.CustomAxes()) all.push_back(custom.get());
  for (const TChartAxis* a : all) {
    AxisView v;
    v.axis = a;
    v.shown = AxisShown(chart, *a);
    if (v.shown && a->Horizontal()) v.title = FitTitle(*a, rest.width());
    L.axes.push_back(std::move(v));
  }
  // Heights first: the vertical axes' ticks depend on them, and the plot's
  // width depends on the vertical axes' labels.
  const int top = HorizontalAxisDepth(L.axes[1], L.labelHeight);
  const int bottom = HorizontalAxisDepth(L.axes[0], L.labelHeight);
  QRect plot(rest.left(), rest.top() + top, rest.width(), std::max(0, rest.height() - top - bottom));
  for (AxisView& v : L.axes) {
    if (v.axis->Horizontal()) continue;
    MapAxis(v, plot);
    if (!v.shown) continue;
    ChooseTicks(v, fm, v.from, v.to + 1);
    v.title = FitTitle(*v.axis, v.to + 1 - v.from);
  }
  const int left = SideWidth(L, false, L.leftLabels);
  const int right = SideWidth(L, true, L.rightLabels);
  plot.setLeft(rest.left() + left);
  plot.setWidth(std::max(0, rest.width() - left - right));
  for (AxisView& v : L.axes) {
    if (!v.axis->Horizontal()) continue;
    MapAxis(v, plot);
    if (v.shown) ChooseTicks(v, fm, rest.left(), rest.right() + 1);
  }
  L.plot = plot;
  return L;
}

const AxisView* FindAxis(const Layout& L, const TChartAxis& axis) {
  for (const AxisView& v : L.axes) {
    if (v.axis == &axis) return &v;
  }
  return nullptr;
}

void DrawGrid(QPainter& p, const Layout& L) {
  QPen pen(QColor(192, 192, 192));
  pen.setStyle(Qt::DotLine);
  p.setPen(pen);
  for (const AxisView& v : L.axes) {
    if (!v.shown || !v.axis->GridVisible) continue;
    for (double t : v.ticks) {
      double px = 0;
      if (!v.map.ToPixel(t, px)) continue;
      if (v.axis->Horizontal()) {
        p.drawLine(QPointF(px, L.plot.top()), QPointF(px, L.plot.bottom()));
      } else {
        p.drawLine(QPointF(L.plot.left(), px), QPointF(L.plot.right(), px));
      }
    }
  }
}

void DrawAxisTitle(QPainter& p, const AxisTitle& title, int angle, const QPointF& centre) {
  if (title.text.isEmpty()) return;
  const QFontMetrics fm(title.font);
  const double w = fm.horizontalAdvance(title.text), h = fm.height();
  p.save();
  p.setFont(title.font);
  p.translate(centre);
  p.rotate(-angle);  // counter-clockwise on screen: 90 reads upwards
  p.drawText(QRectF(-w / 2 - 1, -h / 2, w + 2, h), Qt::AlignCenter, title.text);
  p.restore();
}

// Labels of all the vertical axes on one side share a column; `taken` keeps
// them from covering each other where bands overlap.
void DrawVerticalAxis(QPainter& p, const Layout& L, const AxisView& v, std::vector<QRect>& taken) {
  const bool right = v.axis->AtRight();
  const double x = right ? L.plot.right() : L.plot.left();
  const double out = right ? 1 : -1;
  p.setPen(Qt::black);
  p.drawLine(QPointF(x, v.from), QPointF(x, v.to));
  const double labelX = x + out * (kTickLength + kGap);
  for (size_t i = 0; i < v.ticks.size(); ++i) {
    double y = 0;
    if (!v.map.ToPixel(v.ticks[i], y)) continue;
    p.drawLine(QPointF(x, y), QPointF(x + out * kTickLength, y));
    if (i >= v.labels.size()) continue;
    const LabelSpan span = PlaceLabel(y, L.labelHeight, v.from, v.to + 1);
    const int w = v.labelWidth;
    const QRect r(static_cast<int>(right ? labelX : labelX - w), static_cast<int>(std::lround(span.from)), w,
                  L.labelHeight);
    if (std::any_of(taken.begin(), taken.end(), [&](const QRect& t) { return t.intersects(r); })) continue;
    taken.push_back(r);
    p.drawText(r, (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, v.labels[i]);
  }
  const int labels = right ? L.rightLabels : L.leftLabels;
  const double titleX = labelX + out * (labels + kGap + v.title.across / 2);
  DrawAxisTitle(p, v.title, TitleAngle(*v.axis), QPointF(titleX, (v.from + v.to) / 2));
}

void DrawHorizontalAxis(QPainter& p, const Layout& L, const AxisView& v) {
  const bool top = v.axis->Kind() == TAxisKind::Top;
  const double y = top ? L.plot.top() : L.plot.bottom();
  const double out = top ? -1 : 1;
  p.setPen(Qt::black);
  p.drawLine(QPointF(v.from, y), QPointF(v.to, y));
  const double labelY = y + out * (kTickLength + kGap);
  const QFontMetrics fm(p.font());
  for (size_t i = 0; i < v.ticks.size(); ++i) {
    double x = 0;
    if (!v.map.ToPixel(v.ticks[i], x)) continue;
    p.drawLine(QPointF(x, y), QPointF(x, y + out * kTickLength));
    if (i >= v.labels.size()) continue;
    const double w = fm.horizontalAdvance(v.labels[i]);
    const LabelSpan span = PlaceLabel(x, w, L.rest.left(), L.rest.right() + 1);
    const QRectF r(span.from, top ? labelY - L.labelHeight : labelY, w, L.labelHeight);
    p.drawText(r, Qt::AlignCenter, v.labels[i]);
  }
  const double labels = v.axis->LabelsVisible ? L.labelHeight + kGap : 0;
  const double titleY = labelY + out * (labels + v.title.across / 2);
  DrawAxisTitle(p, v.title, TitleAngle(*v.axis), QPointF(L.plot.left() + L.plot.width() / 2.0, titleY));
}

void DrawAxes(QPainter& p, const Layout& L) {
  p.setFont(PixelFont(kLabelFontPx));
  std::vector<QRect> left, right;
  for (const AxisView& v : L.axes) {
    if (!v.shown) continue;
    if (v.axis->Horizontal()) {
      DrawHorizontalAxis(p, L, v);
    } else {
      DrawVerticalAxis(p, L, v, v.axis->AtRight() ? right : left);
    }
  }
}

// ---------------------------------------------------------------- series

struct SeriesContext {
  const AxisMap& x;
  const AxisMap& y;
  QRect plot;
  double bandBottom;  // pixel row of the bottom of the vertical axis' band

  bool Map(double vx, double vy, QPointF& out) const {
    double px = 0, py = 0;
    if (!x.ToPixel(vx, px) || !y.ToPixel(vy, py)) return false;
    out = QPointF(px, py);
    return true;
  }
};

// The connecting line of a line or area series: runs of one colour are drawn
// as one polyline; a value that cannot be drawn breaks the line.
void DrawSeriesLine(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  std::vector<QPointF> run;
  run.reserve(static_cast<size_t>(std::min(s.Count(), 1 << 16)));
  TColor runColour = s.SeriesColor;
  auto flush = [&]() {
    if (run.size() > 1) {
      p.setPen(ColourPen(ToQColor(runColour), s.LineWidth));
      p.drawPolyline(run.data(), static_cast<int>(run.size()));
    }
  };
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    QPointF q;
    if (!c.Map(pt.X, pt.Y, q)) {
      flush();
      run.clear();
      continue;
    }
    const TColor colour = s.PointColor(i);
    if (colour != runColour && !run.empty()) {
      flush();
      const QPointF last = run.back();
      run.clear();
      run.push_back(last);
    }
    runColour = colour;
    run.push_back(q);
  }
  flush();
}

void DrawSeriesPointers(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  if (!s.Pointer.Visible) return;
  PointerStyle style(p, s.Pointer);
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    QPointF q;
    if (!c.Map(pt.X, pt.Y, q)) continue;
    DrawPointer(p, s.Pointer, q, style.Use(s.PointColor(i)));
  }
}

void DrawArrows(QPainter& p, const TArrowSeries& s, const SeriesContext& c) {
  const double length = std::clamp(s.ArrowHeight, 0, 100);
  const double halfWidth = std::clamp(s.ArrowWidth, 0, 100) / 2.0;
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    QPointF a, b;
    if (!c.Map(pt.X, pt.Y, a) || !c.Map(pt.X1, pt.Y1, b)) continue;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    if (!(len > 1e-9)) continue;  // no direction, nothing to point
    const QColor colour = ToQColor(s.PointColor(i));
    p.setPen(ColourPen(colour, s.LineWidth));
    p.drawLine(a, b);
    const QPointF u(dx / len, dy / len), n(-u.y(), u.x());
    const QPointF base = b - u * length;
    const std::array<QPointF, 3> head{b, base + n * halfWidth, base - n * halfWidth};
    p.setPen(ColourPen(colour));
    p.setBrush(colour);
    p.drawPolygon(head.data(), 3);
  }
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
    QColor colour = ToQColor(s.SeriesColor);
    colour.setAlpha(255 * (100 - std::clamp(s.Transparency, 0, 100)) / 100);
    if (s.GradientBottomToTop) {
      // From a pale tint at the bottom of the band up to the series' colour.
      QLinearGradient gradient(0, bottom, 0, polygon.boundingRect().top());
      QColor pale = colour.lighter(180);
      pale.setAlpha(colour.alpha());
      gradient.setColorAt(0, pale);
      gradient.setColorAt(1, colour);
      p.setBrush(gradient);
    } else {
      p.setBrush(colour);
    }
    p.setPen(Qt::NoPen);
    p.drawPolygon(polygon);
  }
  if (s.LineVisible) DrawSeriesLine(p, s, c);
  DrawSeriesPointers(p, s, c);
}

void DrawGantt(QPainter& p, const TGanttSeries& s, const SeriesContext& c) {
  const double half = HalfSize(s.Pointer.VertSize);
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

void DrawSeries(QPainter& p, const TChartSeries& s, const SeriesContext& c) {
  switch (s.Kind()) {
    case TSeriesKind::Line:
      if (s.LineVisible) DrawSeriesLine(p, s, c);
      DrawSeriesPointers(p, s, c);
      break;
    case TSeriesKind::Point: DrawSeriesPointers(p, s, c); break;
    case TSeriesKind::Arrow: DrawArrows(p, static_cast<const TArrowSeries&>(s), c); break;
    case TSeriesKind::Bar: DrawBars(p, static_cast<const TBarSeries&>(s), c); break;
    case TSeriesKind::Area: DrawArea(p, static_cast<const TAreaSeries&>(s), c); break;
    case TSeriesKind::Gantt: DrawGantt(p, static_cast<const TGanttSeries&>(s), c); break;
    case TSeriesKind::Shape: DrawShape(p, static_cast<const TChartShape&>(s), c); break;
  }
}

template <class Each>
void ForEachDrawnSeries(const TChart& chart, const Layout& L, Each each) {
  for (const TChartSeries* s : chart.Series()) {
    if (!s->Active) continue;
    const AxisView* h = FindAxis(L, s->GetHorizAxis());
    const AxisView* v = FindAxis(L, s->GetVertAxis());
    if (!h || !v) continue;  // an axis of another chart
    each(*s, SeriesContext{h->map, v->map, L.plot, std::max(v->from, v->to)});
  }
}

// ---------------------------------------------------------------- marks

// Where a mark points: an arrow's head, the middle of a Gantt bar, else the point.
void MarkAnchor(const TChartSeries& s, const TChartPoint& pt, double& x, double& y) {
  x = pt.X;
  y = pt.Y;
  if (s.Kind() == TSeriesKind::Arrow) {
    x = pt.X1;
    y = pt.Y1;
  } else if (s.Kind() == TSeriesKind::Gantt) {
    x = pt.X / 2 + pt.X1 / 2;
  }
}

void DrawMarks(QPainter& p, const TChartSeries& s, const SeriesContext& c, const QRect& area) {
  const TSeriesMarks& m = s.Marks;
  if (!m.Visible) return;
  const QFont font = PixelFont(FontPx(m.FontHeight, 11));
  const QFontMetrics fm(font);
  p.setFont(font);
  const int length = std::clamp(m.ArrowLength, -100000, 100000);
  for (int i = 0; i < s.Count(); ++i) {
    const TChartPoint& pt = s.Point(i);
    double vx = 0, vy = 0;
    MarkAnchor(s, pt, vx, vy);
    QPointF at;
    if (!c.Map(vx, vy, at) || !QRectF(c.plot).contains(at)) continue;
    const QString text = Text(pt.Label.empty() ? FormatFloat(s.ValueFormat, vy) : pt.Label);
    const double w = fm.horizontalAdvance(text) + 4, h = fm.height() + 2;
    // Above the point by the callout's length; a label that would leave the
    // chart at the top goes the same length below instead.
    double top = at.y() - std::abs(length) - h;
    if (length < 0 || top < area.top()) top = at.y() + std::abs(length);
    top = std::clamp(top, double(area.top()), std::max(double(area.top()), area.bottom() + 1 - h));
    const double left = std::clamp(at.x() - w / 2, double(area.left()), std::max(double(area.left()), area.right() + 1 - w));
    const QRectF box(left, top, w, h);
    if (m.ArrowVisible && length != 0) {
      p.setPen(ToQColor(m.ArrowColor));
      p.drawLine(at, QPointF(at.x(), top < at.y() ? box.bottom() : box.top()));
    }
    p.setPen(m.Frame ? QPen(Qt::black) : QPen(Qt::NoPen));
    p.setBrush(m.Transparent ? QBrush(Qt::NoBrush) : QBrush(QColor(255, 255, 225)));
    if (m.Frame || !m.Transparent) p.drawRect(box);
    p.setPen(ToQColor(m.FontColor));
    p.drawText(box, Qt::AlignCenter, text);
  }
}

// ---------------------------------------------------------------- legend

std::vector<const TChartSeries*> LegendEntries(const TChart& chart) {
  std::vector<const TChartSeries*> entries;
  for (const TChartSeries* s : chart.Series()) {
    if (s->ShowInLegend) entries.push_back(s);
  }
  if (chart.Legend.Inverted) std::reverse(entries.begin(), entries.end());
  return entries;
}

QString LegendText(const TChartSeries& s) { return Text(s.Title.empty() ? s.Name : s.Title); }

void DrawLegendSymbol(QPainter& p, const TChartSeries& s, const QRect& r) {
  const QColor colour = ToQColor(s.SeriesColor);
  const QPointF centre(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
  TSeriesPointer small = s.Pointer;
  small.HorizSize = std::min(small.HorizSize, r.height() / 2 - 1);
  small.VertSize = std::min(small.VertSize, r.height() / 2 - 1);
  if (s.Kind() == TSeriesKind::Line || s.Kind() == TSeriesKind::Point) {
    if (s.Kind() == TSeriesKind::Line && s.LineVisible) {
      p.setPen(ColourPen(colour, 2));
      p.drawLine(QPointF(r.left(), centre.y()), QPointF(r.right(), centre.y()));
    }
    if (s.Pointer.Visible) {
      PointerStyle style(p, small);
      DrawPointer(p, small, centre, style.Use(s.SeriesColor));
    }
    return;
  }
  p.setPen(Qt::black);
  p.setBrush(colour);
  p.drawRect(r.adjusted(0, 2, -1, -3));
}

// Draws the legend at its side of `rest` and returns what is left.
QRect DrawLegend(QPainter& p, const TChart& chart, QRect rest) {
  const TChartLegend& legend = chart.Legend;
  const std::vector<const TChartSeries*> entries = LegendEntries(chart);
  if (!legend.Visible || entries.empty() || rest.width() < 40 || rest.height() < 20) return rest;
  const QFont font = PixelFont(kLegendFontPx);
  const QFontMetrics fm(font);
  p.setFont(font);
  const int rowHeight = fm.height() + 2;
  const int symbol = std::clamp(legend.SymbolWidth, 4, 100);
  const bool vertical = legend.Alignment == TLegendAlignment::laLeft || legend.Alignment == TLegendAlignment::laRight;
  int textWidth = 0;
  for (const TChartSeries* s : entries) textWidth = std::max(textWidth, fm.horizontalAdvance(LegendText(*s)));
  const int itemWidth = std::min(symbol + kGap + textWidth, rest.width() / 3);
  const int itemSpan = itemWidth + 2 * kMargin;
  const int columns = vertical ? 1 : std::max(1, (rest.width() - 2 * kLegendPadding) / itemSpan);
  const int wanted = (static_cast<int>(entries.size()) + columns - 1) / columns;
  const int rows = std::max(1, std::min(wanted, (vertical ? rest.height() : rest.height() / 3) / rowHeight));
  const int width = 2 * kLegendPadding + (vertical ? itemWidth : std::min(columns, int(entries.size())) * itemSpan);
  const int height = 2 * kLegendPadding + rows * rowHeight;
  QRect box;
  switch (legend.Alignment) {
    case TLegendAlignment::laRight: box = QRect(rest.right() + 1 - width, rest.top(), width, height); break;
    case TLegendAlignment::laLeft: box = QRect(rest.left(), rest.top(), width, height); break;
    case TLegendAlignment::laTop: box = QRect(rest.left() + (rest.width() - width) / 2, rest.top(), width, height); break;
    case TLegendAlignment::laBottom:
      box = QRect(rest.left() + (rest.width() - width) / 2, rest.bottom() + 1 - height, width, height);
      break;
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(box.adjusted(0, 0, -1, -1));
  const int shown = std::min(static_cast<int>(entries.size()), rows * columns);
  for (int i = 0; i < shown; ++i) {
    const int x = box.left() + kLegendPadding + (vertical ? 0 : (i % columns) * itemSpan + kMargin);
    const int y = box.top() + kLegendPadding + (i / columns) * rowHeight;
    DrawLegendSymbol(p, *entries[i], QRect(x, y, symbol, rowHeight));
    const int textX = x + symbol + kGap;
    const QString text = fm.elidedText(LegendText(*entries[i]), Qt::ElideRight, itemWidth - symbol - kGap);
    p.setPen(Qt::black);
    p.drawText(QRect(textX, y, itemWidth - symbol - kGap, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  switch (legend.Alignment) {
    case TLegendAlignment::laRight: return rest.adjusted(0, 0, -width - kMargin, 0);
    case TLegendAlignment::laLeft: return rest.adjusted(width + kMargin, 0, 0, 0);
    case TLegendAlignment::laTop: return rest.adjusted(0, height + kMargin, 0, 0);
    case TLegendAlignment::laBottom: return rest.adjusted(0, 0, 0, -height - kMargin);
  }
  return rest;
}

}  // namespace

ChartLayout RenderChart(const TChart& chart, QPainter& painter, const QRect& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setClipRect(area);
  painter.fillRect(area, ToQColor(chart.Color));
  QRect rest = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  rest = DrawTextLines(painter, chart.Title, rest, true);
  rest = DrawTextLines(painter, chart.Foot, rest, false);
  rest = DrawLegend(painter, chart, rest);
  const Layout L = LayoutAxes(chart, rest);
  painter.fillRect(L.plot, ToQColor(chart.BackColor, clWhite));
  DrawGrid(painter, L);
  painter.setClipRect(L.plot);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c) { DrawSeries(painter, s, c); });
  painter.setClipRect(area);
  DrawAxes(painter, L);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c) { DrawMarks(painter, s, c, area); });
  painter.restore();
  return ChartLayout{L.plot.left(), L.plot.top(), L.plot.width(), L.plot.height()};
}

namespace {

void StorePlot(TChart& chart, const ChartLayout& layout) {
  chart.PlotLeft = layout.plotLeft;
  chart.PlotTop = layout.plotTop;
  chart.PlotWidth = layout.plotWidth;
  chart.PlotHeight = layout.plotHeight;
}

void RenderInto(TChart& chart, QImage& image) {
  QPainter painter(&image);
  StorePlot(chart, RenderChart(chart, painter, image.rect()));
}

}  // namespace

QImage RenderChartImage(TChart& chart, int width, int height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  if (image.isNull()) return image;
  RenderInto(chart, image);
  if (!chart.OnAfterDraw) return image;
  chart.OnAfterDraw(&chart);
  // The after-draw handlers of this program move points (the comment markers
  // go to the top edge) and ask for a repaint; on screen that repaint draws
  // the chart a second time and raises the event again, which the handlers
  // ignore every second time so that drawing does not recurse. The image
  // must show that second drawing, and the handlers must see both calls.
  RenderInto(chart, image);
  chart.OnAfterDraw(&chart);
  return image;
}
