#pragma once
// The platform of the real window: Qt's file dialogs and message boxes.

#include <QWidget>
#include <QPointer>
#include <QProgressDialog>
#include <string>

#include "app/controls/platform.h"

class QtPlatform : public Platform {
 public:
  // Dialogs and boxes are shown over `window` once it is set.
  void SetWindow(QWidget* window) { window_ = window; }
  // The next open dialog is not shown but answered with `path`, as for a path
  // opened from the command line; an empty path withdraws an answer that no
  // dialog took.
  void AnswerNextOpenDialog(const std::string& path) { answer_ = path; }

  bool RunOpenDialog(const FileDialogRequest& request, std::string& chosen) override;
  bool RunSaveDialog(const FileDialogRequest& request, std::string& chosen) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowException(const std::string& message) override;
  void ProcessMessages() override;
  void ShowProgress(const std::string& text) override;
  double Today() override;

 private:
  QPointer<QWidget> window_;
  QPointer<QProgressDialog> progress_;
  std::string answer_;
};

// The name filter a file dialog shows for patterns such as "sl?avg*.*;SL*.*":
// each pattern in lower and upper case, since instrument files come in both.
QString DialogNameFilter(const std::string& patterns);
