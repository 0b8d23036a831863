#include "app/chart/render/chart_export.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"
#include "app/chart/render/file_writer.h"
#include "core/errors.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EFCreateError("Cannot create file \"" + path + "\". " + reason);
}

void WriteChart(TChart& chart, const std::string& path, const char* format) {
  // A chart that was never laid out has no size; it still gets a picture.
  const bool sized = chart.Width >= 1 && chart.Height >= 1;
  const QImage image = RenderChartImage(chart, sized ? chart.Width : 800, sized ? chart.Height : 500);
  if (image.isNull()) Fail(path, "The image is too large.");
  WriteFileSafely(path, [&](QIODevice& file) { return image.save(&file, format); }, "The image could not be written.");
}

}  // namespace

void SaveToBitmapFile(TChart& chart, const std::string& path) { WriteChart(chart, path, "BMP"); }

void SaveChartImage(TChart& chart, const std::string& path) {
  const QString suffix = QFileInfo(QFile::decodeName(path.c_str())).suffix().toLower();
  if (suffix == QLatin1String("png")) {
    WriteChart(chart, path, "PNG");
  } else if (suffix == QLatin1String("bmp")) {
    WriteChart(chart, path, "BMP");
  } else {
    Fail(path, "Only .png and .bmp images can be written.");
  }
}
