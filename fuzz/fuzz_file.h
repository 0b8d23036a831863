#pragma once
// The fuzzer's bytes as an open file, the way every reader takes its input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Runs `read` on a FILE* that holds exactly `data`, in memory.
template <class Read>
void WithFile(const uint8_t* data, size_t size, Read read) {
  if (size == 0) {
    FILE* empty = std::tmpfile();
    if (!empty) return;
    read(empty);
    std::fclose(empty);
    return;
  }
  std::vector<uint8_t> bytes(data, data + size);
  FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (!file) return;
  read(file);
  std::fclose(file);
}
