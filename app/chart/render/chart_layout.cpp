#include "app/chart/render/chart_layout.h"

#include <QFontMetrics>
#include <QStringList>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/chart/chart.h"
#include "app/chart/chart_view_state.h"
#include "app/chart/render/style.h"
#include "core/format.h"

using namespace chart_render;

namespace {

// Room inside every axis for the extreme points, so that a point at a limit
// shows whole rather than cut by the frame or the next band.
constexpr double kDataInset = 6;
// Between adjoining bands of vertical axes: their lines, labels and series
// stay apart.
constexpr double kBandGap = 10;
// An automatic vertical scale reads best with a label every 50 to 80 pixels
// or so; steps of 1, 2 and 5 from this least distance give that.
constexpr double kVerticalPitch = 45;
// The least blank between two labels of a horizontal axis, and the least
// distance between the ticks of an automatic one.
constexpr double kHorizontalLabelGap = 12;
constexpr double kHorizontalPitch = 50;
// 1 January 1900 as a serial date.
constexpr double kFirstLabelledDate = 2;

// ---------------------------------------------------------------- title, foot

// The controls shown over the chart (check boxes, pickers), in the area's
// coordinates.
std::vector<QRect> ControlsOver(const TChart& chart, const QRect& area) {
  std::vector<QRect> rects;
  for (const TControl* c : chart.Controls()) {
    if (c->Visible && c->Width > 0 && c->Height > 0)
      rects.emplace_back(area.left() + c->Left, area.top() + c->Top, c->Width, c->Height);
  }
  return rects;
}

// Where a line `width` pixels wide goes in `row`: centred, or else centred in
// the room right of the controls in that row (the program puts its controls
// at the left); an empty rectangle when it cannot keep clear of them.
QRect ClearOfControls(const QRect& row, int width, const std::vector<QRect>& controls) {
  auto centred = [&](int left) { return QRect(left + (row.right() + 1 - left - width) / 2, row.top(), width, row.height()); };
  const QRect middle = centred(row.left());
  int freeLeft = row.left();
  bool covered = false;
  for (const QRect& c : controls) {
    if (!c.intersects(row)) continue;
    freeLeft = std::max(freeLeft, c.right() + 1 + kMargin);
    covered = covered || c.intersects(middle);
  }
  if (!covered) return middle;
  if (row.right() + 1 - freeLeft >= width) return centred(freeLeft);
  return {};
}

// The lowest bottom edge of the controls in `row`.
int BelowControls(const QRect& row, const std::vector<QRect>& controls) {
  int bottom = row.top();
  for (const QRect& c : controls) {
    if (c.intersects(row)) bottom = std::max(bottom, c.bottom() + 1);
  }
  return bottom;
}

// Lays out the lines of a title at the top of `rest`, clear of `controls`,
// and returns what is left.
QRect LayoutTitle(const TChartText& text, QRect rest, const std::vector<QRect>& controls, TextBlockLayout& out) {
  const auto& lines = text.Lines();
  const bool any = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
  if (!text.Visible || !any) return rest;
  out.font = PixelFont(FontPx(text.FontHeight, 12));
  const QFontMetrics fm(out.font);
  const int lineHeight = fm.height();
  int y = rest.top();
  for (const std::string& line : lines) {
    const QString shown = DisplayQString(line);
    const int width = std::min(fm.horizontalAdvance(shown) + 2, rest.width());
    QRect placed;
    while (y + lineHeight - 1 <= rest.bottom()) {
      const QRect row(rest.left(), y, rest.width(), lineHeight);
      placed = ClearOfControls(row, width, controls);
      if (!placed.isNull()) break;
      y = BelowControls(row, controls);  // below them, every control ends lower down
    }
    if (placed.isNull()) break;
    out.lines.push_back({placed, shown});
    y += lineHeight;
  }
  if (out.lines.empty()) return rest;
  return rest.adjusted(0, y - rest.top() + kMargin, 0, 0);
}

// Lays out the lines of a foot at the bottom of `rest` and returns what is left.
QRect LayoutFoot(const TChartText& text, QRect rest, TextBlockLayout& out) {
  const auto& lines = text.Lines();
  const bool any = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
  if (!text.Visible || !any) return rest;
  out.font = PixelFont(FontPx(text.FontHeight, 12));
  const QFontMetrics fm(out.font);
  const int lineHeight = fm.height();
  const int count = std::min(static_cast<int>(lines.size()), rest.height() / lineHeight);
  if (count <= 0) return rest;
  const int height = count * lineHeight;
  const int top = rest.bottom() + 1 - height;
  for (int i = 0; i < count; ++i) {
    const QString shown = DisplayQString(lines[static_cast<size_t>(i)]);
    const QRect row(rest.left(), top + i * lineHeight, rest.width(), lineHeight);
    out.lines.push_back({ClearOfControls(row, std::min(fm.horizontalAdvance(shown) + 2, rest.width()), {}), shown});
  }
  return rest.adjusted(0, 0, 0, -height - kMargin);
}

// ---------------------------------------------------------------- legend

// A series with neither a title nor points has nothing to tell a reader:
// it would only show its component name.
bool InLegend(const TChartSeries& s) { return s.ShowInLegend && !(s.Title.empty() && s.Count() == 0); }

std::vector<const TChartSeries*> LegendSeries(const TChart& chart) {
  std::vector<const TChartSeries*> entries;
  for (const TChartSeries* s : chart.Series()) {
    if (InLegend(*s)) entries.push_back(s);
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

// Where an entry goes inside the legend's padding: its row, its left edge
// and its width (symbol and text).
struct LegendSlot {
  int row, left, width;
};

// A column of entries of one width beside the plot, or above or below it
// rows of entries each as wide as its text; no more rows than `maxRows`.
std::vector<LegendSlot> LegendSlots(const std::vector<int>& widths, bool vertical, int rowWidth, int maxRows) {
  std::vector<LegendSlot> places;
  const int column = vertical ? *std::max_element(widths.begin(), widths.end()) : 0;
  int row = 0, x = 0;
  for (int w : widths) {
    if (vertical) {
      if (!places.empty()) ++row;
    } else if (x > 0 && x + w + 2 * kMargin > rowWidth) {
      ++row;
      x = 0;
    }
    if (row >= maxRows) break;
    places.push_back({row, vertical ? 0 : x + kMargin, vertical ? column : w});
    x += w + 2 * kMargin;
  }
  return places;
}

// Lays out the legend at its side of `rest`, as many entries as have room.
QRect LayoutLegend(const TChart& chart, QRect rest, LegendLayout& out) {
  const TChartLegend& legend = chart.Legend;
  const std::vector<const TChartSeries*> series = LegendSeries(chart);
  if (!legend.Visible || series.empty() || rest.width() < 40 || rest.height() < 20) return rest;
  out.font = PixelFont(kLegendFontPx);
  const QFontMetrics fm(out.font);
  const int rowHeight = fm.height() + 2;
  const int symbol = std::clamp(legend.SymbolWidth, 4, 100);
  const bool vertical = legend.Alignment == TLegendAlignment::laLeft || legend.Alignment == TLegendAlignment::laRight;
  const int rowWidth = vertical ? rest.width() / 3 : rest.width() - 2 * kLegendPadding;
  std::vector<int> widths;
  for (const TChartSeries* s : series) {
    // A pixel to spare: a text is cut short when it is any wider than its room.
    widths.push_back(std::min(symbol + kGap + fm.horizontalAdvance(LegendText(*s)) + 1, rowWidth - 2 * kMargin));
  }
  const int maxRows = std::max(1, (vertical ? rest.height() - 2 * kLegendPadding : rest.height() / 3) / rowHeight);
  const std::vector<LegendSlot> places = LegendSlots(widths, vertical, rowWidth, maxRows);
  int inner = 0;
  for (const LegendSlot& place : places) inner = std::max(inner, place.left + place.width + (vertical ? 0 : kMargin));
  out.box = LegendBox(legend.Alignment, rest, 2 * kLegendPadding + inner, 2 * kLegendPadding + (places.back().row + 1) * rowHeight);
  for (size_t i = 0; i < places.size(); ++i) {
    const int x = out.box.left() + kLegendPadding + places[i].left;
    const int y = out.box.top() + kLegendPadding + places[i].row * rowHeight;
    const int textWidth = std::max(0, places[i].width - symbol - kGap);
    const QString text = fm.elidedText(LegendText(*series[i]), Qt::ElideRight, textWidth);
    out.entries.push_back({series[i], QRect(x, y, symbol, rowHeight), QRect(x + symbol + kGap, y, textWidth, rowHeight), text});
  }
  return RestBesideLegend(legend.Alignment, rest, out.box);
}

// ---------------------------------------------------------------- axis labels

double ClampPercent(double v) { return std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 100.0); }

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

QSizeF RotatedSize(const QSizeF& box, int angle) {
  const double a = qDegreesToRadians(double(angle));
  return QSizeF(std::fabs(box.width() * std::cos(a)) + std::fabs(box.height() * std::sin(a)),
                std::fabs(box.width() * std::sin(a)) + std::fabs(box.height() * std::cos(a)));
}

// The size of a text of one or more lines.
QSizeF TextBox(const QString& text, const QFont& font) {
  const QFontMetrics fm(font);
  const QStringList lines = text.split(QLatin1Char('\n'));
  double width = 0;
  for (const QString& line : lines) width = std::max(width, double(fm.horizontalAdvance(line)));
  return QSizeF(width, double(fm.height()) * lines.size());
}

// The text broken at the blank that gives two lines of the most even widths;
// empty when it has no blank.
QString InTwoLines(const QString& text, const QFontMetrics& fm) {
  QString best;
  int bestWidth = 0;
  for (int i = text.indexOf(QLatin1Char(' ')); i > 0; i = text.indexOf(QLatin1Char(' '), i + 1)) {
    const int width = std::max(fm.horizontalAdvance(text.left(i)), fm.horizontalAdvance(text.mid(i + 1)));
    if (best.isEmpty() || width < bestWidth) {
      best = text.left(i) + QLatin1Char('\n') + text.mid(i + 1);
      bestWidth = width;
    }
  }
  return best;
}

// Pixels a title takes across its axis.
double TitleAcross(const TChartAxis& axis, const AxisTitleLayout& t) {
  if (t.text.isEmpty()) return 0;
  return axis.Horizontal() ? t.rect.height() : t.rect.width();
}

// An axis title fitted to the room along its axis: in one line, else in two,
// at the largest font that fits, and cut short only when even two lines of
// the smallest font are too long. Its rectangle gets its size; it is placed when
// the plot is.
AxisTitleLayout FitTitle(const TChartAxis& axis, double room) {
  AxisTitleLayout t;
  if (axis.Title.empty()) return t;
  const bool vertical = !axis.Horizontal();
  t.angle = axis.TitleAngle % 360;
  const QString text = DisplayQString(axis.Title);
  auto along = [&](const QSizeF& box) {
    const QSizeF turned = RotatedSize(box, t.angle);
    return vertical ? turned.height() : turned.width();
  };
  auto fits = [&](const QString& candidate, int px) {
    t.font = PixelFont(px);
    t.text = candidate;
    t.box = TextBox(candidate, t.font);
    return along(t.box) <= room;
  };
  bool fitted = false;
  for (int px = kLabelFontPx; px >= kSmallestTitlePx && !fitted; --px) {
    const QString lines = InTwoLines(text, QFontMetrics(PixelFont(px)));
    fitted = fits(text, px) || (!lines.isEmpty() && fits(lines, px));
  }
  if (!fitted) {
    // Only a title along its axis gets shorter by cutting it.
    const int length = std::abs(t.angle % 180) == (vertical ? 90 : 0) ? static_cast<int>(room) : 0;
    fits(QFontMetrics(PixelFont(kSmallestTitlePx)).elidedText(text, Qt::ElideRight, std::max(0, length)), kSmallestTitlePx);
  }
  t.rect = QRectF(QPointF(0, 0), RotatedSize(t.box, t.angle));
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

// The axis' extent along the plot, in per cent, in order.
void BandPercent(const TChartAxis& a, double& start, double& end) {
  start = ClampPercent(std::min(a.StartPosition, a.EndPosition));
  end = ClampPercent(std::max(a.StartPosition, a.EndPosition));
}

// True when another shown vertical axis has a band that ends (or starts)
// where this one starts (or ends): stacked bands, on either side.
bool Adjoins(const std::vector<AxisLayout>& axes, const AxisLayout& v, double percent, bool atStart) {
  for (const AxisLayout& other : axes) {
    if (&other == &v || !other.shown || other.axis->Horizontal()) continue;
    double start = 0, end = 0;
    BandPercent(*other.axis, start, end);
    if (std::fabs((atStart ? end : start) - percent) < 0.5) return true;
  }
  return false;
}

void MapAxis(AxisLayout& v, const QRect& plot, const std::vector<AxisLayout>& axes, const ChartViewState* view) {
  const TChartAxis& a = *v.axis;
  double lo = 0, hi = 0;
  const bool zoomed = view && view->Limits(a, lo, hi);
  if (!zoomed) a.CurrentLimits(lo, hi);
  double start = 0, end = 0;
  BandPercent(a, start, end);
  if (a.Horizontal()) {
    v.from = plot.left() + (plot.width() - 1) * start / 100;
    v.to = plot.left() + (plot.width() - 1) * end / 100;
  } else {
    v.from = plot.top() + (plot.height() - 1) * start / 100;
    v.to = plot.top() + (plot.height() - 1) * end / 100;
    const double gap = std::min(kBandGap / 2, (v.to - v.from) / 4);
    if (start > 0 && Adjoins(axes, v, start, true)) v.from += gap;
    if (end < 100 && Adjoins(axes, v, end, false)) v.to -= gap;
  }
  // A zoomed view ends exactly where the user asked; otherwise the extreme
  // points stay a few pixels inside the frame so that they show whole.
  const double inset = zoomed ? 0 : std::min(kDataInset, (v.to - v.from) / 4);
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

// The ticks of an axis that is not labelled by its points. An automatic axis
// without data has none: its limits are made up. Limits of one value (0 and
// 0 after a load found nothing) give that value when data lie there, else
// none; and no date axis labels days before 1900, which only such limits
// reach.
std::vector<double> ScaleTicks(const AxisLayout& v, const TickRules& rules) {
  const TChartAxis& a = *v.axis;
  double dataMin = 0, dataMax = 0, min = 0, max = 0;
  const bool data = a.DataRange(dataMin, dataMax);
  if (a.Automatic && !data) return {};
  a.CurrentLimits(min, max);
  if (a.DateTime && std::max(min, max) < kFirstLabelledDate) return {};
  if (min != max) return AxisTicks(v.map, a.DateTime, rules);
  const std::vector<double> one{min};
  if (data && dataMin <= min && min <= dataMax && LabelsFit(v.map, one, rules)) return one;
  return {};
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
    rules.minGap = kHorizontalLabelGap;
  } else {
    const double height = fm.height();
    rules.labelSize = [height](double) { return height; };
    rules.minGap = height / 2;
  }
  // A step set by hand is kept as long as its labels do not crowd; an
  // automatic one spreads its labels out, less so in a thin band.
  if (a.Increment <= 0) {
    rules.minPitch = a.Horizontal() ? kHorizontalPitch
                                    : std::min(kVerticalPitch, std::max(1.5 * fm.height(), (labelTo - labelFrom) / 3));
  }
  v.ticks.clear();
  v.labels.clear();
  v.labelWidth = 0;
  if (a.PointLabels) {
    if (a.LabelsVisible) ChoosePointLabels(v, fm);
    return;
  }
  v.ticks = ScaleTicks(v, rules);
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

// Lays out the axes and the plot. The plot's left and right edges lie at
// least `leftInset` and `rightInset` pixels inside the area.
void LayoutAxes(const TChart& chart, ChartLayout& L, int leftInset, int rightInset, const ChartViewState* view) {
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
    MapAxis(v, plot, L.axes, view);
    if (!v.shown) continue;
    ChooseTicks(v, fm, v.from, v.to + 1);
    v.title = FitTitle(*v.axis, v.to + 1 - v.from);
  }
  int leftLabels = 0, rightLabels = 0;
  const int left = std::max(SideWidth(L, false, leftLabels), L.area.left() + leftInset - rest.left());
  const int right = std::max(SideWidth(L, true, rightLabels), rest.right() - (L.area.right() - rightInset));
  plot.setLeft(rest.left() + left);
  plot.setWidth(std::max(0, rest.width() - left - right));
  for (AxisLayout& v : L.axes) {
    if (!v.axis->Horizontal()) continue;
    MapAxis(v, plot, L.axes, view);
    if (v.shown) ChooseTicks(v, fm, rest.left(), rest.right() + 1);
  }
  L.plot = plot;
  PlaceLabelsAndTitles(L, fm, leftLabels, rightLabels);
}

ChartLayout LayoutAlone(const TChart& chart, const QRect& area, int leftInset, int rightInset,
                        const ChartViewState* view) {
  ChartLayout L;
  L.area = area;
  QRect rest = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  rest = LayoutTitle(chart.Title, rest, ControlsOver(chart, area), L.title);
  rest = LayoutFoot(chart.Foot, rest, L.foot);
  L.axesRoom = LayoutLegend(chart, rest, L.legend);
  LayoutAxes(chart, L, leftInset, rightInset, view);
  return L;
}

}  // namespace

const AxisLayout* ChartLayout::Find(const TChartAxis& axis) const {
  for (const AxisLayout& v : axes) {
    if (v.axis == &axis) return &v;
  }
  return nullptr;
}

ChartLayout LayoutChart(const TChart& chart, const QRect& area, const ChartViewState* view) {
  int left = 0, right = 0;
  const TChart* other = chart.AlignPlotWith;
  if (other && other != &chart && other->Width > 0 && other->Height > 0) {
    const ChartLayout o = LayoutAlone(*other, QRect(0, 0, other->Width, other->Height), 0, 0, nullptr);
    left = o.plot.left() - o.area.left();
    right = o.area.right() - o.plot.right();
  }
  return LayoutAlone(chart, area, left, right, view);
}
