// AP tab: the analog printout's daily averages on four charts: high voltage
// and +5 V, the standard lamp's supply, the supply voltages as deviations from
// their nominal values, and the temperatures with the humidity.
#include "reports/daily/ap_avg.h"

#include <cmath>
#include <limits>
#include <string>

#include "app/Mainunit.h"
#include "core/file_select.h"
#include "core/line_reader.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

// The instrument's buffers: a record line, its continuation, and both joined.
constexpr size_t kLineBuffer = 500;
constexpr size_t kContinuationBuffer = 300;
constexpr size_t kContinuedRecord = 22;  // words of a record that goes on in the next line

// Where the fields of a block sit, counted from the block's first word.
struct ApFieldOffsets {
  int stride;  // words from one block to the next
  int humidity;
};
constexpr ApFieldOffsets kShortLayout{17, 9};
constexpr ApFieldOffsets kLongLayout{25, 20};
constexpr int kPmt = 0, kCardRack = 1, kCase = 2, kHv = 3, kSlCurrent = 14, kSlVoltage = 15;
// The supplies by row of the voltage chart, the same in both layouts:
// -15/-12 V, -8/-5 V, +5 V pps, +5 V sps, +15/+12 V, +24 V.
constexpr int kSupply[kApSupplyRows] = {6, 13, 5, 12, 4, 7};
constexpr int kFirstBlock = 4;  // after the day code, HV, +5 V and one more value

// The number of blocks and their layout that a record's word count gives;
// any other count gives no blocks (the two extra words of 22, 39, 30 and 55
// are not used).
int BlocksOf(int tokens, ApFieldOffsets& layout) {
  switch (tokens) {
    case 20: case 22: layout = kShortLayout; return 1;
    case 37: case 39: layout = kShortLayout; return 2;
    case 28: case 30: layout = kLongLayout; return 1;
    case 53: case 55: layout = kLongLayout; return 2;
    default: return 0;
  }
}

// A word read with "%lf"; NaN when it is not a finite number, so that it is
// never plotted.
double Number(const std::string& word) {
  double v = 0;
  if (std::sscanf(word.c_str(), "%lf", &v) != 1 || !std::isfinite(v))
    return std::numeric_limits<double>::quiet_NaN();
  return v;
}

void ReadBlock(const std::vector<std::string>& words, int first, const ApFieldOffsets& layout, ApBlock& b) {
  auto at = [&](int k) { return Number(words[static_cast<size_t>(first + k)]); };
  b.pmt = at(kPmt);
  b.cardRack = at(kCardRack);
  b.caseTemp = at(kCase);
  b.hv = at(kHv);
  for (int row = 0; row < kApSupplyRows; ++row) b.supply[row] = at(kSupply[row]);
  b.humidity = at(layout.humidity);
  b.slCurrent = at(kSlCurrent);
  b.slVoltage = at(kSlVoltage);
  // The other fields of a block hold values this chart does not use.
}

enum class LineState { End, Fits, TooLong };

// The next line, in a buffer of the instrument's size: a line that fills it
// was longer than the instrument writes, and is damaged.
LineState NextLine(FILE* file, char* buffer, size_t size) {
  bool cut = false;
  if (!ReadWholeLine(file, buffer, size, &cut)) return LineState::End;
  return cut ? LineState::TooLong : LineState::Fits;
}

}  // namespace

bool ApMarksLongLayout(int tokens) { return tokens == 28 || tokens == 30 || tokens >= 52; }

