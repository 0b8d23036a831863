#pragma once

#include <cstdio>
#include <string>

// An anonymous temporary file holding exactly these bytes, rewound for reading.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes) : file_(std::tmpfile()) {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::rewind(file_);
  }
  ~TempFile() { std::fclose(file_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  FILE* get() const { return file_; }

 private:
  FILE* file_;
};
