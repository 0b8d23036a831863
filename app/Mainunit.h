#pragma once
// The main window: every control and chart of the form under its form name,
// grouped by tab. Each report module builds its own tab and defines its
// handlers as members of TMainForm.

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/chart/chart.h"
#include "app/controls/controls.h"
#include "app/controls/dialogs.h"
#include "app/controls/platform.h"

class TMainForm : public TWinControl {
 public:
  // Builds the whole window on `platform` and runs the start-up sequence.
  explicit TMainForm(Platform& platform);
  ~TMainForm() override;

  // Every component in creation order; names are unique.
  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(const std::string& name) const;
  std::vector<TChart*> Charts() const;

  // ---- shared strip below the tabs
  TPageControl* PageControl1 = nullptr;
  TPanel* SharedStrip = nullptr;
  TButton* LoadComments = nullptr;
  TCheckBox* ShowComments = nullptr;
  TLabel* Label3 = nullptr;
  TDateTimePicker* StartingDate = nullptr;
  TLabel* Label4 = nullptr;
  TDateTimePicker* EndDate = nullptr;
  TCheckBox* StrictDate = nullptr;
  TButton* Button2 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TOpenDialog* OpenDirDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;

  // ---- the tabs of PageControl1, in tab order (under their form names where
  // they have one, else after their caption)
  TTabSheet* APTab = nullptr;
  TTabSheet* RSTab = nullptr;
  TTabSheet* DTTab = nullptr;
  TTabSheet* SLTab = nullptr;
  TTabSheet* HGTab = nullptr;
  TTabSheet* DITab = nullptr;
  TTabSheet* FCTab = nullptr;
  TTabSheet* CJTab = nullptr;
  TTabSheet* CITab = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* O3Tab = nullptr;
  TTabSheet* DUVTab = nullptr;
  TTabSheet* TabSheet11 = nullptr;
  TTabSheet* CATab = nullptr;
  TTabSheet* FITab = nullptr;
  TTabSheet* TabSheet8 = nullptr;
  TTabSheet* SCTab = nullptr;
  TTabSheet* CompositeTab = nullptr;
  TTabSheet* DSPTab = nullptr;

  // ---- AP
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

  // ---- RS
  TPanel* RSPanel = nullptr;
  TButton* LoadRSavg = nullptr;
  TSpeedButton* SpeedButton3 = nullptr;
  TChart* RSGraph = nullptr;
  TArrowSeries* Series40 = nullptr;
  TArrowSeries* Series14 = nullptr;
  TArrowSeries* Series15 = nullptr;
  TArrowSeries* Series16 = nullptr;
  TArrowSeries* Series17 = nullptr;
  TArrowSeries* Series18 = nullptr;
  TArrowSeries* Series19 = nullptr;
  TArrowSeries* Series39 = nullptr;
  TPointSeries* Series72 = nullptr;
  TPointSeries* Series36 = nullptr;
  void LoadRSavgClick(TObject* sender);
  void SpeedButton3Click(TObject* sender);

  // ---- DT
  TPanel* DTPanel = nullptr;
  TButton* LoadDtAvg = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TChart* DTGraph = nullptr;
  TArrowSeries* Series12 = nullptr;
  TPointSeries* Series53 = nullptr;
  TPointSeries* Series31 = nullptr;
  TLabel* dtMaxLabel = nullptr;
  TEdit* dtMax = nullptr;
  TUpDown* dtMaxUpDown = nullptr;
  TLabel* dtMinLabel = nullptr;
  TEdit* dtMin = nullptr;
  TUpDown* dtMinUpDown = nullptr;
  void LoadDtAvgClick(TObject* sender);
  void dtMinChange(TObject* sender);
  void dtMaxChange(TObject* sender);
  void SpeedButton1Click(TObject* sender);

  // ---- SL
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

  // ---- HG
  TPanel* HGPanel = nullptr;
  TButton* LoadHGavg = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TChart* HGGraph = nullptr;
  TPointSeries* Series13 = nullptr;
  TPointSeries* Series11 = nullptr;
  TArrowSeries* Series65 = nullptr;
  TArrowSeries* Series68 = nullptr;
  TArrowSeries* Series67 = nullptr;
  TPointSeries* Series64 = nullptr;
  TPointSeries* Series37 = nullptr;
  void LoadHGavgClick(TObject* sender);
  void SpeedButton2Click(TObject* sender);

  // ---- DI

  // ---- FC
  TPanel* FCPanel = nullptr;
  TButton* ClearFC = nullptr;
  TChart* fcChart = nullptr;
  void ClearFCClick(TObject* sender);

