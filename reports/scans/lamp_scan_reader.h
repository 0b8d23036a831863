#pragma once
// Lamp scans (ci*.*, cj*.*): counts across the spectrum of the internal lamp.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/report_reader.h"

// One lamp scan file.
struct TLampScan {
  std::vector<double> Wavelength;  // x of each point (second word of a data line)
  std::vector<double> Counts;      // y of each point, counts per second
  int32_t Count = 0;               // points in use
  double Date = 0;                 // of the "dh" line; 0 when it gave no full date
  std::string Location;
  std::string BrewerNo;            // as written, with its "#"
  double DeadTime = 0;             // seconds
  double Dark = 0;                 // dark count of the header (kept, not plotted)
  bool HasDarkBlock = false;       // a data line containing "DARK" was met
};

// Reads a scan from an open file: the header, then the data lines up to the
// first line that is not a number line, "end" or the end of the file. Count is
// the number of points read (the dark rule is the caller's). A "dh" day, month
// and year that make no date end the reading with their EConvertError; the
// scan then holds the header fields read before it and no point.
ReadResult<TLampScan> ReadLampScan(FILE* file);
