#pragma once
// FI tab: how far the weighted readings of filters 1 to 5 lie from those of
// filter 0, day by day, and the list of the days read.

#include <array>
#include <vector>

#include "app/report_tab.h"
#include "reports/daily/fi_avg_reader.h"

// The days of the last FI load, in file order. Emptied by a new form and at
// the start of every load.
extern std::vector<FiDayRecord> FiDays;

class FiAvgTab : public ReportTab {
 public:
  FiAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* FIPanel = nullptr;
  TButton* LoadFIavg = nullptr;
  TCheckListBox* FIscans = nullptr;
  TChart* FIGraph = nullptr;
  TLineSeries* Series44 = nullptr;
  TLineSeries* LineSeries1 = nullptr;
  TLineSeries* Series20 = nullptr;
  TLineSeries* Series21 = nullptr;
  TLineSeries* Series22 = nullptr;
  TLineSeries* Series23 = nullptr;
  void LoadFIavgClick(TObject* sender);

 private:
  std::array<TLineSeries*, kFiFilters> filters_{};  // the series of filters 0 to 5
};
