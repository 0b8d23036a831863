#pragma once
// Everything the program asks of the desktop: file dialogs, message boxes,
// "process messages" and today's date. The Qt front end answers with real
// dialogs; tests and the headless driver answer from a script.

#include <string>

struct FileDialogRequest {
  std::string title;
  std::string fileName;    // a pattern such as "dtoavg*.*", or a name
  std::string initialDir;
  std::string filter;      // "BMP files (*.bmp)|*.bmp" style; may be empty
  std::string defaultExt;  // save dialogs: added when the user typed none
  bool overwritePrompt = false;
  bool pickFolder = false;  // the folder dialog of "Load DIR"
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Runs an open or save dialog. Returns false when the user cancels;
  // otherwise stores the chosen path in `chosen`.
  virtual bool RunOpenDialog(const FileDialogRequest& request, std::string& chosen) = 0;
  virtual bool RunSaveDialog(const FileDialogRequest& request, std::string& chosen) = 0;

  // A message box with an OK button.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // The application's default error box for an error that escaped a handler.
  virtual void ShowException(const std::string& message) = 0;

  // Lets the window repaint before a long step goes on.
  virtual void ProcessMessages() = 0;

  // Tells the user what a long action is doing now (a busy cursor and the
  // text); an empty text ends the indication.
  virtual void ShowProgress(const std::string& text) { (void)text; }

  // Today's local date as a serial date at midnight.
  virtual double Today() = 0;
};

// The platform the running form was built on: installed by TMainForm's
// constructor and removed by its destructor.
Platform& CurrentPlatform();
// Installs `platform` (null removes it) and returns the one it replaces.
Platform* SetCurrentPlatform(Platform* platform);

// Today at midnight, as the current platform reports it.
double Date();

// Caption of the default error box.
inline constexpr const char* kApplicationTitle = "Lumograph";
