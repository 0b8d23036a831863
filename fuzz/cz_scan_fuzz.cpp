#include "fuzz/fuzz_file.h"
#include "reports/scans/cz_scan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadCzScan(file); });
  return 0;
}
