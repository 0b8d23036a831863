// Program entry: the window, or the headless driver with --headless.
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <clocale>
#include <cstring>
#include <exception>
#include <iostream>

#include "app/Mainunit.h"
#include "app/cli/headless.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"

namespace {

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  // Report files always write a decimal point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  try {
    QtPlatform platform;
    TMainForm form(platform);
    MainWindow window(form);
    platform.SetWindow(&window);
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, kApplicationTitle, QString::fromLocal8Bit(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, kApplicationTitle, QString());
  }
  return 1;
}

// Scripts read standard error: Qt's notes about the missing desktop stay out of it.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toLocal8Bit().constData() << "\n";
}

int RunWithoutWindow(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtNotes);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  std::setlocale(LC_NUMERIC, "C");
  try {
    return RunHeadless(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "lumograph: " << e.what() << "\n";
  }
  return kHeadlessHandlerError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--headless") == 0) return RunWithoutWindow(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(std::cout);
    return 0;
  }
  if (argc > 1) {
    std::cerr << "lumograph: unknown option \"" << argv[1] << "\" (see --help)\n";
    return kHeadlessUsageError;
  }
  return RunWindow(argc, argv);
}
