#include "app/chart/render/chart_renderer.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

#include "app/chart/chart.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"

using namespace chart_render;

namespace {

// Each drawn series with what it is drawn against and the rectangle of its
// bands, which it must not leave.
template <class Each>
void ForEachDrawnSeries(const TChart& chart, const ChartLayout& L, Each each) {
  for (const TChartSeries* s : chart.Series()) {
    if (!s->Active) continue;
    const AxisLayout* h = L.Find(s->GetHorizAxis());
    const AxisLayout* v = L.Find(s->GetVertAxis());
    if (!h || !v) continue;  // an axis of another chart
    const QRectF bands(QPointF(h->from, v->from), QPointF(h->to + 1, v->to + 1));
    each(*s, SeriesContext{h->map, v->map, L.plot, std::max(v->from, v->to)}, bands);
  }
}

void Paint(const TChart& chart, QPainter& p, const ChartLayout& L) {
  p.fillRect(L.area, ToQColor(chart.Color));
  DrawTextBlock(p, L.title, chart.Title);
  DrawTextBlock(p, L.foot, chart.Foot);
  DrawLegend(p, L.legend);
  p.fillRect(L.plot, ToQColor(chart.BackColor, clWhite));
  DrawGrid(p, L);
  // Smooth series read better; the axes and the grid stay on whole pixels.
  p.setRenderHint(QPainter::Antialiasing, true);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c, const QRectF& bands) {
    p.setClipRect(bands);
    DrawSeries(p, s, c);
  });
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setClipRect(L.area);
  DrawAxes(p, L);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c, const QRectF&) {
    DrawMarks(p, s, c, L.area);
  });
}

}  // namespace

ChartLayout RenderChart(const TChart& chart, QPainter& painter, const QRect& area, const ChartViewState* view) {
  ChartLayout layout = LayoutChart(chart, area, view);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setClipRect(area);
  Paint(chart, painter, layout);
  painter.restore();
  return layout;
}

bool RenderChartOn(TChart& chart, QPaintDevice& device, const QSize& size) {
  const QRect area(QPoint(0, 0), size);
  // The after-draw handlers of this program move points (the comment markers
  // go to the top edge) and ask for a repaint; on screen that repaint draws
  // the chart a second time and raises the event again, which the handlers
  // ignore every second time so that drawing does not recurse. The device
  // must show that second drawing, and the handlers must see both calls; the
  // first drawing would be thrown away, so only its layout is made.
  if (chart.OnAfterDraw) {
    const QRect plot = LayoutChart(chart, area, nullptr).plot;
    chart.AfterDraw(plot.left(), plot.top(), plot.width(), plot.height());
  }
  QRect plot;
  {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    plot = RenderChart(chart, painter, area).plot;
  }
  chart.AfterDraw(plot.left(), plot.top(), plot.width(), plot.height());
  return true;
}

QImage RenderChartImage(TChart& chart, int width, int height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  if (!image.isNull()) RenderChartOn(chart, image, image.size());
  return image;
}
