// DUV tab: overlays the daily UV scans of one day, one curve per instrument.
#include "reports/scans/duv_scan.h"
#include "reports/scans/duv_scan_reader.h"

#include <vector>

#include "app/Mainunit.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/scan_header.h"
#include "core/serial_date.h"
#include "core/text.h"

bool NewDuvGraph = true;
std::string DuvDayCode;

namespace {

constexpr double kHoursPerDay = 24.0;

// A day that runs past midnight UTC goes on at 24, 25, ... hours: from the
// first time below the one before it (a first time below 0 included), every
// later time is shifted by a day.
void WrapMidnight(std::vector<DuvPoint>& points) {
  double previous = 0;
  bool wrapped = false;
  for (DuvPoint& p : points) {
    wrapped = wrapped || p.time < previous;
    previous = p.time;
    if (wrapped) p.time += kHoursPerDay;
  }
}

}  // namespace

DuvScanTab::DuvScanTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  NewDuvGraph = true;

  DUVPanel = MakeButtonStrip("DUVPanel", sheet);
  LoadDUV = MakeButton("LoadDUV", DUVPanel, "Load DUV files", 8, Handler(&DuvScanTab::LoadDUVClick));
  ClearGraph = MakeButton("ClearGraph", DUVPanel, "Clear graph", 136, Handler(&DuvScanTab::ClearGraphClick), 90);
  ShowGridLines = Make<TCheckBox>("ShowGridLines", DUVPanel);
  ShowGridLines->Caption = "Show grid lines";
  ShowGridLines->SetBounds(236, 8, 110, 19);
  ShowGridLines->OnClick = Handler(&DuvScanTab::ShowGridLinesClick);
  SpeedButton4 = MakeSaveButton("SpeedButton4", DUVPanel, 356, Handler(&DuvScanTab::SpeedButton4Click));

  DUVGraph = MakeChart("DUVGraph", sheet);
  DUVGraph->Title.FontColor = clBlack;
  DUVGraph->Title.FontHeight = 12;
  TChartAxis& bottom = DUVGraph->BottomAxis;
  bottom.Title = "UTC hours";
  bottom.LabelsFormat = "###0";
  bottom.Increment = 1;
  bottom.GridVisible = false;
  TChartAxis& left = DUVGraph->LeftAxis;
  left.Title = "DUV";
  left.LabelsFormat = "###0.###";
  left.GridVisible = false;
}

void DuvScanTab::LoadDUVClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("duv*.*", path)) return;
  const std::string dayCode = NameDayCode(path);
  const double date = FileNameDate(path);
  const std::string instrument = NameInstrument(path);

  std::vector<DuvPoint> points;
  {
    CFile file = OpenReportFile(path);
    if (!file) {
      CurrentPlatform().ShowMessage("Ooops!", "Cannot open the file.");
      return;
    }
    // Curves of one day only, so that instruments side by side compare.
    if (!NewDuvGraph && dayCode != DuvDayCode) {
      CurrentPlatform().ShowMessage("Sorry!",
                                    "Cannot plot different days on the same graph!\nPlease clear the graph first.");
      return;
    }
    DuvDayCode = dayCode;
    points = ReadDuvScan(file.get()).value;
  }
  WrapMidnight(points);

  const TColor color = DUVGraph->NextSeriesColor();
  if (NewDuvGraph) {
    DUVGraph->Title.Add(FormatDateTime("mmmm dd, yyyy", date) + ", Julian day " + dayCode);
    NewDuvGraph = false;
  }
  TLineSeries* curve = DUVGraph->AddSeries<TLineSeries>("");
  curve->Title = "#" + instrument;
  curve->SeriesColor = color;
  for (const DuvPoint& p : points) curve->AddXY(p.time, p.value);
  SummarizePoints(path, {DUVGraph});
}

void DuvScanTab::SpeedButton4Click(TObject*) { form_.SaveChartAs(DUVGraph); }

// The chart adds one curve per file, so "Clear graph" empties it and makes the
// next load start afresh.
void DuvScanTab::ClearGraphClick(TObject*) {
  DUVGraph->RemoveAllSeries();
  DUVGraph->Title.Clear();
  NewDuvGraph = true;
}

void DuvScanTab::ShowGridLinesClick(TObject*) { DUVGraph->LeftAxis.SetGridVisible(ShowGridLines->Checked); }
