#include "reports/daily/dt_avg_reader.h"

#include <cmath>
#include <cstdio>
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/numeric.h"
#include "core/serial_date.h"

namespace {

constexpr char kDtFormat[] = "%3s%2s %lf %lf %lf %lf %lf %lf %2d:%2d:%2d %lf";

bool ScanDtAvgLine(const char* line, DtAvgRecord& record) {
  char day[4] = "", year[3] = "";
  double valueD = 0, valueF = 0, last = 0;
  int hour = 0, minute = 0, second = 0;
  record.valueC = 0;
  const int n = ScanString(line, kDtFormat, day, year, &record.deadTimeA, &record.deadTimeB,
                           &record.valueC, &valueD, &record.intensity, &valueF, &hour, &minute,
                           &second, &last);
  if (n < 4) return false;
  if (!std::isfinite(record.deadTimeA) || !std::isfinite(record.deadTimeB)) return false;
  if (record.deadTimeA < 0 || record.deadTimeB < 0) return false;
  record.date = DayCodeToDate(day, year);
  // Only a line that carries the intensity field has a count rate; a short
  // line must not plot a value left over from the line before.
  record.hasIntensity = n >= 7 && std::isfinite(record.intensity);
  return true;
}

}  // namespace

Records<DtAvgRecord> ReadDtAvg(FILE* file) {
  return {ReadLineRecords<DtAvgRecord>(file, 10000, ScanDtAvgLine), std::nullopt};
}
