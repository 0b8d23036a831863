#pragma once
// DUV tab: the daily UV scans of one day, one curve per instrument.

#include "app/report_tab.h"

// True while DUVGraph holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewDuvGraph;

class DuvScanTab : public ReportTab {
 public:
  DuvScanTab(TMainForm& form, TTabSheet* sheet);

  TPanel* DUVPanel = nullptr;
  TButton* ClearGraph = nullptr;
  TCheckBox* ShowGridLines = nullptr;
  TSpeedButton* SpeedButton4 = nullptr;
  TChart* DUVGraph = nullptr;
  void ClearGraphClick(TObject* sender);
  void ShowGridLinesClick(TObject* sender);
  void SpeedButton4Click(TObject* sender);
};
