#include "fuzz/fuzz_file.h"
#include "reports/scans/lamp_scan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadLampScan(file); });
  return 0;
}
