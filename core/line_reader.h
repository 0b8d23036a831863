#pragma once
// The line-level readers that the loaders share.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Owns a FILE*: closes it on every return path and exception.
class CFile {
 public:
  CFile(const std::string& path, const char* mode);
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  CFile(CFile&& other) noexcept;
  CFile& operator=(CFile&& other) noexcept;

  FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }

 private:
  FILE* file_ = nullptr;
};

// Whole-line reading, what the scan format "%[^\n]\n" does, but bounded and
// never stuck: skips whitespace first (blanks, tabs, CR, LF, so empty lines,
// and the Ctrl-Z end-of-file mark 0x1A of the instrument's files); returns
// false at end of file. Otherwise stores the characters up to the next LF (at
// most size-1; the rest of a longer line is read and dropped), drops one
// trailing CR, NUL-terminates, consumes the LF and returns true. A NUL byte in
// the line is stored as it is (the C string ends there). A null buffer or a
// size of 0 returns false without reading. Loop on the return value, not on
// feof: blanks after the last line are only consumed by the next call.
// `cut`, when given, tells whether the line was longer than the buffer: file
// formats with a fixed line buffer pass such a damaged line over.
bool ReadWholeLine(FILE* f, char* buffer, size_t size, bool* cut = nullptr);

// The rest of an open file, read at once and then taken line by line or item
// by item exactly as ReadWholeLine and fscanf would take it from the file:
// for readers that read a file to its end, without a call into the C
// library for every character or item. The file is left at an unspecified
// position. A file that cannot tell its position is read through the C
// library as it is.
class TextFile {
 public:
  explicit TextFile(FILE* file);
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // What ReadWholeLine(file, buffer, size, cut) does.
  bool ReadLine(char* buffer, size_t size, bool* cut = nullptr);
  // What std::fscanf(file, format, ...) returns and stores.
  int Scan(const char* format, ...) __attribute__((format(scanf, 2, 3)));
  // Room for the records of `recordSize` bytes of a file of one record a
  // line, reserved once: the line ends still ahead (0 when not read ahead),
  // but never more than twice the bytes ahead take, so that a file of empty
  // lines cannot make a reservation many times its size.
  size_t RecordsAhead(size_t recordSize) const;

 private:
  FILE* file_;
  long start_ = -1;  // the file's position where the text begins; -1 when not read ahead
  std::unique_ptr<char[]> text_;  // NUL-terminated after its last byte
  const char* next_ = nullptr;
  const char* end_ = nullptr;
};

// The records of a file of one record a line: each line, read whole into a
// buffer of `lineBuffer` bytes, becomes a record when `scan(line, record)`
// accepts it. A line longer than the buffer is passed over with
// `skipLongLines`, else its beginning is scanned.
template <class Record, class Scan>
std::vector<Record> ReadLineRecords(FILE* file, size_t lineBuffer, Scan scan, bool skipLongLines = false) {
  std::vector<Record> records;
  std::vector<char> line(lineBuffer);
  TextFile text(file);
  records.reserve(text.RecordsAhead(sizeof(Record)));
  bool cut = false;
  while (text.ReadLine(line.data(), line.size(), &cut)) {
    if (cut && skipLongLines) continue;
    Record record;
    if (scan(line.data(), record)) records.push_back(record);
  }
  return records;
}

// The records of a file of one record a line that ends at its first damaged
// record: lines become records while `scan(line, record)` accepts them, and
// the first line it refuses ends the reading. A line longer than the buffer
// has its beginning scanned.
template <class Record, class Scan>
std::vector<Record> ReadLeadingLineRecords(FILE* file, size_t lineBuffer, Scan scan) {
  std::vector<Record> records;
  std::vector<char> line(lineBuffer);
  TextFile text(file);
  records.reserve(text.RecordsAhead(sizeof(Record)));
  for (;;) {
    Record record;
    if (!text.ReadLine(line.data(), line.size()) || !scan(line.data(), record)) break;
    records.push_back(record);
  }
  return records;
}

// Reads up to a CR, a LF, end of file or `stopChar` (not stored), then reads
// one more character: a LF is consumed, anything else is put back (unless end
// of file was met). "abc\r\nnext" gives "abc" and leaves "next"; with ','
// "12,34\n" gives "12" and leaves "34\n". Stores at most kMaxRestOfLine
// characters; the rest up to the ending character is read and dropped.
// `stopChar` may be given as a (signed) char; pass EOF for "no stop character".
inline constexpr size_t kMaxRestOfLine = 65535;
std::string ReadRestOfLine(FILE* f, int stopChar);

// The words of a line, exactly as the original splitter makes them: words are
// separated by one or more blanks (' ' only; tabs do not split), a one-word
// line gives no words, and after each word the first '%' of the rest is
// deleted ("12% 34% 56%" -> "12%", "34", "56").
void SplitWords(std::string_view line, std::vector<std::string>& words);
