#include <QPainter>

#include <algorithm>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"

namespace chart_render {

namespace {

// The colour the series' points are drawn in when they all share one, else
// the series' own.
TColor SwatchColour(const TChartSeries& s) {
  if (s.Count() == 0) return s.SeriesColor;
  const TColor first = s.PointColor(0);
  for (int i = 1; i < s.Count(); ++i) {
    if (s.PointColor(i) != first) return s.SeriesColor;
  }
  return first;
}

// A line series shows its line and pointer, other kinds a filled box.
void DrawLegendSymbol(QPainter& p, const TChartSeries& s, const QRect& r) {
  const TColor swatch = SwatchColour(s);
  const QColor colour = ToQColor(swatch);
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
      DrawPointer(p, small, centre, style.Use(swatch));
    }
    return;
  }
  p.setPen(Qt::black);
  p.setBrush(colour);
  p.drawRect(r.adjusted(0, 2, -1, -3));
}

}  // namespace

void DrawLegend(QPainter& p, const LegendLayout& legend) {
  if (legend.box.isEmpty()) return;
  p.setFont(legend.font);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(legend.box.adjusted(0, 0, -1, -1));
  for (const LegendLayout::Entry& e : legend.entries) {
    DrawLegendSymbol(p, *e.series, e.symbol);
    p.setPen(Qt::black);
    p.drawText(e.textRect, Qt::AlignLeft | Qt::AlignVCenter, e.text);
  }
}

}  // namespace chart_render