  // ---- CJ and CI files
  TPanel* CJPanel = nullptr;
  TButton* LoadCJ = nullptr;
  TChart* CjGraph = nullptr;
  TLineSeries* LineSeries13 = nullptr;
  TLineSeries* LineSeries14 = nullptr;
  TLineSeries* LineSeries15 = nullptr;
  TPointSeries* Series63 = nullptr;
  TFileListBox* FileListBox1 = nullptr;
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
  void LoadCJClick(TObject* sender);
  void LoadCIClick(TObject* sender);
  void LoadOldCIClick(TObject* sender);
  void CiSaveBMPClick(TObject* sender);

  // ---- CZ/HS/HL
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

  // ---- DUV
  TPanel* DUVPanel = nullptr;
  TButton* ClearGraph = nullptr;
  TCheckBox* ShowGridLines = nullptr;
  TSpeedButton* SpeedButton4 = nullptr;
  TChart* DUVGraph = nullptr;
  void ClearGraphClick(TObject* sender);
  void ShowGridLinesClick(TObject* sender);
  void SpeedButton4Click(TObject* sender);

  // ---- OP_ST
  TPanel* OPPanel = nullptr;
  TButton* LoadOPavg = nullptr;
  TChart* OPGraph = nullptr;
  TLineSeries* Series32 = nullptr;
  TLineSeries* Series33 = nullptr;
  TPointSeries* Series38 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TChart* LocationGraph = nullptr;
  TLineSeries* LineSeries12 = nullptr;
  TGanttSeries* Series51 = nullptr;
  void LoadOPavgClick(TObject* sender);

  // ---- Composite
  TChart* CompositeChart = nullptr;
  TPointSeries* PointSeries5 = nullptr;
  TPointSeries* Series25 = nullptr;
  TPointSeries* Series66 = nullptr;
  TPointSeries* Series69 = nullptr;
  TPointSeries* Series70 = nullptr;
  TPointSeries* Series71 = nullptr;
  TPointSeries* Series73 = nullptr;
  TPointSeries* Series74 = nullptr;
  TPointSeries* Series76 = nullptr;
  TPointSeries* Series77 = nullptr;

  // ---- handlers of the form and the shared strip
  void FormCreate(TObject* sender);
  void StartingDateChange(TObject* sender);

  // ---- shared by the loaders
  // Chooses a loader's file: FolderFilePath in folder mode, else the open
  // dialog preset to `pattern`. False when the user cancelled.
  bool SelectReportFile(const std::string& pattern, std::string& path);
  // A record dated `date` is plotted when it lies inside the date window.
  bool InDateWindow(double date) const;
  // With "Strict" ticked, forces a date axis to exactly the date window.
  void ApplyStrictDate(TChartAxis& axis) const;
  // A save button: asks for a bitmap file and saves `chart` there.
  void SaveChartAs(TChart* chart);
  // Folder loading's save of a daily chart next to its report, named after
  // the instrument, `base` and the years the date axis spans.
  void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base);

 private:
  template <class T>
  T* Make(const std::string& name, TWinControl* parent);
  template <class T>
  T* MakeSeries(TChart* chart, const std::string& name);
  TChart* MakeChart(const std::string& name, TWinControl* parent);
  TTabSheet* MakeTab(const std::string& name, const std::string& caption);
  TPanel* MakeButtonStrip(const std::string& name, TWinControl* parent);
  // A button of a tab's strip, `left` pixels from the strip's left edge.
  TButton* MakeButton(const std::string& name, TWinControl* parent, const std::string& caption, int left,
                      void (TMainForm::*onClick)(TObject*), int width = 120);
  // A save button of a tab's strip: a small button with a disk glyph.
  TSpeedButton* MakeSaveButton(const std::string& name, TWinControl* parent, int left,
                               void (TMainForm::*onClick)(TObject*));
  TNotifyEvent Handler(void (TMainForm::*method)(TObject*));
  void Register(TComponent* component);

  void CreateSharedStrip();
  void CreateTabs();
  // One builder per report module, called in tab order.
  void CreateApTab();
  void CreateRsTab();
  void CreateDtTab();
  void CreateSlTab();
  void CreateHgTab();
  void CreateFcTab();
  void CreateCjTab();
  void CreateCiTab();
  void CreateCzTab();
  void CreateDuvTab();
  void CreateOpTab();
  void CreateCompositeTab();
  void StartUp();

  std::vector<std::unique_ptr<TComponent>> owned_;
  std::vector<TComponent*> components_;
};

// The one window of the program.
extern TMainForm* MainForm;

template <class T>
T* TMainForm::Make(const std::string& name, TWinControl* parent) {
  std::unique_ptr<T> owned;
  if constexpr (std::is_base_of_v<TControl, T>)
    owned = std::make_unique<T>(name, parent);
  else
    owned = std::make_unique<T>(name);  // a dialog: no place on the form
  T* component = owned.get();
  owned_.push_back(std::move(owned));
  Register(component);
  return component;
}

template <class T>
T* TMainForm::MakeSeries(TChart* chart, const std::string& name) {
  T* series = chart->AddSeries<T>(name);
  Register(series);
  return series;
}
