#include "reports/daily/sl_avg_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include "core/format.h"
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/numeric.h"
#include "core/serial_date.h"

namespace {

constexpr char kSlFormat[] = "%3s%2s %d %d %d %d %d %d %d %d %d %7d";

bool ScanSlAvgLine(const char* line, SlAvgRecord& r) {
  char day[4] = "", year[3] = "";
  const int n = ScanString(line, kSlFormat, day, year, &r.lowT, &r.highT, &r.tests, &r.r1, &r.r2,
                           &r.r3, &r.r4, &r.r5, &r.r6, &r.i1);
  if (n < 12 || r.lowT > r.highT) return false;
  r.dayOfYear = LenientToInt(day);
  const int yy = LenientToInt(year);
  r.year = static_cast<int>(FourDigitYear(yy));
  r.date = DayCodeToDate(r.dayOfYear, yy);
  return true;
}


}  // namespace

Records<SlAvgRecord> ReadSlAvg(FILE* file) {
  // Each record is scanned within its own line: a short line is skipped and
  // never takes fields from the next, and the columns after the intensity
  // (and digits beyond its seven) go with the rest of the line.
  return {ReadLineRecords<SlAvgRecord>(file, 10000, ScanSlAvgLine), std::nullopt};
}
