#pragma once
// MI files (mi*.*): lines of words, read but not plotted.

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "core/report_reader.h"

struct MiFile {
  size_t lines = 0;                // lines read; empty lines are not counted
  std::vector<std::string> words;  // the words of the last line (SplitWords)
};

// A line holds at most this many characters; the rest of a longer one is
// passed over.
inline constexpr size_t kMiLineSize = 199;

// Reads every line to the end of the file, splitting each into words.
ReadResult<MiFile> ReadMiFile(FILE* file);
