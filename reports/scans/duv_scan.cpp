// DUV tab: overlays the daily UV scans of one day, one curve per instrument.
#include "reports/scans/duv_scan.h"

#include "app/Mainunit.h"

bool NewDuvGraph = true;

DuvScanTab::DuvScanTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  NewDuvGraph = true;

  DUVPanel = MakeButtonStrip("DUVPanel", sheet);
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

void DuvScanTab::SpeedButton4Click(TObject*) { form_.SaveChartAs(DUVGraph); }

// The chart adds one curve per file, so "Clear graph" empties it and makes the
// next load start afresh.
void DuvScanTab::ClearGraphClick(TObject*) {
  DUVGraph->RemoveAllSeries();
  DUVGraph->Title.Clear();
  NewDuvGraph = true;
}

void DuvScanTab::ShowGridLinesClick(TObject*) { DUVGraph->LeftAxis.SetGridVisible(ShowGridLines->Checked); }
