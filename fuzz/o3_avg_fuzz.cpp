#include "fuzz/fuzz_file.h"
#include "reports/daily/o3_avg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadO3Avg(file); });
  return 0;
}
