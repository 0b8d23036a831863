#include "core/line_reader.h"

#include <algorithm>
#include <cstdarg>
#include <utility>

#include "core/scan_format.h"

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

// Larger files are read through the C library as they are, not held in memory.
constexpr long kMostReadAhead = 1L << 28;

bool IsSkippedBeforeLine(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == kCtrlZ;
}

// The bytes of an open file, through the C library.
class FileBytes {
 public:
  explicit FileBytes(FILE* f) : f_(f) {}
  int Get() { return std::getc(f_); }
  int Peek() {
    const int c = std::getc(f_);
    if (c != EOF) std::ungetc(c, f_);
    return c;
  }

 private:
  FILE* f_;
};

// The bytes of a text in memory, from `next` up to `end`.
class MemoryBytes {
 public:
  MemoryBytes(const char*& next, const char* end) : next_(next), end_(end) {}
  int Get() { return next_ < end_ ? static_cast<unsigned char>(*next_++) : EOF; }
  int Peek() const { return next_ < end_ ? static_cast<unsigned char>(*next_) : EOF; }

 private:
  const char*& next_;
  const char* end_;
};

template <class Bytes>
bool ReadLineFrom(Bytes in, char* buffer, size_t size, bool* cut) {
  if (!buffer || size == 0) return false;
  int c = in.Get();
  while (c != EOF && IsSkippedBeforeLine(c)) c = in.Get();
  if (c == EOF) return false;
  size_t n = 0;
  bool truncated = false;
  for (; c != EOF && c != '\n'; c = in.Get()) {
    if (c == '\r') {
      // A CR that ends the line is no part of it; one inside it (the fields
      // of a scan's "dh" line) is.
      const int next = in.Peek();
      if (next == EOF) break;
      if (next == '\n') {
        in.Get();
        break;
      }
    }
    if (n + 1 < size) buffer[n++] = static_cast<char>(c);
    else truncated = true;  // an over-long line is dropped, never split into two
  }
  buffer[n] = '\0';
  if (cut) *cut = truncated;
  return true;
}

}  // namespace

bool ReadWholeLine(FILE* f, char* buffer, size_t size, bool* cut) {
  if (!f) return false;
  return ReadLineFrom(FileBytes(f), buffer, size, cut);
}

TextFile::TextFile(FILE* file) : file_(file) {
  if (!file_) return;
  const long start = std::ftell(file_);
  if (start < 0 || std::fseek(file_, 0, SEEK_END) != 0) return;
  const long end = std::ftell(file_);
  if (std::fseek(file_, start, SEEK_SET) != 0 || end < start || end - start > kMostReadAhead) return;
  // The bytes there are when the reading begins.
  const size_t size = static_cast<size_t>(end - start);
  text_.reset(new char[size + 1]);
  const size_t used = std::fread(text_.get(), 1, size, file_);
  text_[used] = '\0';
  start_ = start;
  next_ = text_.get();
  end_ = next_ + used;
}

bool TextFile::ReadLine(char* buffer, size_t size, bool* cut) {
  if (start_ < 0) return ReadWholeLine(file_, buffer, size, cut);
  return ReadLineFrom(MemoryBytes(next_, end_), buffer, size, cut);
}

size_t TextFile::RecordsAhead(size_t recordSize) const {
  const size_t lineEnds = static_cast<size_t>(std::count(next_, end_, '\n'));
  const size_t bytes = static_cast<size_t>(end_ - next_);
  return std::min(lineEnds, 2 * bytes / std::max<size_t>(recordSize, 1));
}

int TextFile::Scan(const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  int result = EOF;
  if (start_ < 0) {
    if (file_) result = std::vfscanf(file_, format, args);
  } else {
    const char* from = next_;
    result = ScanPrefix(next_, end_, format, args);
    if (result == kScanUndecided) {
      // The library scans the same bytes in the file, from where this scan began.
      const long at = start_ + (from - text_.get());
      result = std::fseek(file_, at, SEEK_SET) == 0 ? std::vfscanf(file_, format, again) : EOF;
      const long after = std::ftell(file_);
      next_ = after >= at ? text_.get() + std::min<long>(after - start_, end_ - text_.get()) : end_;
    }
  }
  va_end(again);
  va_end(args);
  return result;
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

void SplitWords(std::string_view line, std::vector<std::string>& words) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t count = 0;
  const auto add = [&](std::string_view word) {
    if (count < words.size()) words[count].assign(word);
    else words.emplace_back(word);
    ++count;
  };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  size_t space = line.find(' ');
  if (line.size() > 1 && space != std::string_view::npos) {
    add(line.substr(0, space));
    if (line.find('%', space) == std::string_view::npos) {
      // Nothing is deleted: the words are cut straight from the line.
      for (size_t start = space + 1; start < line.size(); start = space + 1) {
        while (blank(line[start])) ++start;  // the line ends in a word
        space = std::min(line.find(' ', start), line.size());
        add(line.substr(start, space - start));
      }
    } else {
      // Walks one working copy with an index instead of copying the rest of
      // the line for every word: a line of many words stays linear.
      std::string s(line);
      size_t start = space + 1;
      for (;;) {
        // Each step deletes the first "%" left in the rest of the line.
        const size_t percent = s.find('%', start);
        if (percent != std::string::npos) s.erase(percent, 1);
        while (start < s.size() && blank(s[start])) ++start;
        while (s.size() > start && blank(s.back())) s.pop_back();
        if (s.size() <= start) break;
        space = std::min(s.find(' ', start), s.size());
        add(std::string_view(s).substr(start, space - start));
        start = space + 1;
      }
    }
  }
  words.resize(count);
}
