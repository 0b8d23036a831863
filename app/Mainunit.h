#pragma once
// The main window: the shared strip below the tabs, the page control with its
// sheets, and one object per tab that owns that tab's components. Every
// component is registered here under its form name.

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/chart/chart.h"
#include "app/controls/controls.h"
#include "app/controls/dialogs.h"
#include "app/controls/platform.h"

class ApAvgTab;
class RsAvgTab;
class DtAvgTab;
class SlAvgTab;
class HgAvgTab;
class DiMotorTab;
class FcWheelTab;
class CjLampTab;
class CiLampTab;
class CzScanTab;
class O3AvgTab;
class DuvScanTab;
class OpAvgTab;
class CaLaserTab;
class FiAvgTab;
class MiFileTab;
class ScAvgTab;
class CompositeChartTab;
class DspCompareTab;
class FolderLoad;
class CommentsOverlay;

// What one load read, as its status line said it.
struct LoadSummary {
  std::string path;
  std::string what;
};

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

  // ---- the tabs' contents, one class each, built in tab order
  std::unique_ptr<ApAvgTab> Ap;
  std::unique_ptr<RsAvgTab> Rs;
  std::unique_ptr<DtAvgTab> Dt;
  std::unique_ptr<SlAvgTab> Sl;
  std::unique_ptr<HgAvgTab> Hg;
  std::unique_ptr<DiMotorTab> Di;
  std::unique_ptr<FcWheelTab> Fc;
  std::unique_ptr<CjLampTab> Cj;
  std::unique_ptr<CiLampTab> Ci;
  std::unique_ptr<CzScanTab> Cz;
  std::unique_ptr<O3AvgTab> O3;
  std::unique_ptr<DuvScanTab> Duv;
  std::unique_ptr<OpAvgTab> Op;
  std::unique_ptr<CaLaserTab> Ca;
  std::unique_ptr<FiAvgTab> Fi;
  std::unique_ptr<MiFileTab> Mi;
  std::unique_ptr<ScAvgTab> Sc;
  std::unique_ptr<CompositeChartTab> Composite;
  std::unique_ptr<DspCompareTab> Dsp;
  // "Load DIR" (Button2) runs the tabs' loaders over one folder.
  std::unique_ptr<FolderLoad> Folder;
  // The comment log over the date charts: no tab, it marks the charts of others.
  std::unique_ptr<CommentsOverlay> Comments;

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
  // What the last load did, in the status bar: "NAME: what".
  void ShowLoadSummary(const std::string& path, const std::string& what);
  // Every load's summary since the form was made or "Load DIR" last chose a
  // folder, in order: the station report lists them.
  std::vector<LoadSummary> Loads;
  // "N records, M in the date window dd/mm/yyyy–dd/mm/yyyy".
  std::string WindowSummary(size_t records, size_t inWindow) const;

 private:
  friend class ReportTab;
  template <class T>
  T* Make(const std::string& name, TWinControl* parent);
  template <class T>
  T* MakeSeries(TChart* chart, const std::string& name);
  TTabSheet* MakeTab(const std::string& name, const std::string& caption);
  TNotifyEvent Handler(void (TMainForm::*method)(TObject*));
  void Register(TComponent* component);

  void CreateSharedStrip();
  void CreateTabs();
  void StartUp();

  Platform* previousPlatform_;
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
