#include "reports/scans/cz_scan_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include "core/format.h"
#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/numeric.h"
#include "core/scan_header.h"
#include "core/text.h"

namespace {

// The header rows, each with its own format, in the file's order. They are
// scanned on the stream, because their items run across lines: the "dh"
// line's fields are split by bare CRs, and a format's final "\n" skips the
// empty lines after its row. A row that does not match leaves its value
// unread; the next row goes on where the failed scan stopped. Returns the
// increment text.
std::string ReadHeader(FILE* f, CzScan& scan, double& start, double& final) {
  char text[kScanTextSize];  // the texts nothing uses
  double number = 0;
  int whole = 0;
  ScanTextRow(f, "%199[a-z_ A-Z*]", "%199[a-z_ A-Z*]", true, text);
  ScanTextRow(f, "%199[a-z(0-9)_ A-Z]", "%199[a-z(0-9)_ A-Z]", true, text);
  ScanTextRow(f, "%199[a-z A-Z*]", "%199[a-z A-Z*]", true, text);
  (void)std::fscanf(f, "Integration time is %lf seconds per sample\r\n", &number);

  scan.date = ReadDhBlock(f, "%199[-.a-z()_ A-Z\244]", "%199[-.a-z()_ A-Z\244]", scan.place);
  ScanTextRow(f, "%199[a-z A-Z*]", "%199[a-z A-Z*]", true, text);

  double deadTime = 0;
  if (std::fscanf(f, "Dead Time -------------------------  %lf\n", &deadTime) == 1 && std::isfinite(deadTime))
    scan.deadTime = deadTime;
  (void)std::fscanf(f, "Number of Cycles Used -------------  %d\n", &whole);
  (void)std::fscanf(f, "Starting Wavelength (Angstroms) ---  %lf\n", &start);
  (void)std::fscanf(f, "Final Wavelength (Angstoms) -------  %lf\n", &final);
  char increment[kScanTextSize];
  ScanTextRow(f, "Wavelength Increment (Angstroms) --  %199[0-9.]", "%199[0-9.]", true, increment);

  if (std::fscanf(f, "Filter Wheel #1 Position ---------- (%d) %199[a-z A-Z.0-9(=)]", &whole, text) == 2)
    EndTextRow(f, text, "%199[a-z A-Z.0-9(=)]", true);
  char wheel2[kScanTextSize] = "";
  if (std::fscanf(f, "Filter Wheel #2 Position ---------- (%d) %199[a-z A-Z.0-9]", &whole, wheel2) == 2)
    EndTextRow(f, wheel2, "%199[a-z A-Z.0-9]", true);
  else
    wheel2[0] = '\0';
  // An optional line: a text that differs from the filter wheel #2 text.
  char optional[kScanTextSize];
  if (ScanTextRow(f, "%199[a-z A-Z1-90:]", "%199[a-z A-Z1-90:]", true, optional) &&
      std::strcmp(optional, wheel2) != 0)
    scan.optionalLine = optional;

  ScanTextRow(f, "%199[a-z A-Z*]", "%199[a-z A-Z*]", true, text);
  ScanTextRow(f, "%199[a-zA-Z]", "%199[a-zA-Z]", false, text);
  ScanTextRow(f, " scan start time = %199[0-9:]", "%199[0-9:]", true, text);
  (void)std::fscanf(f, "Dark Count =  %lf\n", &number);
  ScanTextRow(f, "%199[a-z A-Z*()/]", "%199[a-z A-Z*()/]", false, text);
  return increment;
}

// The header and the data lines; a strict conversion of the header throws.
void ReadScan(FILE* f, CzScan& scan) {
  double start = 0, final = 0;
  std::string increment = ReadHeader(f, scan, start, final);
  if (!increment.empty() && increment[0] == '.') increment.insert(0, "0");  // .5 is 0.5
  const double step = StrToFloat(increment);
  scan.lines = TruncToInt((final - start) / step + 1.0);

  // Each data line within its own line; a line that does not give five
  // finite numbers gives no point but counts as one of the N.
  char line[1024];
  for (int i = 0; i < scan.lines && ReadWholeLine(f, line, sizeof line); ++i) {
    double time = 0, wavelength = 0, stepNumber = 0, raw = 0, counts = 0;
    if (ScanString(line, "%lf %lf %lf %lf %lf\n", &time, &wavelength, &stepNumber, &raw, &counts) == 5 &&
        std::isfinite(wavelength) && std::isfinite(counts))
      scan.points.push_back({wavelength, counts});
  }
}

}  // namespace

ReadResult<CzScan> ReadCzScan(FILE* f) {
  ReadResult<CzScan> result;
  try {
    ReadScan(f, result.value);
  } catch (const EConvertError& e) {
    result.error = e;
  }
  return result;
}
