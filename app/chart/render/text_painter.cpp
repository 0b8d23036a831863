#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"
#include "app/chart/render/style.h"
#include "core/format.h"

namespace chart_render {

void DrawTextBlock(QPainter& p, const TextBlockLayout& block, const TChartText& text) {
  if (block.lines.empty()) return;
  p.setFont(block.font);
  p.setPen(ToQColor(text.FontColor));
  for (const TextBlockLayout::Line& line : block.lines) p.drawText(line.rect, Qt::AlignHCenter | Qt::AlignVCenter, line.text);
}

namespace {

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

// The box of a mark's label of the given size: above the point by the
// callout's length; a label that would leave the chart at the top goes the
// same length below instead.
QRectF MarkBox(const QPointF& at, double w, double h, int length, const QRect& area) {
  double top = at.y() - std::abs(length) - h;
  if (length < 0 || top < area.top()) top = at.y() + std::abs(length);
  top = std::clamp(top, double(area.top()), std::max(double(area.top()), area.bottom() + 1 - h));
  const double left = std::clamp(at.x() - w / 2, double(area.left()), std::max(double(area.left()), area.right() + 1 - w));
  return QRectF(left, top, w, h);
}

}  // namespace

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
    const QString text = DisplayQString(pt.Label.empty() ? FormatFloat(s.ValueFormat, vy) : pt.Label);
    const QRectF box = MarkBox(at, fm.horizontalAdvance(text) + 4, fm.height() + 2, length, area);
    if (m.ArrowVisible && length != 0) {
      p.setPen(ToQColor(m.ArrowColor));
      p.drawLine(at, QPointF(at.x(), box.top() < at.y() ? box.bottom() : box.top()));
    }
    p.setPen(m.Frame ? QPen(Qt::black) : QPen(Qt::NoPen));
    p.setBrush(m.Transparent ? QBrush(Qt::NoBrush) : QBrush(QColor(255, 255, 225)));
    if (m.Frame || !m.Transparent) p.drawRect(box);
    p.setPen(ToQColor(m.FontColor));
    p.drawText(box, Qt::AlignCenter, text);
  }
}

}  // namespace chart_render
