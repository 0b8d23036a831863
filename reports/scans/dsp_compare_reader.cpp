#include "reports/scans/dsp_compare_reader.h"

ReadResult<DispersionTable> ReadDispersion(FILE* file, bool cubic) {
  ReadResult<DispersionTable> result{};
  const int terms = cubic ? 4 : 3;
  // The numbers run across lines (one a line in the instrument's files), so
  // they are read from the stream.
  for (auto& slit : result.value)
    for (int j = 0; j < terms; ++j)
      if (std::fscanf(file, "%lf", &slit[static_cast<size_t>(j)]) != 1) return result;
  return result;
}
