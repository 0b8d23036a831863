#include "app/qt/about.h"

#include <QMessageBox>
#include <QString>
#include <QtGlobal>

std::string VersionText() {
  // qVersion() rather than the Qt of the build: an installed program runs on
  // whatever Qt the system has.
  return std::string("Lumograph ") + LUMOGRAPH_VERSION + " (Qt " + qVersion() + ")";
}

void ShowAbout(QWidget* parent) {
  QMessageBox::about(parent, QStringLiteral("About Lumograph"),
                     QString::fromStdString(VersionText()) +
                         QStringLiteral("\n\nGraphs for calibration reports of Brewer spectrophotometers."));
}
