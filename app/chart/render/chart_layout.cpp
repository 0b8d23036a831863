#include "app/chart/render/chart_layout.h"

#include <QFontMetrics>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/chart/chart.h"
#include "app/chart/render/style.h"
#include "core/format.h"

using namespace chart_render;

namespace {

// Room inside an automatic axis for the extreme points.
constexpr double kDataInset = 6;

// ---------------------------------------------------------------- title, foot

// Lays out the lines of a title at the top of `rest` (or of a foot at its
// bottom) and returns what is left.
QRect LayoutTextBlock(const TChartText& text, QRect rest, bool atTop, TextBlockLayout& out) {
  const auto& lines = text.Lines();
  const bool any = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
  if (!text.Visible || !any) return rest;
  out.font = PixelFont(FontPx(text.FontHeight, 12));
  const int lineHeight = QFontMetrics(out.font).height();
  const int count = std::min(static_cast<int>(lines.size()), rest.height() / lineHeight);
  if (count <= 0) return rest;
  const int height = count * lineHeight;
  const int top = atTop ? rest.top() : rest.bottom() + 1 - height;
  for (int i = 0; i < count; ++i) {
    const QRect line(rest.left(), top + i * lineHeight, rest.width(), lineHeight);
    out.lines.push_back({line, DisplayQString(lines[static_cast<size_t>(i)])});
  }
  return atTop ? rest.adjusted(0, height + kMargin, 0, 0) : rest.adjusted(0, 0, 0, -height - kMargin);
}

// ---------------------------------------------------------------- legend

std::vector<const TChartSeries*> LegendSeries(const TChart& chart) {
  std::vector<const TChartSeries*> entries;
  for (const TChartSeries* s : chart.Series()) {
    if (s->ShowInLegend) entries.push_back(s);
  }
  if (chart.Legend.Inverted) std::reverse(entries.begin(), entries.end());
  return entries;
}

QString LegendText(const TChartSeries& s) { return DisplayQString(s.Title.empty() ? s.Name : s.Title); }

QRect LegendBox(TLegendAlignment alignment, const QRect& rest, int width, int height) {
  switch (alignment) {
    case TLegendAlignment::laRight: return QRect(rest.right() + 1 - width, rest.top(), width, height);
    case TLegendAlignment::laLeft: return QRect(rest.left(), rest.top(), width, height);
    case TLegendAlignment::laTop: return QRect(rest.left() + (rest.width() - width) / 2, rest.top(), width, height);
    case TLegendAlignment::laBottom:
      return QRect(rest.left() + (rest.width() - width) / 2, rest.bottom() + 1 - height, width, height);
  }
  return {};
}

QRect RestBesideLegend(TLegendAlignment alignment, const QRect& rest, const QRect& box) {
  switch (alignment) {
    case TLegendAlignment::laRight: return rest.adjusted(0, 0, -box.width() - kMargin, 0);
    case TLegendAlignment::laLeft: return rest.adjusted(box.width() + kMargin, 0, 0, 0);
    case TLegendAlignment::laTop: return rest.adjusted(0, box.height() + kMargin, 0, 0);
    case TLegendAlignment::laBottom: return rest.adjusted(0, 0, 0, -box.height() - kMargin);
  }
  return rest;
}

// Lays out the legend at its side of `rest`: a column beside the plot, or
// rows of columns above or below it, as many entries as have room.
QRect LayoutLegend(const TChart& chart, QRect rest, LegendLayout& out) {
  const TChartLegend& legend = chart.Legend;
  const std::vector<const TChartSeries*> series = LegendSeries(chart);
  if (!legend.Visible || series.empty() || rest.width() < 40 || rest.height() < 20) return rest;
  out.font = PixelFont(kLegendFontPx);
  const QFontMetrics fm(out.font);
  const int rowHeight = fm.height() + 2;
  const int symbol = std::clamp(legend.SymbolWidth, 4, 100);
  const bool vertical = legend.Alignment == TLegendAlignment::laLeft || legend.Alignment == TLegendAlignment::laRight;
  int textWidth = 0;
  for (const TChartSeries* s : series) textWidth = std::max(textWidth, fm.horizontalAdvance(LegendText(*s)));
  const int itemWidth = std::min(symbol + kGap + textWidth, rest.width() / 3);
  const int itemSpan = itemWidth + 2 * kMargin;
  const int count = static_cast<int>(series.size());
  const int columns = vertical ? 1 : std::max(1, (rest.width() - 2 * kLegendPadding) / itemSpan);
  const int wanted = (count + columns - 1) / columns;
  const int rows = std::max(1, std::min(wanted, (vertical ? rest.height() : rest.height() / 3) / rowHeight));
  const int width = 2 * kLegendPadding + (vertical ? itemWidth : std::min(columns, count) * itemSpan);
  const int height = 2 * kLegendPadding + rows * rowHeight;
  out.box = LegendBox(legend.Alignment, rest, width, height);
  const int textWidthRoom = itemWidth - symbol - kGap;
  for (int i = 0; i < std::min(count, rows * columns); ++i) {
    const int x = out.box.left() + kLegendPadding + (vertical ? 0 : (i % columns) * itemSpan + kMargin);
    const int y = out.box.top() + kLegendPadding + (i / columns) * rowHeight;
    const QString text = fm.elidedText(LegendText(*series[i]), Qt::ElideRight, textWidthRoom);
    out.entries.push_back({series[i], QRect(x, y, symbol, rowHeight), QRect(x + symbol + kGap, y, textWidthRoom, rowHeight), text});
  }
  return RestBesideLegend(legend.Alignment, rest, out.box);
}

// ---------------------------------------------------------------- axis labels

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
  return DisplayQString(axis.DateTime ? FormatDateTime(axis.DateTimeFormat, v) : FormatFloat(axis.LabelsFormat, v));
}

