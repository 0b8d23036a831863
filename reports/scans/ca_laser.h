#pragma once
// "Laser (ca)" tab (hidden): the dead-time-corrected count rates of both
// blocks of a laser scan, as common logarithms against wavelength.

#include <array>

#include "app/report_tab.h"

class CaLaserTab : public ReportTab {
 public:
  CaLaserTab(TMainForm& form, TTabSheet* sheet);

  TPanel* CAPanel = nullptr;
  TButton* LoadCA = nullptr;
  TSpeedButton* SpeedButton6 = nullptr;
  TCheckBox* mk160 = nullptr;
  TChart* CAGraph = nullptr;
  TLineSeries* LineSeries4 = nullptr;
  TLineSeries* LineSeries5 = nullptr;
  TLineSeries* LineSeries6 = nullptr;
  TLineSeries* LineSeries7 = nullptr;
  TLineSeries* Series41 = nullptr;
  TLineSeries* Series42 = nullptr;
  TLineSeries* Series43 = nullptr;
  // The series of each block (row) and count column: only the third count
  // of a data line is plotted, so only the third column is ever filled.
  std::array<std::array<TLineSeries*, 3>, 2> CountSeries{};
  void LoadCAClick(TObject* sender);
  void CaSaveBMPClick(TObject* sender);
};
