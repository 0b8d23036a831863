#include "core/text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "core/errors.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool TryStrToInt(const std::string& s, int& value) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < n && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return false;
  const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
  int64_t magnitude = 0;
  for (; i < n; ++i) {
    const int digit = base == 16 ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

int StrToInt(const std::string& s) {
  int value = 0;
  if (!TryStrToInt(s, value)) throw EConvertError("'" + s + "' is not a valid integer value");
  return value;
}

bool TryStrToFloat(const std::string& s, double& value) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  size_t i = begin;
  bool negative = false;
  if (i < end && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t numberStart = i;
  // Decimal exponent of the leading digit, to tell an overflow from an underflow.
  int64_t magnitudeExp = 0;
  bool seenNonZero = false, seenPoint = false;
  int digits = 0;
  for (; i < end; ++i) {
    if (IsDigit(s[i])) {
      ++digits;
      if (s[i] != '0') seenNonZero = true;
      if (!seenPoint && seenNonZero) ++magnitudeExp;
      if (seenPoint && !seenNonZero) --magnitudeExp;
    } else if (s[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  int64_t exponent = 0;
  if (i < end && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (i == end || !IsDigit(s[i])) return false;
    for (; i < end && IsDigit(s[i]); ++i) {
      if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (expNegative) exponent = -exponent;
  }
  if (i != end) return false;
  // The text is now known to be a plain decimal number, which from_chars reads
  // the same way in every locale.
  double result = 0;
  const auto [ptr, ec] = std::from_chars(s.data() + numberStart, s.data() + end, result);
  if (ptr != s.data() + end) return false;
  if (ec == std::errc::result_out_of_range) {
    if (!seenNonZero || magnitudeExp + exponent < 0) result = 0;  // underflow
    else return false;                                           // overflow
  } else if (ec != std::errc()) {
    return false;
  }
  if (!std::isfinite(result)) return false;
  value = negative ? -result : result;
  return true;
}

double StrToFloat(const std::string& s) {
  double value = 0;
  if (!TryStrToFloat(s, value)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return value;
}

std::string TrimLeft(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string TrimRight(const std::string& s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string Copy(const std::string& s, int index, int count) {
  if (index < 1) index = 1;
  const size_t start = static_cast<size_t>(index) - 1;
  if (count <= 0 || start >= s.size()) return std::string();
  return s.substr(start, static_cast<size_t>(count));
}

char AnsiUpperChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char>(u - 0x20);
  return c;
}

namespace {
char AnsiLowerChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
  return c;
}
}  // namespace

std::string AnsiLowerCase(const std::string& s) {
  std::string result(s);
  for (char& c : result) c = AnsiLowerChar(c);
  return result;
}

std::string AnsiUpperCase(const std::string& s) {
  std::string result(s);
  for (char& c : result) c = AnsiUpperChar(c);
  return result;
}

int AnsiPos(const std::string& substr, const std::string& s) {
  if (substr.empty()) return 0;
  const size_t p = s.find(substr);
  return p == std::string::npos || p >= static_cast<size_t>(INT_MAX) ? 0 : static_cast<int>(p) + 1;
}

std::string Latin1ToUtf8(const std::string& s) {
  std::string result;
  result.reserve(s.size());
  for (char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      result += c;
    } else {
      result += static_cast<char>(0xC0 | (u >> 6));
      result += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return result;
}

namespace {

bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t follow = 0;
    if (c < 0x80) follow = 0;
    else if (c >= 0xC2 && c <= 0xDF) follow = 1;
    else if (c >= 0xE0 && c <= 0xEF) follow = 2;
    else if (c >= 0xF0 && c <= 0xF4) follow = 3;
    else return false;
    if (i + follow >= s.size()) return false;  // a sequence cut off by the end
    for (size_t k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += follow + 1;
  }
  return true;
}

}  // namespace

std::string DisplayText(const std::string& s) { return IsValidUtf8(s) ? s : Latin1ToUtf8(s); }
