#include "fuzz/fuzz_file.h"
#include "app/comments_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WithFile(data, size, [](FILE* file) { (void)ReadComments(file); });
  return 0;
}