std::vector<ApAvgRecord> ReadApAvg(FILE* file) {
  std::vector<ApAvgRecord> records;
  char line[kLineBuffer];
  char continuation[kContinuationBuffer];
  std::string text;
  std::vector<std::string> words;
  for (LineState state; (state = NextLine(file, line, kLineBuffer)) != LineState::End;) {
    if (state == LineState::TooLong) continue;
    text = line;
    SplitWords(text, words);
    if (words.size() < 4) continue;
    if (words.size() == kContinuedRecord) {
      // The record goes on in the next line, joined without a blank.
      const LineState more = NextLine(file, continuation, kContinuationBuffer);
      if (more == LineState::TooLong) continue;
      if (more == LineState::Fits) text += continuation;
      if (text.size() >= kLineBuffer) continue;
      SplitWords(text, words);
    }
    ApAvgRecord r;
    r.tokens = static_cast<int>(words.size());
    r.date = DayCodeToDate(Copy(words[0], 1, 3).c_str(), Copy(words[0], 4, 2).c_str());
    r.hv = Number(words[1]);
    r.p5 = Number(words[2]);
    ApFieldOffsets layout{};
    r.blocks = BlocksOf(r.tokens, layout);
    for (int b = 0; b < r.blocks; ++b) ReadBlock(words, kFirstBlock + b * layout.stride, layout, r.block[b]);
    records.push_back(r);
  }
  return records;
}

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
SupplySeries SuppliesOf(const TMainForm& f) {
  return {{f.LineSeries10, f.LineSeries11, f.Series47, f.Series48, f.Series49, f.Series50},
          {f.Series59, f.Series58, f.Series57, f.Series56, f.Series55, f.Series54}};
}

// A value that did not read as a number gives no point.
void Plot(TChartSeries* series, double x, double y, TColor colour) {
  if (std::isfinite(y)) series->AddXY(x, y, "", colour);
}

TColor HvColour(double hv) { return hv > 1700 || hv < 1000 ? clRed : clBlue; }

