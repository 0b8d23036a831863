
#include "app/chart/chart.h"
#include "app/chart/render/chart_export.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/text.h"

void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base, double windowStart,
                   double windowEnd, const TChartAxis* dateAxis) {
  TChartAxis& bottom = chart->BottomAxis;
  bottom.AdjustMaxMin();
  chart->Repaint();
  const TChartAxis& years = dateAxis ? *dateAxis : bottom;
  double min = windowStart, max = windowEnd;
  // An automatic axis without data has no dates of its own.
  if (!years.Automatic || years.DataRange(min, max)) years.CurrentLimits(min, max);
  // The instrument number is the report's extension, at most three characters.
  const std::string instrument = Copy(ExtractFileExt(reportPath), 2, 3);
  const std::string name = instrument + "_" + base + "_" + FormatDateTime("yy", min) + "-" +
                           FormatDateTime("yy", max) + ".bmp";
  SaveToBitmapFile(*chart, IncludeTrailingPathDelimiter(ExtractFileDir(reportPath)) + name);
}
