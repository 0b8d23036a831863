#include "reports/daily/sc_avg_reader.h"

#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/serial_date.h"

namespace {

constexpr size_t kLineBuffer = 10000;
constexpr char kScFormat[] = "%3s%2s %d %lf %d %lf %lf %lf %lf %lf";
constexpr int kFields = 10;

bool ScanScAvgLine(const char* line, ScAvgRecord& record) {
  char day[4] = "", year[3] = "";
  int whole[2];
  double unused[3];
  const int n = ScanString(line, kScFormat, day, year, &whole[0], &record.p, &whole[1], &record.calStep,
                           &record.q, &unused[0], &unused[1], &unused[2]);
  if (n != kFields) return false;
  record.date = DayCodeToDate(day, year);
  return true;
}

}  // namespace

Records<ScAvgRecord> ReadScAvg(FILE* file) {
  return {ReadLeadingLineRecords<ScAvgRecord>(file, kLineBuffer, ScanScAvgLine), std::nullopt};
}
