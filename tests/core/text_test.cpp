#include "core/text.h"

#include <climits>
#include <clocale>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace {

template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Text, StrToInt) {
  struct Case { const char* text; int value; };
  const Case good[] = {
      {"0", 0},           {"123", 123},   {" -42", -42},  {"+7", 7},        {"\t 15", 15},
      {"$1F", 31},        {"0x10", 16},   {"0XfF", 255},  {"-$10", -16},    {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const Case& c : good) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;

  const char* bad[] = {"", " ", "abc", "12 ", "1.5", "2147483648", "-2147483649", "99999999999999999999",
                       "--1", "$", "0x", "1e3", "12a"};
  for (const char* text : bad) {
    int value = 77;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(value, 77);
    EXPECT_EQ(ErrorOf([&] { StrToInt(text); }), "'" + std::string(text) + "' is not a valid integer value");
  }
}

TEST(Text, StrToFloat) {
  struct Case { const char* text; double value; };
  const Case good[] = {
      {"0", 0},       {"1.5", 1.5},      {" -2.25 ", -2.25}, {".9989", 0.9989}, {"5.", 5},
      {"+1e3", 1000}, {"1.5E-2", 0.015}, {"-0", 0},          {"1e-400", 0},     {"\t12\r\n", 12},
  };
  for (const Case& c : good) EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;

  const char* bad[] = {"", "abc", ".", "1.2.3", "1,5", "1e", "1e+", "e5", "1e400", "nan", "inf", "0x10",
                       "1 2", "--1", "1.5x"};
  for (const char* text : bad) {
    double value = 77;
    EXPECT_FALSE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(value, 77);
    EXPECT_EQ(ErrorOf([&] { StrToFloat(text); }), "'" + std::string(text) + "' is not a valid floating point value");
  }
}

TEST(Text, StrToFloatIgnoresTheCLocale) {
  struct RestoreLocale {
    std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ~RestoreLocale() { std::setlocale(LC_NUMERIC, saved.c_str()); }
  } restore;
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr)
      << "no de_DE.UTF-8 locale: scripts/install-deps.sh generates it";
  // The C library now reads a decimal comma, so a conversion through it would fail here.
  ASSERT_EQ(std::strtod("1,5", nullptr), 1.5);
  double value = 0;
  EXPECT_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_EQ(StrToFloat("-.9989e1"), -9.989);
  EXPECT_FALSE(TryStrToFloat("1,5", value));
}

TEST(Text, TrimAndCopy) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a \x1a"), "  a");
  EXPECT_EQ(Trim("   "), "");

  struct Case { int index, count; const char* result; };
  const Case cases[] = {{1, 3, "abc"}, {2, 2, "bc"}, {0, 2, "ab"}, {-5, 1, "a"}, {4, 10, "def"},
                        {7, 1, ""},   {3, 0, ""},   {3, -1, ""}, {6, INT_MAX, "f"}};
  for (const Case& c : cases) EXPECT_EQ(Copy("abcdef", c.index, c.count), c.result) << c.index << "," << c.count;
}

TEST(Text, CaseAndPosition) {
  EXPECT_EQ(AnsiUpperCase("sloavg19.185 \xe9\xf7\xff\xdf"), "SLOAVG19.185 \xc9\xf7\xff\xdf");
  EXPECT_EQ(AnsiLowerCase("SLOAVG \xc9\xd7\xde"), "sloavg \xe9\xd7\xfe");
  EXPECT_EQ(AnsiPos("avg", "sloavg"), 4);
  EXPECT_EQ(AnsiPos("x", "sloavg"), 0);
  EXPECT_EQ(AnsiPos("", "sloavg"), 0);
  EXPECT_EQ(AnsiPos("s", "s"), 1);
  EXPECT_EQ(Latin1ToUtf8("a\xe9\xb0"), "a\xc3\xa9\xc2\xb0");
  // Valid UTF-8 (a path) stays; anything else is an instrument's Latin-1 text.
  EXPECT_EQ(DisplayText("/data/st\xc3\xa9/x"), "/data/st\xc3\xa9/x");
  EXPECT_EQ(DisplayText("25\xb0" "C"), "25\xc2\xb0" "C");
  EXPECT_EQ(DisplayText("cut \xc3"), "cut \xc3\x83");
}

}  // namespace
