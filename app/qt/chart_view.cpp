#include "app/qt/chart_view.h"

#include <QPainter>
#include <QPointer>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"
#include "app/controls/application.h"

ChartView::ChartView(TChart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPointer<ChartView> self(this);
  chart_.AddObserver([self] {
    if (self) self->update();
  });
}

void ChartView::paintEvent(QPaintEvent*) {
  QRect plot;
  {
    QPainter painter(this);
    plot = RenderChart(chart_, painter, rect()).plot;
  }
  if (chart_.OnAfterDraw)
    RunUserAction([this, plot] { chart_.AfterDraw(plot.left(), plot.top(), plot.width(), plot.height()); });
}
