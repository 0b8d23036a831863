#pragma once
// AP tab: high voltage and +5 V, the standard lamp's supply, every supply
// voltage against its nominal value, and the temperatures.

#include "app/report_tab.h"

class ApAvgTab : public ReportTab {
 public:
  ApAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* APPanel = nullptr;
  TButton* LoadApavg = nullptr;
  TSpeedButton* SpeedButton5 = nullptr;
  TPageControl* PageControl3 = nullptr;
  TTabSheet* TabSheet14 = nullptr;
  TTabSheet* TabSheet15 = nullptr;
  TTabSheet* TabSheet16 = nullptr;
  TTabSheet* TabSheet24 = nullptr;
  TChart* APGraph = nullptr;
  TLineSeries* LineSeries2 = nullptr;
  TLineSeries* LineSeries3 = nullptr;
  TLineSeries* Series60 = nullptr;
  TChart* SLVoltsGraph = nullptr;
  TLineSeries* LineSeries8 = nullptr;
  TLineSeries* LineSeries9 = nullptr;
  TPointSeries* Series61 = nullptr;
  TChart* VoltagesGraph = nullptr;
  TLineSeries* LineSeries10 = nullptr;
  TLineSeries* LineSeries11 = nullptr;
  TLineSeries* Series47 = nullptr;
  TLineSeries* Series48 = nullptr;
  TLineSeries* Series49 = nullptr;
  TLineSeries* Series50 = nullptr;
  TLineSeries* Series59 = nullptr;
  TLineSeries* Series58 = nullptr;
  TLineSeries* Series57 = nullptr;
  TPointSeries* Series56 = nullptr;
  TLineSeries* Series55 = nullptr;
  TLineSeries* Series54 = nullptr;
  TGanttSeries* Series52 = nullptr;
  TChart* AP_T = nullptr;
  TPointSeries* Series78 = nullptr;
  TPointSeries* Series79 = nullptr;
  TPointSeries* Series80 = nullptr;
  TPointSeries* Series81 = nullptr;
  TAreaSeries* Series83 = nullptr;
  TCheckBox* ShowPMT = nullptr;
  TCheckBox* ShowCardRack = nullptr;
  TCheckBox* ShowCase = nullptr;
  void LoadApavgClick(TObject* sender);
  void ShowPMTClick(TObject* sender);
  void ShowCardRackClick(TObject* sender);
  void ShowCaseClick(TObject* sender);
  void SpeedButton5Click(TObject* sender);
};