// ---------------------------------------------------------------- axis titles

QSizeF RotatedSize(const QString& text, const QFont& font, int angle) {
  const QFontMetrics fm(font);
  const double w = fm.horizontalAdvance(text), h = fm.height();
  const double a = qDegreesToRadians(double(angle));
  return QSizeF(std::fabs(w * std::cos(a)) + std::fabs(h * std::sin(a)),
                std::fabs(w * std::sin(a)) + std::fabs(h * std::cos(a)));
}

// Pixels a title takes across its axis.
double TitleAcross(const TChartAxis& axis, const AxisTitleLayout& t) {
  if (t.text.isEmpty()) return 0;
  return axis.Horizontal() ? t.rect.height() : t.rect.width();
}

// An axis title fitted to the room along its axis: a smaller font first, then
// cut short. Its rectangle gets its size; it is placed when the plot is.
AxisTitleLayout FitTitle(const TChartAxis& axis, double room) {
  AxisTitleLayout t;
  if (axis.Title.empty()) return t;
  const bool vertical = !axis.Horizontal();
  t.angle = axis.TitleAngle % 360;
  t.text = DisplayQString(axis.Title);
  QSizeF size;
  for (int px = kLabelFontPx; px >= kSmallestTitlePx; --px) {
    t.font = PixelFont(px);
    size = RotatedSize(t.text, t.font, t.angle);
    if ((vertical ? size.height() : size.width()) <= room) break;
  }
  if ((vertical ? size.height() : size.width()) > room) {
    // Only a title along its axis gets shorter by cutting it.
    const int along = std::abs(t.angle % 180) == (vertical ? 90 : 0) ? static_cast<int>(room) : 0;
    t.text = QFontMetrics(t.font).elidedText(t.text, Qt::ElideRight, std::max(0, along));
    size = RotatedSize(t.text, t.font, t.angle);
  }
  t.rect = QRectF(QPointF(0, 0), size);
  return t;
}

void PlaceTitle(AxisTitleLayout& t, const QPointF& centre) {
  t.centre = centre;
  t.rect.moveCenter(centre);
}

// ---------------------------------------------------------------- axes

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

