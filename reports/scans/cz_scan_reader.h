#pragma once
// Wavelength scans across a mercury line (cz?????.*, hl?????.*, hs?????.*).

#include <cstdio>
#include <string>
#include <vector>

#include "core/report_reader.h"

struct CzScanPoint {
  double wavelength = 0;  // Angstrom, column 2
  double counts = 0;      // column 5
};

struct CzScan {
  double date = 0;           // of the "dh" line; 0 when it gave no full date
  std::string place;         // the "dh" line's place name
  double deadTime = 0;       // seconds; 0 when unread or not a finite number
  std::string optionalLine;  // the line after the filter wheels, "" when none
  int lines = 0;             // N: the data lines the header announces
  // The data lines read, in file order: each of the first N lines (empty lines
  // aside) that gave five finite numbers.
  std::vector<CzScanPoint> points;
};

// Reads the header row by row and then the N data lines. An increment that is
// not a number, or a "dh" day, month and year that make no date, end the
// reading with their EConvertError before any data line is read.
ReadResult<CzScan> ReadCzScan(FILE* file);
