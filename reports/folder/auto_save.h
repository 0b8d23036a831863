#pragma once
// Folder loading saves each daily chart next to its report, without asking.

#include <string>

class TChart;
class TChartAxis;

// Saves `chart` in the report's folder as E_base_Y1-Y2.bmp: E is the report's
// extension (the instrument), Y1 and Y2 the years of the ends of `dateAxis`
// (the chart's own bottom axis unless another is given), after the chart's
// bottom axis has taken its data's limits. An automatic date axis with no
// point in the date window windowStart..windowEnd takes the window's years.
void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base, double windowStart,
                   double windowEnd, const TChartAxis* dateAxis = nullptr);
