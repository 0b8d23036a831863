#include "core/scan_format.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/line_reader.h"
#include "tests/core/temp_file.h"

namespace {

// What one scan stored: two words, four whole numbers and four reals, every
// byte compared (untouched ones keep their fill).
struct Stored {
  char w1[4], w2[3];
  int i[4];
  double d[4];
};

Stored Filled() {
  Stored s;
  std::memset(&s, 0x5a, sizeof s);
  return s;
}

bool Same(const Stored& a, const Stored& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The formats of the report files, in small: words, whole numbers with and
// without a width, reals, literal characters and blanks.
const char* const kFormats[] = {"%3s%2s %lf %lf %2d:%2d:%2d %lf", "%3s%2s %d %d %7d %lf", "%lf %d/ %d %lf/ %lf",
                                "%lf %lf ", "%d %d %d", "%lf %lf %3s"};

// Inputs where a faster scan could part from the C library's.
const char* const kInputs[] = {
    "00120     28.333     27.884  .1  .7  3662043  1311011",  // a DT line
    "31114 17 23 1 -12-10 1234567890",                       // fields run together, %7d cuts
    "00120 341.1 11/11 392 .9999/ 7",                        // literal '/' after numbers
    "001 .9989 -.5 +2. 1e5 1E-3 5e+2",                       // number shapes
    "001 1e 2",                                              // an exponent without digits
    "001 1e+ 2", "001 0x1A 2", "001 nan 2", "001 -inf 2", "001 infinity 2", "001 1.5abc",
    "001 1,5 2",                                             // a comma after a number
    "001 +-5 2", "001 - 5", "001 . 5", "001 +.5", "--", "",  "   ", "\r", "ab",
    "001 99999999999999999999 -99999999999999999999",        // out of range
    "001 1e999 1e-999",                                      // overflow and underflow
    "001 12:34:56 7",                                        // the %2d fields of a time
    "12:3x:45", "1\r2\t3\v4\f5", "001\2405 6", "001 5\xb0 6",
    "001 0000000000000000000000000000000000000012 3",        // a long run of digits
    "1 nan(12) x", "1 0x1A 2", "1 1e 2", "1 2e+ 3",           // where the library reads on
};

TEST(ScanFormat, ScanStringStoresAndReturnsWhatSscanfDoes) {
  for (const char* format : kFormats) {
    for (const char* input : kInputs) {
      SCOPED_TRACE(std::string(format) + " <- [" + input + "]");
      Stored fast = Filled(), library = Filled();
      int n = 0, expected = 0;
      // The same arguments for each format, in the order its conversions take them.
      if (format == kFormats[0]) {
        n = ScanString(input, format, fast.w1, fast.w2, &fast.d[0], &fast.d[1], &fast.i[0], &fast.i[1], &fast.i[2],
                       &fast.d[2]);
        expected = std::sscanf(input, format, library.w1, library.w2, &library.d[0], &library.d[1], &library.i[0],
                               &library.i[1], &library.i[2], &library.d[2]);
      } else if (format == kFormats[1]) {
        n = ScanString(input, format, fast.w1, fast.w2, &fast.i[0], &fast.i[1], &fast.i[2], &fast.d[0]);
        expected = std::sscanf(input, format, library.w1, library.w2, &library.i[0], &library.i[1], &library.i[2],
                               &library.d[0]);
      } else if (format == kFormats[2]) {
        n = ScanString(input, format, &fast.d[0], &fast.i[0], &fast.i[1], &fast.d[1], &fast.d[2]);
        expected = std::sscanf(input, format, &library.d[0], &library.i[0], &library.i[1], &library.d[1],
                               &library.d[2]);
      } else if (format == kFormats[3]) {
        n = ScanString(input, format, &fast.d[0], &fast.d[1]);
        expected = std::sscanf(input, format, &library.d[0], &library.d[1]);
      } else if (format == kFormats[4]) {
        n = ScanString(input, format, &fast.i[0], &fast.i[1], &fast.i[2]);
        expected = std::sscanf(input, format, &library.i[0], &library.i[1], &library.i[2]);
      } else {
        n = ScanString(input, format, &fast.d[0], &fast.d[1], fast.w1);
        expected = std::sscanf(input, format, &library.d[0], &library.d[1], library.w1);
      }
      EXPECT_EQ(n, expected);
      EXPECT_TRUE(Same(fast, library));
    }
  }
}

// Items of a file scanned in turn, as the filter-test reader scans them: after
// a failed scan the next one goes on from where the library stopped.
TEST(ScanFormat, TextFileScansItemsWhereFscanfWould) {
  const std::string files[] = {
      "00120 1.5\r\n 1 2 3 .1 .2\r\n.3 .4 1e 2 00220 x",
      "00120 1.5 1 2/3 .1 .2 x 00220 2 1 2/ 3 4 5",
      "00120 - 5 1 2 x 3 00220 7.5 nan 1 1 1",
      std::string("001\00020 2 1 2 3 4.5 6.5 00220 1.", 30),  // a NUL byte is a character
      "00120 2 1 2 3 1e+ 4 00220 +.5 0x1p3 7 8 9\x1a",
      "",
  };
  for (const std::string& bytes : files) {
    SCOPED_TRACE(bytes);
    TempFile one(bytes), another(bytes);
    TextFile text(another.get());
    for (int step = 0; step < 20; ++step) {
      SCOPED_TRACE(step);
      Stored fast = Filled(), library = Filled();
      int n = 0, expected = 0;
      switch (step % 5) {
        case 0:
          n = text.Scan("%3s%2s", fast.w1, fast.w2);
          expected = std::fscanf(one.get(), "%3s%2s", library.w1, library.w2);
          break;
        case 1:
          n = text.Scan("%lf", &fast.d[0]);
          expected = std::fscanf(one.get(), "%lf", &library.d[0]);
          break;
        case 2:
          n = text.Scan("%d %d/%d", &fast.i[0], &fast.i[1], &fast.i[2]);
          expected = std::fscanf(one.get(), "%d %d/%d", &library.i[0], &library.i[1], &library.i[2]);
          break;
        case 3:
          n = text.Scan("%lf %lf ", &fast.d[0], &fast.d[1]);
          expected = std::fscanf(one.get(), "%lf %lf ", &library.d[0], &library.d[1]);
          break;
        default:  // the very next character, blank or not
          n = text.Scan("%c", fast.w1);
          expected = std::fscanf(one.get(), "%c", library.w1);
      }
      EXPECT_EQ(n, expected);
      EXPECT_TRUE(Same(fast, library));
    }
    // Both stopped at the same place.
    char line[64], textLine[64];
    const bool more = ReadWholeLine(one.get(), line, sizeof line);
    EXPECT_EQ(text.ReadLine(textLine, sizeof textLine), more);
    if (more) {
      EXPECT_STREQ(textLine, line);
    }
  }
}

// A locale whose decimal point is a comma leaves the reals to the library,
// which then reads "1,5" as one and a half.
TEST(ScanFormat, ADecimalCommaLocaleIsHonoured) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  double fast[2] = {0, 0}, library[2] = {0, 0};
  const int n = ScanString("1,5 2.5", "%lf %lf", &fast[0], &fast[1]);
  const int expected = std::sscanf("1,5 2.5", "%lf %lf", &library[0], &library[1]);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(n, expected);
  EXPECT_EQ(fast[0], 1.5);
  EXPECT_EQ(fast[0], library[0]);
  EXPECT_EQ(fast[1], library[1]);
}

}  // namespace
