#include "core/scan_header.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/format.h"
#include "core/paths.h"
#include "core/serial_date.h"
#include "core/text.h"

double ScanDate(int read, int day, int month, int twoDigitYear) {
  if (read < 3) return 0;
  const long long year = FourDigitYear(twoDigitYear);
  // A wild year from a damaged file is refused by EncodeDate, never overflowed.
  return EncodeDate(static_cast<int>(std::clamp(year, 0LL, 10000LL)), month, day);
}

double ReadDhBlock(FILE* file, const char* placeFormat, const char* placeRest, std::string& place) {
  int day = 0, month = 0, year = 0;
  const int dateFields = std::fscanf(file, "dh\r%d\r%d\r%d\r", &day, &month, &year);
  const double date = ScanDate(dateFields, day, month, year);
  char text[kScanTextSize];
  if (ScanTextRow(file, placeFormat, placeRest, false, text)) place = text;
  double number = 0;
  for (int i = 0; i < 3; ++i) (void)std::fscanf(file, "%lf\r", &number);
  (void)std::fscanf(file, "pr %lf\r", &number);
  return date;
}

std::string ScanDateText(const std::string& format, double date) {
  return date == 0 ? std::string() : FormatDateTime(format, date);
}

std::string DeadTimeText(double seconds) {
  const double ns = seconds * 1e9;
  return "(dt=" + FormatFloat("##", std::isfinite(ns) ? ns : 0) + "ns)";
}

void EndTextRow(FILE* file, const char* text, const char* restOfText, bool thenWhitespace) {
  if (std::strlen(text) == kScanTextSize - 1) {
    char rest[kScanTextSize];
    while (std::fscanf(file, restOfText, rest) == 1 && std::strlen(rest) == kScanTextSize - 1) {
    }
  }
  if (thenWhitespace) (void)std::fscanf(file, " ");
}

bool ScanTextRow(FILE* file, const char* format, const char* restOfText, bool thenWhitespace,
                 char* text) {
  text[0] = '\0';
  if (std::fscanf(file, format, text) != 1) {
    text[0] = '\0';
    return false;
  }
  EndTextRow(file, text, restOfText, thenWhitespace);
  return true;
}

double FileNameDate(const std::string& fileName) {
  const std::string dayCode = NameDayCode(fileName);
  const int year = StrToInt(Copy(dayCode, 4, 2));
  return DayCodeToDate(0, year) + StrToFloat(Copy(dayCode, 1, 3));
}
