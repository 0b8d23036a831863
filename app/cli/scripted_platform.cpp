#include "app/cli/scripted_platform.h"

#include <ctime>

#include "core/paths.h"
#include "core/serial_date.h"

bool ScriptedPlatform::NextAnswer(const FileDialogRequest& request, std::string& chosen) {
  dialogs.push_back(request);
  if (fileAnswers.empty()) return false;
  chosen = fileAnswers.front();
  fileAnswers.pop_front();
  return true;
}

bool ScriptedPlatform::RunOpenDialog(const FileDialogRequest& request, std::string& chosen) {
  if (!NextAnswer(request, chosen)) return false;
  // A folder dialog gives the folder with its separator, so that the folder of
  // the answer is the folder itself.
  if (request.pickFolder && IsDirectory(chosen)) chosen = IncludeTrailingPathDelimiter(chosen);
  return true;
}

bool ScriptedPlatform::RunSaveDialog(const FileDialogRequest& request, std::string& chosen) {
  if (!NextAnswer(request, chosen)) return false;
  // As a save dialog does when the user types no extension. A folder is not a
  // name without one: it stays as given, and writing to it fails.
  if (!request.defaultExt.empty() && ExtractFileExt(chosen).empty() && !IsDirectory(chosen))
    chosen += "." + request.defaultExt;
  return true;
}

void ScriptedPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  messages.push_back({caption, text});
}

void ScriptedPlatform::ShowException(const std::string& message) {
  messages.push_back({kApplicationTitle, message});
}

double ScriptedPlatform::Today() {
  if (today != 0) return today;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
