#pragma once
// Serial dates and day codes.
//
// A serial date is a double counting days since 30 December 1899 (day 0);
// 1 January 1900 is 2 and 31 December 1999 is 36525. The fraction is the time
// of day (0.5 = noon). For negative serials the date is floor(serial) and the
// time is serial - floor(serial), so the scale is linear on both sides of 0.

// Builds a serial date from a date of the Gregorian calendar (year 1..9999).
// Returns false, leaving `serial` untouched, when the date does not exist.
bool TryEncodeDate(int year, int month, int day, double& serial);

// As TryEncodeDate; throws EConvertError("Invalid argument to date encode").
double EncodeDate(int year, int month, int day);

// The calendar date of floor(serial). Serials beyond 1 Jan 0001 .. 31 Dec 9999
// are clamped to those days; NaN gives 30 Dec 1899.
void DecodeDate(double serial, int& year, int& month, int& day);

// The time of day of a serial (its fraction), rounded to the nearest
// millisecond; a fraction that rounds up to 24:00 gives 00:00:00.000 (the
// next midnight; FormatDateTime then shows the next day too).
void DecodeTime(double serial, int& hour, int& minute, int& second, int& millisecond);

// Fraction of a day. Throws EConvertError("Invalid argument to time encode")
// unless 0 <= h < 24, 0 <= m < 60, 0 <= s < 60, 0 <= ms < 1000.
double EncodeTime(int hour, int minute, int second, int millisecond = 0);

// The lenient conversion of day codes: skips leading blanks (any char <= ' '),
// takes an optional sign and the digits that follow, stops at the first other
// character. No digits (or a null pointer) gives 0; saturates at INT_MIN/INT_MAX.
int LenientToInt(const char* text);

// The instrument's two-digit years: 50 to 99 are 1950 to 1999, below 50 they
// are 2000 onwards. Any other number follows the same rule (2019 gives 3919).
long long FourDigitYear(long long twoDigitYear);

// Day code (day of year, two-digit year) to serial date: yy >= 50 is 19yy,
// else 20yy; the result is 1 January of that year - 1 + day, with no range
// check on the day (day 0 is 31 December of the year before).
double DayCodeToDate(int dayOfYear, int twoDigitYear);
// The same from the texts of the day code ("%3s%2s"), converted leniently:
// "abc", "xy" gives day 0 of 2000, i.e. 31 December 1999.
double DayCodeToDate(const char* dayText, const char* yearText);
