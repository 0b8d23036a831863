#include "reports/scans/mi_file_reader.h"

#include "core/line_reader.h"

ReadResult<MiFile> ReadMiFile(FILE* file) {
  ReadResult<MiFile> result;
  MiFile& mi = result.value;
  char line[kMiLineSize + 1];
  // Whole-line reading skips the empty lines before a line, so a file that
  // starts with one is read like any other, and every call advances.
  while (ReadWholeLine(file, line, sizeof line)) {
    ++mi.lines;
    SplitWords(line, mi.words);
  }
  return result;
}
