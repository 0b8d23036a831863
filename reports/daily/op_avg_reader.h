#pragma once
// The operating-position averages file (opavg*.*): one line per day of
// comma-separated fields with the instrument's location and its north,
// horizon and steps-per-revolution constants.

#include <cstdio>
#include <string>
#include <vector>

#include "core/report_reader.h"

struct OpAvgRecord {
  int day = 0, month = 0, year = 0;  // as written; the year normally has two digits
  std::string location;              // as written, at most 99 characters
  int north = 0;                     // north correction, steps
  int horizon = 0;                   // horizon correction, steps
  int stepsPerRevolution = 0;
};

// Reads every line of at least 17 fields; a line with fewer is passed over.
// A last line cut off by the end of the file, without a line end, is not used.
Records<OpAvgRecord> ReadOpAvg(FILE* file);
