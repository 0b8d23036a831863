#include "app/qt/open_in_window.h"

#include <filesystem>
#include <system_error>

#include "app/Mainunit.h"
#include "app/controls/application.h"
#include "app/open_path.h"
#include "app/qt/qt_platform.h"
#include "core/paths.h"

void OpenPathInWindow(TMainForm& form, QtPlatform& platform, const std::string& path) {
  std::error_code error;
  // Dialogs answer with full paths; the loaders remember the folder of theirs.
  const std::string full = std::filesystem::absolute(path, error).lexically_normal().string();
  if (error || !std::filesystem::exists(full, error)) {
    platform.ShowMessage(kApplicationTitle, "There is no file or folder \"" + path + "\".");
    return;
  }
  TButton* loader = LoaderFor(form, full);
  if (!loader) {
    platform.ShowMessage(kApplicationTitle, "No tab reads files named like \"" + ExtractFileName(full) + "\".");
    return;
  }
  ShowTabOf(form, loader);
  platform.AnswerNextOpenDialog(DialogAnswerFor(full));
  RunUserAction([loader] { loader->Click(); });
  platform.AnswerNextOpenDialog(std::string());
}
