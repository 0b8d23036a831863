#pragma once
// FC tab: filter-wheel tests of one instrument, one set of curves per file.

#include <string>

#include "app/report_tab.h"

// True while fcChart holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewFcGraph;
// The instrument number of the files on fcChart; only files of that number
// are added until "Clear graph".
extern std::string FcBrewerNo;

class FcWheelTab : public ReportTab {
 public:
  FcWheelTab(TMainForm& form, TTabSheet* sheet);

  TPanel* FCPanel = nullptr;
  TButton* LoadFC = nullptr;
  TButton* ClearFC = nullptr;
  TGroupBox* FCBottomPlot = nullptr;  // "Bottom plot"
  TRadioButton* R5 = nullptr;
  TRadioButton* I = nullptr;
  TChart* fcChart = nullptr;
  void LoadFCClick(TObject* sender);
  void ClearFCClick(TObject* sender);
  void R5Click(TObject* sender);
};
