#pragma once
// What the tests share: a temporary folder, files written into it, and a
// fresh main window on a scripted platform.

#include <functional>
#include <memory>
#include <string>

#include "app/Mainunit.h"
#include "app/cli/scripted_platform.h"

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Writes `bytes` to a file of that name in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// Serial date of a calendar day, for readable expectations.
double Day(int year, int month, int day);

// A main window built as at start-up, with today fixed to 1 June 2020.
struct FormFixture {
  FormFixture();
  ~FormFixture();
  // Presses a button with `path` queued as the answer of its file dialog.
  void ClickWithFile(TButton* button, const std::string& path);
  // Runs a user action as folder loading does: `path` is the file every
  // loader takes; false when the action raised an error.
  bool RunInFolderMode(const std::string& path, const std::function<void()>& action);
  // The date window the loaders obey; the default covers every test file.
  void SetWindow(double start, double end);

  ScriptedPlatform platform;
  std::unique_ptr<TMainForm> form;
  TempDir dir;
};
