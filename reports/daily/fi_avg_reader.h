#pragma once
// The filter-test averages file (fioavg*.*): for every day a day code, one
// value and up to six groups, one per filter position, each of three whole
// numbers and six pairs of readings. Items are separated by any white space,
// so a day may run across lines.

#include <array>
#include <cstdio>
#include <optional>

#include "core/report_reader.h"

inline constexpr int kFiFilters = 6;

struct FiDayRecord {
  double date = 0;  // midnight of the day code's day
  // Per filter position, the weighted sum of the first readings of its six
  // pairs; none when the day's groups ended before this one, or when the
  // group held a pair that is not two numbers or a first reading that is not
  // finite.
  std::array<std::optional<double>, kFiFilters> sums;
};

// The weights of the six first readings of a group.
inline constexpr std::array<double, 6> kFiWeights = {0, 0, 1, -0.5, -2.2, 1.7};

// Reads the days in file order. A day code that is not two items, or one
// without its value, ends the reading (that day is dropped). A group heading
// of fewer than three whole numbers, or a damaged pair, ends the day's groups.
Records<FiDayRecord> ReadFiAvg(FILE* file);
