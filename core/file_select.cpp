#include "core/file_select.h"

#include "core/paths.h"

bool FolderMode = false;
std::string FolderFilePath;

bool SelectReportFile(TOpenDialog& open, TOpenDialog& openDir, const std::string& pattern,
                      std::string& path) {
  if (FolderMode) {
    path = FolderFilePath;
    return true;
  }
  open.FileName = pattern;
  if (!open.Execute()) return false;
  path = open.FileName;
  open.InitialDir = ExtractFilePath(path);
  openDir.InitialDir = open.InitialDir;
  return true;
}
