#pragma once
// The diagnostic motor test (di*.*): the warm-up of the standard lamp, short
// scans of the zenith prism, both filter wheels and the iris, long scans of
// both filter wheels, and the warm-up of the mercury lamp, in that order.

#include <cstdio>
#include <vector>

// The sections that start with a header line, in the file's order.
enum DiSection : int { kDiZenith, kDiFw2, kDiFw1, kDiIris, kDiLongFw2, kDiLongFw1, kDiMercury, kDiSections };

// The sections before the mercury lamp's warm-up are motor scans.
inline constexpr int kDiScanSections = kDiMercury;

// The text the header line of each section must contain.
extern const char* const kDiHeaders[kDiSections];

// A line of a lamp's warm-up: minutes after power on and the lamp's intensity.
struct DiWarmUpPoint {
  double minutes = 0;
  double intensity = 0;
};

// A line of a motor scan. A line that did not give every value of its format,
// or gave an intensity that is not a finite number, is not `valid`: it has no
// point, but it is still one of the lines of a scan of fixed length.
struct DiScanLine {
  bool valid = false;
  int step = 0;
  float intensity = 0;
};
using DiScan = std::vector<DiScanLine>;

struct DiTest {
  bool hasSlCurrent = false;  // the "SL current is" line gave a finite number
  float slCurrent = 0;
  std::vector<DiWarmUpPoint> slWarmUp;
  // The scans of the sections kDiZenith .. kDiLongFw1. The zenith, FW2 and
  // FW1 scans hold every line they took; the iris and long scans end before
  // their first line that is not valid.
  DiScan scans[kDiScanSections];
  std::vector<DiWarmUpPoint> hgWarmUp;
  // Sections whose header was found, counted from the first; reading stops at
  // the first header missing, so kDiSections means the whole file was read.
  int headersFound = 0;
};

// Reads the file line by line, each line whole into a buffer of the
// instrument's 200 bytes; a longer line is damaged, and counts as a line that
// gives no value and holds no header.
DiTest ReadDiTest(FILE* file);
