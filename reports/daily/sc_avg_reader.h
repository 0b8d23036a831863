#pragma once
// The sun-scan averages file (scoavg*.*), one line per scan.

#include <cstdio>

#include "core/report_reader.h"

struct ScAvgRecord {
  double date = 0;     // midnight of the day code's day
  double p = 0;        // the fourth field; the slant ozone is q × p
  double calStep = 0;  // the sixth field
  double q = 0;        // the seventh field
};

// Reads the scans in file order up to the first line that does not convert
// all ten fields; that line ends the reading.
Records<ScAvgRecord> ReadScAvg(FILE* file);
