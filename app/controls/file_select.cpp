#include "app/controls/file_select.h"

#include "core/paths.h"

bool FolderMode = false;
std::string FolderFilePath;

FolderModeScope::FolderModeScope(const std::string& path) {
  FolderFilePath = path;
  FolderMode = true;
}

FolderModeScope::~FolderModeScope() {
  FolderMode = false;
  FolderFilePath.clear();
}

bool SelectReportFile(TOpenDialog& open, TOpenDialog& openDir, const std::string& pattern,
                      std::string& path) {
  if (FolderMode) {
    path = FolderFilePath;
    return true;
  }
  if (!AskForReportFile(open, pattern, path)) return false;
  RememberFolder(open, openDir, path);
  return true;
}

bool AskForReportFile(TOpenDialog& open, const std::string& pattern, std::string& path) {
  open.FileName = pattern;
  if (!open.Execute()) return false;
  path = open.FileName;
  return true;
}

void RememberFolder(TOpenDialog& open, TOpenDialog& openDir, const std::string& path) {
  open.InitialDir = ExtractFilePath(path);
  openDir.InitialDir = open.InitialDir;
}
