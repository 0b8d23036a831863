#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "core/errors.h"
#include "core/line_reader.h"
#include "core/scan_header.h"
#include "core/serial_date.h"
#include "tests/support/test_support.h"

namespace {

TEST(ScanDate, TwoDigitYearsPivotAt50AndAShortLineHasNoDate) {
  EXPECT_EQ(ScanDate(3, 14, 3, 19), Day(2019, 3, 14));
  EXPECT_EQ(ScanDate(3, 1, 1, 49), Day(2049, 1, 1));
  EXPECT_EQ(ScanDate(3, 1, 1, 50), Day(1950, 1, 1));
  EXPECT_EQ(ScanDate(3, 31, 12, 99), Day(1999, 12, 31));
  EXPECT_EQ(ScanDate(1, 210619, 0, 0), 0);  // "dh210619Place": the line ends the scan early
  EXPECT_EQ(ScanDate(-1, 0, 0, 0), 0);      // end of file
  EXPECT_THROW(ScanDate(3, 31, 2, 19), EConvertError);
  EXPECT_THROW(ScanDate(3, 1, 1, 2147483647), EConvertError);  // no overflow on a wild year
  EXPECT_THROW(ScanDate(3, 1, 1, -2147483647 - 1), EConvertError);
}

TEST(ScanDateText, ShowsNothingForAScanWithoutADate) {
  EXPECT_EQ(ScanDateText("mmm dd, yyyy", Day(2016, 6, 5)), "Jun 05, 2016");
  EXPECT_EQ(ScanDateText("yyyy", Day(2016, 6, 5)), "2016");
  EXPECT_EQ(ScanDateText("mmm dd, yyyy", 0), "");
}

TEST(DeadTimeText, WholeNanosecondsAndNoDigitForZero) {
  struct Case {
    double seconds;
    const char* text;
  };
  const Case cases[] = {
      {2.9e-8, "(dt=29ns)"},
      {2.7e-8, "(dt=27ns)"},
      {3.45e-8, "(dt=35ns)"},  // rounded half away from zero
      {0, "(dt=ns)"},
      {std::numeric_limits<double>::quiet_NaN(), "(dt=ns)"},
      {std::numeric_limits<double>::infinity(), "(dt=ns)"},
      {1e300, "(dt=ns)"},  // beyond any number of nanoseconds
  };
  for (const Case& c : cases) EXPECT_EQ(DeadTimeText(c.seconds), c.text) << c.seconds;
}

TEST(ScanTextRow, ALongTextIsCutAndTheNextRowStillLinesUp) {
  TempDir dir;
  const std::string longName(450, 'x');
  const std::string path = dir.Write("t", "Place " + longName + "\r\n\r\nNext 12\r\n");
  CFile file(path, "rb");
  char text[kScanTextSize];
  ASSERT_TRUE(ScanTextRow(file.get(), "Place %199[a-z]", "%199[a-z]", true, text));
  EXPECT_EQ(std::string(text), longName.substr(0, 199));
  int next = 0;
  EXPECT_EQ(std::fscanf(file.get(), "Next %d", &next), 1);
  EXPECT_EQ(next, 12);
}

TEST(ScanTextRow, AShortTextIsReadAsTheWholeFormatWouldReadIt) {
  TempDir dir;
  // A text of exactly the buffer's width is followed by a character outside
  // its set: nothing of the next row is skipped.
  const std::string exact(199, 'y');
  const std::string path = dir.Write("t", "abc def\n\n" + exact + "7\nrest");
  CFile file(path, "rb");
  char text[kScanTextSize];
  ASSERT_TRUE(ScanTextRow(file.get(), "%199[a-z ]", "%199[a-z ]", true, text));
  EXPECT_EQ(std::string(text), "abc def");
  ASSERT_TRUE(ScanTextRow(file.get(), "%199[a-z]", "%199[a-z]", false, text));
  EXPECT_EQ(std::string(text), exact);
  int seven = 0;
  EXPECT_EQ(std::fscanf(file.get(), "%d", &seven), 1);
  EXPECT_EQ(seven, 7);
  // A row that does not match reads nothing and leaves the text empty.
  EXPECT_FALSE(ScanTextRow(file.get(), "%199[0-9]", "%199[0-9]", true, text));
  EXPECT_EQ(std::string(text), "");
}

}  // namespace
