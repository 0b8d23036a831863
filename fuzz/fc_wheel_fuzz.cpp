#include "fuzz/fuzz_file.h"
#include "reports/scans/fc_wheel_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadFcScan(file); });
  return 0;
}
