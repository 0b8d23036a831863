#pragma once
// Lamp scans (ci*.*, cj*.*): counts across the spectrum of the internal lamp.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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

// The most recent CI or CJ scan and the reference CI scan; empty at start.
extern std::unique_ptr<TLampScan> CurrentLampScan;
extern std::unique_ptr<TLampScan> OldLampScan;

// Fills an empty `scan` from an open file: the header, then the data lines up
// to the first line that is not a number line, "end" or the end of the file.
// Count is the number of points read (the dark rule is the caller's). A "dh"
// day, month and year that make no date throw EConvertError.
void ReadLampScan(FILE* file, TLampScan& scan);
