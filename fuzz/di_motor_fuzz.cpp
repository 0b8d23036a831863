#include "fuzz/fuzz_file.h"
#include "reports/scans/di_motor_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadDiTest(file); });
  return 0;
}
