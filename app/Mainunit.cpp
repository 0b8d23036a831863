#include "app/Mainunit.h"

#include <algorithm>

#include "app/chart/render/chart_export.h"
#include "app/comments.h"
#include "app/controls/file_select.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/serial_date.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/fi_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/o3_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sc_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/folder/composite.h"
#include "reports/folder/load_dir.h"
#include "reports/scans/ca_laser.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/di_motor.h"
#include "reports/scans/dsp_compare.h"
#include "reports/scans/duv_scan.h"
#include "reports/scans/fc_wheel.h"
#include "reports/scans/lamp_scan.h"
#include "reports/scans/mi_file.h"

TMainForm* MainForm = nullptr;

namespace {

constexpr int kClientWidth = 1010;
constexpr int kClientHeight = 673;

struct TabRow {
  TTabSheet* TMainForm::*sheet;
  const char* name;
  const char* caption;
  bool tabVisible;
  bool enabled;
};

// PageControl1's tabs in their order. Laser, FI and MI are hidden and disabled;
// SC is hidden but its loader still runs in folder loading.
const TabRow kTabs[] = {
    {&TMainForm::APTab, "APTab", "AP", true, true},
    {&TMainForm::RSTab, "RSTab", "RS", true, true},
    {&TMainForm::DTTab, "DTTab", "DT", true, true},
    {&TMainForm::SLTab, "SLTab", "SL", true, true},
    {&TMainForm::HGTab, "HGTab", "HG", true, true},
    {&TMainForm::DITab, "DITab", "DI", true, true},
    {&TMainForm::FCTab, "FCTab", "FC", true, true},
    {&TMainForm::CJTab, "CJTab", "CJ", true, true},
    {&TMainForm::CITab, "CITab", "CI files", true, true},
    {&TMainForm::TabSheet1, "TabSheet1", "CZ/HS/HL", true, true},
    {&TMainForm::O3Tab, "O3Tab", "O3 avg", true, true},
    {&TMainForm::DUVTab, "DUVTab", "DUV", true, true},
    {&TMainForm::TabSheet11, "TabSheet11", "OP_ST", true, true},
    {&TMainForm::CATab, "CATab", "Laser (ca)", false, false},
    {&TMainForm::FITab, "FITab", "FI", false, false},
    {&TMainForm::TabSheet8, "TabSheet8", "MI", false, false},
    {&TMainForm::SCTab, "SCTab", "SC", false, true},
    {&TMainForm::CompositeTab, "CompositeTab", "Composite", true, true},
    {&TMainForm::DSPTab, "DSPTab", "DSP", true, true},
};

}  // namespace

TMainForm::TMainForm(Platform& platform)
    : TWinControl("MainForm", nullptr), previousPlatform_(SetCurrentPlatform(&platform)) {
  MainForm = this;
  // Program-wide state starts afresh with every form, so a test can build a new one.
  FolderMode = false;
  FolderFilePath.clear();

  Caption = "Graphs for calibration reports";
  Register(this);
  CreateSharedStrip();
  CreateTabs();
  SetBounds(0, 0, kClientWidth, kClientHeight);
  StartUp();
}

TMainForm::~TMainForm() {
  // Children before their parents: destroy in reverse creation order.
  while (!owned_.empty()) owned_.pop_back();
  if (MainForm == this) MainForm = nullptr;
  SetCurrentPlatform(previousPlatform_);
}

void TMainForm::Register(TComponent* component) { components_.push_back(component); }

TComponent* TMainForm::FindComponent(const std::string& name) const {
  auto it = std::find_if(components_.begin(), components_.end(),
                         [&](const TComponent* c) { return c->Name == name; });
  return it == components_.end() ? nullptr : *it;
}

std::vector<TChart*> TMainForm::Charts() const {
  std::vector<TChart*> charts;
  for (TComponent* c : components_)
    if (auto* chart = dynamic_cast<TChart*>(c)) charts.push_back(chart);
  return charts;
}

TNotifyEvent TMainForm::Handler(void (TMainForm::*method)(TObject*)) {
  return [this, method](TObject* sender) { (this->*method)(sender); };
}

