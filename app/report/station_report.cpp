#include "app/report/station_report.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

#include <algorithm>

#include "app/chart/render/chart_export.h"
#include "app/chart/render/chart_renderer.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

constexpr int kDpi = 96;  // a chart's pixel is a pixel of the page, as on a screen
constexpr double kMarginMm = 10;

std::string TabCaption(const TChart& chart) {
  for (const TWinControl* c = chart.Parent(); c; c = c->Parent())
    if (dynamic_cast<const TTabSheet*>(c)) return DisplayText(c->Caption);
  return "";
}

std::string Heading(const TChart& chart) {
  const std::string tab = TabCaption(chart);
  return tab.empty() ? chart.Name : tab + " \u2013 " + chart.Name;
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

double Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QTime t = now.time();
  return EncodeDate(now.date().year(), now.date().month(), now.date().day()) +
         (t.hour() * 3600.0 + t.minute() * 60.0 + t.second()) / 86400.0;
}

std::vector<QString> FirstPageLines(const StationReport& report) {
  std::vector<QString> lines;
  lines.push_back(QStringLiteral("Instrument: ") + Q(report.instrument.empty() ? "unknown" : report.instrument));
  lines.push_back(QStringLiteral("Folder: ") + Q(report.folder.empty() ? "none" : report.folder));
  lines.push_back(QStringLiteral("Date window: ") + Q(report.window));
  lines.push_back(QStringLiteral("Made: ") + Q(report.made));
  lines.push_back(QString());
  lines.push_back(QStringLiteral("Files read:"));
  if (report.files.empty()) lines.push_back(QStringLiteral("    none"));
  for (const LoadSummary& file : report.files)
    lines.push_back(QStringLiteral("    ") + Q(DisplayText(ExtractFileName(file.path))) + QStringLiteral(": ") +
                    Q(DisplayText(file.what)));
  lines.push_back(QString());
  lines.push_back(QStringLiteral("Charts:"));
  for (const ReportChartPage& page : report.pages) lines.push_back(QStringLiteral("    ") + Q(page.heading));
  for (const std::string& heading : report.noData)
    lines.push_back(QStringLiteral("    ") + Q(heading) + QStringLiteral(": no data"));
  return lines;
}

// The first page's text, in a font small enough for every line to fit.
void DrawFirstPage(QPainter& painter, const QRect& area, const StationReport& report) {
  QFont title = painter.font();
  title.setPixelSize(22);
  title.setBold(true);
  painter.setFont(title);
  const int titleHeight = QFontMetrics(title).height() * 2;
  painter.drawText(area.left(), area.top() + QFontMetrics(title).ascent(),
                   QStringLiteral("Station report") +
                       (report.instrument.empty() ? QString() : QStringLiteral(" ") + Q(report.instrument)));

  const std::vector<QString> lines = FirstPageLines(report);
  const int lineHeight = std::clamp((area.height() - titleHeight) / static_cast<int>(lines.size()), 4, 18);
  QFont body = painter.font();
  body.setBold(false);
  body.setPixelSize(std::max(3, lineHeight * 4 / 5));
  painter.setFont(body);
  int y = area.top() + titleHeight;
  for (const QString& line : lines) {
    painter.drawText(area.left(), y + QFontMetrics(body).ascent(), line);
    y += lineHeight;
  }
}

// The heading, then the chart as it draws itself (after-draw event included)
// over the rest of the page.
bool DrawChartPage(QPainter& painter, const QRect& area, const ReportChartPage& page) {
  QFont heading = painter.font();
  heading.setPixelSize(16);
  heading.setBold(true);
  painter.setFont(heading);
  const QFontMetrics metrics(heading);
  painter.drawText(area.left(), area.top() + metrics.ascent(), Q(page.heading));
  const int top = metrics.height() + 8;
  QPicture picture;
  if (!RenderChartOn(*page.chart, picture, QSize(area.width(), area.height() - top))) return false;
  painter.drawPicture(area.left(), area.top() + top, picture);
  return true;
}

}  // namespace

bool ChartHasData(const TChart& chart) {
  const auto& series = chart.Series();
  return std::any_of(series.begin(), series.end(), [](const TChartSeries* s) { return s->Count() > 0; });
}

StationReport PlanStationReport(const TMainForm& form, double now) {
  StationReport report;
  if (!form.Loads.empty()) {
    const std::string& last = form.Loads.back().path;
    report.instrument = DisplayText(Copy(ExtractFileExt(last), 2, static_cast<int>(last.size())));
    report.folder = DisplayText(ExtractFilePath(last));
  }
  report.window = FormatDateTime("dd/mm/yyyy", form.StartingDate->DateTime) + " \u2013 " +
                  FormatDateTime("dd/mm/yyyy", form.EndDate->DateTime);
  report.made = FormatDateTime("yyyy-mm-dd hh:nn", now);
  report.files = form.Loads;
  for (TChart* chart : form.Charts()) {
    if (ChartHasData(*chart))
      report.pages.push_back({chart, Heading(*chart)});
    else
      report.noData.push_back(Heading(*chart));
  }
  return report;
}

void WriteStationReport(const TMainForm& form, const std::string& path, Paper paper) {
  const StationReport report = PlanStationReport(form, Now());
  WriteDrawing(path, [&](QIODevice& device) {
    QPdfWriter pdf(&device);
    pdf.setCreator(QStringLiteral("Lumograph"));
    pdf.setTitle(QStringLiteral("Station report ") + Q(report.instrument));
    pdf.setResolution(kDpi);
    pdf.setPageLayout(QPageLayout(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4),
                                  QPageLayout::Landscape, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                  QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    // The painter's origin is the corner inside the margins.
    const QRect area(QPoint(0, 0), pdf.pageLayout().paintRectPixels(kDpi).size());
    DrawFirstPage(painter, area, report);
    for (const ReportChartPage& page : report.pages) {
      if (!pdf.newPage() || !DrawChartPage(painter, area, page)) return false;
    }
    return painter.end();
  });
}

void SaveStationReportAs(TMainForm& form) {
  TSaveDialog& dialog = *form.SaveDialog1;
  dialog.FileName = "*.pdf";
  dialog.DefaultExt = "pdf";
  if (!dialog.Execute()) return;
  WriteStationReport(form, dialog.FileName, Paper::A4);
}
