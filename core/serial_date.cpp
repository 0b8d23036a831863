#include "core/serial_date.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "core/errors.h"

namespace {

// Days from 1 Jan 1970 of a date of the proleptic Gregorian calendar
// (H. Hinnant's algorithm). Valid for any year whose day count fits in int64,
// so even absurd day codes cannot overflow.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

// 30 Dec 1899 counted from 1 Jan 1970.
constexpr int64_t kSerialEpoch = -25569;
constexpr double kFirstSerial = -693593.0;  // 1 Jan 0001
constexpr double kLastSerial = 2958465.0;   // 31 Dec 9999
constexpr int64_t kMsPerDay = 86400000;

bool IsLeap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, double& serial) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  serial = static_cast<double>(DaysFromCivil(year, month, day) - kSerialEpoch);
  return true;
}

double EncodeDate(int year, int month, int day) {
  double serial = 0;
  if (!TryEncodeDate(year, month, day, serial)) throw EConvertError("Invalid argument to date encode");
  return serial;
}

void DecodeDate(double serial, int& year, int& month, int& day) {
  double days = std::floor(serial);
  if (std::isnan(days)) days = 0;
  if (days < kFirstSerial) days = kFirstSerial;
  if (days > kLastSerial) days = kLastSerial;
  int64_t y = 0;
  CivilFromDays(static_cast<int64_t>(days) + kSerialEpoch, y, month, day);
  year = static_cast<int>(y);
}

void DecodeTime(double serial, int& hour, int& minute, int& second, int& millisecond) {
  double fraction = serial - std::floor(serial);
  if (!std::isfinite(fraction)) fraction = 0;
  int64_t ms = std::llround(fraction * kMsPerDay);
  // A fraction a hair below 1 is the next midnight, never 24:00.
  if (ms >= kMsPerDay || ms < 0) ms = 0;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    throw EConvertError("Invalid argument to time encode");
  return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / kMsPerDay;
}

int LenientToInt(const char* text) {
  if (!text) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0 && *p <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // Accumulate as a negative number: its range includes INT_MIN.
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value > -static_cast<int64_t>(INT_MAX) - 1) value = value * 10 - (*p - '0');
  }
  if (!negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

long long FourDigitYear(long long twoDigitYear) {
  return twoDigitYear >= 50 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
}

double DayCodeToDate(int dayOfYear, int twoDigitYear) {
  const int64_t jan1 = DaysFromCivil(FourDigitYear(twoDigitYear), 1, 1) - kSerialEpoch;
  return static_cast<double>(jan1 - 1 + dayOfYear);
}

double DayCodeToDate(const char* dayText, const char* yearText) {
  return DayCodeToDate(LenientToInt(dayText), LenientToInt(yearText));
}
