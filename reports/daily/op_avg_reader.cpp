#include "reports/daily/op_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <utility>
#include "core/line_reader.h"
#include "core/numeric.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

constexpr int kFields = 17;  // the rest of a line after them is not used
constexpr int kDay = 7, kMonth = 8, kYear = 9, kLocation = 10, kNorth = 15, kHorizon = 16,
              kStepsPerRevolution = 17;
constexpr size_t kLongestLocation = 99;  // the instrument's buffer holds 99 characters

// Whether the file's last byte ends a line: at the end of the file this tells
// a complete last line from one that was cut off.
bool EndsWithLineEnd(FILE* file) {
  if (std::fseek(file, -1, SEEK_END) != 0) return false;
  const int c = std::getc(file);
  return c == '\n' || c == '\r';
}

// The fields of one line, separated by commas. Numbers are read as atol
// does: leading blanks, a sign and digits; anything else ends the number.
bool ParseFields(const std::string& line, OpAvgRecord& r) {
  size_t start[kFields + 1];  // start[k]: first character of field k
  start[1] = 0;
  for (int k = 2; k <= kFields; ++k) {
    const size_t comma = line.find(',', start[k - 1]);
    if (comma == std::string::npos) return false;  // a field too few
    start[k] = comma + 1;
  }
  auto number = [&](int k) { return LenientToInt(line.c_str() + start[k]); };
  r.day = number(kDay);
  r.month = number(kMonth);
  r.year = number(kYear);
  const size_t length = start[kLocation + 1] - 1 - start[kLocation];
  r.location = line.substr(start[kLocation], std::min(length, kLongestLocation));
  r.north = number(kNorth);
  r.horizon = number(kHorizon);
  r.stepsPerRevolution = number(kStepsPerRevolution);
  return true;
}

}  // namespace

Records<OpAvgRecord> ReadOpAvg(FILE* file) {
  Records<OpAvgRecord> records;
  for (;;) {
    const std::string line = ReadRestOfLine(file, '\n');
    const bool atEnd = std::feof(file) || std::ferror(file);
    // A line that the end of the file cut off may be one still being written.
    if (atEnd && !EndsWithLineEnd(file)) break;
    OpAvgRecord r;
    if (ParseFields(line, r)) records.value.push_back(std::move(r));
    if (atEnd) break;
  }
  return records;
}
