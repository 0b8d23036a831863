#include "fuzz/fuzz_file.h"
#include "reports/scans/mi_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadMiFile(file); });
  return 0;
}
