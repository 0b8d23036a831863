#pragma once
// The daily standard-lamp averages file (sl?avg*.*), one line per day.

#include <cstdio>
#include <vector>

#include "core/report_reader.h"

struct SlAvgRecord {
  double date = 0;     // midnight of the day code's day
  int dayOfYear = 0;   // the day code's day, as written
  int year = 0;        // the day code's year, four digits
  int lowT = 0;        // the day's temperatures, degrees C, as written
  int highT = 0;
  int tests = 0;       // standard-lamp tests of the day
  int r1 = 0, r2 = 0, r3 = 0, r4 = 0, r5 = 0, r6 = 0;
  int i1 = 0;          // intensity, at most seven digits
};

// Reads every line that scans all twelve fields and whose low temperature is
// not above the high one, in file order. Other lines are passed over; columns
// after the intensity are dropped with the rest of their line.
Records<SlAvgRecord> ReadSlAvg(FILE* file);
