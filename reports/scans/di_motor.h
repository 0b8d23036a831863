#pragma once
// DI tab: the diagnostic motor test. The warm-up of both lamps, short scans of
// four motors with a verdict on where each found its maximum, and long scans
// of both filter wheels, on three sheets.

#include "app/report_tab.h"

class DiMotorTab : public ReportTab {
 public:
  DiMotorTab(TMainForm& form, TTabSheet* sheet);

  TPanel* DIPanel = nullptr;
  TButton* LoadDI = nullptr;
  TSpeedButton* SpeedButton7 = nullptr;
  TPageControl* DIPages = nullptr;
  TTabSheet* DILampsSheet = nullptr;
  TTabSheet* TabSheet20 = nullptr;  // "Short motor scans"
  TTabSheet* TabSheet21 = nullptr;  // "Long FW 1 and 2 scans"

  TChart* diLampsChart = nullptr;
  TLineSeries* LineSeries17 = nullptr;  // SL intensity
  TLineSeries* LineSeries16 = nullptr;  // Hg intensity

  TLabel* Label5 = nullptr;
  TChart* zeChart = nullptr;
  TLineSeries* LineSeries19 = nullptr;
  TChart* irisChart = nullptr;
  TLineSeries* LineSeries22 = nullptr;
  TChart* fw1Chart = nullptr;
  TLineSeries* LineSeries21 = nullptr;
  TChart* fw2Chart = nullptr;
  TLineSeries* LineSeries20 = nullptr;

  TChart* longfw1Chart = nullptr;
  TLineSeries* LineSeries24 = nullptr;
  TChartShape* Series82 = nullptr;
  TCheckBox* logarithmic = nullptr;
  TChart* longfw2Chart = nullptr;
  TLineSeries* LineSeries23 = nullptr;

  void LoadDIClick(TObject* sender);
  void logarithmicClick(TObject* sender);
  void TabSheet20Resize(TObject* sender);
  void TabSheet21Resize(TObject* sender);
  void SpeedButton7Click(TObject* sender);

 private:
  TChart* MakeMotorChart(const std::string& name, TWinControl* parent, const std::string& bottomTitle);
};
