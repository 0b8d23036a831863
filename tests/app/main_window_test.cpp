// The window's wiring of drops and the mouse, under the offscreen platform.
#include "app/qt/main_window.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "app/chart/render/chart_layout.h"
#include "reports/daily/dt_avg.h"
#include "tests/support/test_support.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    f.form->PageControl1->SetActivePageIndex(2);  // DT
    window.show();
  }

  // As a drag from a file manager: it enters the window, then drops.
  void Drop(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
  }
  QWidget* View() { return window.findChild<QWidget*>("DTGraph"); }
  void Send(QEvent::Type type, const QPointF& at, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent event(type, at, View()->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(View(), &event);
  }
  // The pixel of a value pair on DTGraph's bottom and left axes, as drawn.
  QPointF PixelOf(double x, double y) {
    const ChartLayout layout = LayoutChart(*f.form->Dt->DTGraph, View()->rect());
    double px = 0, py = 0;
    layout.Find(f.form->Dt->DTGraph->BottomAxis)->map.ToPixel(x, px);
    layout.Find(f.form->Dt->DTGraph->LeftAxis)->map.ToPixel(y, py);
    return {px, py};
  }

  FormFixture f;
  MainWindow window{*f.form};
};

TEST_F(MainWindowTest, AFileDroppedOnTheWindowLoadsOnTheCurrentTab) {
  Drop(f.dir.Write("dtoavg19.185", "00119 28.0 27.0\r\n00219 28.5 27.5\r\n"));
  EXPECT_EQ(f.form->Dt->Series12->Count(), 2);
  Drop(f.dir.Write("sloavg19.185", "00119\r\n"));
  EXPECT_EQ(f.form->StatusBar1->SimpleText, "sloavg19.185 not loaded: the DT tab reads dtoavg*.*");
}

TEST_F(MainWindowTest, TheMouseReadsValuesAndZoomsTheChart) {
  Drop(f.dir.Write("dtoavg19.185", "00119 28.0 27.0\r\n00219 28.5 27.5\r\n00319 29.0 28.0\r\n"));
  ASSERT_NE(View(), nullptr);
  f.form->StatusBar1->SimpleText = "loaded";
  const QImage before = View()->grab().toImage();
  Send(QEvent::MouseMove, PixelOf(Day(2019, 1, 2), 28.5) + QPointF(2, 1));
  EXPECT_EQ(f.form->StatusBar1->SimpleText, "DTGraph  Dead time, ns.  02/01/19  28.5 -> 27.5");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(View(), &leave);
  EXPECT_EQ(f.form->StatusBar1->SimpleText, "loaded");

  const QPointF middle = PixelOf(Day(2019, 1, 2), 28);
  QWheelEvent wheel(middle, View()->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(View(), &wheel);
  EXPECT_NE(View()->grab().toImage(), before);
  Send(QEvent::MouseButtonDblClick, middle, Qt::LeftButton);
  EXPECT_EQ(View()->grab().toImage(), before);
  // The model never saw the zoom.
  EXPECT_TRUE(f.form->Dt->DTGraph->BottomAxis.Automatic);
}

}  // namespace
