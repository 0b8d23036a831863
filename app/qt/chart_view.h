#pragma once
// A widget that shows one chart model and repaints when the model changes.

#include <QWidget>

class TChart;

class ChartView : public QWidget {
 public:
  ChartView(TChart& chart, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TChart& chart_;
};
