// AP tab: the analog printout's daily averages on four charts: high voltage
// and +5 V, the standard lamp's supply, the supply voltages as deviations from
// their nominal values, and the temperatures with the humidity.
#include "reports/daily/ap_avg.h"
#include "reports/daily/ap_avg_reader.h"

#include <cmath>
#include <limits>
#include <string>

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "core/serial_date.h"
#include "core/text.h"


namespace {

constexpr TColor kLightBlue = 16416517;
constexpr TColor kSeriesColour = clTeeColor;  // the point takes its series' colour

// The supply rows with the layout flag clear and set.
struct ApRows {
  double nominal[kApSupplyRows];
  const char* label[kApSupplyRows];
  TColor firstBlockColour[kApSupplyRows];
};
const ApRows kRowsShort{{-15, -8, 5, 5, 15, 24},
                        {"-15V", "-8V", "+5V pps", "+5V sps", "+15V", "+24V"},
                        {clNavy, clGray, clYellow, clBlack, clRed, kLightBlue}};
const ApRows kRowsLong{{-12, -5, 5, 5, 12, 24},
                       {"-12V", "-5V", "+5V", "+5V", "+12V", "+24V"},
                       {clBlue, kSeriesColour, clYellow, clBlack, clRed, kLightBlue}};
const TColor kOffBlockColour[kApSupplyRows] = {clNavy, clGray, clYellow, clBlack, clRed, kLightBlue};

// Titles of the first block's supply series, by instrument number.
const char* const kTitlesLowVoltage[kApSupplyRows] = {"-12V", "-5V", "+5V", "+5V", "+12V", "+24V"};
const char* const kTitlesHighVoltage[kApSupplyRows] = {"-15V", "-8V", "+5Vpps", "+5Vsps", "+15V", "+24V"};
const TColor kTitleColours[kApSupplyRows] = {clBlue, clGreen, clYellow, clBlack, clRed, kLightBlue};

// The supply series by row: first block, then the "off" block.
struct SupplySeries {
  TChartSeries* first[kApSupplyRows];
  TChartSeries* off[kApSupplyRows];
};
SupplySeries SuppliesOf(const ApAvgTab& f) {
  return {{f.LineSeries10, f.LineSeries11, f.Series47, f.Series48, f.Series49, f.Series50},
          {f.Series59, f.Series58, f.Series57, f.Series56, f.Series55, f.Series54}};
}

// A value that did not read as a number gives no point.
void Plot(TChartSeries* series, double x, double y, TColor colour) {
  if (std::isfinite(y)) series->AddXY(x, y, "", colour);
}

TColor HvColour(double hv) { return hv > 1700 || hv < 1000 ? clRed : clBlue; }

// High voltage and +5 V, clamped to the chart and graded by colour.
void PlotHead(ApAvgTab& f, const ApAvgRecord& r) {
  double hv = r.hv;
  if (hv < 500) hv = 500;
  if (hv > 1900) hv = 1900;
  Plot(f.LineSeries2, r.date, hv, HvColour(hv));
  double p5 = r.p5;
  if (p5 < 4.5) p5 = 4.5;
  if (p5 > 5.5) p5 = 5.5;
  Plot(f.LineSeries3, r.date, p5, p5 < 4.8 || p5 > 5.2 ? clRed : clGreen);
}

// Temperatures, humidity and the standard lamp's supply, from the first block.
void PlotTemperaturesAndLamp(ApAvgTab& f, double date, const ApBlock& b) {
  Plot(f.Series78, date, b.pmt, kSeriesColour);
  Plot(f.Series79, date, b.cardRack, kSeriesColour);
  Plot(f.Series80, date, b.caseTemp, kSeriesColour);
  Plot(f.Series81, date, b.humidity, kSeriesColour);
  double current = b.slCurrent, volts = b.slVoltage;
  // The power comes from the readings as they are, before the chart's limits.
  double power = current * volts / 10;
  if (volts > 14) volts = 14;
  if (volts < 7) volts = 7;
  Plot(f.LineSeries8, date, volts, volts > 12 || volts < 10 ? clRed : clBlue);
  if (current > 2.1) current = 2.1;
  if (current < 1.2) current = 1.2;
  Plot(f.LineSeries9, date, current, current < 1.5 || current > 2.0 ? clRed : clGreen);
  if (power < 1.2) power = 1.2;
  Plot(f.Series61, date, power, power < 1.5 || power > 2.0 ? clMaroon : clTeal);
}

// Each supply on its own row, as its deviation from the nominal value.
void PlotSupplies(TChartSeries* const series[], const ApBlock& b, double date, const ApRows& rows,
                  const TColor colours[]) {
  for (int row = 0; row < kApSupplyRows; ++row)
    Plot(series[row], date, b.supply[row] - rows.nominal[row] + (row + 1), colours[row]);
}

// The second block's high voltage may go higher than the first's chart limit.
void PlotOffHv(ApAvgTab& f, double date, const ApBlock& b) {
  double hv = b.hv;
  if (hv < 500) hv = 500;
  if (hv > 2500) hv = 2500;
  Plot(f.Series60, date, hv, HvColour(hv));
}

// The row labels, as bars along the dates of the voltage chart.
void AddRowLabels(ApAvgTab& f, const ApRows& rows) {
  TChartAxis& dates = f.VoltagesGraph->BottomAxis;
  dates.SetAutomatic(true);
  dates.AdjustMaxMin();
  for (int row = 0; row < kApSupplyRows; ++row)
    f.Series52->AddGanttColor(dates.Minimum, dates.Maximum, row + 1, rows.label[row], clBlack);
}

// The high voltage and the lamp's supply on whole steps around the data; +5 V fixed.
void RoundAxes(ApAvgTab& f) {
  TChartAxis& hv = f.APGraph->LeftAxis;
  TChartAxis& lampVolts = f.SLVoltsGraph->LeftAxis;
  TChartAxis& lampCurrent = f.SLVoltsGraph->RightAxis;
  for (TChartAxis* axis : {&hv, &f.APGraph->RightAxis, &lampVolts, &lampCurrent}) axis->FixToData();
  hv.RoundOutward(10, 10);
  lampVolts.RoundOutward(1, 1);
  lampCurrent.SetMinMax(std::floor(lampCurrent.Minimum * 10) / 10 - 0.1,
                        std::ceil(lampCurrent.Maximum * 10) / 10 + 0.1);
  f.APGraph->RightAxis.SetMinMax(4.5, 5.5);
}

// Circle pointers and no connecting line, as most series of this tab draw.
void Circles(TChartSeries* series, const char* title, TVertAxis axis, TColor colour) {
  series->Title = title;
  series->VertAxis = axis;
  series->SeriesColor = colour;
  series->Pointer.Style = TPointerStyle::psCircle;
  series->LineVisible = false;
}

}  // namespace

