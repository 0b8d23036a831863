#pragma once
// Daily UV files (duv*.*): one instrument's UV values of one day, as pairs of
// time (UTC hours) and value separated by any white space.

#include <cstdio>

#include "core/report_reader.h"

struct DuvPoint {
  double time = 0;  // UTC hours, as written
  double value = 0;
};

// Reads the pairs in file order up to the end of the file or the first item
// that is not a finite number (such as the Ctrl-Z that may end the file). A
// last pair without a line end is read; a lone time at the end is not.
Records<DuvPoint> ReadDuvScan(FILE* file);
