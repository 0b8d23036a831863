#include "core/format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/serial_date.h"

namespace {

// ---------------------------------------------------------------- dates

const char* const kShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const kShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonthNames[12] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};

constexpr int64_t kMsPerDay = 86400000;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithNoCase(const std::string& s, size_t at, const char* word) {
  for (size_t k = 0; word[k] != 0; ++k) {
    if (at + k >= s.size() || AsciiUpper(s[at + k]) != AsciiUpper(word[k])) return false;
  }
  return true;
}

std::string Number(int64_t value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(value));
  return buf;
}

// An hour token uses the 12-hour clock when an am/pm or a/p marker follows it
// somewhere in the rest of the pattern (quoted text aside).
bool TwelveHourClockFrom(const std::string& format, size_t from) {
  for (size_t i = from; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '\'' || c == '"') {
      const size_t close = format.find(c, i + 1);
      if (close == std::string::npos) return false;
      i = close;
    } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p")) {
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- numbers

// |value| = 0.digits x 10^exp; digits has no leading or trailing zeros and is
// empty for zero.
struct Decimal {
  std::string digits;
  int exp = 0;
};

// The 15 significant digits of the value: rounding is then done on this
// decimal text, so that 1.0005 rounds up as written (its binary value lies a
// little below).
Decimal ToDecimal(double value) {
  Decimal d;
  if (value == 0) return d;
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string text(buf, result.ptr);  // "d.dddddddddddddde+XX"
  const size_t e = text.find('e');
  d.digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.exp = std::atoi(text.c_str() + e + 1) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundDigits(Decimal& d, int64_t keep) {
  if (d.digits.empty() || keep >= static_cast<int64_t>(d.digits.size())) return;
  if (keep < 0) {
    d = Decimal();
    return;
  }
  const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exp;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exp = 0;
}

// Digit k of the decimal (0 = leading), '0' outside the stored digits.
char DigitAt(const Decimal& d, int64_t k) {
  return k >= 0 && k < static_cast<int64_t>(d.digits.size()) ? d.digits[static_cast<size_t>(k)] : '0';
}

std::vector<std::string> SplitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '\'' || c == '"') {
      size_t close = format.find(c, i + 1);
      if (close == std::string::npos) close = format.size() - 1;
      sections.back().append(format, i, close - i + 1);
      i = close;
    } else if (c == ';') {
      if (sections.size() == 3) break;
      sections.emplace_back();
    } else {
      sections.back() += c;
    }
  }
  return sections;
}

bool IsExponentAt(const std::string& s, size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

struct SectionLayout {
  int intPlaces = 0;     // '0'/'#' before the decimal point
  int forcedInt = 0;     // integer places from the first '0' on
  int fracPlaces = 0;    // '0'/'#' after the decimal point
  int lastForcedFrac = -1;
  bool thousands = false;
  bool scientific = false;
};

SectionLayout ScanSection(const std::string& s) {
  SectionLayout layout;
  int firstZero = -1;
  bool point = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\'' || c == '"') {
      const size_t close = s.find(c, i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '0' || c == '#') {
      if (!point) {
        if (c == '0' && firstZero < 0) firstZero = layout.intPlaces;
        ++layout.intPlaces;
      } else {
        if (c == '0') layout.lastForcedFrac = layout.fracPlaces;
        ++layout.fracPlaces;
      }
    } else if (c == '.') {
      point = true;
    } else if (c == ',') {
      if (!point) layout.thousands = true;
    } else if (IsExponentAt(s, i)) {
      layout.scientific = true;
      break;  // the exponent's zeros and whatever follows are not digit places
    }
  }
  if (firstZero >= 0) layout.forcedInt = layout.intPlaces - firstZero;
  return layout;
}

std::string GeneralFormat(double value) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, result.ptr);
}

