#pragma once
// FC tab: filter-wheel tests of one instrument, one set of curves per file.

#include "app/report_tab.h"

// True while fcChart holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewFcGraph;

class FcWheelTab : public ReportTab {
 public:
  FcWheelTab(TMainForm& form, TTabSheet* sheet);

  TPanel* FCPanel = nullptr;
  TButton* ClearFC = nullptr;
  TChart* fcChart = nullptr;
  void ClearFCClick(TObject* sender);
};
