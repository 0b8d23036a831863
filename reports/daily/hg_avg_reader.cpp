#include "reports/daily/hg_avg_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

// The line buffer holds 199 characters; a longer line is skipped whole rather
// than plotted cut.
constexpr size_t kLineBuffer = 200;

// Field 2 as "%lf" reads it. A field that is not a number plots no intensity
// that day: the value left from the line before would be wrong data.
bool ReadIntensity(const std::string& word, double& intensity) {
  return ScanString(word.c_str(), "%lf", &intensity) == 1 && std::isfinite(intensity);
}

// Converts one line's words in the order of the loader's steps, so that a
// field that is not a whole number raises its error where the steps read it.
// False for a line that is not plotted.
bool ParseHgAvgLine(const std::vector<std::string>& words, const std::function<bool(double)>& inWindow,
                    HgAvgRecord& r) {
  if (words.size() < 4) return false;
  const std::string& dayCode = words[0];
  r.date = DayCodeToDate(StrToInt(Copy(dayCode, 1, 3)), StrToInt(Copy(dayCode, 4, 2)));
  if (!inWindow(r.date)) return false;
  r.hasIntensity = ReadIntensity(words[1], r.intensity);
  r.temperature = StrToInt(words[2]);
  r.tests = StrToInt(words[3]);
  r.hasCalStep = words.size() == 7;
  r.hasShift = false;
  r.calStepOnly = false;
  if (!r.hasCalStep) return true;
  r.calStep = StrToInt(words[6]);
  r.calStepOnly = true;  // until the shift and repeats have converted
  r.maxShift = StrToInt(words[5]);
  // In wider integers: two wild fields must not overflow the difference.
  r.hasShift = std::abs(static_cast<long long>(r.maxShift) - r.calStep) > 100;
  if (r.hasShift) r.repeats = StrToInt(words[4]);
  r.calStepOnly = false;
  return true;
}

}  // namespace

Records<HgAvgRecord> ReadHgAvg(FILE* file, const std::function<bool(double)>& inWindow) {
  Records<HgAvgRecord> result;
  char line[kLineBuffer];
  bool cut = false;
  std::vector<std::string> words;
  HgAvgRecord record;
  TextFile text(file);
  result.value.reserve(text.RecordsAhead(sizeof(HgAvgRecord)));
  try {
    while (text.ReadLine(line, sizeof line, &cut)) {
      if (cut) continue;
      SplitWords(line, words);
      if (ParseHgAvgLine(words, inWindow, record)) result.value.push_back(record);
    }
  } catch (const EConvertError& e) {
    // The calibration step is drawn before the shift and repeats are read, so
    // it stays when one of those ends the load.
    if (record.calStepOnly) result.value.push_back(record);
    result.error = e;
  }
  return result;
}
