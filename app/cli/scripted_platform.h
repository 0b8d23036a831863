#pragma once
// A platform that answers from a script: the headless driver and the tests
// run the real handlers on it, with no window and no one at the screen.

#include <deque>
#include <string>
#include <vector>

#include "app/controls/platform.h"

class ScriptedPlatform : public Platform {
 public:
  struct Message {
    std::string caption;
    std::string text;
  };

  // Answers for the next file dialogs, in order; a dialog with none is cancelled.
  std::deque<std::string> fileAnswers;
  // Every dialog that was run, answered or not.
  std::vector<FileDialogRequest> dialogs;
  // Every message box shown, error boxes included, in order.
  std::vector<Message> messages;
  // Today as a serial date; 0 means the real local date.
  double today = 0;

  bool RunOpenDialog(const FileDialogRequest& request, std::string& chosen) override;
  bool RunSaveDialog(const FileDialogRequest& request, std::string& chosen) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowException(const std::string& message) override;
  void ProcessMessages() override {}
  double Today() override;

 private:
  bool NextAnswer(const FileDialogRequest& request, std::string& chosen);
};
