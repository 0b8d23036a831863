#include "fuzz/fuzz_file.h"
#include "reports/scans/duv_scan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadDuvScan(file); });
  return 0;
}
