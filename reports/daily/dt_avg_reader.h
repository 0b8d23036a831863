#pragma once
// The daily dead-time averages file (dtoavg*.*), one line per day.

#include <cstdio>
#include <vector>

#include "core/report_reader.h"

struct DtAvgRecord {
  double date = 0;        // midnight of the day code's day
  double deadTimeA = 0;   // ns, start of the day's arrow
  double deadTimeB = 0;   // ns, end of the arrow
  double valueC = 0;      // colours the arrow
  double intensity = 0;   // counts
  bool hasIntensity = false;
};

// Reads every usable line: at least the day code and both dead times,
// neither dead time negative. Other lines are passed over.
Records<DtAvgRecord> ReadDtAvg(FILE* file);
