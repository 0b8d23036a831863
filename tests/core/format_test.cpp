#include "core/format.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "core/serial_date.h"

namespace {

TEST(Format, FormatDateTime) {
  const double jan1 = 43466;                                  // Tue 1 Jan 2019
  const double evening = EncodeDate(2004, 2, 29) + EncodeTime(21, 5, 7, 45);  // Sun
  struct Case { const char* format; double serial; const char* text; };
  const Case cases[] = {
      {"dd/MM/yy", jan1, "01/01/19"}, {"mmm dd, yyyy", jan1, "Jan 01, 2019"},
      {"mmmm dd, yyyy", jan1, "January 01, 2019"}, {"yyyy", jan1, "2019"},
      {"yy", jan1, "19"}, {"yyy-mm-dd", jan1, "2019-01-01"},
      {"dd.MMM.yyyy", jan1, "01.Jan.2019"}, {"MM/yyyy", jan1, "01/2019"},
      {"hh:nn", jan1, "00:00"}, {"d/m/y ddd dddd", jan1, "1/1/19 Tue Tuesday"},
      {"hh:nn:ss.zzz", evening, "21:05:07.045"}, {"h:mm am/pm", evening, "9:05 pm"},
      {"hh:mm A/P", jan1 + 0.25, "06:00 A"},
      {"HH:MM, mmmm", evening, "21:05, February"},  // mm after hh: minutes
      {"'day' d \"of\" mmm", evening, "day 29 of Feb"}, {"dddd", evening, "Sunday"},
      {"dd/mm/yyyy hh:nn", 0.5, "30/12/1899 12:00"},
      {"dd/mm/yyyy hh:nn", -1.25, "28/12/1899 18:00"},        // floor: a day before -1 at 18:00
      {"dd/mm/yyyy hh:nn:ss", jan1 - 1e-10, "01/01/2019 00:00:00"},  // rounded, never 24:00
      {"yyyy", 1e300, "9999"}, {"yyyy", NAN, "1899"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, c.serial), c.text) << c.format;
}

TEST(Format, FormatFloat) {
  struct Case { const char* format; double value; const char* text; };
  const Case cases[] = {
      {"##", 0, ""}, {"###.0", 0, ".0"}, {"###.0", 12.25, "12.3"},
      {"00", -2, "-02"}, {"#,##0.0", 1234.56, "1,234.6"}, {"#,##0", 1234567, "1,234,567"},
      {"#,##0", -999, "-999"}, {"###0", 1003.5, "1004"}, {"0.000", 1.0005, "1.001"},
      {"0.000", -1.0005, "-1.001"}, {"###0.###", 0.5, "0.5"}, {"###0.###", 2, "2"},
      {"#,##0.0##", 14.2, "14.2"}, {"0.00", 0.125, "0.13"}, {"0.00", 9.999, "10.00"},
      {"0", 0.5, "1"}, {"0", 0.49, "0"},
      {"0.0", -0.04, "0.0"},            // rounds to zero: no minus sign
      {"#", 12345, "12345"},            // extra digits go to the first place
      {"0.00 'mm'", 3.14159, "3.14 mm"}, {"\"R6=\"0", 5, "R6=5"}, {"0.0;(0.0);zero", 1.25, "1.3"},
      {"0.0;(0.0);zero", -1.25, "(1.3)"}, {"0.0;(0.0);zero", 0, "zero"}, {"0.0;(0.0);zero", -0.01, "zero"},
      {"0.0;;zero", -1.5, "-1.5"},      // empty negative section: the first, with a sign
      {"0.00E+00", 1234.5, "1.23E+03"}, {"0.00E+00", 0.00012345, "1.23E-04"}, {"0.0e-0", 12345, "1.2e4"},
      {"0.00E+00", 9.999, "1.00E+01"}, {"0.00E+00", 0, "0.00E+00"}, {"#.###E-0", 0, "0E0"},
      {"#.###E-0", 0.5, "5E-1"}, {"#.##", 0.5, ".5"}, {".00", 12.5, "12.50"},
      {"0.0", NAN, "NAN"}, {"0.0", INFINITY, "INF"}, {"0.0", -INFINITY, "-INF"},
      {"", 1.5, "1.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " of " << c.value;

  // Huge values: all the digits, no overrun.
  const std::string huge = FormatFloat("#,##0.00", 1e300);
  EXPECT_EQ(huge.size(), 301u + 100u + 3u);
  EXPECT_EQ(huge.substr(0, 4), "1,00");
  EXPECT_EQ(FormatFloat("0.00E+000", -1e300), "-1.00E+300");
}

}  // namespace
