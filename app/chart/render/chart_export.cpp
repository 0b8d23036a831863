#include "app/chart/render/chart_export.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QString>
#include <QSvgGenerator>

#include <cmath>
#include <cstring>
#include <functional>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"
#include "app/chart/render/file_writer.h"
#include "core/errors.h"

namespace {

// A vector drawing is as large on paper as the chart on a common screen.
constexpr int kScreenDpi = 96;

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EFCreateError("Cannot create file \"" + path + "\". " + reason);
}

// The size the chart is written at: a chart that was never laid out has no
// size, and still gets a picture.
QSize ChartSize(const TChart& chart) {
  const bool sized = chart.Width >= 1 && chart.Height >= 1;
  return sized ? QSize(chart.Width, chart.Height) : QSize(800, 500);
}

// zlib's fastest level for PNG (Qt takes a quality of 80 for level 1): a
// chart's flat colours pack nearly as well as at the default level, in half
// the time that the default takes to write one.
constexpr int kPngQuality = 80;

void WritePicture(TChart& chart, const std::string& path, const char* format) {
  const QSize size = ChartSize(chart);
  const QImage image = RenderChartImage(chart, size.width(), size.height());
  if (image.isNull()) Fail(path, "The image is too large.");
  const int quality = std::strcmp(format, "PNG") == 0 ? kPngQuality : -1;
  WriteFileSafely(path, [&](QIODevice& file) { return image.save(&file, format, quality); },
                  "The image could not be written.");
}

void WriteSvg(TChart& chart, const std::string& path) {
  const QSize size = ChartSize(chart);
  WriteDrawing(path, [&](QIODevice& device) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setResolution(kScreenDpi);
    svg.setTitle(QString::fromStdString(chart.Name));
    svg.setDescription(QStringLiteral("Lumograph chart"));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    return RenderChartOn(chart, svg, size);
  });
}

// One page the chart's size without margins: a pixel of the chart is a
// pixel of the page.
void WritePdf(TChart& chart, const std::string& path) {
  const QSize size = ChartSize(chart);
  WriteDrawing(path, [&](QIODevice& device) {
    QPdfWriter pdf(&device);
    pdf.setCreator(QStringLiteral("Lumograph"));
    pdf.setTitle(QString::fromStdString(chart.Name));
    pdf.setResolution(kScreenDpi);
    pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    return RenderChartOn(chart, pdf, size);
  });
}

}  // namespace

// Made in memory first: the SVG and PDF writers do not look at the results of
// their writes, so a file that took only part of the drawing would pass for whole.
void WriteDrawing(const std::string& path, const std::function<bool(QIODevice&)>& draw) {
  QBuffer drawing;
  drawing.open(QIODevice::WriteOnly);
  if (!draw(drawing)) Fail(path, "The drawing could not be made.");
  const QByteArray& bytes = drawing.data();
  WriteFileSafely(path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); },
                  "The drawing could not be written.");
}

void SaveToBitmapFile(TChart& chart, const std::string& path) { WritePicture(chart, path, "BMP"); }

void SaveChartImage(TChart& chart, const std::string& path) {
  const QString suffix = QFileInfo(QFile::decodeName(path.c_str())).suffix().toLower();
  if (suffix == QLatin1String("png")) {
    WritePicture(chart, path, "PNG");
  } else if (suffix == QLatin1String("bmp")) {
    WritePicture(chart, path, "BMP");
  } else if (suffix == QLatin1String("svg")) {
    WriteSvg(chart, path);
  } else if (suffix == QLatin1String("pdf")) {
    WritePdf(chart, path);
  } else {
    Fail(path, "Only .png, .bmp, .svg and .pdf files can be written.");
  }
}

void CopyChartImage(TChart& chart) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double ratio = screen ? screen->devicePixelRatio() : 1.0;
  const QSize size = ChartSize(chart);
  QImage image(QSize(static_cast<int>(std::ceil(size.width() * ratio)), static_cast<int>(std::ceil(size.height() * ratio))),
               QImage::Format_RGB32);
  if (image.isNull()) return;  // too large to hold: the clipboard keeps what it had
  image.setDevicePixelRatio(ratio);
  RenderChartOn(chart, image, size);
  QGuiApplication::clipboard()->setImage(image);
}
