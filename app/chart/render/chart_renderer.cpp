#include "app/chart/render/chart_renderer.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

#include "app/chart/chart.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/painters.h"

using namespace chart_render;

namespace {

template <class Each>
void ForEachDrawnSeries(const TChart& chart, const ChartLayout& L, Each each) {
  for (const TChartSeries* s : chart.Series()) {
    if (!s->Active) continue;
    const AxisLayout* h = L.Find(s->GetHorizAxis());
    const AxisLayout* v = L.Find(s->GetVertAxis());
    if (!h || !v) continue;  // an axis of another chart
    each(*s, SeriesContext{h->map, v->map, L.plot, std::max(v->from, v->to)});
  }
}

void Paint(const TChart& chart, QPainter& p, const ChartLayout& L) {
  p.fillRect(L.area, ToQColor(chart.Color));
  DrawTextBlock(p, L.title, chart.Title);
  DrawTextBlock(p, L.foot, chart.Foot);
  DrawLegend(p, L.legend);
  p.fillRect(L.plot, ToQColor(chart.BackColor, clWhite));
  DrawGrid(p, L);
  p.setClipRect(L.plot);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c) { DrawSeries(p, s, c); });
  p.setClipRect(L.area);
  DrawAxes(p, L);
  ForEachDrawnSeries(chart, L, [&](const TChartSeries& s, const SeriesContext& c) { DrawMarks(p, s, c, L.area); });
}

void RenderInto(TChart& chart, QImage& image) {
  QPainter painter(&image);
  RenderChart(chart, painter, image.rect());
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