ApAvgTab::ApAvgTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  APPanel = MakeButtonStrip("APPanel", sheet);
  LoadApavg = MakeButton("LoadApavg", APPanel, "Load ap avg file", 8, Handler(&ApAvgTab::LoadApavgClick));
  SpeedButton5 = MakeSaveButton("SpeedButton5", APPanel, 136, Handler(&ApAvgTab::SpeedButton5Click));

  PageControl3 = Make<TPageControl>("PageControl3", sheet);
  PageControl3->Align = TAlign::alClient;
  TabSheet14 = MakeSheet("TabSheet14", PageControl3, "High Voltage and +5V");
  TabSheet15 = MakeSheet("TabSheet15", PageControl3, "SL");
  TabSheet16 = MakeSheet("TabSheet16", PageControl3, "Voltages");
  TabSheet24 = MakeSheet("TabSheet24", PageControl3, "Temperatures");
  PageControl3->ActivePageIndex = 3;

  // High voltage on the upper half, +5 V on the lower half.
  APGraph = MakeChart("APGraph", TabSheet14);
  APGraph->Title.Add("APOAVG");
  APGraph->Legend.Visible = false;
  APGraph->BottomAxis.SetDateScale("Date, UTC");
  APGraph->LeftAxis.EndPosition = 50;
  APGraph->LeftAxis.Title = "High voltage, V";
  APGraph->RightAxis.StartPosition = 50;
  APGraph->RightAxis.Increment = 0.1;
  APGraph->RightAxis.Title = "+5V voltage, V";
  LineSeries2 = MakeSeries<TLineSeries>(APGraph, "LineSeries2");
  Circles(LineSeries2, "HV", TVertAxis::aLeftAxis, clRed);
  LineSeries3 = MakeSeries<TLineSeries>(APGraph, "LineSeries3");
  Circles(LineSeries3, "+5V", TVertAxis::aRightAxis, clRed);
  Series60 = MakeSeries<TLineSeries>(APGraph, "Series60");
  Circles(Series60, "HV off", TVertAxis::aLeftAxis, clRed);
  Series60->Pointer.OutlineColor = clBlue;

  // Standard-lamp voltage above, its current and power below.
  SLVoltsGraph = MakeChart("SLVoltsGraph", TabSheet15);
  SLVoltsGraph->Title.Add("APOAVG");
  SLVoltsGraph->Legend.Visible = false;
  SLVoltsGraph->BottomAxis.SetDateScale("Date, UTC");
  SLVoltsGraph->LeftAxis.SetMinMax(8, 13);
  SLVoltsGraph->LeftAxis.EndPosition = 50;
  SLVoltsGraph->LeftAxis.Title = "SL voltage, V";
  SLVoltsGraph->RightAxis.SetMinMax(1.2, 2.1);
  SLVoltsGraph->RightAxis.Increment = 0.1;
  SLVoltsGraph->RightAxis.StartPosition = 50;
  SLVoltsGraph->RightAxis.Title = "SL current, A";
  LineSeries8 = MakeSeries<TLineSeries>(SLVoltsGraph, "LineSeries8");
  Circles(LineSeries8, "", TVertAxis::aLeftAxis, clRed);
  LineSeries9 = MakeSeries<TLineSeries>(SLVoltsGraph, "LineSeries9");
  Circles(LineSeries9, "", TVertAxis::aRightAxis, clRed);
  Series61 = MakeSeries<TPointSeries>(SLVoltsGraph, "Series61");
  Circles(Series61, "Power/10", TVertAxis::aRightAxis, clGreen);
  Series61->Pointer.Style = TPointerStyle::psStar;

  // One row per supply, one axis division per volt.
  VoltagesGraph = MakeChart("VoltagesGraph", TabSheet16);
  VoltagesGraph->Title.Add("apavg");
  VoltagesGraph->Legend.SymbolWidth = 15;
  VoltagesGraph->BottomAxis.SetDateScale("Date, UTC");
  TChartAxis& deviation = VoltagesGraph->LeftAxis;
  deviation.SetMinMax(0, 8);
  deviation.Increment = 1;
  deviation.LabelsVisible = false;
  deviation.Title = "deviation, (1 division = 1V)";
  VoltagesGraph->RightAxis.SetMinMax(0, 8);
  VoltagesGraph->RightAxis.Increment = 1;
  // The +5 V pps and +24 V rows in the instrument's own shades.
  constexpr TColor k5VppsColour = 458751, k24VColour = 4227327;
  LineSeries10 = MakeSeries<TLineSeries>(VoltagesGraph, "LineSeries10");
  Circles(LineSeries10, "-15V", TVertAxis::aLeftAxis, clBlue);
  LineSeries11 = MakeSeries<TLineSeries>(VoltagesGraph, "LineSeries11");
  Circles(LineSeries11, "-8V", TVertAxis::aLeftAxis, clGray);
  Series47 = MakeSeries<TLineSeries>(VoltagesGraph, "Series47");
  Circles(Series47, "+5V pps", TVertAxis::aLeftAxis, k5VppsColour);
  Series48 = MakeSeries<TLineSeries>(VoltagesGraph, "Series48");
  Circles(Series48, "+5V sps", TVertAxis::aLeftAxis, clBlack);
  Series49 = MakeSeries<TLineSeries>(VoltagesGraph, "Series49");
  Circles(Series49, "+15V", TVertAxis::aLeftAxis, clRed);
  Series50 = MakeSeries<TLineSeries>(VoltagesGraph, "Series50");
  Circles(Series50, "+24V", TVertAxis::aLeftAxis, k24VColour);
  // The second block's supplies stay out of the legend.
  Series59 = MakeSeries<TLineSeries>(VoltagesGraph, "Series59");
  Circles(Series59, "-15V off", TVertAxis::aLeftAxis, clBlue);
  Series58 = MakeSeries<TLineSeries>(VoltagesGraph, "Series58");
  Circles(Series58, "-8V off", TVertAxis::aLeftAxis, clGray);
  Series57 = MakeSeries<TLineSeries>(VoltagesGraph, "Series57");
  Circles(Series57, "+5V pps off", TVertAxis::aLeftAxis, k5VppsColour);
  Series57->LineVisible = true;
  Series56 = MakeSeries<TPointSeries>(VoltagesGraph, "Series56");
  Circles(Series56, "+5V sps off", TVertAxis::aLeftAxis, clBlack);
  Series55 = MakeSeries<TLineSeries>(VoltagesGraph, "Series55");
  Circles(Series55, "+15V off", TVertAxis::aLeftAxis, clRed);
  Series54 = MakeSeries<TLineSeries>(VoltagesGraph, "Series54");
  Circles(Series54, "+24V off", TVertAxis::aLeftAxis, k24VColour);
  Series54->Pointer.OutlineWidth = 2;
  for (TChartSeries* s : SuppliesOf(*this).off) s->ShowInLegend = false;
  // The row labels, carried by one-pixel bars across the whole chart.
  Series52 = MakeSeries<TGanttSeries>(VoltagesGraph, "Series52");
  Series52->VertAxis = TVertAxis::aRightAxis;
  Series52->SeriesColor = clGreen;
  Series52->ShowInLegend = false;
  Series52->Pointer.VertSize = 0;
  // The bars carry the row labels: the right axis shows them at their rows.
  VoltagesGraph->RightAxis.PointLabels = true;

  // Temperatures on the upper two thirds, humidity below.
  AP_T = MakeChart("AP_T", TabSheet24);
  AP_T->Title.Add("Temperatures from AP");
  AP_T->Legend.Inverted = true;
  AP_T->Legend.SymbolWidth = 35;
  AP_T->BottomAxis.SetDateScale("", 0, "dd.MMM.yyyy");
  AP_T->LeftAxis.EndPosition = 66;
  AP_T->LeftAxis.Title = "Temperature, C";
  AP_T->RightAxis.StartPosition = 68;
  Series78 = MakeSeries<TPointSeries>(AP_T, "Series78");
  Circles(Series78, "PMT", TVertAxis::aLeftAxis, clRed);
  Series79 = MakeSeries<TPointSeries>(AP_T, "Series79");
  Circles(Series79, "Card rack", TVertAxis::aLeftAxis, 14671616);
  Series80 = MakeSeries<TPointSeries>(AP_T, "Series80");
  Circles(Series80, "Case", TVertAxis::aLeftAxis, 16711808);
  Series81 = MakeSeries<TPointSeries>(AP_T, "Series81");
  Circles(Series81, "Humidity", TVertAxis::aRightAxis, 16744448);
  for (TPointSeries* s : {Series78, Series79, Series80, Series81}) {
    s->Pointer.HorizSize = 3;
    s->Pointer.VertSize = 3;
  }
  // Shades the band below 0 C across any date range. Hidden from start-up
  // until a load has fixed the date axis, so that its far dates never widen it.
  Series83 = MakeSeries<TAreaSeries>(AP_T, "Series83");
  Series83->ShowInLegend = false;
  Series83->SeriesColor = clBlue;
  Series83->GradientBottomToTop = true;
  Series83->Transparency = 85;
  Series83->AddXY(30000.0, 0.0);
  Series83->AddXY(50000.0, 0.0);

  struct ShowBox {
    TCheckBox* ApAvgTab::*box;
    const char* name;
    int left, width;
    void (ApAvgTab::*onClick)(TObject*);
  };
  const ShowBox boxes[] = {
      {&ApAvgTab::ShowPMT, "ShowPMT", 8, 80, &ApAvgTab::ShowPMTClick},
      {&ApAvgTab::ShowCardRack, "ShowCardRack", 92, 118, &ApAvgTab::ShowCardRackClick},
      {&ApAvgTab::ShowCase, "ShowCase", 214, 84, &ApAvgTab::ShowCaseClick},
  };
  for (const ShowBox& row : boxes) {
    TCheckBox* box = this->*row.box = Make<TCheckBox>(row.name, AP_T);
    box->Caption = row.name;
    box->Checked = true;
    box->SetBounds(row.left, 4, row.width, 19);
    box->OnClick = Handler(row.onClick);
  }
}

