#pragma once
// The daily ozone averages file (ozoavg*.*), one line per day.

#include <cstdio>

#include "core/report_reader.h"

struct O3AvgRecord {
  double date = 0;  // midnight of the day code's day
  double a = 0;     // the third field; with m it gives the day's slant-ozone class
  int m = 0;        // the ninth field
};

// Reads the days in file order up to the first line that does not convert all
// eighteen fields (the two "/" included); that line ends the reading.
Records<O3AvgRecord> ReadO3Avg(FILE* file);