void MapAxis(AxisLayout& v, const QRect& plot) {
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
void ChoosePointLabels(AxisLayout& v, const QFontMetrics& fm) {
  const TChartAxis& a = *v.axis;
  struct Found {
    double pixel, value;
    std::string text;
  };
  std::vector<Found> found;
  for (const TChartSeries* s : a.ParentChart()->Series()) {
    if (!s->Active || (a.Horizontal() ? &s->GetHorizAxis() : &s->GetVertAxis()) != &a) continue;
    for (const TChartPoint& pt : s->Points()) {
      const double value = a.Horizontal() ? pt.X : pt.Y;
      double pixel = 0;
      if (!pt.Label.empty() && v.map.ToPixel(value, pixel)) found.push_back({pixel, value, pt.Label});
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const Found& l, const Found& r) { return l.pixel < r.pixel; });
  double lastEnd = -kMaxPixel;
  for (const Found& f : found) {
    const QString text = DisplayQString(f.text);
    const double size = a.Horizontal() ? fm.horizontalAdvance(text) : fm.height();
    if (f.pixel - size / 2 < lastEnd) continue;
    lastEnd = f.pixel + size / 2;
    v.ticks.push_back(f.value);
    v.labels.push_back({f.value, text, {}});
    v.labelWidth = std::max(v.labelWidth, fm.horizontalAdvance(text));
  }
}

// Chooses the ticks and the label texts; the labels are placed later.
void ChooseTicks(AxisLayout& v, const QFontMetrics& fm, double labelFrom, double labelTo) {
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
    v.labels.push_back({t, AxisLabel(a, t), {}});
    v.labelWidth = std::max(v.labelWidth, fm.horizontalAdvance(v.labels.back().text));
  }
}

// Room a horizontal axis takes below (or above) the plot.
int HorizontalAxisDepth(const AxisLayout& v, int labelHeight) {
  if (!v.shown) return 0;
  int depth = kTickLength + kGap + (v.axis->LabelsVisible ? labelHeight : 0);
  const double title = TitleAcross(*v.axis, v.title);
  if (title > 0) depth += kGap + static_cast<int>(std::ceil(title));
  return depth;
}

// Room the vertical axes of one side take beside the plot, and the width of
// their widest label.
int SideWidth(const ChartLayout& L, bool right, int& labels) {
  bool any = false;
  int titles = 0;
  labels = 0;
  for (const AxisLayout& v : L.axes) {
    if (!v.shown || v.axis->Horizontal() || v.axis->AtRight() != right) continue;
    any = true;
    labels = std::max(labels, v.labelWidth);
    titles = std::max(titles, static_cast<int>(std::ceil(TitleAcross(*v.axis, v.title))));
  }
  if (!any) return 0;
  return kTickLength + kGap + labels + (titles > 0 ? kGap + titles : 0);
}

// Labels of all the vertical axes on one side share a column; `taken` keeps
// them from covering each other where bands overlap.
void PlaceVerticalLabels(AxisLayout& v, const ChartLayout& L, int sideLabels, std::vector<QRect>& taken) {
  const bool right = v.axis->AtRight();
  const double out = right ? 1 : -1;
  const double labelX = (right ? L.plot.right() : L.plot.left()) + out * (kTickLength + kGap);
  std::vector<AxisLabelLayout> placed;
  for (AxisLabelLayout& label : v.labels) {
    double y = 0;
    if (!v.map.ToPixel(label.value, y)) continue;
    const LabelSpan span = PlaceLabel(y, L.labelHeight, v.from, v.to + 1);
    const QRect r(static_cast<int>(right ? labelX : labelX - v.labelWidth), static_cast<int>(std::lround(span.from)),
                  v.labelWidth, L.labelHeight);
    if (std::any_of(taken.begin(), taken.end(), [&](const QRect& t) { return t.intersects(r); })) continue;
    taken.push_back(r);
    label.rect = r;
    placed.push_back(label);
  }
  v.labels = placed;
  const double titleX = labelX + out * (sideLabels + kGap + TitleAcross(*v.axis, v.title) / 2);
  PlaceTitle(v.title, QPointF(titleX, (v.from + v.to) / 2));
}

