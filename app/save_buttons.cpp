// The save buttons of the tabs: each writes its chart to a bitmap the user names.
#include "app/Mainunit.h"

void TMainForm::SaveChartAs(TChart* chart) {
  SaveDialog1->FileName = "*.bmp";
  SaveDialog1->DefaultExt = "bmp";
  if (!SaveDialog1->Execute()) return;
  chart->SaveToBitmapFile(SaveDialog1->FileName);
}

void TMainForm::SpeedButton1Click(TObject*) { SaveChartAs(DTGraph); }
