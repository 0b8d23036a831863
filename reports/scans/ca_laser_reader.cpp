#include "reports/scans/ca_laser_reader.h"

#include <cmath>
#include <string>

#include "core/line_reader.h"
#include "core/scan_format.h"
#include "core/scan_header.h"
#include "core/text.h"

namespace {

constexpr int kBlocks = 2;

// The header looks for the end of the file only at a few fixed places; a
// file that ends there ends the reading.
bool AtEnd(FILE* f) { return std::feof(f) != 0; }

// The wavelengths a block's header announces.
struct ScanRange {
  double start = 0;
  double final = 0;
  double increment = 0;
};

// "Wavelength Increment" is written as digits and points, ".5" for 0.5; a
// text that is no number throws EConvertError.
double Increment(std::string text) {
  if (!text.empty() && text[0] == '.') text.insert(0, "0");
  return StrToFloat(text);
}

// The header rows in the file's order. They are scanned on the stream: the
// "dh" line's fields are split by bare CRs, and a row's final "\n" skips the
// empty lines after it. A row that does not match leaves its value unread and
// the next row goes on where the failed scan stopped. False when the file
// ended at one of the places where the header looks for its end.
bool ReadHeader(FILE* f, CaBlock& block, ScanRange& range) {
  char text[kScanTextSize];  // the texts nothing uses
  if (AtEnd(f)) return false;
  ScanTextRow(f, "%199[a-z A-Z*]", "%*[a-z A-Z*]", true, text);
  ScanTextRow(f, "%199[a-z(0-9) A-Z]", "%*[a-z(0-9) A-Z]", true, text);
  ScanTextRow(f, "%199[a-z A-Z*]", "%*[a-z A-Z*]", true, text);
  if (AtEnd(f)) return false;
  (void)std::fscanf(f, "Integration time is %lf seconds per sample\r\n", &block.integrationTime);
  // The date is not shown, but one that is no calendar date ends the reading.
  std::string site;
  (void)ReadDhBlock(f, "%199[-.a-z()_ A-Z\244]", "%*[-.a-z()_ A-Z\244]", site);
  if (AtEnd(f)) return false;

  ScanTextRow(f, "%199[a-z A-Z*]", "%*[a-z A-Z*]", true, text);
  (void)std::fscanf(f, "Dead Time -------------------------  %lf\n", &block.deadTime);
  (void)std::fscanf(f, "Number of Cycles Used -------------  %d\n", &block.cycles);
  (void)std::fscanf(f, "Starting Wavelength (Angstroms) ---  %lf\n", &range.start);
  (void)std::fscanf(f, "Final Wavelength (Angstoms) -------  %lf\n", &range.final);
  ScanTextRow(f, "Wavelength Increment (Angstroms) --  %199[0-9.]", "%*[0-9.]", true, text);
  range.increment = Increment(text);
  if (AtEnd(f)) return false;

  int wheel1 = 0;
  if (std::fscanf(f, "Filter Wheel #1 Position ---------- (%d) %199[a-z A-Z.0-9(=)]", &wheel1, text) == 2)
    EndTextRow(f, text, "%*[a-z A-Z.0-9(=)]", true);
  const int wheel2Fields =
      std::fscanf(f, "Filter Wheel #2 Position ---------- (%d) %199[a-z A-Z.0-9]", &block.wheel2, text);
  if (wheel2Fields == 2) EndTextRow(f, text, "%*[a-z A-Z.0-9]", true);
  if (AtEnd(f)) return false;

  ScanTextRow(f, "%199[a-z A-Z1-90:]", "%*[a-z A-Z1-90:]", true, text);
  ScanTextRow(f, "%199[a-z A-Z*]", "%*[a-z A-Z*]", true, text);
  ScanTextRow(f, "%199[a-zA-Z]", "%*[a-zA-Z]", false, text);
  ScanTextRow(f, " scan start time = %199[0-9:]", "%*[0-9:]", true, text);
  (void)std::fscanf(f, "Dark Count =  %lf\n", &block.darkCount);
  ScanTextRow(f, "%199[a-z A-Z*()/]", "%*[a-z A-Z*()/]", false, text);
  return true;
}

// N = (final - starting) / increment + 1, the fraction dropped. Without a
// positive increment the count is unknown: the bound stands in for it, and
// the final wavelength or the first line that is not a data line ends the
// block.
int DataLineCount(const ScanRange& range) {
  if (!(range.increment > 0)) return kMaxCaDataLines;
  const double n = std::trunc((range.final - range.start) / range.increment + 1.0);
  if (!(n < kMaxCaDataLines)) return kMaxCaDataLines;  // also an undefined count
  return n < 0 ? 0 : static_cast<int>(n);
}

// One data line, within its own line: six numbers (seven with `mkiii`), then
// the three counts. False at the end of the file or for a line that does not
// give them all; such a line (usually the first closing row of a block that
// holds fewer lines than announced) is passed over.
bool ReadDataLine(FILE* f, bool mkiii, CaDataLine& data) {
  char line[1024];
  if (!ReadWholeLine(f, line, sizeof line)) return false;
  double skip = 0;
  double* counts = data.counts;
  const int read =
      mkiii ? ScanString(line, "%lf %lf %lf %lf %lf %lf %lf %lf %lf %lf", &skip, &data.wavelength, &skip, &skip,
                         &skip, &skip, &skip, &counts[0], &counts[1], &counts[2])
            : ScanString(line, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &skip, &data.wavelength, &skip, &skip, &skip,
                         &skip, &counts[0], &counts[1], &counts[2]);
  return read == (mkiii ? 10 : 9);
}

void ReadDataLines(FILE* f, bool mkiii, const ScanRange& range, std::vector<CaDataLine>& lines) {
  const int n = DataLineCount(range);
  CaDataLine data;
  for (int i = 0; i < n && ReadDataLine(f, mkiii, data); ++i) {
    lines.push_back(data);
    if (data.wavelength == range.final) break;
  }
}

}  // namespace

ReadResult<CaScan> ReadCaScan(FILE* file, bool mkiii) {
  ReadResult<CaScan> result;
  try {
    for (int b = 0; b < kBlocks; ++b) {
      CaBlock block;
      ScanRange range;
      if (!ReadHeader(file, block, range)) break;
      ReadDataLines(file, mkiii, range, block.lines);
      result.value.blocks.push_back(std::move(block));
      // Two closing rows, not used.
      char text[kScanTextSize];
      ScanTextRow(file, "%199[a-z(0-9): A-Z]", "%*[a-z(0-9): A-Z]", true, text);
      ScanTextRow(file, "%199[a-z(0-9): A-Z]", "%*[a-z(0-9): A-Z]", true, text);
    }
  } catch (const EConvertError& e) {
    result.error = e;
  }
  return result;
}
