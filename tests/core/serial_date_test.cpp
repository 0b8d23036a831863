#include "core/serial_date.h"

#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace {

int Ymd(double serial) {
  int y = 0, m = 0, d = 0;
  DecodeDate(serial, y, m, d);
  return y * 10000 + m * 100 + d;
}

TEST(SerialDate, EncodeAndDecodeDate) {
  const struct { int y, m, d; double serial; } cases[] = {
      {1899, 12, 30, 0},    {1900, 1, 1, 2},      {1999, 12, 31, 36525}, {2019, 1, 1, 43466},  {2004, 2, 29, 38046},
      {2000, 2, 29, 36585}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465}, {1899, 12, 29, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(Ymd(c.serial + 0.75), c.y * 10000 + c.m * 100 + c.d);  // the time of day does not count
  }
  // DecodeDate takes the floor and is safe for any value (clamped to years 1..9999).
  const struct { double serial; int ymd; } odd[] = {{-0.5, 18991229}, {-700000, 10101}, {3000000, 99991231},
                                                    {1e300, 99991231}, {-INFINITY, 10101}, {NAN, 18991230}};
  for (const auto& c : odd) EXPECT_EQ(Ymd(c.serial), c.ymd) << c.serial;
}

TEST(SerialDate, EncodeDateRejectsDaysThatDoNotExist) {
  const struct { int y, m, d; } bad[] = {{2019, 2, 31}, {2019, 13, 1}, {0, 1, 1},     {2019, 0, 1},
                                         {2019, 1, 0},  {1900, 2, 29}, {10000, 1, 1}, {2019, 4, 31}};
  for (const auto& c : bad) {
    double serial = 123;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, serial));
    EXPECT_EQ(serial, 123);
    try {
      EncodeDate(c.y, c.m, c.d);
      ADD_FAILURE() << "no exception for " << c.y << "-" << c.m << "-" << c.d;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
  }
}

TEST(SerialDate, EncodeAndDecodeTime) {
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 30, 0), 0.2708333333333333);
  EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(1, 60, 0), EConvertError);
  int h, n, s, ms;
  DecodeTime(43466 + EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
  DecodeTime(43466.9999999999, h, n, s, ms);  // never 24:00
  EXPECT_EQ(h + n + s + ms, 0);
}

TEST(SerialDate, DayCodeToDate) {
  const struct { const char* day; const char* year; double serial; } cases[] = {
      {"001", "19", 43466},   // 1 Jan 2019
      {"365", "99", 36525},   // 31 Dec 1999
      {"060", "04", 38046},   // 29 Feb 2004
      {"001", "50", 18264},   // 1 Jan 1950
      {"001", "49", 54424},   // 1 Jan 2049
      {"000", "19", 43465},   // day 0: 31 Dec 2018
      {"366", "19", 43831},   // day 366 of a common year: 1 Jan 2020
      {"abc", "xy", 36525},   // lenient: day 0 of 2000
      {" 12x", "+5", 38364},  // 12 Jan 2005
      {nullptr, nullptr, 36525}};
  for (const auto& c : cases) EXPECT_EQ(DayCodeToDate(c.day, c.year), c.serial) << c.day << "/" << c.year;
  // Any int is safe: no overflow, a finite result.
  for (int a : {INT_MIN, -1, 0, INT_MAX})
    for (int b : {INT_MIN, -1, 0, INT_MAX}) EXPECT_TRUE(std::isfinite(DayCodeToDate(a, b)));
  EXPECT_EQ(DayCodeToDate(1, 9999 - 1900), EncodeDate(9999, 1, 1));
}

TEST(SerialDate, LenientToInt) {
  const struct { const char* text; int value; } cases[] = {
      {"123", 123}, {"  -42abc", -42}, {"\t+7", 7}, {"", 0}, {"abc", 0}, {"-", 0}, {"1 2", 1}, {"007", 7},
      {"\x01\x1f" "5", 5}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"-2147483648", INT_MIN},
      {nullptr, 0}};
  for (const auto& c : cases) EXPECT_EQ(LenientToInt(c.text), c.value) << (c.text ? c.text : "null");
}


}  // namespace