TTabSheet* TMainForm::MakeTab(const std::string& name, const std::string& caption) {
  TTabSheet* sheet = Make<TTabSheet>(name, PageControl1);
  sheet->Caption = caption;
  sheet->Align = TAlign::alClient;
  PageControl1->Pages.push_back(sheet);
  return sheet;
}

void TMainForm::CreateSharedStrip() {
  StatusBar1 = Make<TStatusBar>("StatusBar1", this);
  StatusBar1->Align = TAlign::alBottom;
  StatusBar1->Height = 19;

  SharedStrip = Make<TPanel>("SharedStrip", this);
  SharedStrip->Align = TAlign::alBottom;
  SharedStrip->Height = 34;

  LoadComments = Make<TButton>("LoadComments", SharedStrip);
  LoadComments->Caption = "Load comments";
  LoadComments->SetBounds(8, 5, 105, 25);

  ShowComments = Make<TCheckBox>("ShowComments", SharedStrip);
  ShowComments->Caption = "Show comments";
  ShowComments->SetBounds(124, 8, 120, 19);

  Label3 = Make<TLabel>("Label3", SharedStrip);
  Label3->Caption = "Start date:";
  Label3->SetBounds(256, 10, 64, 15);
  StartingDate = Make<TDateTimePicker>("StartingDate", SharedStrip);
  StartingDate->SetBounds(322, 5, 112, 25);
  StartingDate->OnChange = Handler(&TMainForm::StartingDateChange);

  Label4 = Make<TLabel>("Label4", SharedStrip);
  Label4->Caption = "End date:";
  Label4->SetBounds(448, 10, 60, 15);
  EndDate = Make<TDateTimePicker>("EndDate", SharedStrip);
  EndDate->SetBounds(510, 5, 112, 25);
  EndDate->OnChange = Handler(&TMainForm::StartingDateChange);

  StrictDate = Make<TCheckBox>("StrictDate", SharedStrip);
  StrictDate->Caption = "Strict";
  StrictDate->Hint = "Enforce these date limits on date scales";
  StrictDate->SetBounds(636, 8, 64, 19);

  Button2 = Make<TButton>("Button2", SharedStrip);
  Button2->Caption = "Load DIR";
  Button2->SetBounds(712, 5, 90, 25);

  OpenDialog1 = Make<TOpenDialog>("OpenDialog1", nullptr);
  OpenDirDialog1 = Make<TOpenDialog>("OpenDirDialog1", nullptr);
  OpenDirDialog1->PickFolder = true;
  SaveDialog1 = Make<TSaveDialog>("SaveDialog1", nullptr);
  SaveDialog1->Filter = "BMP files (*.bmp)|*.bmp";
  SaveDialog1->OverwritePrompt = true;
}

void TMainForm::CreateTabs() {
  PageControl1 = Make<TPageControl>("PageControl1", this);
  PageControl1->Align = TAlign::alClient;
  PageControl1->TabsAtBottom = true;
  for (const TabRow& row : kTabs) {
    TTabSheet* sheet = MakeTab(row.name, row.caption);
    sheet->TabVisible = row.tabVisible;
    sheet->Enabled = row.enabled;
    this->*row.sheet = sheet;
  }
  // Each report module fills its own sheet; the composite chart comes after
  // the tabs whose series its own follow.
  Ap = std::make_unique<ApAvgTab>(*this, APTab);
  Rs = std::make_unique<RsAvgTab>(*this, RSTab);
  Dt = std::make_unique<DtAvgTab>(*this, DTTab);
  Sl = std::make_unique<SlAvgTab>(*this, SLTab);
  Hg = std::make_unique<HgAvgTab>(*this, HGTab);
  Di = std::make_unique<DiMotorTab>(*this, DITab);
  Fc = std::make_unique<FcWheelTab>(*this, FCTab);
  Cj = std::make_unique<CjLampTab>(*this, CJTab);
  Ci = std::make_unique<CiLampTab>(*this, CITab);
  Cz = std::make_unique<CzScanTab>(*this, TabSheet1);
  O3 = std::make_unique<O3AvgTab>(*this, O3Tab);
  Duv = std::make_unique<DuvScanTab>(*this, DUVTab);
  Op = std::make_unique<OpAvgTab>(*this, TabSheet11);
  Ca = std::make_unique<CaLaserTab>(*this, CATab);
  Fi = std::make_unique<FiAvgTab>(*this, FITab);
  Mi = std::make_unique<MiFileTab>(*this, TabSheet8);
  Sc = std::make_unique<ScAvgTab>(*this, SCTab);
  Composite = std::make_unique<CompositeChartTab>(*this, CompositeTab);
  Dsp = std::make_unique<DspCompareTab>(*this, DSPTab);
  Folder = std::make_unique<FolderLoad>(*this);
  Button2->OnClick = [this](TObject* sender) { Folder->OpenDirClick(sender); };
  Comments = std::make_unique<CommentsOverlay>(*this);
}

