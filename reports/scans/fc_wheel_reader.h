#pragma once
// The filter-wheel test (fc*.*): filter wheel 3 scanned step by step, with the
// ratios R6 and R5 and an intensity at each step.

#include <cstdio>
#include <string>
#include <vector>

// The two header lines, each found anywhere in its line.
inline constexpr char kFcScanHeader[] = "FW#3 SCAN-INST";
inline constexpr char kFcColumnHeader[] = "FW3    R6   R5       I(2)";

struct FcStep {
  int step = 0;
  int r6 = 0;
  int r5 = 0;
  int intensity = 0;  // I(2)
};

struct FcScan {
  // The header the file lacks: kFcScanHeader, kFcColumnHeader, or "" when
  // both are there. A file that lacks one has no steps.
  std::string missingHeader;
  std::vector<FcStep> steps;
};

// Reads the two header lines and then up to 24 step lines of five whole
// numbers, up to the first line that is not one. Lines are read whole into the
// instrument's 196-byte buffer; a longer line is damaged: it holds no header
// and is not a step line.
FcScan ReadFcScan(FILE* file);
