#pragma once
// The one shape of every report reader: a function that takes an open file
// and returns what it read, with the strict conversion error that ended the
// reading early, if one did. The tab plots what was read and then raises the
// error, as a handler that plotted while it read would have.

#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/line_reader.h"

template <class T>
struct ReadResult {
  T value;  // the records of a daily file, or the contents of a scan
  std::optional<EConvertError> error;

  // Raises the error that ended the reading, if there was one.
  void RaiseError() const {
    if (error) throw *error;
  }
};

// A file of daily records.
template <class Record>
using Records = ReadResult<std::vector<Record>>;

// Every report file is opened the same way: binary, so that each reader sees
// the CR of a CR LF line end and drops it itself, on every platform.
inline CFile OpenReportFile(const std::string& path) { return CFile(path, "rb"); }
