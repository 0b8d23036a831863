#pragma once
// "Load DIR": every known report kind of one folder, loaded in one go by the
// tabs' own loaders in folder mode. The daily loaders then save their charts
// next to the reports.

#include <string>

class TMainForm;
class TObject;

class FolderLoad {
 public:
  explicit FolderLoad(TMainForm& form) : form_(form) {}

  void OpenDirClick(TObject* sender);

 private:
  // Hands the files of the folder that match `mask` to `loader`: every match
  // in list order, or only the first.
  template <class Loader>
  void Step(const std::string& mask, bool everyMatch, Loader loader, TObject* sender);

  TMainForm& form_;
  std::string folder_;     // the chosen folder, with its separator
  std::string extension_;  // of the last file handed to a loader; ".*" before any
};