// Writes one section for the (already rounded) magnitude `d`.
std::string ApplySection(const std::string& s, const SectionLayout& layout, const Decimal& d,
                         int64_t exponent, bool minus) {
  // Integer digits: those of the value (scientific: the first intPlaces),
  // without leading zeros, then padded to the forced places.
  std::string integer;
  const int64_t intDigits = layout.scientific ? layout.intPlaces : d.exp;
  for (int64_t k = 0; k < intDigits; ++k) integer += DigitAt(d, k);
  const size_t firstNonZero = integer.find_first_not_of('0');
  integer.erase(0, firstNonZero == std::string::npos ? integer.size() : firstNonZero);
  // Scientific notation always shows a leading digit ("#.###E-0" of 0 is "0E0").
  const int forced = layout.scientific && layout.intPlaces > 0 && layout.forcedInt == 0 ? 1 : layout.forcedInt;
  if (static_cast<int>(integer.size()) < forced) integer.insert(0, static_cast<size_t>(forced) - integer.size(), '0');
  const int64_t n = static_cast<int64_t>(integer.size());

  // Fraction digits: up to the last forced place or the last non-zero digit.
  std::string fraction;
  for (int64_t j = 0; j < layout.fracPlaces; ++j) fraction += DigitAt(d, intDigits + j);
  int shown = layout.lastForcedFrac + 1;
  for (int j = layout.fracPlaces; j > shown; --j) {
    if (fraction[static_cast<size_t>(j) - 1] != '0') {
      shown = j;
      break;
    }
  }

  std::string out = minus ? "-" : "";
  // Digit at `pos` places from the right of the integer part.
  auto emit = [&](int64_t pos) {
    out += integer[static_cast<size_t>(n - 1 - pos)];
    if (layout.thousands && pos > 0 && pos % 3 == 0) out += ',';
  };
  int intIndex = 0, fracIndex = 0;
  bool point = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\'' || c == '"') {
      size_t close = s.find(c, i + 1);
      if (close == std::string::npos) close = s.size();
      out.append(s, i + 1, close - i - 1);
      i = close;
    } else if (c == '0' || c == '#') {
      if (!point) {
        const int64_t pos = layout.intPlaces - 1 - intIndex;
        // Digits beyond the pattern's places all go to the first place.
        if (intIndex == 0)
          for (int64_t p = n - 1; p > pos; --p) emit(p);
        if (pos < n) emit(pos);
        ++intIndex;
      } else {
        if (fracIndex < shown) out += fraction[static_cast<size_t>(fracIndex)];
        ++fracIndex;
      }
    } else if (c == '.') {
      if (point) continue;
      point = true;
      if (layout.intPlaces == 0)
        for (int64_t p = n - 1; p >= 0; --p) emit(p);
      if (shown > 0) out += '.';
    } else if (c == ',') {
      // a separator flag, not a character to copy
    } else if (layout.scientific && IsExponentAt(s, i)) {
      out += c;
      if (exponent < 0) out += '-';
      else if (s[i + 1] == '+') out += '+';
      size_t zeros = 0;
      i += 2;
      while (i < s.size() && s[i] == '0') {
        ++zeros;
        ++i;
      }
      out += Number(exponent < 0 ? -exponent : exponent, static_cast<int>(zeros > 4 ? 4 : zeros));
      out.append(s, i, std::string::npos);  // the rest is literal
      break;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatDateTime(const std::string& format, double serial) {
  double s = std::isnan(serial) ? 0.0 : serial;
  if (s < -693593.0) s = -693593.0;
  if (s > 2958465.999) s = 2958465.999;
  const int64_t total = std::llround(s * kMsPerDay);
  int64_t days = total / kMsPerDay;
  int64_t ms = total % kMsPerDay;
  if (ms < 0) {
    ms += kMsPerDay;
    --days;
  }
  int year = 0, month = 0, day = 0;
  DecodeDate(static_cast<double>(days), year, month, day);
  const int hour = static_cast<int>(ms / 3600000);
  const int minute = static_cast<int>(ms / 60000 % 60);
  const int second = static_cast<int>(ms / 1000 % 60);
  const int milli = static_cast<int>(ms % 1000);
  const int64_t weekDay = ((days + 6) % 7 + 7) % 7;  // serial 1 was a Sunday

  std::string out;
  char lastLetter = 0;
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    const char u = AsciiUpper(c);
    if (c == '\'' || c == '"') {
      size_t close = format.find(c, i + 1);
      if (close == std::string::npos) close = format.size();
      out.append(format, i + 1, close - i - 1);
      i = close + 1;
      continue;
    }
    if (u < 'A' || u > 'Z') {
      out += c;
      ++i;
      continue;
    }
    if (StartsWithNoCase(format, i, "am/pm")) {
      out.append(format, hour >= 12 ? i + 3 : i, 2);
      i += 5;
      lastLetter = 'A';
      continue;
    }
    if (StartsWithNoCase(format, i, "a/p")) {
      out += format[hour >= 12 ? i + 2 : i];
      i += 3;
      lastLetter = 'A';
      continue;
    }
    size_t count = 1;
    while (i + count < format.size() && AsciiUpper(format[i + count]) == u) ++count;
    const bool minutesAfterHour = u == 'M' && lastLetter == 'H' && count <= 2;
    lastLetter = u;
    const int width2 = count >= 2 ? 2 : 1;
    switch (u) {
      case 'Y':
        out += count <= 2 ? Number(std::abs(year) % 100, 2) : Number(year, 4);
        break;
      case 'M':
        if (minutesAfterHour) out += Number(minute, width2);
        else if (count <= 2) out += Number(month, width2);
        else out += count == 3 ? kShortMonthNames[month - 1] : kLongMonthNames[month - 1];
        break;
      case 'D':
        if (count <= 2) out += Number(day, width2);
        else out += count == 3 ? kShortDayNames[weekDay] : kLongDayNames[weekDay];
        break;
      case 'H': {
        int h = hour;
        if (TwelveHourClockFrom(format, i + count)) {
          h = hour % 12;
          if (h == 0) h = 12;
        }
        out += Number(h, width2);
        break;
      }
      case 'N':
        out += Number(minute, width2);
        break;
      case 'S':
        out += Number(second, width2);
        break;
      case 'Z':
        out += Number(milli, count >= 3 ? 3 : static_cast<int>(count));
        break;
      default:
        out.append(format, i, count);
        break;
    }
    i += count;
  }
  return out;
}

