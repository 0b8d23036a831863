#include "core/line_reader.h"

#include <utility>

#include "core/text.h"

CFile::CFile(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}

CFile::~CFile() {
  if (file_) std::fclose(file_);
}

CFile::CFile(CFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

CFile& CFile::operator=(CFile&& other) noexcept {
  if (this != &other) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
  }
  return *this;
}

namespace {
constexpr int kCtrlZ = 0x1A;

bool IsSkippedBeforeLine(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == kCtrlZ;
}
}  // namespace

bool ReadWholeLine(FILE* f, char* buffer, size_t size, bool* cut) {
  if (!f || !buffer || size == 0) return false;
  int c = std::getc(f);
  while (c != EOF && IsSkippedBeforeLine(c)) c = std::getc(f);
  if (c == EOF) return false;
  size_t n = 0;
  bool truncated = false;
  for (; c != EOF && c != '\n'; c = std::getc(f)) {
    if (c == '\r') {
      // A CR that ends the line is no part of it; one inside it (the fields
      // of a scan's "dh" line) is.
      const int next = std::getc(f);
      if (next == '\n' || next == EOF) break;
      std::ungetc(next, f);
    }
    if (n + 1 < size) buffer[n++] = static_cast<char>(c);
    else truncated = true;  // an over-long line is dropped, never split into two
  }
  buffer[n] = '\0';
  if (cut) *cut = truncated;
  return true;
}

std::string ReadRestOfLine(FILE* f, int stopChar) {
  std::string text;
  if (!f) return text;
  // A char argument may arrive sign-extended; getc returns it as 0..255.
  if (stopChar < 0 && stopChar >= -128 && stopChar != EOF) stopChar &= 0xFF;
  bool atEnd = false;
  for (;;) {
    const int c = std::getc(f);
    if (c == EOF) {
      atEnd = true;
      break;
    }
    if (c == '\r' || c == '\n' || c == stopChar) break;
    if (text.size() < kMaxRestOfLine) text += static_cast<char>(c);
  }
  if (!atEnd) {
    // So that CR LF ends a line completely, and an empty line after a line
    // ended by LF or the stop character is consumed too.
    const int next = std::getc(f);
    if (next != '\n' && next != EOF) std::ungetc(next, f);
  }
  return text;
}

void SplitWords(const std::string& line, std::vector<std::string>& words) {
  // Walks one working copy with an index instead of copying the rest of the
  // line for every word: a line of many words stays linear.
  words.clear();
  std::string s = Trim(line);
  size_t space = s.find(' ');
  if (s.size() <= 1 || space == std::string::npos) return;  // a single word gives nothing
  words.push_back(s.substr(0, space));
  size_t start = space + 1;
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  for (;;) {
    // Each step deletes the first "%" left in the rest of the line.
    const size_t percent = s.find('%', start);
    if (percent != std::string::npos) s.erase(percent, 1);
    while (start < s.size() && blank(s[start])) ++start;
    while (s.size() > start && blank(s.back())) s.pop_back();
    if (s.size() <= start) return;
    space = s.find(' ', start);
    const size_t stop = space == std::string::npos ? s.size() : space;
    words.push_back(s.substr(start, stop - start));
    start = stop + 1;
  }
}
