// The program tells which version it is, on the command line and in the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include "app/qt/main_window.h"
#include "tests/support/test_support.h"

namespace {

// The version CMake's project names, and the Qt this process runs on.
const std::string kExpected = std::string("Lumograph ") + LUMOGRAPH_VERSION + " (Qt " + qVersion() + ")";

TEST(About, VersionOptionPrintsTheProjectVersionAndQt) {
  QProcess process;
  process.start(LUMOGRAPH_EXE, {"--version"});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardOutput().toStdString(), kExpected + "\n");
}

TEST(About, F1InTheWindowShowsTheSameAndKeepsTheFormsCaption) {
  FormFixture f;
  MainWindow window(*f.form);
  EXPECT_EQ(window.windowTitle().toStdString(), f.form->Caption);
  QAction* about = nullptr;
  for (QAction* action : window.actions())
    if (action->shortcut() == QKeySequence(Qt::Key_F1)) about = action;
  ASSERT_NE(about, nullptr);

  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  about->trigger();
  EXPECT_TRUE(shown.startsWith(QString::fromStdString(kExpected))) << shown.toStdString();
}

}  // namespace
