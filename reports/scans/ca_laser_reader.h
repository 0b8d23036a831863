#pragma once
// Laser test files (ca*.*): two wavelength scan blocks, each with its own header.

#include <cstdio>
#include <vector>

#include "core/report_reader.h"

// One data line: its wavelength (second column) and the three raw count
// values that end it.
struct CaDataLine {
  double wavelength = 0;
  double counts[3] = {0, 0, 0};
};

// What a block's header gives the count rates; values whose header row did
// not scan stay 0.
struct CaBlock {
  double integrationTime = 0;  // T, seconds per sample
  double deadTime = 0;         // D, seconds
  int cycles = 0;              // C
  int wheel2 = 0;              // position of filter wheel #2
  double darkCount = 0;
  std::vector<CaDataLine> lines;
};

struct CaScan {
  std::vector<CaBlock> blocks;  // at most two, in file order
};

// The most data lines a block gives, whatever its header announces.
inline constexpr int kMaxCaDataLines = 100000;

// Reads both blocks. A block's data lines are those the header announces
// ((final - starting) / increment + 1; kMaxCaDataLines at most, and also when
// the increment is 0), ending early after the line at the final wavelength or
// at the first line that does not give all its numbers. With `mkiii` a data line has one more column before the counts.
// The end of the file met at the places where the header looks for it ends
// the reading; so does an increment that is not a number or a "dh" date that
// is no calendar date (the error is returned). Blocks read before stay.
ReadResult<CaScan> ReadCaScan(FILE* file, bool mkiii);
