#pragma once
// FormatDateTime and FormatFloat with the patterns of the original platform,
// English names and '.' as the decimal point whatever the C locale.

#include <string>

// Letters are case-insensitive:
//   d, dd          day of month (dd with a leading zero)
//   ddd, dddd      Sun..Sat, Sunday..Saturday (more d's count as dddd)
//   m, mm          month (or minutes when the last letter before was h/hh)
//   mmm, mmmm      Jan..Dec, January..December
//   y, yy          two-digit year; yyy, yyyy four digits
//   h, hh          hour (12-hour clock when am/pm or a/p follows in the pattern)
//   n, nn, s, ss   minutes, seconds
//   z, zzz         milliseconds
//   am/pm, a/p     "am"/"pm" or "a"/"p" in the case written in the pattern
//   '...', "..."   copied without the quotes
// Every other character ("/", ":", "-", ".", blanks, other letters) is copied.
// The serial is first rounded to the nearest millisecond; the date is the floor
// of the result and the time its fraction (so negative serials work and a
// value just below midnight shows the next day at 00:00).
std::string FormatDateTime(const std::string& format, double serial);

// Up to three sections "positive;negative;zero" (a missing or empty section
// falls back to the first; the negative section prints no sign). In a section:
//   0  forced digit        #  optional digit      .  decimal point (the first)
//   ,  in the integer part: thousands separator ","
//   E+00, E-00, e+00, e-00  scientific notation
//   '...', "..."  literal text; other characters are copied.
// Rounds half away from zero on the 15-significant-digit decimal text of the
// value at the number of decimals the section shows. A value that rounds to
// zero is formatted as zero (zero section, no minus sign). NaN gives "NAN",
// infinities "INF"/"-INF". An empty format gives the value in 15 significant
// digits.
std::string FormatFloat(const std::string& format, double value);

// The fewest digits that read back as exactly `value` ("0.1", "1e+300");
// meant for finite values.
std::string ShortestNumber(double value);

// A serial date as ISO 8601: "yyyy-mm-dd" at midnight, else with the time
// "yyyy-mm-ddThh:nn:ss".
std::string IsoDateTime(double serial);
