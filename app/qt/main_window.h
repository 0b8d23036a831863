#pragma once
// The Qt window of the form: one widget per control model, each following its
// model and passing the user's actions back to it. Clicks, files dropped on
// the window, the keyboard shortcuts and the switch for following files go
// through its workspace.

#include <QElapsedTimer>
#include <QWidget>

#include "app/workspace.h"

class TMainForm;
class TControl;
class TWinControl;
class TPageControl;
class TStatusBar;

class MainWindow : public QWidget {
 public:
  explicit MainWindow(TMainForm& form);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Files and folders dropped anywhere on the window.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* Build(TControl* control, QWidget* parent);
  QWidget* BuildLeaf(TControl* control, QWidget* parent);
  QWidget* BuildPageControl(TPageControl* pages, QWidget* parent);
  QWidget* BuildStatusBar(TStatusBar* model, QWidget* parent);
  void BuildChildren(TWinControl* container, QWidget* widget);
  void BindGeometry(TControl* control, QWidget* widget);
  void BindKeys();

  TMainForm& form_;
  Workspace workspace_;
  QElapsedTimer clock_;
};
