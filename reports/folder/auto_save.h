#pragma once
// Folder loading saves each daily chart next to its report, without asking.

#include <string>

class TChart;

// Saves `chart` in the report's folder as instrument_base_yy-yy.bmp, the
// instrument being the report's extension and the years those of the ends of
// the chart's date axis.
void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base);
