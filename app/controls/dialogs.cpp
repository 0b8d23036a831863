#include "app/controls/dialogs.h"

#include "app/controls/platform.h"

bool TOpenDialog::Execute() {
  FileDialogRequest request;
  request.title = Title;
  request.fileName = FileName;
  request.initialDir = InitialDir;
  request.filter = Filter;
  request.pickFolder = PickFolder;
  std::string chosen;
  if (!CurrentPlatform().RunOpenDialog(request, chosen)) return false;
  FileName = chosen;
  return true;
}

bool TSaveDialog::Execute() {
  FileDialogRequest request;
  request.fileName = FileName;
  request.initialDir = InitialDir;
  request.filter = Filter;
  request.defaultExt = DefaultExt;
  request.overwritePrompt = OverwritePrompt;
  std::string chosen;
  if (!CurrentPlatform().RunSaveDialog(request, chosen)) return false;
  FileName = chosen;
  return true;
}
