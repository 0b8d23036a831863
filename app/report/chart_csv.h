#pragma once
// The data behind the charts as CSV (RFC 4180, UTF-8, CRLF line ends): a
// header row, then one row per point of every series in order.

#include <string>

class TChart;
class TMainForm;

// Columns: series, title, x, y, x1, y1, label, color. x (and x1) are ISO
// dates when the series' horizontal axis is a date axis; x1 and y1 are filled
// only for the kinds that have them (arrows and shapes both, Gantt bars x1);
// a value that is not finite is left empty; the colour is the one the point
// is drawn in, as #RRGGBB.
std::string ChartCsv(const TChart& chart);

// Writes "<dir>/<chart name>.csv" for every chart of `form` that holds data,
// making `dir` if needed. A failure raises EFCreateError; a file already
// written stays.
void ExportChartsCsv(const TMainForm& form, const std::string& dir);