// High voltage and +5 V, clamped to the chart and graded by colour.
void PlotHead(TMainForm& f, const ApAvgRecord& r) {
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
void PlotTemperaturesAndLamp(TMainForm& f, double date, const ApBlock& b) {
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
void PlotOffHv(TMainForm& f, double date, const ApBlock& b) {
  double hv = b.hv;
  if (hv < 500) hv = 500;
  if (hv > 2500) hv = 2500;
  Plot(f.Series60, date, hv, HvColour(hv));
}

// The row labels, as bars along the dates of the voltage chart.
void AddRowLabels(TMainForm& f, const ApRows& rows) {
  TChartAxis& dates = f.VoltagesGraph->BottomAxis;
  dates.SetAutomatic(true);
  dates.AdjustMaxMin();
  for (int row = 0; row < kApSupplyRows; ++row)
    f.Series52->AddGanttColor(dates.Minimum, dates.Maximum, row + 1, rows.label[row], clBlack);
}

// The high voltage and the lamp's supply on whole steps around the data; +5 V fixed.
void RoundAxes(TMainForm& f) {
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
  series->XDateTime = true;
}

}  // namespace

void TMainForm::CreateApTab() {
  APPanel = MakeButtonStrip("APPanel", APTab);
  LoadApavg = MakeButton("LoadApavg", APPanel, "Load ap avg file", 8, &TMainForm::LoadApavgClick);
  SpeedButton5 = MakeSaveButton("SpeedButton5", APPanel, 136, &TMainForm::SpeedButton5Click);

  PageControl3 = Make<TPageControl>("PageControl3", APTab);
  PageControl3->Align = TAlign::alClient;
  auto sheet = [this](const char* name, const char* caption) {
    TTabSheet* s = Make<TTabSheet>(name, PageControl3);
    s->Caption = caption;
    s->Align = TAlign::alClient;
    PageControl3->Pages.push_back(s);
    return s;
  };
  TabSheet14 = sheet("TabSheet14", "High Voltage and +5V");
  TabSheet15 = sheet("TabSheet15", "SL");
  TabSheet16 = sheet("TabSheet16", "Voltages");
  TabSheet24 = sheet("TabSheet24", "Temperatures");
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
  deviation.MinorTicksVisible = false;
  deviation.Title = "deviation, (1 division = 1V)";
  VoltagesGraph->RightAxis.SetMinMax(0, 8);
  VoltagesGraph->RightAxis.Increment = 1;
  constexpr TColor kOrange = 458751, kDeepOrange = 4227327;
  LineSeries10 = MakeSeries<TLineSeries>(VoltagesGraph, "LineSeries10");
  Circles(LineSeries10, "-15V", TVertAxis::aLeftAxis, clBlue);
  LineSeries11 = MakeSeries<TLineSeries>(VoltagesGraph, "LineSeries11");
  Circles(LineSeries11, "-8V", TVertAxis::aLeftAxis, clGray);
  Series47 = MakeSeries<TLineSeries>(VoltagesGraph, "Series47");
  Circles(Series47, "+5V pps", TVertAxis::aLeftAxis, kOrange);
  Series48 = MakeSeries<TLineSeries>(VoltagesGraph, "Series48");
  Circles(Series48, "+5V sps", TVertAxis::aLeftAxis, clBlack);
  Series49 = MakeSeries<TLineSeries>(VoltagesGraph, "Series49");
  Circles(Series49, "+15V", TVertAxis::aLeftAxis, clRed);
  Series50 = MakeSeries<TLineSeries>(VoltagesGraph, "Series50");
  Circles(Series50, "+24V", TVertAxis::aLeftAxis, kDeepOrange);
  // The second block's supplies stay out of the legend.
  Series59 = MakeSeries<TLineSeries>(VoltagesGraph, "Series59");
  Circles(Series59, "-15V off", TVertAxis::aLeftAxis, clBlue);
  Series58 = MakeSeries<TLineSeries>(VoltagesGraph, "Series58");
  Circles(Series58, "-8V off", TVertAxis::aLeftAxis, clGray);
  Series57 = MakeSeries<TLineSeries>(VoltagesGraph, "Series57");
  Circles(Series57, "+5V pps off", TVertAxis::aLeftAxis, kOrange);
  Series57->LineVisible = true;
  Series56 = MakeSeries<TPointSeries>(VoltagesGraph, "Series56");
  Circles(Series56, "+5V sps off", TVertAxis::aLeftAxis, clBlack);
  Series55 = MakeSeries<TLineSeries>(VoltagesGraph, "Series55");
  Circles(Series55, "+15V off", TVertAxis::aLeftAxis, clRed);
  Series54 = MakeSeries<TLineSeries>(VoltagesGraph, "Series54");
  Circles(Series54, "+24V off", TVertAxis::aLeftAxis, kDeepOrange);
  Series54->Pointer.OutlineWidth = 2;
  for (TChartSeries* s : SuppliesOf(*this).off) s->ShowInLegend = false;
  // The row labels, carried by one-pixel bars across the whole chart.
  Series52 = MakeSeries<TGanttSeries>(VoltagesGraph, "Series52");
  Series52->VertAxis = TVertAxis::aRightAxis;
  Series52->SeriesColor = clGreen;
  Series52->ShowInLegend = false;
  Series52->Pointer.VertSize = 0;
  Series52->XDateTime = true;
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
  Series83->XDateTime = true;
  Series83->AddXY(30000.0, 0.0);
  Series83->AddXY(50000.0, 0.0);

  struct ShowBox {
    TCheckBox* TMainForm::*box;
    const char* name;
    int left, width;
    void (TMainForm::*onClick)(TObject*);
  };
  const ShowBox boxes[] = {
      {&TMainForm::ShowPMT, "ShowPMT", 8, 80, &TMainForm::ShowPMTClick},
      {&TMainForm::ShowCardRack, "ShowCardRack", 92, 118, &TMainForm::ShowCardRackClick},
      {&TMainForm::ShowCase, "ShowCase", 214, 84, &TMainForm::ShowCaseClick},
  };
  for (const ShowBox& row : boxes) {
    TCheckBox* box = this->*row.box = Make<TCheckBox>(row.name, AP_T);
    box->Caption = row.name;
    box->Checked = true;
    box->SetBounds(row.left, 4, row.width, 19);
    box->OnClick = Handler(row.onClick);
  }
}

void TMainForm::LoadApavgClick(TObject*) {
  std::string path;
  if (!SelectReportFile("ap?avg*.*", path)) return;
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
  std::vector<ApAvgRecord> records;
  {
    CFile file(path, "rb");
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
    records = ReadApAvg(file.get());
  }

  // Set by the first long-layout record; the rows' nominal values and labels follow it.
  bool longLayout = false;
  for (const ApAvgRecord& r : records) {
    if (!InDateWindow(r.date)) continue;
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
  ApplyStrictDate(SLVoltsGraph->BottomAxis);
  ApplyStrictDate(APGraph->BottomAxis);
  ApplyStrictDate(VoltagesGraph->BottomAxis);
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

void TMainForm::ShowPMTClick(TObject*) { Series78->SetActive(ShowPMT->Checked); }
void TMainForm::ShowCardRackClick(TObject*) { Series79->SetActive(ShowCardRack->Checked); }
void TMainForm::ShowCaseClick(TObject*) { Series80->SetActive(ShowCase->Checked); }
