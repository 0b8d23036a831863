#pragma once
// How a loader chooses its file: from folder loading, or through the open dialog.

#include <string>

#include "app/controls/dialogs.h"

// Set by folder loading around each loader call: the loader then takes
// FolderFilePath and shows no dialog.
extern bool FolderMode;
extern std::string FolderFilePath;

// Folder mode for one loader call: set while the scope lives, cleared when it
// ends, also when the loader raises.
class FolderModeScope {
 public:
  explicit FolderModeScope(const std::string& path);
  ~FolderModeScope();
  FolderModeScope(const FolderModeScope&) = delete;
  FolderModeScope& operator=(const FolderModeScope&) = delete;
};

// In folder mode `path` is FolderFilePath. Otherwise asks with `open` (below)
// and, on a choice, remembers its folder in both dialogs. Returns false when
// the user cancelled (nothing has changed then).
bool SelectReportFile(TOpenDialog& open, TOpenDialog& openDir, const std::string& pattern,
                      std::string& path);

// Runs `open` preset to `pattern`; false when the user cancelled.
bool AskForReportFile(TOpenDialog& open, const std::string& pattern, std::string& path);
// The next file and folder dialogs start in the folder of `path`.
void RememberFolder(TOpenDialog& open, TOpenDialog& openDir, const std::string& path);