void TMainForm::StartUp() {
  SetBounds(1, 1, Width, Height);
  Ap->Series83->SetActive(false);
  PageControl1->SetActivePageIndex(0);
  const std::string here = CurrentDirectory();
  OpenDialog1->InitialDir = here;
  OpenDirDialog1->InitialDir = here;
  EndDate->SetDate(Date());
  StartingDate->SetDate(Date() - 700);
  FormCreate(this);
}

// The custom vertical axes of the banded charts, each the axis of one series.
void TMainForm::FormCreate(TObject*) {
  struct Row {
    TChart* chart;
    TChartSeries* series;
    bool otherSide;
    double start, end;
    const char* title;
    int angle;
    bool fixed;
    double min, max;
  };
  const Row rows[] = {
      {Hg->HGGraph, Hg->Series64, false, 60, 70, "cal step", 90, false, 0, 0},
      {Hg->HGGraph, Hg->Series67, true, 40, 50, "max shift", 270, true, -20, 20},
      {Hg->HGGraph, Hg->Series68, true, 50, 60, "repeats", 270, true, 0, 20},
      {Hg->HGGraph, Hg->Series65, true, 70, 85, "N of HGs", 270, false, 0, 0},
      {Composite->CompositeChart, Composite->PointSeries5, false, 0, 10, "HV", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series25, true, 10, 20, "+5V", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series66, false, 20, 30, "R6", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series69, true, 30, 40, "R/S", 90, true, 0.989, 1.011},
      {Composite->CompositeChart, Composite->Series70, false, 40, 50, "DT", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series71, true, 50, 60, "HG int", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series73, false, 60, 70, "SL int", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series74, true, 70, 80, "T, C", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series76, false, 80, 90, "HC", 90, false, 0, 0},
      {Composite->CompositeChart, Composite->Series77, true, 90, 100, "SL V", 90, false, 0, 0},
  };
  for (const Row& row : rows) {
    TChartAxis* axis = row.chart->AddCustomAxis();
    axis->OtherSide = row.otherSide;
    axis->SetStartEnd(row.start, row.end);
    axis->SetTitle(row.title, row.angle);
    if (row.fixed) axis->SetMinMax(row.min, row.max);
    row.series->SetCustomVertAxis(axis);
  }
}

bool TMainForm::SelectReportFile(const std::string& pattern, std::string& path) {
  return ::SelectReportFile(*OpenDialog1, *OpenDirDialog1, pattern, path);
}

void TMainForm::SaveChartAs(TChart* chart) {
  SaveDialog1->FileName = "*.bmp";
  SaveDialog1->DefaultExt = "bmp";
  if (!SaveDialog1->Execute()) return;
  SaveToBitmapFile(*chart, SaveDialog1->FileName);
}

void TMainForm::ShowLoadSummary(const std::string& path, const std::string& what) {
  StatusBar1->SimpleText = ExtractFileName(path) + ": " + what;
  Loads.push_back({path, what});
  StatusBar1->Changed();
}

std::string TMainForm::WindowSummary(size_t records, size_t inWindow) const {
  return std::to_string(records) + (records == 1 ? " record, " : " records, ") + std::to_string(inWindow) +
         " in the date window " + FormatDateTime("dd/mm/yyyy", StartingDate->DateTime) + "\u2013" +
         FormatDateTime("dd/mm/yyyy", EndDate->DateTime);
}
