#include "app/qt/chart_view.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIODevice>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "app/Mainunit.h"
#include "app/chart/chart.h"
#include "app/chart/point_reading.h"
#include "app/chart/render/chart_export.h"
#include "app/chart/render/chart_renderer.h"
#include "app/chart/render/file_writer.h"
#include "app/controls/application.h"
#include "app/report/chart_csv.h"
#include "app/workspace.h"

namespace {

// One notch of the wheel shows this much of the range.
constexpr double kWheelZoom = 0.8;
// A right-button press that moves less than this opens the menu.
constexpr double kLeastPanPixels = 3;

const char* const kImageFilters =
    "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf);;Windows bitmap (*.bmp)";

PixelRect ToPixelRect(const QRectF& r) { return {r.left(), r.top(), r.right(), r.bottom()}; }

ScaleOf ScaleLookup(const std::vector<AxisScale>& scales) {
  return [&scales](const TChartAxis& axis) -> const PixelScale* {
    for (const AxisScale& s : scales)
      if (s.axis == &axis) return &s.scale;
    return nullptr;
  };
}

// ".png" of "PNG image (*.png)".
QString SuffixOf(const QString& filter) {
  const int from = filter.indexOf("(*");
  const int to = filter.indexOf(')', from);
  return from < 0 || to < 0 ? QString() : filter.mid(from + 2, to - from - 2);
}

}  // namespace

ChartView::ChartView(TChart& chart, Workspace& workspace, QWidget* parent)
    : QWidget(parent), chart_(chart), workspace_(workspace), view_(workspace.View(chart)) {
  setObjectName(QString::fromStdString(chart.Name));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  // The right button pans; the menu opens on a right click that did not.
  setContextMenuPolicy(Qt::PreventContextMenu);
  QPointer<ChartView> self(this);
  chart_.AddObserver([self] {
    if (self) self->update();
  });
}

std::vector<AxisScale> ChartView::Scales() const {
  std::vector<AxisScale> scales;
  for (const AxisLayout& a : layout_.axes) {
    PixelScale s{a.map.Min(), a.map.Max(), 0, 0, a.map.Logarithmic()};
    if (a.map.ToPixel(s.min, s.pixelOfMin) && a.map.ToPixel(s.max, s.pixelOfMax)) scales.push_back({a.axis, s});
  }
  return scales;
}

void ChartView::paintEvent(QPaintEvent*) {
  {
    QPainter painter(this);
    layout_ = RenderChart(chart_, painter, rect(), &view_);
    DrawOverlay(painter);
  }
  const QRect plot = layout_.plot;
  if (chart_.OnAfterDraw)
    RunUserAction([this, plot] { chart_.AfterDraw(plot.left(), plot.top(), plot.width(), plot.height()); });
}

void ChartView::DrawOverlay(QPainter& painter) const {
  if (drag_ == Drag::Zoom) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.setBrush(QColor(0, 0, 255, 24));
    painter.drawRect(QRectF(pressPos_, dragPos_).normalized());
  }
  const auto& series = chart_.Series();
  if (!pointSeries_ || std::find(series.begin(), series.end(), pointSeries_) == series.end()) return;
  const std::vector<AxisScale> scales = Scales();
  const PointHit hit = LocatePoint(*pointSeries_, pointIndex_, ScaleLookup(scales));
  if (!hit.series) return;
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(Qt::black, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(hit.x, hit.y), 6, 6);
  if (hit.x1 != hit.x || hit.y1 != hit.y) painter.drawEllipse(QPointF(hit.x1, hit.y1), 6, 6);
}

void ChartView::ReadPointAt(const QPointF& pos) {
  const std::vector<AxisScale> scales = Scales();
  const PointHit hit =
      NearestPoint(chart_, ScaleLookup(scales), ToPixelRect(QRectF(layout_.plot)), pos.x(), pos.y());
  if (!hit.series) {
    ForgetPoint();
    return;
  }
  workspace_.ShowReading(DescribePoint(chart_, *hit.series, hit.index));
  if (hit.series != pointSeries_ || hit.index != pointIndex_) {
    pointSeries_ = hit.series;
    pointIndex_ = hit.index;
    update();
  }
}

void ChartView::ForgetPoint() {
  workspace_.EndReading();
  if (!pointSeries_) return;
  pointSeries_ = nullptr;
  pointIndex_ = -1;
  update();
}

