// The save buttons of the tabs: each writes its chart to a bitmap the user names.
#include "app/Mainunit.h"
#include "app/chart/render/chart_export.h"

void TMainForm::SaveChartAs(TChart* chart) {
  SaveDialog1->FileName = "*.bmp";
  SaveDialog1->DefaultExt = "bmp";
  if (!SaveDialog1->Execute()) return;
  SaveToBitmapFile(*chart, SaveDialog1->FileName);
}

void TMainForm::SpeedButton1Click(TObject*) { SaveChartAs(DTGraph); }
void TMainForm::SpeedButton5Click(TObject*) {
  SaveDialog1->Filter = "BMP files (*.bmp)|*.bmp";
  SaveChartAs(APGraph);
}
void TMainForm::SLSaveBMPClick(TObject*) { SaveChartAs(SLGraph); }
void TMainForm::SpeedButton2Click(TObject*) { SaveChartAs(HGGraph); }
void TMainForm::SpeedButton3Click(TObject*) { SaveChartAs(RSGraph); }
void TMainForm::CiSaveBMPClick(TObject*) { SaveChartAs(CiGraph); }
void TMainForm::CzSaveBMPClick(TObject*) { SaveChartAs(CZGraph); }
void TMainForm::SpeedButton4Click(TObject*) { SaveChartAs(DUVGraph); }
// The DI tab, when it comes, saves diLampsChart ("Lamps warm up", its one
// full-size chart) with SpeedButton7.
