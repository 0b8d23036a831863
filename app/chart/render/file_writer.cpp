#include "app/chart/render/file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/errors.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EFCreateError("Cannot create file \"" + path + "\". " + reason);
}

}  // namespace

void WriteFileSafely(const std::string& path, const std::function<bool(QIODevice&)>& write,
                     const std::string& reason) {
  const QString name = QFile::decodeName(path.c_str());
  const QFileInfo info(name);
  if (info.exists() && !info.isFile() && !info.isDir()) {
    QFile device(name);
    if (!device.open(QIODevice::WriteOnly)) Fail(path, device.errorString().toStdString());
    if (!write(device)) Fail(path, reason);
    device.close();
    if (device.error() != QFileDevice::NoError) Fail(path, device.errorString().toStdString());
    return;
  }
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) Fail(path, file.errorString().toStdString());
  if (!write(file)) Fail(path, reason);
  // Writers that do not look at every write's result (the SVG and PDF
  // writers) leave the last bytes buffered: a failure to write them shows
  // only here, and the committing close would not report it.
  if (!file.flush()) {
    const std::string error = file.errorString().toStdString();
    file.cancelWriting();
    Fail(path, error);
  }
  if (!file.commit()) Fail(path, file.errorString().toStdString());
}
