#pragma once
// "CI files" and "CJ" tabs: lamp scans. CI plots the current scan, an older scan
// kept for reference and their ratio; CJ the forward and backward scan of one file.

#include <memory>

#include "app/report_tab.h"

struct TLampScan;

// The most recent CI or CJ scan and the reference CI scan; empty at start.
extern std::unique_ptr<TLampScan> CurrentLampScan;
extern std::unique_ptr<TLampScan> OldLampScan;

class CjLampTab : public ReportTab {
 public:
  CjLampTab(TMainForm& form, TTabSheet* sheet);

  TPanel* CJPanel = nullptr;
  TButton* LoadCJ = nullptr;
  TChart* CjGraph = nullptr;
  TLineSeries* LineSeries13 = nullptr;
  TLineSeries* LineSeries14 = nullptr;
  TLineSeries* LineSeries15 = nullptr;
  TPointSeries* Series63 = nullptr;
  TFileListBox* FileListBox1 = nullptr;
  void LoadCJClick(TObject* sender);
};

class CiLampTab : public ReportTab {
 public:
  CiLampTab(TMainForm& form, TTabSheet* sheet);

  TPanel* CIPanel = nullptr;
  TButton* LoadCI = nullptr;
  TButton* LoadOldCI = nullptr;
  TSpeedButton* CiSaveBMP = nullptr;
  TCheckBox* MKIII = nullptr;
  TChart* CiGraph = nullptr;
  TLineSeries* Series2 = nullptr;
  TLineSeries* Series3 = nullptr;
  TLineSeries* Series4 = nullptr;
  TFileListBox* FileListBox = nullptr;
  void LoadCIClick(TObject* sender);
  void LoadOldCIClick(TObject* sender);
  void CiSaveBMPClick(TObject* sender);
};
