#include "app/report/chart_csv.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cmath>
#include <cstdio>

#include "app/Mainunit.h"
#include "app/chart/render/colors.h"
#include "app/chart/render/file_writer.h"
#include "app/report/station_report.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"

namespace {

std::string Field(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Number(double v) { return std::isfinite(v) ? ShortestNumber(v) : ""; }

std::string Coordinate(double v, bool date) { return date && std::isfinite(v) ? IsoDateTime(v) : Number(v); }

std::string Hex(const QColor& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red(), c.green(), c.blue());
  return text;
}

void Row(std::string& csv, const TChartSeries& s, int index) {
  const TChartPoint& p = s.Point(index);
  const bool date = s.GetHorizAxis().DateTime;
  const TSeriesKind kind = s.Kind();
  const bool hasX1 = kind == TSeriesKind::Arrow || kind == TSeriesKind::Shape || kind == TSeriesKind::Gantt;
  const bool hasY1 = kind == TSeriesKind::Arrow || kind == TSeriesKind::Shape;
  csv += Field(DisplayText(s.Name)) + ',' + Field(DisplayText(s.Title)) + ',' + Coordinate(p.X, date) + ',' +
         Number(p.Y) + ',' + (hasX1 ? Coordinate(p.X1, date) : "") + ',' + (hasY1 ? Number(p.Y1) : "") + ',' +
         Field(DisplayText(p.Label)) + ',' + Hex(ToQColor(s.PointColor(index))) + "\r\n";
}

}  // namespace

std::string ChartCsv(const TChart& chart) {
  std::string csv = "series,title,x,y,x1,y1,label,color\r\n";
  for (const TChartSeries* s : chart.Series())
    for (int i = 0; i < s->Count(); ++i) Row(csv, *s, i);
  return csv;
}

void ExportChartsCsv(const TMainForm& form, const std::string& dir) {
  const QString folder = QFile::decodeName(dir.c_str());
  if (!QDir().mkpath(folder))
    throw EFCreateError("Cannot create file \"" + dir + "\". The folder could not be made.");
  for (const TChart* chart : form.Charts()) {
    if (!ChartHasData(*chart)) continue;
    const std::string csv = ChartCsv(*chart);
    const std::string path = QFile::encodeName(QDir(folder).filePath(QString::fromStdString(chart->Name + ".csv"))).toStdString();
    WriteFileSafely(path, [&](QIODevice& file) {
      return file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
    });
  }
}