std::string FormatFloat(const std::string& format, double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  const std::vector<std::string> sections = SplitSections(format);
  auto pick = [&](size_t index) -> size_t {
    return index < sections.size() && !sections[index].empty() ? index : 0;
  };
  size_t index = pick(value < 0 ? 1 : value == 0 ? 2 : 0);
  if (sections[index].empty()) return GeneralFormat(value);

  Decimal d = ToDecimal(value);
  SectionLayout layout = ScanSection(sections[index]);
  int64_t exponent = 0;
  auto round = [&]() {
    if (layout.scientific) {
      const int significant = layout.intPlaces + layout.fracPlaces > 0 ? layout.intPlaces + layout.fracPlaces : 1;
      RoundDigits(d, significant);
      exponent = d.digits.empty() ? 0 : d.exp - layout.intPlaces;
    } else {
      RoundDigits(d, static_cast<int64_t>(d.exp) + layout.fracPlaces);
    }
  };
  round();
  if (d.digits.empty() && value != 0) {
    // Rounded to zero: shown as zero, without a minus sign.
    index = pick(2);
    if (sections[index].empty()) return GeneralFormat(0.0);
    layout = ScanSection(sections[index]);
    exponent = 0;
  }
  const bool minus = value < 0 && !d.digits.empty() && index == 0;
  return ApplySection(sections[index], layout, d, exponent, minus);
}

std::string ShortestNumber(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string IsoDateTime(double serial) {
  const bool midnight = serial == std::floor(serial);
  return FormatDateTime(midnight ? "yyyy-mm-dd" : "yyyy-mm-dd'T'hh:nn:ss", serial);
}
