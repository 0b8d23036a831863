#pragma once
// Folder loading saves each daily chart next to its report, without asking.

#include <string>

class TChart;
class TChartAxis;

// Saves `chart` in the report's folder as E_base_Y1-Y2.bmp: E is the report's
// extension (the instrument), Y1 and Y2 the years of the ends of `dateAxis`
// (the chart's own bottom axis unless another is given), after the chart's
// bottom axis has taken its data's limits. A date axis with no data to show
// takes its years from the date window windowStart..windowEnd instead.
void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base, double windowStart,
                   double windowEnd, const TChartAxis* dateAxis = nullptr);
