#include <QPainter>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/painters.h"
#include "app/chart/render/style.h"

namespace chart_render {

void DrawGrid(QPainter& p, const ChartLayout& L) {
  QPen pen(QColor(192, 192, 192));
  pen.setStyle(Qt::DotLine);
  p.setPen(pen);
  for (const AxisLayout& v : L.axes) {
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

namespace {

void DrawAxisTitle(QPainter& p, const AxisTitleLayout& title) {
  if (title.text.isEmpty()) return;
  const double w = title.box.width(), h = title.box.height();
  p.save();
  p.setFont(title.font);
  p.translate(title.centre);
  p.rotate(-title.angle);  // counter-clockwise on screen: 90 reads upwards
  p.drawText(QRectF(-w / 2 - 1, -h / 2, w + 2, h), Qt::AlignCenter, title.text);
  p.restore();
}

// The axis line along the plot's edge and the ticks outside it.
void DrawAxisLine(QPainter& p, const ChartLayout& L, const AxisLayout& v) {
  const bool horizontal = v.axis->Horizontal();
  const bool outer = horizontal ? v.axis->Kind() == TAxisKind::Top : !v.axis->AtRight();
  const double edge = horizontal ? (outer ? L.plot.top() : L.plot.bottom()) : (outer ? L.plot.left() : L.plot.right());
  const double tick = outer ? -kTickLength : kTickLength;
  auto at = [horizontal](double along, double across) {
    return horizontal ? QPointF(along, across) : QPointF(across, along);
  };
  p.setPen(Qt::black);
  p.drawLine(at(v.from, edge), at(v.to, edge));
  for (double t : v.ticks) {
    double px = 0;
    if (v.map.ToPixel(t, px)) p.drawLine(at(px, edge), at(px, edge + tick));
  }
}

void DrawAxis(QPainter& p, const ChartLayout& L, const AxisLayout& v) {
  DrawAxisLine(p, L, v);
  const int align = v.axis->Horizontal() ? Qt::AlignCenter
                    : v.axis->AtRight()  ? Qt::AlignLeft | Qt::AlignVCenter
                                         : Qt::AlignRight | Qt::AlignVCenter;
  for (const AxisLabelLayout& label : v.labels) p.drawText(label.rect, align, label.text);
  DrawAxisTitle(p, v.title);
}

}  // namespace

void DrawAxes(QPainter& p, const ChartLayout& L) {
  p.setFont(PixelFont(kLabelFontPx));
  for (const AxisLayout& v : L.axes) {
    if (v.shown) DrawAxis(p, L, v);
  }
}

}  // namespace chart_render
