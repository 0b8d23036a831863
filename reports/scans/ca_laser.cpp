// "Laser (ca)" tab: each block's raw counts become count rates corrected for
// the dead time; the second block is scaled by the attenuation of its filter
// wheel #2 position, so that both blocks join on one logarithmic scale.
#include "reports/scans/ca_laser.h"
#include "reports/scans/ca_laser_reader.h"

#include <cmath>
#include <cstddef>

#include "app/Mainunit.h"

namespace {

// The count column of a data line that is plotted.
constexpr size_t kPlottedCount = 2;
constexpr TColor kBlockColour[] = {clGreen, clRed};
constexpr int kDeadTimeIterations = 8;

// Each decade of filter wheel #2 is two positions.
double BlockScale(size_t block, const CaBlock& header) {
  return block == 0 ? 1.0 : std::pow(10.0, 0.5 * header.wheel2);
}

// log10 of the block's count rate at raw count `count`, corrected for the
// dead time and scaled. False when the header gives no cycles or no
// integration time, or the result is no finite number.
bool LogCountRate(const CaBlock& block, double count, double scale, double& y) {
  if (block.cycles == 0 || block.integrationTime == 0) return false;
  double r0 = ((count - block.darkCount) / block.cycles) / 2 * 4 / block.integrationTime;
  if (r0 < 2.0) r0 = 2.0;
  double r = r0;
  for (int i = 0; i < kDeadTimeIterations; ++i) r = r0 * std::exp(r * block.deadTime);
  y = std::log10(r * scale);
  return std::isfinite(y);
}

}  // namespace

CaLaserTab::CaLaserTab(TMainForm& form, TTabSheet* sheet) : ReportTab(form, sheet) {
  CAPanel = MakeButtonStrip("CAPanel", sheet);
  LoadCA = MakeButton("LoadCA", CAPanel, "Load CA file", 8, Handler(&CaLaserTab::LoadCAClick));
  SpeedButton6 = MakeSaveButton("SpeedButton6", CAPanel, 136, Handler(&CaLaserTab::CaSaveBMPClick));
  mk160 = Make<TCheckBox>("mk160", CAPanel);
  mk160->Caption = "MKIII";
  mk160->SetBounds(172, 8, 70, 19);

  CAGraph = MakeChart("CAGraph", sheet);
  CAGraph->Title.FontColor = clBlack;
  CAGraph->Title.FontHeight = 12;
  CAGraph->Legend.Visible = false;
  TChartAxis& bottom = CAGraph->BottomAxis;
  bottom.Title = "Wavelength";
  bottom.LabelsFormat = "###0";
  bottom.GridVisible = false;
  TChartAxis& left = CAGraph->LeftAxis;
  left.SetMinMax(0, 9.0);
  left.LabelsFormat = "###0.###";

  LineSeries4 = MakeSeries<TLineSeries>(CAGraph, "LineSeries4");
  LineSeries5 = MakeSeries<TLineSeries>(CAGraph, "LineSeries5");
  LineSeries6 = MakeSeries<TLineSeries>(CAGraph, "LineSeries6");
  LineSeries7 = MakeSeries<TLineSeries>(CAGraph, "LineSeries7");
  Series41 = MakeSeries<TLineSeries>(CAGraph, "Series41");
  Series42 = MakeSeries<TLineSeries>(CAGraph, "Series42");
  Series43 = MakeSeries<TLineSeries>(CAGraph, "Series43");
  for (TLineSeries* s : {LineSeries5, Series43}) {
    s->SeriesColor = clGreen;
    s->Pointer.Style = TPointerStyle::psCircle;
    s->Pointer.BrushColor = clTeal;
  }
  CountSeries = {{{LineSeries7, LineSeries4, LineSeries5}, {Series41, Series42, Series43}}};
}

void CaLaserTab::LoadCAClick(TObject*) {
  // Cleared before the file is chosen: a cancelled dialog leaves no data.
  for (TLineSeries* s : {LineSeries4, LineSeries5, LineSeries6, LineSeries7, Series41, Series42, Series43})
    s->Clear();
  std::string path;
  if (!form_.SelectReportFile("ca*.*", path)) return;
  const bool mkiii = mk160->Checked;
  ReadResult<CaScan> scan;
  {
    CFile file = OpenReportFile(path);
    if (!file) return;
    scan = ReadCaScan(file.get(), mkiii);
  }

  const std::vector<CaBlock>& blocks = scan.value.blocks;
  for (size_t b = 0; b < blocks.size() && b < CountSeries.size(); ++b) {
    const CaBlock& block = blocks[b];
    const double scale = BlockScale(b, block);
    TLineSeries& series = *CountSeries[b][kPlottedCount];
    for (const CaDataLine& line : block.lines) {
      double y = 0;
      if (std::isfinite(line.wavelength) && LogCountRate(block, line.counts[kPlottedCount], scale, y))
        series.AddXY(line.wavelength, y, "", kBlockColour[b]);
    }
  }
  // A header that ends the reading early (a bad increment or date) ends the
  // laser load quietly: what was read stays drawn, and no message is shown.
  SummarizePoints(path, {CAGraph});
}

void CaLaserTab::CaSaveBMPClick(TObject*) { form_.SaveChartAs(CAGraph); }