// Labels centred under (or over) their ticks, kept within the axes' room.
void PlaceHorizontalLabels(AxisLayout& v, const ChartLayout& L, const QFontMetrics& fm) {
  const bool top = v.axis->Kind() == TAxisKind::Top;
  const double out = top ? -1 : 1;
  const double labelY = (top ? L.plot.top() : L.plot.bottom()) + out * (kTickLength + kGap);
  std::vector<AxisLabelLayout> placed;
  for (AxisLabelLayout& label : v.labels) {
    double x = 0;
    if (!v.map.ToPixel(label.value, x)) continue;
    const double w = fm.horizontalAdvance(label.text);
    const LabelSpan span = PlaceLabel(x, w, L.axesRoom.left(), L.axesRoom.right() + 1);
    label.rect = QRectF(span.from, top ? labelY - L.labelHeight : labelY, w, L.labelHeight);
    placed.push_back(label);
  }
  v.labels = placed;
  const double labels = v.axis->LabelsVisible ? L.labelHeight + kGap : 0;
  const double titleY = labelY + out * (labels + TitleAcross(*v.axis, v.title) / 2);
  PlaceTitle(v.title, QPointF(L.plot.left() + L.plot.width() / 2.0, titleY));
}

void PlaceLabelsAndTitles(ChartLayout& L, const QFontMetrics& fm, int leftLabels, int rightLabels) {
  std::vector<QRect> left, right;
  for (AxisLayout& v : L.axes) {
    if (!v.shown) continue;
    if (v.axis->Horizontal()) {
      PlaceHorizontalLabels(v, L, fm);
    } else if (v.axis->AtRight()) {
      PlaceVerticalLabels(v, L, rightLabels, right);
    } else {
      PlaceVerticalLabels(v, L, leftLabels, left);
    }
  }
}

// Every axis of the chart, bottom and top first (the heights of the plot read
// them by index); the titles of the horizontal ones fitted to `width`.
std::vector<AxisLayout> CollectAxes(const TChart& chart, int width) {
  std::vector<const TChartAxis*> all{&chart.BottomAxis, &chart.TopAxis, &chart.LeftAxis, &chart.RightAxis};
  for (const auto& custom : chart.CustomAxes()) all.push_back(custom.get());
  std::vector<AxisLayout> axes;
  for (const TChartAxis* a : all) {
    AxisLayout v;
    v.axis = a;
    v.shown = AxisShown(chart, *a);
    if (v.shown && a->Horizontal()) v.title = FitTitle(*a, width);
    axes.push_back(std::move(v));
  }
  return axes;
}

void LayoutAxes(const TChart& chart, ChartLayout& L) {
  const QRect rest = L.axesRoom;
  const QFontMetrics fm(PixelFont(kLabelFontPx));
  L.labelHeight = fm.height();
  L.axes = CollectAxes(chart, rest.width());
  // Heights first: the vertical axes' ticks depend on them, and the plot's
  // width depends on the vertical axes' labels.
  const int top = HorizontalAxisDepth(L.axes[1], L.labelHeight);
  const int bottom = HorizontalAxisDepth(L.axes[0], L.labelHeight);
  QRect plot(rest.left(), rest.top() + top, rest.width(), std::max(0, rest.height() - top - bottom));
  for (AxisLayout& v : L.axes) {
    if (v.axis->Horizontal()) continue;
    MapAxis(v, plot);
    if (!v.shown) continue;
    ChooseTicks(v, fm, v.from, v.to + 1);
    v.title = FitTitle(*v.axis, v.to + 1 - v.from);
  }
  int leftLabels = 0, rightLabels = 0;
  const int left = SideWidth(L, false, leftLabels);
  const int right = SideWidth(L, true, rightLabels);
  plot.setLeft(rest.left() + left);
  plot.setWidth(std::max(0, rest.width() - left - right));
  for (AxisLayout& v : L.axes) {
    if (!v.axis->Horizontal()) continue;
    MapAxis(v, plot);
    if (v.shown) ChooseTicks(v, fm, rest.left(), rest.right() + 1);
  }
  L.plot = plot;
  PlaceLabelsAndTitles(L, fm, leftLabels, rightLabels);
}

}  // namespace

const AxisLayout* ChartLayout::Find(const TChartAxis& axis) const {
  for (const AxisLayout& v : axes) {
    if (v.axis == &axis) return &v;
  }
  return nullptr;
}

ChartLayout LayoutChart(const TChart& chart, const QRect& area) {
  ChartLayout L;
  L.area = area;
  QRect rest = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  rest = LayoutTextBlock(chart.Title, rest, true, L.title);
  rest = LayoutTextBlock(chart.Foot, rest, false, L.foot);
  L.axesRoom = LayoutLegend(chart, rest, L.legend);
  LayoutAxes(chart, L);
  return L;
}
