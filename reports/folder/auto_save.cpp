// Folder loading saves each daily chart next to its report, without asking.
#include "app/Mainunit.h"
#include "app/chart/render/chart_export.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/text.h"

void TMainForm::AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base) {
  TChartAxis& bottom = chart->BottomAxis;
  bottom.AdjustMaxMin();
  chart->Repaint();
  double min = 0, max = 0;
  bottom.CurrentLimits(min, max);
  // The instrument number is the report's extension, at most three characters.
  const std::string instrument = Copy(ExtractFileExt(reportPath), 2, 3);
  const std::string name = instrument + "_" + base + "_" + FormatDateTime("yy", min) + "-" +
                           FormatDateTime("yy", max) + ".bmp";
  SaveToBitmapFile(*chart, IncludeTrailingPathDelimiter(ExtractFileDir(reportPath)) + name);
}
