#pragma once
// One writer per report kind: the files of that kind for a station.

#include <vector>

#include "tools/station/station_generator.h"

class Station;

// Daily averages, one record a line (FI: one day a line).
std::vector<ReportFile> SlAvgFiles(const Station& station);
std::vector<ReportFile> DtAvgFiles(const Station& station);
std::vector<ReportFile> HgAvgFiles(const Station& station);
std::vector<ReportFile> RsAvgFiles(const Station& station);
std::vector<ReportFile> ApAvgFiles(const Station& station);
std::vector<ReportFile> OpAvgFiles(const Station& station);
std::vector<ReportFile> O3AvgFiles(const Station& station);
std::vector<ReportFile> ScAvgFiles(const Station& station);
std::vector<ReportFile> FiAvgFiles(const Station& station);
std::vector<ReportFile> CommentFiles(const Station& station);

// Single tests, on the first and the last day of the record.
std::vector<ReportFile> MercuryScanFiles(const Station& station);  // HL, HS and CZ
std::vector<ReportFile> CiScanFiles(const Station& station);
std::vector<ReportFile> CjScanFiles(const Station& station);
std::vector<ReportFile> CaScanFiles(const Station& station);
std::vector<ReportFile> DiTestFiles(const Station& station);
std::vector<ReportFile> FcTestFiles(const Station& station);
std::vector<ReportFile> DuvFiles(const Station& station);
std::vector<ReportFile> DispersionFiles(const Station& station);
