#include "reports/scans/di_motor_reader.h"

#include <cmath>
#include <cstring>

#include "core/line_reader.h"

const char* const kDiHeaders[kDiSections] = {
    "Zenith prism", "FW2", "FW1", "Iris", "FW2 - long scan", "FW1 - long scan", "Turning mercury lamp on",
};

namespace {

constexpr size_t kLineBuffer = 200;

// The motor formats; the two blanks after "Motor" and the one before ":" are
// part of the file format.
constexpr char kZenithFormat[] = "Motor  1 step %d :%f %f %f %f\n";
constexpr char kIrisFormat[] = "Motor  3 step %d :%f %f %f %f\n";
constexpr char kFw1Format[] = "Motor  4 step %d :%f %f %f %f\n";
constexpr char kFw2Format[] = "Motor  5 step %d :%f %f %f %f\n";

// Warm-up blocks: five groups of eight lines, each group followed by a line
// that is skipped.
constexpr int kWarmUpGroups = 5;
constexpr int kWarmUpLines = 8;

// The zenith scan runs from its first step to step 10.
constexpr int kZenithLastStep = 10;
constexpr int kWheelLines = 9;
constexpr int kIrisLines = 11;
constexpr int kLongScanLines = 41;

class DiLines {
 public:
  explicit DiLines(FILE* file) : text_(file) {}

  // The next line, without the blanks and empty lines before it; false at the
  // end of the file. A damaged (over-long) line reads as an empty one.
  bool Next() {
    bool cut = false;
    if (!text_.ReadLine(line_, sizeof line_, &cut)) return false;
    if (cut) line_[0] = '\0';
    return true;
  }
  const char* Text() const { return line_; }
  void Skip(int lines) {
    for (int i = 0; i < lines && Next(); ++i) {
    }
  }
  bool Header(DiSection section) { return Next() && std::strstr(line_, kDiHeaders[section]); }

 private:
  TextFile text_;
  char line_[kLineBuffer];
};

std::vector<DiWarmUpPoint> ReadWarmUp(DiLines& lines, int intensityColumn) {
  std::vector<DiWarmUpPoint> points;
  for (int group = 0; group < kWarmUpGroups; ++group) {
    for (int i = 0; i < kWarmUpLines; ++i) {
      if (!lines.Next()) return points;
      float v[4];
      if (std::sscanf(lines.Text(), "%f %f %f %f\n", &v[0], &v[1], &v[2], &v[3]) == 4 && std::isfinite(v[0]) &&
          std::isfinite(v[intensityColumn]))
        points.push_back({v[0], v[intensityColumn]});
    }
    lines.Skip(1);
  }
  return points;
}

DiScanLine ScanMotorLine(const char* line, const char* format) {
  DiScanLine scan;
  float a = 0, b = 0, c = 0;
  scan.valid = std::sscanf(line, format, &scan.step, &a, &b, &c, &scan.intensity) == 5 &&
               std::isfinite(scan.intensity);
  return scan;
}

// A scan from step -k starts with that step and has 11 + k lines.
DiScan ReadZenith(DiLines& lines) {
  DiScan scan;
  long long limit = kZenithLastStep;  // wide: a wild negative step must not overflow it
  for (long long counter = 0; counter <= limit && lines.Next(); ++counter) {
    const DiScanLine line = ScanMotorLine(lines.Text(), kZenithFormat);
    if (line.valid && line.step < 0 && limit == kZenithLastStep)
      limit = kZenithLastStep - static_cast<long long>(line.step);
    scan.push_back(line);
  }
  return scan;
}

DiScan ReadFixed(DiLines& lines, const char* format, int count) {
  DiScan scan;
  for (int i = 0; i < count && lines.Next(); ++i) scan.push_back(ScanMotorLine(lines.Text(), format));
  return scan;
}

// Up to `most` lines; the scan ends at the first line that is not valid. That
// line stands for the separator that follows a scan, so then nothing more is
// skipped; after a full scan the separator line is skipped.
DiScan ReadOpen(DiLines& lines, const char* format, int most) {
  DiScan scan;
  for (int i = 0; i < most; ++i) {
    if (!lines.Next()) return scan;
    const DiScanLine line = ScanMotorLine(lines.Text(), format);
    if (!line.valid) return scan;
    scan.push_back(line);
  }
  lines.Skip(1);
  return scan;
}

}  // namespace

DiTest ReadDiTest(FILE* file) {
  DiTest t;
  DiLines lines(file);
  auto header = [&](DiSection section) {
    if (!lines.Header(section)) return false;
    t.headersFound = section + 1;
    return true;
  };

  lines.Skip(9);
  float current = 0;
  if (lines.Next() && std::sscanf(lines.Text(), "SL current is %f\n", &current) == 1 && std::isfinite(current)) {
    t.hasSlCurrent = true;
    t.slCurrent = current;
  }
  lines.Skip(2);
  t.slWarmUp = ReadWarmUp(lines, 3);

  if (!header(kDiZenith)) return t;
  t.scans[kDiZenith] = ReadZenith(lines);
  lines.Skip(1);
  if (!header(kDiFw2)) return t;
  t.scans[kDiFw2] = ReadFixed(lines, kFw2Format, kWheelLines);
  lines.Skip(1);
  if (!header(kDiFw1)) return t;
  t.scans[kDiFw1] = ReadFixed(lines, kFw1Format, kWheelLines);
  lines.Skip(1);
  if (!header(kDiIris)) return t;
  t.scans[kDiIris] = ReadOpen(lines, kIrisFormat, kIrisLines);
  if (!header(kDiLongFw2)) return t;
  t.scans[kDiLongFw2] = ReadOpen(lines, kFw2Format, kLongScanLines);
  if (!header(kDiLongFw1)) return t;
  t.scans[kDiLongFw1] = ReadOpen(lines, kFw1Format, kLongScanLines);
  if (!header(kDiMercury)) return t;
  lines.Skip(1);
  t.hgWarmUp = ReadWarmUp(lines, 1);
  return t;
}
