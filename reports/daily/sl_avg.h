#pragma once
// SL tab: R6 and a chosen second quantity against date, the day's temperature
// span, and R6 against temperature.

#include "app/report_tab.h"

class SlAvgTab : public ReportTab {
 public:
  SlAvgTab(TMainForm& form, TTabSheet* sheet);

  TPanel* SLPanel = nullptr;
  TButton* LoadSLavgFile = nullptr;
  TSpeedButton* SLSaveBMP = nullptr;
  TGroupBox* RadioGroup1 = nullptr;  // "Plot in the bottom part"
  TRadioButton* PlotR5 = nullptr;
  TRadioButton* PlotI1 = nullptr;
  TRadioButton* Diff = nullptr;
  TRadioButton* PlotR1 = nullptr;
  TRadioButton* PlotR2 = nullptr;
  TRadioButton* PlotR3 = nullptr;
  TRadioButton* PlotR4 = nullptr;
  TRadioButton* PlotT = nullptr;
  TPageControl* PageControl2 = nullptr;
  TTabSheet* SLDateSheet = nullptr;
  TTabSheet* SLTempSheet = nullptr;
  TChart* SLGraph = nullptr;
  TLineSeries* Series8 = nullptr;
  TLineSeries* Series9 = nullptr;
  TLineSeries* Series10 = nullptr;
  TLineSeries* Series24 = nullptr;
  TLineSeries* Series28 = nullptr;
  TLineSeries* Series29 = nullptr;
  TLineSeries* Series30 = nullptr;
  TPointSeries* Series34 = nullptr;
  TArrowSeries* Series62 = nullptr;
  TPointSeries* Series35 = nullptr;
  TDateTimePicker* DateTimePicker1 = nullptr;
  TDateTimePicker* DateTimePicker2 = nullptr;
  TChart* SL_T = nullptr;
  TPointSeries* Series45 = nullptr;
  TPointSeries* Series46 = nullptr;
  void LoadSLavgFileClick(TObject* sender);
  void PlotR5Click(TObject* sender);
  void DateTimePicker1Change(TObject* sender);
  void SLSaveBMPClick(TObject* sender);
};
