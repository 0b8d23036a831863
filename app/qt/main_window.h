#pragma once
// The Qt window of the form: one widget per control model, each following its
// model and passing the user's actions back to it.

#include <QWidget>

class TMainForm;
class TControl;
class TWinControl;
class TPageControl;

class MainWindow : public QWidget {
 public:
  explicit MainWindow(TMainForm& form);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* Build(TControl* control, QWidget* parent);
  QWidget* BuildLeaf(TControl* control, QWidget* parent);
  QWidget* BuildPageControl(TPageControl* pages, QWidget* parent);
  void BuildChildren(TWinControl* container, QWidget* widget);
  void BindGeometry(TControl* control, QWidget* widget);

  TMainForm& form_;
};
