#include "app/qt/qt_platform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <utility>

#include "core/serial_date.h"
#include "core/text.h"

namespace {

QString FromLocal(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<int>(s.size())); }
std::string ToLocal(const QString& s) { return s.toLocal8Bit().toStdString(); }

bool HasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

}  // namespace

QString DialogNameFilter(const std::string& patterns) {
  QStringList globs;
  for (QString p : FromLocal(patterns).split(';', Qt::SkipEmptyParts)) {
    p = p.trimmed();
    // A name without a point matches "*.*" too, as in the instrument's world.
    if (p.endsWith("*.*")) p.chop(2);
    for (const QString& variant : {p.toLower(), p.toUpper()})
      if (!globs.contains(variant)) globs << variant;
  }
  return QString("Report files (%1);;All files (*)").arg(globs.join(' '));
}

bool QtPlatform::RunOpenDialog(const FileDialogRequest& request, std::string& chosen) {
  if (!answer_.empty()) {
    chosen = std::exchange(answer_, std::string());
    return true;
  }
  const QString dir = FromLocal(request.initialDir);
  QString result;
  if (request.pickFolder) {
    result = QFileDialog::getExistingDirectory(window_, "Choose the folder of the reports", dir);
    // Callers take the folder of the chosen name, so a folder is given with its separator.
    if (!result.isEmpty() && !result.endsWith('/')) result += '/';
  } else {
    const QString filter = HasWildcards(request.fileName) ? DialogNameFilter(request.fileName)
                                                          : QString("All files (*)");
    result = QFileDialog::getOpenFileName(window_, FromLocal(request.title), dir, filter);
  }
  if (result.isEmpty()) return false;
  chosen = ToLocal(QDir::toNativeSeparators(result));
  return true;
}

bool QtPlatform::RunSaveDialog(const FileDialogRequest& request, std::string& chosen) {
  QFileDialog dialog(window_, "Save the chart", FromLocal(request.initialDir));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // "BMP files (*.bmp)|*.bmp": the text before the bar is what the user sees.
  const QString filter = FromLocal(request.filter).section('|', 0, 0);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(FromLocal(request.defaultExt));
  if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  chosen = ToLocal(QDir::toNativeSeparators(dialog.selectedFiles().first()));
  return true;
}

void QtPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(DisplayText(caption)),
                  QString::fromStdString(DisplayText(text)), QMessageBox::Ok, window_);
  box.exec();
}

void QtPlatform::ShowException(const std::string& message) {
  QMessageBox::critical(window_, kApplicationTitle, FromLocal(message));
}

void QtPlatform::ProcessMessages() { QCoreApplication::processEvents(); }

void QtPlatform::ShowProgress(const std::string& text) {
  if (text.empty()) {
    if (progress_) {
      delete progress_;
      QGuiApplication::restoreOverrideCursor();
    }
    return;
  }
  if (!progress_) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // A busy bar without a cancel button, shown only when a load takes a while.
    progress_ = new QProgressDialog(window_);
    progress_->setWindowTitle(kApplicationTitle);
    progress_->setCancelButton(nullptr);
    progress_->setRange(0, 0);
    progress_->setMinimumDuration(400);
  }
  progress_->setLabelText(FromLocal(text));
  // Keeps the window painted between two files; input waits for the end.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

double QtPlatform::Today() {
  const QDate today = QDate::currentDate();
  return EncodeDate(today.year(), today.month(), today.day());
}
