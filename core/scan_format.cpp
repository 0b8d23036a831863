#include "core/scan_format.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

// Widths of "%Nd" copied to a buffer of their own; wider ones go to the C library.
constexpr int kWidestNumber = 32;

// A blank as the C library tells it (isspace in the current locale): every
// locale agrees with the C locale on the ASCII characters.
bool IsBlank(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 0x80) return u == ' ' || (u >= '\t' && u <= '\r');
  return std::isspace(u) != 0;
}

bool IsAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsPlainNumberChar(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

// Whether the C library reads "1.5" as one and a half here: from_chars always does.
bool DecimalPointIsPoint() {
  const char* point = std::localeconv()->decimal_point;
  return point[0] == '.' && point[1] == '\0';
}

class Scanner {
 public:
  Scanner(const char* next, const char* end) : p_(next), end_(end) {}
  const char* Next() const { return p_; }

  bool AtEnd() const { return p_ == end_; }
  void SkipBlanks() {
    while (p_ != end_ && IsBlank(*p_)) ++p_;
  }

  // "%Ns": up to `width` characters that are not blanks.
  void Word(char* out, int width) {
    int n = 0;
    while (n < width && p_ != end_ && !IsBlank(*p_)) out[n++] = *p_++;
    out[n] = '\0';
  }

  // "%d" (width 0) or "%Nd": a sign and digits, converted as the C library
  // does, through strtol. False when it cannot tell: no digits (where the
  // library stops then depends on what came), or more than kWidestNumber.
  bool Integer(int width, int& value) {
    const char* limit = width > 0 && end_ - p_ > width ? p_ + width : end_;
    const char* q = p_;
    if (q != limit && (*q == '-' || *q == '+')) ++q;
    const char* firstDigit = q;
    while (q != limit && *q >= '0' && *q <= '9') ++q;
    if (q == firstDigit || q - p_ > kWidestNumber) return false;
    char digits[kWidestNumber + 1];
    std::memcpy(digits, p_, static_cast<size_t>(q - p_));
    digits[q - p_] = '\0';
    value = static_cast<int>(std::strtol(digits, nullptr, 10));
    p_ = q;
    return true;
  }

  // "%lf": a plain decimal number. False when the library might read it
  // otherwise: not a number, "nan", "inf", hexadecimal, out of range, or
  // followed by a letter or digit it would take on with ("1e" reads as 1
  // there, the 'e' consumed).
  bool Real(double& value) {
    // from_chars rounds as strtod does, but takes no '+'.
    const bool plus = *p_ == '+';
    const char* q = plus ? p_ + 1 : p_;
    if (plus && q != end_ && *q == '-') return false;
    double v = 0;
    const std::from_chars_result read = std::from_chars(q, end_, v);
    if (read.ec != std::errc()) return false;
    for (const char* c = q; c != read.ptr; ++c)
      if (!IsPlainNumberChar(*c)) return false;
    if (read.ptr != end_ && (IsAsciiLetterOrDigit(*read.ptr) || *read.ptr == ',')) return false;
    p_ = read.ptr;
    value = v;
    return true;
  }

  // An ordinary character of the format; false when the input differs.
  bool Literal(char c) {
    if (*p_ != c) return false;
    ++p_;
    return true;
  }

 private:
  const char* p_;
  const char* end_;
};

}  // namespace

int ScanPrefix(const char*& next, const char* end, const char* format, va_list args) {
  Scanner in(next, end ? end : next + std::strlen(next));
  int done = 0;
  // The result when the input ends before a conversion or literal.
  const auto inputFailure = [&] {
    next = in.Next();
    return done == 0 ? EOF : done;
  };
  bool skipBlanks = false;  // a blank of the format skips blanks before the next literal
  int pointIsPoint = -1;    // DecimalPointIsPoint(), asked at the first "%lf"
  for (const char* f = format; *f;) {
    const unsigned char fc = static_cast<unsigned char>(*f++);
    if (fc >= 0x80) return kScanUndecided;
    if (IsBlank(static_cast<char>(fc))) {
      skipBlanks = true;
      continue;
    }
    if (fc != '%') {
      if (skipBlanks) in.SkipBlanks();
      skipBlanks = false;
      if (in.AtEnd()) return inputFailure();
      if (!in.Literal(static_cast<char>(fc))) {
        next = in.Next();
        return done;
      }
      continue;
    }
    int width = 0;
    while (*f >= '0' && *f <= '9') width = width * 10 + (*f++ - '0');
    const bool isLong = *f == 'l';
    if (isLong) ++f;
    const char conversion = *f++;
    in.SkipBlanks();
    skipBlanks = false;
    if (conversion == 's' && !isLong && width > 0) {
      if (in.AtEnd()) return inputFailure();
      in.Word(va_arg(args, char*), width);
    } else if (conversion == 'd' && !isLong && width <= kWidestNumber) {
      if (in.AtEnd()) return inputFailure();
      int value = 0;
      if (!in.Integer(width, value)) return kScanUndecided;
      *va_arg(args, int*) = value;
    } else if (conversion == 'f' && isLong && width == 0) {
      if (pointIsPoint < 0) pointIsPoint = DecimalPointIsPoint();
      if (!pointIsPoint) return kScanUndecided;
      if (in.AtEnd()) return inputFailure();
      double value = 0;
      if (!in.Real(value)) return kScanUndecided;
      *va_arg(args, double*) = value;
    } else {
      return kScanUndecided;
    }
    ++done;
  }
  // The library consumes the blanks a format ends with.
  if (skipBlanks) in.SkipBlanks();
  next = in.Next();
  return done;
}

int ScanString(const char* text, const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  const char* next = text;
  int result = ScanPrefix(next, nullptr, format, args);
  if (result == kScanUndecided) result = std::vsscanf(text, format, again);
  va_end(again);
  va_end(args);
  return result;
}
