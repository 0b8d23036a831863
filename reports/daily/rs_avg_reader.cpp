#include "reports/daily/rs_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/serial_date.h"

namespace {

// The line buffer holds 299 characters; a longer line is skipped whole rather
// than read cut.
constexpr size_t kLineBuffer = 300;
constexpr char kRsFormat[] = "%3s%2s %lf %lf %lf %lf %lf %lf %lf %lf %2d:%2d:%2d %lf";
constexpr int kDayCodeAndRatios = 2 + kRsRatios;  // fields a line must convert
constexpr double kReplacement = 10.0;

// Negative ratios, and ratios above 10 except ratio 1, cannot be true ones;
// nor can a "nan" or "inf" that the scan accepts as a number.
bool Usable(int i, double r) { return std::isfinite(r) && !(r < 0) && !(r > 10 && i != 1); }

bool ScanRsAvgLine(const char* line, RsAvgRecord& record) {
  char day[4] = "", year[3] = "";
  double* q = record.ratio;
  int hour = 0, minute = 0, second = 0;
  double last = 0;
  const int n = ScanString(line, kRsFormat, day, year, &q[0], &q[1], &q[2], &q[3], &q[4], &q[5],
                           &q[6], &q[7], &hour, &minute, &second, &last);
  if (n < kDayCodeAndRatios) return false;
  for (int i = 0; i < kRsRatios; ++i)
    if (!Usable(i, q[i])) q[i] = kReplacement;
  record.date = DayCodeToDate(day, year);  // the time of day is never added
  return true;
}

}  // namespace

Records<RsAvgRecord> ReadRsAvg(FILE* file) {
  return {ReadLineRecords<RsAvgRecord>(file, kLineBuffer, ScanRsAvgLine, true), std::nullopt};
}
