#pragma once
// Paints a chart model with QPainter. The widget, the bitmap export and the
// tests all draw through RenderChart, so they show the same picture.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "app/chart/chart.h"

// Where the plot went, in the painter's pixels.
struct ChartLayout {
  int plotLeft = 0, plotTop = 0, plotWidth = 0, plotHeight = 0;
};

// Draws `chart` into `area` of the painter: title, foot, legend, axes, grid,
// series and marks. Leaves the painter's state as it found it.
ChartLayout RenderChart(const TChart& chart, QPainter& painter, const QRect& area);

// Draws `chart` on a new image of the given size (at least 1 by 1), stores the
// plot rectangle in the chart and raises its after-draw event. Returns a null
// image when one that large cannot be allocated.
QImage RenderChartImage(TChart& chart, int width, int height);
