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

  // ---- the tabs of PageControl1, in tab order
  TTabSheet* APTab = nullptr;
  TTabSheet* RSTab = nullptr;
  TTabSheet* DTTab = nullptr;
  TTabSheet* SLTab = nullptr;
  TTabSheet* HGTab = nullptr;
  TTabSheet* DITab = nullptr;
  TTabSheet* FCTab = nullptr;
  TTabSheet* CJTab = nullptr;
  TTabSheet* CITab = nullptr;
  TTabSheet* CZTab = nullptr;
  TTabSheet* O3Tab = nullptr;
  TTabSheet* DUVTab = nullptr;
  TTabSheet* OPTab = nullptr;
  TTabSheet* CATab = nullptr;
  TTabSheet* FITab = nullptr;
  TTabSheet* MITab = nullptr;
  TTabSheet* SCTab = nullptr;
  TTabSheet* CompositeTab = nullptr;
  TTabSheet* DSPTab = nullptr;

  // ---- AP

  // ---- RS

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

  // ---- HG
  TChart* HGGraph = nullptr;
  TPointSeries* Series13 = nullptr;
  TPointSeries* Series11 = nullptr;
  TArrowSeries* Series65 = nullptr;
  TArrowSeries* Series68 = nullptr;
  TArrowSeries* Series67 = nullptr;
  TPointSeries* Series64 = nullptr;
  TPointSeries* Series37 = nullptr;

  // ---- DI

  // ---- FC

  // ---- CJ and CI files

  // ---- CZ/HS/HL

  // ---- DUV

  // ---- OP_ST

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
  TNotifyEvent Handler(void (TMainForm::*method)(TObject*));
  void Register(TComponent* component);

  void CreateSharedStrip();
  void CreateTabs();
  // One builder per report module, called in tab order.
  void CreateDtTab();
  void CreateHgTab();
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
