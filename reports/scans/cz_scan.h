#pragma once
// CZ/HS/HL tab: one scan across a mercury line, with its fitted centre and width.

#include "app/report_tab.h"

class CzScanTab : public ReportTab {
 public:
  CzScanTab(TMainForm& form, TTabSheet* sheet);

  TPanel* CZPanel = nullptr;
  TButton* LoadCZ = nullptr;
  TSpeedButton* CzSaveBMP = nullptr;
  TChart* CZGraph = nullptr;
  TLineSeries* Series1 = nullptr;
  TLineSeries* Series5 = nullptr;
  TLineSeries* Series6 = nullptr;
  TLineSeries* Series7 = nullptr;
  void LoadCZClick(TObject* sender);
  void CzSaveBMPClick(TObject* sender);
};
