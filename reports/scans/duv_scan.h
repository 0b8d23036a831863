#pragma once
// DUV tab: the daily UV scans of one day, one curve per instrument.

#include <string>

#include "app/report_tab.h"

// True while DUVGraph holds no loaded file: the next load starts a new set of
// curves. True at start and after "Clear graph".
extern bool NewDuvGraph;
// Day code (jjjyy) of the files on DUVGraph; the next load replaces it.
extern std::string DuvDayCode;

class DuvScanTab : public ReportTab {
 public:
  DuvScanTab(TMainForm& form, TTabSheet* sheet);

  TPanel* DUVPanel = nullptr;
  TButton* LoadDUV = nullptr;
  TButton* ClearGraph = nullptr;
  TCheckBox* ShowGridLines = nullptr;
  TSpeedButton* SpeedButton4 = nullptr;
  TChart* DUVGraph = nullptr;
  void LoadDUVClick(TObject* sender);
  void ClearGraphClick(TObject* sender);
  void ShowGridLinesClick(TObject* sender);
  void SpeedButton4Click(TObject* sender);
};
