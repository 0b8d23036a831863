// The date window below the tabs: the daily loaders plot only records inside
// it, and with "Strict" ticked their date axes show exactly the window.
#include "app/Mainunit.h"
#include "core/serial_date.h"

bool TMainForm::InDateWindow(double date) const {
  // Full serial values: a record later on the last day than the picker's
  // time of day falls outside.
  return !(date < StartingDate->DateTime) && !(date > EndDate->DateTime);
}

void TMainForm::ApplyStrictDate(TChartAxis& axis) const {
  if (!StrictDate->Checked) return;
  axis.SetAutomatic(false);
  axis.SetMaximum(EndDate->DateTime);
  axis.SetMinimum(StartingDate->DateTime);
}

// Marks a start date other than the pickers' design-time 1 January 1980.
void TMainForm::StartingDateChange(TObject*) {
  const bool changed = StartingDate->DateTime != EncodeDate(1980, 1, 1);
  StartingDate->SetColor(changed ? clRed : clWhite);
  StartingDate->SetFontColor(changed ? clWhite : clBlack);
}
