// The view toggles of the DUV and FC tabs: their charts add one set of curves
// per file, so each has a button that empties it and makes the next load
// start afresh; the DUV chart also has a switch for horizontal grid lines.
#include "app/Mainunit.h"
#include "reports/tests/duv_scan.h"
#include "reports/tests/fc_test.h"

void TMainForm::ClearGraphClick(TObject*) {
  DUVGraph->RemoveAllSeries();
  DUVGraph->Title.Clear();
  NewDuvGraph = true;
}

void TMainForm::ClearFCClick(TObject*) {
  fcChart->RemoveAllSeries();
  fcChart->Title.Clear();
  NewFcGraph = true;
}

void TMainForm::ShowGridLinesClick(TObject*) {
  DUVGraph->LeftAxis.SetGridVisible(ShowGridLines->Checked);
}
