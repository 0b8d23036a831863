#pragma once
// Paints a chart model with QPainter: the layout first, then the painters.
// The widget, the image export and the tests all draw through RenderChart,
// so they show the same picture.

#include <QImage>

#include "app/chart/render/chart_layout.h"

class QPaintDevice;
class QPainter;
class QRect;
class QSize;
class ChartViewState;
class TChart;

// Draws `chart` into `area` of the painter: title, foot, legend, axes, grid,
// series and marks. Leaves the painter's state as it found it; returns the
// layout it drew. The window passes the user's zoomed `view`.
ChartLayout RenderChart(const TChart& chart, QPainter& painter, const QRect& area,
                        const ChartViewState* view = nullptr);

// Draws `chart` over `size` pixels of `device` (an image, an SVG or a PDF
// page) as a window shows it, raising its after-draw event after its first
// drawing and again after the one the device gets. False when the device
// cannot be painted on.
bool RenderChartOn(TChart& chart, QPaintDevice& device, const QSize& size);

// Draws `chart` on a new image of the given size (at least 1 by 1) as
// RenderChartOn does. Returns a null image when one that large cannot be
// allocated.
QImage RenderChartImage(TChart& chart, int width, int height);
