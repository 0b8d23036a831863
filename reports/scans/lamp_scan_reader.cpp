#include "reports/scans/lamp_scan_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include "core/line_reader.h"
#include "core/paths.h"
#include "core/scan_header.h"
#include "core/text.h"

namespace {

// The header formats in order. A format that does not match leaves its fields
// at their defaults; the next one goes on where the failed scan stopped.
void ReadHeader(FILE* f, TLampScan& scan) {
  scan.Date = ReadDhBlock(f, "%199[.a-z()_ A-Z\244]", "%199[.a-z()_ A-Z\244]", scan.Location);
  char text[kScanTextSize];

  // "C%s SCAN-INST %[#0-9] dt  %lf\n", taken in three steps so that a scan
  // name longer than its 4-byte buffer, or an instrument number longer than
  // 199 characters, is cut there and the rest of it skipped.
  char name[4];
  if (std::fscanf(f, "C%3s", name) == 1) {
    if (std::strlen(name) == sizeof name - 1) (void)std::fscanf(f, "%*[^ \t\r\n\v\f]");
    if (std::fscanf(f, " SCAN-INST %199[#0-9]", text) == 1) {
      scan.BrewerNo = text;
      EndTextRow(f, text, "%199[#0-9]", false);
      double deadTime = 0;
      if (std::fscanf(f, " dt  %lf\n", &deadTime) == 1 && std::isfinite(deadTime)) scan.DeadTime = deadTime;
    }
  }
  int cycles = 0;
  (void)std::fscanf(f, " cy %d\n", &cycles);
  double dark = 0;
  if (std::fscanf(f, " DARK =     %lf\n", &dark) == 1 && std::isfinite(dark)) scan.Dark = dark;
}

// A number line's point: x is word 2, y is word 5 of a five-word line and
// word 6 of a longer one. False when a word up to y is not a number, or when
// there is no word for y (a line of four words).
bool ReadPoint(const std::vector<std::string>& words, double& x, double& y) {
  const size_t yWord = words.size() >= 6 ? 5 : 4;
  if (words.size() <= yWord) return false;
  double value = 0;
  for (size_t i = 0; i <= yWord; ++i) {
    if (!TryStrToFloat(words[i], value)) return false;
    if (i == 1) x = value;
  }
  y = value;
  return true;
}

// Drops what is left of the line, up to and including its line feed.
void SkipRestOfLine(FILE* f) {
  int c = std::getc(f);
  while (c != '\n' && c != EOF) c = std::getc(f);
}

// Data lines up to the first one that is not a number line, "end" or the end
// of the file. A "DARK" line gives no point and marks the block after it.
void ReadDataLines(FILE* f, TLampScan& scan) {
  char run[300];
  std::vector<std::string> words;
  while (std::fscanf(f, "%299[0-9% .=a-zA-Z]s", run) == 1) {
    // The rest of the line is dropped whatever its length, so that no tail of
    // a line is ever read as a line of its own.
    SkipRestOfLine(f);
    // A run that fills the buffer may hold a cut number: it cannot be read.
    if (std::strlen(run) == sizeof run - 1) break;
    if (std::strstr(run, "end")) break;
    if (std::strstr(run, "DARK")) {
      scan.HasDarkBlock = true;
      continue;
    }
    SplitWords(run, words);
    double x = 0, y = 0;
    if (words.size() < 4 || !ReadPoint(words, x, y)) break;
    scan.Wavelength.push_back(x);
    scan.Counts.push_back(y);
  }
}

}  // namespace

ReadResult<TLampScan> ReadLampScan(FILE* file) {
  ReadResult<TLampScan> result;
  TLampScan& scan = result.value;
  try {
    ReadHeader(file, scan);
    ReadDataLines(file, scan);
    scan.Count = static_cast<int32_t>(std::min<size_t>(scan.Counts.size(), INT32_MAX));
  } catch (const EConvertError& e) {
    result.error = e;
  }
  return result;
}
