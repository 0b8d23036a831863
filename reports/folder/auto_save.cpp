
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
  // An automatic axis with no point in the window has no dates of its own
  // (the AP voltage rows' labels, for one, sit at day 0 then).
  double min = 0, max = 0;
  const bool inWindow = years.DataRange(min, max) && max >= windowStart && min <= windowEnd;
  if (years.Automatic && !inWindow) {
    min = windowStart;
    max = windowEnd;
  } else {
    years.CurrentLimits(min, max);
  }
  // The instrument number is the report's extension, at most three characters.
  const std::string instrument = Copy(ExtractFileExt(reportPath), 2, 3);
  const std::string name = instrument + "_" + base + "_" + FormatDateTime("yy", min) + "-" +
                           FormatDateTime("yy", max) + ".bmp";
  SaveToBitmapFile(*chart, IncludeTrailingPathDelimiter(ExtractFileDir(reportPath)) + name);
}
