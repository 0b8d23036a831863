#include "reports/scans/fc_wheel_reader.h"

#include <cstring>

#include "core/line_reader.h"
#include "core/scan_format.h"

namespace {

constexpr size_t kLineBuffer = 196;
constexpr int kMostSteps = 24;

// The next line whole; false at the end of the file or for a damaged line.
bool NextLine(FILE* file, char (&line)[kLineBuffer]) {
  bool cut = false;
  return ReadWholeLine(file, line, sizeof line, &cut) && !cut;
}

}  // namespace

FcScan ReadFcScan(FILE* file) {
  FcScan scan;
  char line[kLineBuffer];
  for (const char* header : {kFcScanHeader, kFcColumnHeader}) {
    if (!NextLine(file, line) || !std::strstr(line, header)) {
      scan.missingHeader = header;
      return scan;
    }
  }
  for (int i = 0; i < kMostSteps && NextLine(file, line); ++i) {
    FcStep s;
    int unused = 0;
    if (ScanString(line, "%d %d %d %d %d\n", &s.step, &s.r6, &s.r5, &s.intensity, &unused) != 5) break;
    scan.steps.push_back(s);
  }
  return scan;
}
