#pragma once
// Writing report text the way the instrument's software does.

#include <cmath>
#include <string>

#include "tools/station/station_generator.h"

// To the nearest whole number, halves away from zero.
inline int Round(double v) { return static_cast<int>(std::lround(v)); }

// printf into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A number as the instrument prints it with its quirks: at most `decimals`
// decimals, no trailing zeros and no leading zero (.9989, -.5, 1). Without
// quirks, the plain fixed form (0.9989, -0.5000, 1.0000).
std::string Number(double value, int decimals, bool quirks);

// "jjjyy": day of year and two-digit year of a serial date.
std::string DayCode(double date);

// `base` and the instrument number as the file's extension: "sloavg.185", or
// "SLOAVG.185" with quirks.
std::string InstrumentFileName(const StationPlan& plan, const std::string& base);

// Whether a file ends with the instrument's end-of-file mark.
enum class EndMark { kNone, kCtrlZ };

// The file of a report written with "\n" line ends: with quirks they become
// CR LF (a bare CR already in the text stays one) and the Ctrl-Z is added.
ReportFile MakeFile(const StationPlan& plan, const std::string& name, const std::string& text, EndMark end);
