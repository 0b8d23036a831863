#pragma once
// A widget that shows one chart model and repaints when the model changes.
// The user zooms (drag a rectangle, the wheel; Shift or Ctrl for one
// direction), pans (drag with the right or middle button), returns with a
// double click, reads the point under the mouse in the status bar, and finds
// image export in the context menu.

#include <QWidget>

#include <vector>

#include "app/chart/chart_view_state.h"
#include "app/chart/render/chart_layout.h"

class TChart;
class TChartSeries;
class Workspace;

class ChartView : public QWidget {
 public:
  ChartView(TChart& chart, Workspace& workspace, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // A right-button press is a pan once the mouse moves, else the menu.
  enum class Drag { None, Zoom, Pan, PanOrMenu };

  // The axes as last drawn.
  std::vector<AxisScale> Scales() const;
  void ReadPointAt(const QPointF& pos);
  void ForgetPoint();
  void DrawOverlay(QPainter& painter) const;
  void ShowMenu(const QPoint& globalPos);
  void SaveImage();
  void CopyImage();
  void SaveData();
  void CopyData();

  TChart& chart_;
  Workspace& workspace_;
  ChartViewState& view_;
  ChartLayout layout_;
  Drag drag_ = Drag::None;
  QPointF pressPos_, dragPos_;
  std::vector<AxisScale> pressScales_;
  const TChartSeries* pointSeries_ = nullptr;  // the point read, if any
  int pointIndex_ = -1;
};
