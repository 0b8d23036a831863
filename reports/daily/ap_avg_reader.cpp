#include "reports/daily/ap_avg_reader.h"

#include <cmath>
#include <limits>
#include <string>
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

// The instrument's buffers: a record line, its continuation, and both joined.
constexpr size_t kLineBuffer = 500;
constexpr size_t kContinuationBuffer = 300;
constexpr size_t kContinuedRecord = 22;  // words of a record that goes on in the next line

// Where the fields of a block sit, counted from the block's first word.
struct ApFieldOffsets {
  int stride;  // words from one block to the next
  int humidity;
};
constexpr ApFieldOffsets kShortLayout{17, 9};
constexpr ApFieldOffsets kLongLayout{25, 20};
constexpr int kPmt = 0, kCardRack = 1, kCase = 2, kHv = 3, kSlCurrent = 14, kSlVoltage = 15;
// The supplies by row of the voltage chart, the same in both layouts:
// -15/-12 V, -8/-5 V, +5 V pps, +5 V sps, +15/+12 V, +24 V.
constexpr int kSupply[kApSupplyRows] = {6, 13, 5, 12, 4, 7};
constexpr int kFirstBlock = 4;  // after the day code, HV, +5 V and one more value

// The number of blocks and their layout that a record's word count gives;
// any other count gives no blocks (the two extra words of 22, 39, 30 and 55
// are not used).
int BlocksOf(int tokens, ApFieldOffsets& layout) {
  switch (tokens) {
    case 20: case 22: layout = kShortLayout; return 1;
    case 37: case 39: layout = kShortLayout; return 2;
    case 28: case 30: layout = kLongLayout; return 1;
    case 53: case 55: layout = kLongLayout; return 2;
    default: return 0;
  }
}

// A word read with "%lf"; NaN when it is not a finite number, so that it is
// never plotted.
double Number(const std::string& word) {
  double v = 0;
  if (ScanString(word.c_str(), "%lf", &v) != 1 || !std::isfinite(v))
    return std::numeric_limits<double>::quiet_NaN();
  return v;
}

void ReadBlock(const std::vector<std::string>& words, int first, const ApFieldOffsets& layout, ApBlock& b) {
  auto at = [&](int k) { return Number(words[static_cast<size_t>(first + k)]); };
  b.pmt = at(kPmt);
  b.cardRack = at(kCardRack);
  b.caseTemp = at(kCase);
  b.hv = at(kHv);
  for (int row = 0; row < kApSupplyRows; ++row) b.supply[row] = at(kSupply[row]);
  b.humidity = at(layout.humidity);
  b.slCurrent = at(kSlCurrent);
  b.slVoltage = at(kSlVoltage);
  // The other fields of a block hold values this chart does not use.
}

enum class LineState { End, Fits, TooLong };

// The next line, in a buffer of the instrument's size: a line that fills it
// was longer than the instrument writes, and is damaged.
LineState NextLine(TextFile& file, char* buffer, size_t size) {
  bool cut = false;
  if (!file.ReadLine(buffer, size, &cut)) return LineState::End;
  return cut ? LineState::TooLong : LineState::Fits;
}

}  // namespace

bool ApMarksLongLayout(int tokens) { return tokens == 28 || tokens == 30 || tokens >= 52; }

Records<ApAvgRecord> ReadApAvg(FILE* input) {
  Records<ApAvgRecord> records;
  char line[kLineBuffer];
  char continuation[kContinuationBuffer];
  std::string text;
  std::vector<std::string> words;
  TextFile file(input);
  records.value.reserve(file.RecordsAhead(sizeof(ApAvgRecord)));
  for (LineState state; (state = NextLine(file, line, kLineBuffer)) != LineState::End;) {
    if (state == LineState::TooLong) continue;
    text = line;
    SplitWords(text, words);
    if (words.size() < 4) continue;
    if (words.size() == kContinuedRecord) {
      // The record goes on in the next line, joined without a blank.
      const LineState more = NextLine(file, continuation, kContinuationBuffer);
      if (more == LineState::TooLong) continue;
      if (more == LineState::Fits) text += continuation;
      if (text.size() >= kLineBuffer) continue;
      SplitWords(text, words);
    }
    ApAvgRecord r;
    r.tokens = static_cast<int>(words.size());
    r.date = DayCodeToDate(Copy(words[0], 1, 3).c_str(), Copy(words[0], 4, 2).c_str());
    r.hv = Number(words[1]);
    r.p5 = Number(words[2]);
    ApFieldOffsets layout{};
    r.blocks = BlocksOf(r.tokens, layout);
    for (int b = 0; b < r.blocks; ++b) ReadBlock(words, kFirstBlock + b * layout.stride, layout, r.block[b]);
    records.value.push_back(r);
  }
  return records;
}
