#pragma once
// File dialogs as models: Execute() asks the platform, nothing here blocks.

#include <string>

#include "app/controls/controls.h"

class TOpenDialog : public TComponent {
 public:
  using TComponent::TComponent;
  std::string FileName;
  std::string InitialDir;
  std::string Filter;
  std::string Title;
  bool PickFolder = false;  // the folder dialog of "Load DIR"
  // False when the user cancels; otherwise FileName holds the chosen path.
  bool Execute();
};

class TSaveDialog : public TComponent {
 public:
  using TComponent::TComponent;
  std::string FileName;
  std::string InitialDir;
  std::string Filter;
  std::string DefaultExt;
  bool OverwritePrompt = true;
  bool Execute();
};
