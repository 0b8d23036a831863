// DUV tab: overlays the daily UV scans of one day, one curve per instrument.
#include "reports/tests/duv_scan.h"

#include "app/Mainunit.h"

bool NewDuvGraph = true;

void TMainForm::CreateDuvTab() {
  NewDuvGraph = true;

  DUVPanel = MakeButtonStrip("DUVPanel", DUVTab);
  ClearGraph = MakeButton("ClearGraph", DUVPanel, "Clear graph", 136, &TMainForm::ClearGraphClick, 90);
  ShowGridLines = Make<TCheckBox>("ShowGridLines", DUVPanel);
  ShowGridLines->Caption = "Show grid lines";
  ShowGridLines->SetBounds(236, 8, 110, 19);
  ShowGridLines->OnClick = Handler(&TMainForm::ShowGridLinesClick);
  SpeedButton4 = MakeSaveButton("SpeedButton4", DUVPanel, 356, &TMainForm::SpeedButton4Click);

  DUVGraph = MakeChart("DUVGraph", DUVTab);
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
