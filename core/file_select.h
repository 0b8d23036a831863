#pragma once
// How a loader chooses its file: from folder loading, or through the open dialog.

#include <string>

#include "app/controls/dialogs.h"

// Set by folder loading around each loader call: the loader then takes
// FolderFilePath and shows no dialog.
extern bool FolderMode;
extern std::string FolderFilePath;

// In folder mode `path` is FolderFilePath. Otherwise runs `open` preset to
// `pattern`; on a choice, both dialogs start in the chosen file's folder next
// time. Returns false when the user cancelled (nothing has changed then).
bool SelectReportFile(TOpenDialog& open, TOpenDialog& openDir, const std::string& pattern,
                      std::string& path);
