#pragma once
// The daily mercury-lamp averages file (hgoavg*.*), one line per day of
// blank-separated words: day code, intensity, temperature, number of tests and,
// on seven-word lines, repeats, maximum shift and calibration step.

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "core/report_reader.h"

struct HgAvgRecord {
  double date = 0;            // midnight of the day code's day
  bool hasIntensity = false;  // field 2 was a number
  double intensity = 0;
  int temperature = 0;        // degrees C
  int tests = 0;              // mercury-lamp tests of the day
  bool hasCalStep = false;    // the line has exactly seven words
  int calStep = 0;
  // Repeats and maximum shift are read only when the maximum shift differs
  // from the calibration step by more than 100.
  bool hasShift = false;
  int maxShift = 0;
  int repeats = 0;
  // The line's maximum shift or repeats was not a whole number: the load ends
  // there, and of this day only the calibration step, drawn before those
  // fields are read, stays.
  bool calStepOnly = false;
};


// Reads the lines of at least four words whose day lies inside the window, in
// file order, up to a strict conversion that fails: a day code or a field 3 to
// 7 that is not a whole number ends the reading with its error. That line is
// among the records only with its calibration step (calStepOnly), when that
// came before the failing field.
// The window is `inWindow`; shorter lines, lines of over 199 characters and days outside
// the window are passed over. Only the fields of a day inside the window are
// converted, so a damaged field outside it raises nothing.
Records<HgAvgRecord> ReadHgAvg(FILE* file, const std::function<bool(double)>& inWindow);