void ApAvgTab::LoadApavgClick(TObject*) {
  std::string path;
  if (!form_.SelectReportFile("ap?avg*.*", path)) return;
  const std::string instrumentText = Copy(path, static_cast<int>(path.size()) - 2, 3);
  Series83->SetActive(false);
  TChartSeries* const cleared[] = {LineSeries3, LineSeries2, LineSeries8, LineSeries9, LineSeries10,
                                   LineSeries11, Series47, Series48, Series49, Series50, Series52,
                                   Series54, Series55, Series56, Series57, Series58, Series59,
                                   Series78, Series79, Series80, Series81};
  for (TChartSeries* s : cleared) s->Clear();
  AP_T->Title.Clear();
  AP_T->Title.Add(path);
  AP_T->Title.Add("Temperatures");
  Series60->Clear();
  Series61->Clear();

  const SupplySeries supplies = SuppliesOf(*this);
  Records<ApAvgRecord> data;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    for (TChart* chart : {APGraph, VoltagesGraph, SLVoltsGraph}) {
      chart->Title.Clear();
      chart->Title.Add(path);
    }
    // The instrument number names the supplies; a non-number ends the load here.
    const int instrument = StrToInt(instrumentText);
    const bool lowVoltage = instrument == 80 || instrument >= 160;
    for (int row = 0; row < kApSupplyRows; ++row) {
      supplies.first[row]->SetTitle(lowVoltage ? kTitlesLowVoltage[row] : kTitlesHighVoltage[row]);
      supplies.first[row]->SetColor(kTitleColours[row]);
    }
    data = ReadApAvg(file.get());
  }
  SummarizeDays(path, data.value);

  for (TChartSeries* s : cleared) s->Reserve(static_cast<int>(data.value.size()));
  // Set by the first long-layout record; the rows' nominal values and labels follow it.
  bool longLayout = false;
  for (const ApAvgRecord& r : data.value) {
    if (!form_.InDateWindow(r.date)) continue;
    PlotHead(*this, r);
    if (r.tokens == 4) continue;
    if (ApMarksLongLayout(r.tokens)) longLayout = true;
    if (r.blocks == 0) continue;
    const ApRows& rows = longLayout ? kRowsLong : kRowsShort;
    PlotTemperaturesAndLamp(*this, r.date, r.block[0]);
    if (r.blocks == 2) {
      PlotSupplies(supplies.off, r.block[1], r.date, rows, kOffBlockColour);
      PlotOffHv(*this, r.date, r.block[1]);
    }
    PlotSupplies(supplies.first, r.block[0], r.date, rows, rows.firstBlockColour);
  }

  AddRowLabels(*this, longLayout ? kRowsLong : kRowsShort);
  RoundAxes(*this);
  form_.ApplyStrictDate(SLVoltsGraph->BottomAxis);
  form_.ApplyStrictDate(APGraph->BottomAxis);
  form_.ApplyStrictDate(VoltagesGraph->BottomAxis);
  // The temperatures' date axis is fitted to the data alone before the
  // shading with its far dates is shown again.
  AP_T->BottomAxis.FixToData();
  Series83->SetActive(true);

  if (FolderMode) {
    AutoSaveChart(APGraph, path, "apavgHV5");
    AutoSaveChart(SLVoltsGraph, path, "apavgSL");
    AutoSaveChart(VoltagesGraph, path, "apavgVoltages");
  }
}

void ApAvgTab::ShowPMTClick(TObject*) { Series78->SetActive(ShowPMT->Checked); }
void ApAvgTab::ShowCardRackClick(TObject*) { Series79->SetActive(ShowCardRack->Checked); }
void ApAvgTab::ShowCaseClick(TObject*) { Series80->SetActive(ShowCase->Checked); }

void ApAvgTab::SpeedButton5Click(TObject*) {
  form_.SaveDialog1->Filter = "BMP files (*.bmp)|*.bmp";
  form_.SaveChartAs(APGraph);
}
