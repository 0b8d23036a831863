// Program entry: the window, or the headless driver with --headless.
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <clocale>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/Mainunit.h"
#include "app/cli/headless.h"
#include "app/qt/about.h"
#include "app/qt/main_window.h"
#include "app/qt/open_in_window.h"
#include "app/qt/qt_platform.h"

namespace {

// `paths` are loaded as if dropped on the window, once it shows.
int RunWindow(int argc, char** argv, const std::vector<std::string>& paths) {
  QApplication app(argc, argv);
  // Report files always write a decimal point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  // The installed desktop entry and icon: the desktop ties the window to them.
  QGuiApplication::setDesktopFileName(QStringLiteral("lumograph"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lumograph")));
  try {
    QtPlatform platform;
    TMainForm form(platform);
    MainWindow window(form);
    platform.SetWindow(&window);
    window.show();
    QTimer::singleShot(0, &window, [&] {
      for (const std::string& path : paths) OpenPathInWindow(form, platform, path);
    });
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
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--headless") return RunWithoutWindow(argc, argv);
  if (!args.empty() && args[0] == "--help") {
    PrintUsage(std::cout);
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    std::cout << VersionText() << "\n";
    return 0;
  }
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "lumograph: unknown option \"" << arg << "\" (see --help)\n";
      return kHeadlessUsageError;
    }
  }
  return RunWindow(argc, argv, args);
}
