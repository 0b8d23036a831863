// DT tab: daily dead-time averages as arrows from the first to the second dead
// time, and the day's high-intensity count rate on the right axis.
#include "reports/daily/dt_avg.h"
#include "reports/daily/dt_avg_reader.h"

#include <cmath>
#include <cstdio>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/numeric.h"
#include "core/serial_date.h"


DtAvgTab::DtAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  DTPanel = MakeButtonStrip("DTPanel", sheet);
  LoadDtAvg = MakeButton("LoadDtAvg", DTPanel, "Load dt avg file", 8, Handler(&DtAvgTab::LoadDtAvgClick));
  SpeedButton1 = MakeSaveButton("SpeedButton1", DTPanel, 136, Handler(&DtAvgTab::SpeedButton1Click));

  DTGraph = MakeChart("DTGraph", sheet);
  DTGraph->Title.Add("");
  DTGraph->Legend.Visible = false;
  DTGraph->BottomAxis.SetDateScale("Date");
  DTGraph->LeftAxis.Title = "Dead time, ns.";
  TChartAxis& right = DTGraph->RightAxis;
  right.Automatic = false;
  right.Minimum = 0;
  right.Maximum = 4.0;
  right.Increment = 0.1;
  right.LabelsFormat = "#,##0.0";
  right.GridVisible = false;
  right.Title = "High Intensity, Million counts";

  Series12 = MakeSeries<TArrowSeries>(DTGraph, "Series12");
  Series12->SeriesColor = clGreen;
  Series12->ValueFormat = "#,##0.0##";
  Series12->Pointer.Style = TPointerStyle::psRectangle;
  Series12->Pointer.HorizSize = 1;
  Series12->Pointer.VertSize = 1;

  Series53 = MakeSeries<TPointSeries>(DTGraph, "Series53");
  Series53->VertAxis = TVertAxis::aRightAxis;
  Series53->SeriesColor = clYellow;
  Series53->Pointer.Style = TPointerStyle::psCircle;
  Series53->Pointer.HorizSize = 2;
  Series53->Pointer.VertSize = 3;

  // Comment markers; only the comments overlay fills them.
  Series31 = MakeSeries<TPointSeries>(DTGraph, "Series31");
  Series31->SeriesColor = clRed;
  Series31->Pointer.Style = TPointerStyle::psDownTriangle;
  Series31->Marks.Visible = true;
  Series31->ShowInLegend = false;

  // Hand-set limits of the dead-time axis, on the chart itself.
  dtMaxLabel = Make<TLabel>("dtMaxLabel", DTGraph);
  dtMaxLabel->Caption = "max";
  dtMaxLabel->SetBounds(6, 10, 28, 15);
  dtMax = Make<TEdit>("dtMax", DTGraph);
  dtMax->Text = "0";
  dtMax->SetBounds(36, 6, 52, 22);
  dtMax->OnChange = Handler(&DtAvgTab::dtMaxChange);
  dtMaxUpDown = Make<TUpDown>("dtMaxUpDown", DTGraph);
  dtMaxUpDown->Min = 0;
  dtMaxUpDown->Max = 200;
  dtMaxUpDown->Associate = dtMax;

  dtMinLabel = Make<TLabel>("dtMinLabel", DTGraph);
  dtMinLabel->Caption = "min";
  dtMinLabel->SetBounds(6, 0, 28, 15);
  dtMinLabel->BottomMargin = 10;
  dtMin = Make<TEdit>("dtMin", DTGraph);
  dtMin->Text = "0";
  dtMin->SetBounds(36, 0, 52, 22);
  dtMin->BottomMargin = 6;
  dtMin->OnChange = Handler(&DtAvgTab::dtMinChange);
  dtMinUpDown = Make<TUpDown>("dtMinUpDown", DTGraph);
  dtMinUpDown->Min = 0;
  dtMinUpDown->Max = 200;
  dtMinUpDown->Associate = dtMin;
}

void DtAvgTab::LoadDtAvgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("dtoavg*.*", path)) return;
  Series12->Clear();
  Series53->Clear();
  TChartAxis& left = DTGraph->LeftAxis;
  left.SetAutomatic(true);

  Records<DtAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    DTGraph->Title.Clear();
    DTGraph->Title.Add(path);
    data = ReadDtAvg(file.get());
  }
  SummarizeDays(path, data.value);

  Series12->Reserve(static_cast<int>(data.value.size()));
  Series53->Reserve(static_cast<int>(data.value.size()));
  for (const DtAvgRecord& r : data.value) {
    if (!form_.InDateWindow(r.date)) continue;
    Series12->AddArrow(r.date, r.deadTimeA, r.date, r.deadTimeB, "",
                       r.valueC < 2.0 ? clGreen : clRed);
    if (!r.hasIntensity) continue;
    // How much the dead time corrects the count rate at this intensity.
    const double factor = std::exp(r.deadTimeA * r.intensity / 1e9);
    Series53->AddXY(r.date, r.intensity / 1e6, "", factor < 1.025 ? clRed : clBlue);
  }

  left.AdjustMaxMin();
  left.SetAutomatic(false);
  left.SetMinimum(std::trunc(left.Minimum) * 0.95);
  left.SetMaximum(std::trunc(left.Maximum) * 1.05);
  // The spin edits show the limits as whole numbers and set the axis to them.
  dtMinUpDown->SetPosition(TruncToInt(left.Minimum));
  dtMaxUpDown->SetPosition(TruncToInt(left.Maximum));

  form_.ApplyStrictDate(DTGraph->BottomAxis);
  CurrentPlatform().ProcessMessages();
  if (FolderMode) AutoSaveChart(DTGraph, path, "dtavg");
}

void DtAvgTab::dtMinChange(TObject*) {
  const int v = dtMinUpDown->GetPosition();
  if (v < DTGraph->LeftAxis.Maximum) DTGraph->LeftAxis.SetMinimum(v);
}

void DtAvgTab::dtMaxChange(TObject*) {
  const int v = dtMaxUpDown->GetPosition();
  if (v > DTGraph->LeftAxis.Minimum) DTGraph->LeftAxis.SetMaximum(v);
}

void DtAvgTab::SpeedButton1Click(TObject*) { form_.SaveChartAs(DTGraph); }
