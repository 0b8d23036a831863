#include "reports/daily/o3_avg_reader.h"

#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/serial_date.h"

namespace {

constexpr size_t kLineBuffer = 10000;
constexpr char kO3Format[] = "%3s%2s %lf %lf %lf %lf %d/ %d %d %lf %lf %lf %lf %lf %lf/ %lf %lf %lf";
constexpr int kFields = 18;

bool ScanO3AvgLine(const char* line, O3AvgRecord& record) {
  char day[4] = "", year[3] = "";
  double unused[12];
  int whole[2];
  double* u = unused;
  const int n = ScanString(line, kO3Format, day, year, &record.a, &u[0], &u[1], &u[2], &whole[0], &whole[1],
                           &record.m, &u[3], &u[4], &u[5], &u[6], &u[7], &u[8], &u[9], &u[10], &u[11]);
  if (n != kFields) return false;
  record.date = DayCodeToDate(day, year);
  return true;
}

}  // namespace

Records<O3AvgRecord> ReadO3Avg(FILE* file) {
  return {ReadLeadingLineRecords<O3AvgRecord>(file, kLineBuffer, ScanO3AvgLine), std::nullopt};
}
