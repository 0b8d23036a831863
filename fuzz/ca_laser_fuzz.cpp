#include "fuzz/fuzz_file.h"
#include "reports/scans/ca_laser_reader.h"

// The first byte chooses the reader's layout flag; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool flag = data[0] & 1;
  WithFile(data + 1, size - 1, [flag](FILE* file) { (void)ReadCaScan(file, flag); });
  return 0;
}