void ChartView::mousePressEvent(QMouseEvent* event) {
  pressPos_ = dragPos_ = event->position();
  pressScales_ = Scales();
  if (event->button() == Qt::LeftButton) {
    drag_ = Drag::Zoom;
  } else if (event->button() == Qt::MiddleButton) {
    drag_ = Drag::Pan;
    setCursor(Qt::ClosedHandCursor);
  } else if (event->button() == Qt::RightButton) {
    drag_ = Drag::PanOrMenu;
  }
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  dragPos_ = event->position();
  const QPointF moved = dragPos_ - pressPos_;
  if (drag_ == Drag::PanOrMenu && std::hypot(moved.x(), moved.y()) >= kLeastPanPixels) {
    drag_ = Drag::Pan;
    setCursor(Qt::ClosedHandCursor);
  }
  switch (drag_) {
    case Drag::Zoom:
      update();
      break;
    case Drag::Pan:
      // From where the drag began, so that moves between two repaints add up.
      view_.Pan(pressScales_, moved.x(), moved.y());
      update();
      break;
    case Drag::None:
      ReadPointAt(dragPos_);
      break;
    case Drag::PanOrMenu:
      break;
  }
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
  const Drag drag = drag_;
  drag_ = Drag::None;
  setCursor(Qt::CrossCursor);
  if (drag == Drag::Zoom) view_.ZoomToRect(Scales(), ToPixelRect(QRectF(pressPos_, event->position())));
  if (drag == Drag::PanOrMenu) ShowMenu(event->globalPosition().toPoint());
  update();
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  view_.Reset();
  update();
}

void ChartView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  // Some desktops turn Shift with the wheel into a sideways turn.
  const int turn = delta.y() != 0 ? delta.y() : delta.x();
  const QPointF at = event->position();
  if (turn == 0 || !QRectF(layout_.plot).contains(at)) return;
  ZoomDirection direction = ZoomDirection::Both;
  if (event->modifiers() & Qt::ShiftModifier) direction = ZoomDirection::Horizontal;
  if (event->modifiers() & Qt::ControlModifier) direction = ZoomDirection::Vertical;
  view_.ZoomAbout(Scales(), at.x(), at.y(), std::pow(kWheelZoom, turn / 120.0), direction);
  update();
  event->accept();
}

void ChartView::leaveEvent(QEvent*) { ForgetPoint(); }

void ChartView::ShowMenu(const QPoint& globalPos) {
  QMenu menu(this);
  connect(menu.addAction(QString::fromUtf8("Save image as\u2026")), &QAction::triggered, this, [this] { SaveImage(); });
  connect(menu.addAction("Copy image"), &QAction::triggered, this, [this] { CopyImage(); });
  connect(menu.addAction(QString::fromUtf8("Save data as CSV\u2026")), &QAction::triggered, this, [this] { SaveData(); });
  connect(menu.addAction("Copy data"), &QAction::triggered, this, [this] { CopyData(); });
  QAction* reset = menu.addAction("Reset zoom");
  reset->setEnabled(view_.Zoomed());
  connect(reset, &QAction::triggered, this, [this] {
    view_.Reset();
    update();
  });
  menu.exec(globalPos);
}

void ChartView::SaveImage() {
  const QString dir = QString::fromLocal8Bit(workspace_.Form().OpenDialog1->InitialDir.c_str());
  const QString name = QString::fromLocal8Bit(chart_.Name.c_str()) + ".png";
  QString filter;
  QString path = QFileDialog::getSaveFileName(this, "Save image as", QDir(dir).filePath(name), kImageFilters, &filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += SuffixOf(filter);
  const std::string file = path.toLocal8Bit().toStdString();
  RunUserAction([this, &file] { SaveChartImage(chart_, file); });
}

// The points behind the chart, as the headless --export-csv writes them.
void ChartView::SaveData() {
  const QString dir = QString::fromLocal8Bit(workspace_.Form().OpenDialog1->InitialDir.c_str());
  const QString name = QString::fromLocal8Bit(chart_.Name.c_str()) + ".csv";
  QString path = QFileDialog::getSaveFileName(this, "Save data as", QDir(dir).filePath(name), "CSV files (*.csv)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".csv";
  const std::string file = path.toLocal8Bit().toStdString();
  const std::string csv = ChartCsv(chart_);
  RunUserAction([&file, &csv] {
    WriteFileSafely(file, [&csv](QIODevice& out) {
      return out.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
    });
  });
}

void ChartView::CopyData() { QGuiApplication::clipboard()->setText(QString::fromStdString(ChartCsv(chart_))); }

void ChartView::CopyImage() {
  const QImage image = RenderChartImage(chart_, width(), height());
  if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
}
