#pragma once
// The station report: a first page saying what was loaded from where, then
// one page per chart that holds data, in tab order, drawn as vectors.

#include <string>
#include <vector>

#include "app/Mainunit.h"

enum class Paper { A4, Letter };

struct ReportChartPage {
  TChart* chart = nullptr;
  std::string heading;  // "tab caption – chart name", UTF-8
};

struct StationReport {
  std::string instrument;  // the extension of the last file loaded, without its dot
  std::string folder;      // where the last file loaded lies
  std::string window;      // the date window, "dd/mm/yyyy – dd/mm/yyyy"
  std::string made;        // "yyyy-mm-dd hh:nn"
  std::vector<LoadSummary> files;
  std::vector<std::string> noData;  // headings of the charts without a point
  std::vector<ReportChartPage> pages;
};

// True when any series of the chart has a point.
bool ChartHasData(const TChart& chart);

// What the report of `form` holds, made at the serial date-time `now`.
StationReport PlanStationReport(const TMainForm& form, double now);

// Writes the report of `form` as a PDF in landscape on `paper`, made now.
// A failure raises EFCreateError and leaves an older file as it was.
void WriteStationReport(const TMainForm& form, const std::string& path, Paper paper);

// "Save report…": asks for a PDF file and writes the report there.
void SaveStationReportAs(TMainForm& form);
