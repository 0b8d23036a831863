#include "reports/daily/fi_avg_reader.h"

#include <cmath>

#include "core/line_reader.h"
#include "core/serial_date.h"

namespace {

// The weighted sum of one group's pairs; none when a pair is damaged. The
// second reading of a pair is not used, but must be there. A first reading
// that is "nan" or "inf" leaves the sum not finite, even at a weight of 0.
std::optional<double> ReadGroupSum(TextFile& file) {
  double sum = 0;
  for (const double weight : kFiWeights) {
    double x = 0, y = 0;
    if (file.Scan("%lf %lf", &x, &y) != 2) return std::nullopt;
    sum += x * weight;
  }
  if (!std::isfinite(sum)) return std::nullopt;
  return sum;
}

}  // namespace

Records<FiDayRecord> ReadFiAvg(FILE* input) {
  std::vector<FiDayRecord> days;
  TextFile file(input);
  char day[4] = "", year[3] = "";
  while (file.Scan("%3s%2s", day, year) == 2) {
    FiDayRecord record;
    record.date = DayCodeToDate(day, year);
    double value = 0;
    if (file.Scan("%lf", &value) != 1) break;
    for (std::optional<double>& sum : record.sums) {
      int heading[3];
      if (file.Scan("%d %d %d", &heading[0], &heading[1], &heading[2]) != 3) break;
      sum = ReadGroupSum(file);
      if (!sum) break;
    }
    days.push_back(record);
  }
  return {days, std::nullopt};
}
