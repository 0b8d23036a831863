#pragma once
// DSP tab: how far a new dispersion relation moves each slit against the one
// in use, in steps, across the whole step range.

#include <array>
#include <string>

#include "app/report_tab.h"
#include "reports/scans/dsp_compare_reader.h"

class DspCompareTab : public ReportTab {
 public:
  DspCompareTab(TMainForm& form, TTabSheet* sheet);

  TPanel* DSPPanel = nullptr;
  TButton* LoadOldDSP = nullptr;
  TButton* LoadNewDSP = nullptr;
  TChart* Chart2 = nullptr;
  TLineSeries* Series84 = nullptr;
  TLineSeries* Series85 = nullptr;
  TLineSeries* Series86 = nullptr;
  TLineSeries* Series87 = nullptr;
  TLineSeries* Series88 = nullptr;
  // The handler of both buttons: the sender's name says which relation the
  // file is.
  void LoadOldDSPClick(TObject* sender);

 private:
  void PlotShifts();

  std::array<TLineSeries*, kDspSlits> slitSeries_{};
  // The relation in use and the new one, with the names of their files; both
  // empty until a file of that kind is loaded, and kept from load to load.
  DispersionTable old_{};
  DispersionTable new_{};
  std::string oldName_;
  std::string newName_;
};
