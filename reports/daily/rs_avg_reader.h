#pragma once
// The daily run/stop averages file (rsoavg*.*): per line a day code and the
// eight run/stop ratios 0 to 7, which should lie close to 1.

#include <cstdio>
#include <vector>

#include "core/report_reader.h"

inline constexpr int kRsRatios = 8;

struct RsAvgRecord {
  double date = 0;  // midnight of the day code's day
  // Ratios 0 to 7; an unusable ratio (negative, not a number, or above 10
  // for all but ratio 1) is replaced by 10.0.
  double ratio[kRsRatios] = {};
};

// Reads every line whose scan converts at least the day code and the eight
// ratios; other lines, and lines of over 299 characters, are passed over.
Records<RsAvgRecord> ReadRsAvg(FILE* file);
