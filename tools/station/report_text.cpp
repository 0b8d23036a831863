#include "tools/station/report_text.h"

#include <cstdarg>
#include <cstdio>

#include "core/serial_date.h"
#include "core/text.h"

std::string Format(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  std::string text;
  if (length >= 0 && static_cast<size_t>(length) < sizeof buffer) {
    text.assign(buffer, static_cast<size_t>(length));
  } else if (length > 0) {
    text.resize(static_cast<size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

std::string Number(double value, int decimals, bool quirks) {
  std::string text = Format("%.*f", decimals, value);
  if (!quirks) return text;
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") return "0";
  const size_t digits = text[0] == '-' ? 1 : 0;
  if (text.compare(digits, 2, "0.") == 0) text.erase(digits, 1);
  return text;
}

std::string DayCode(double date) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  return Format("%03d%02d", static_cast<int>(date - EncodeDate(year, 1, 1)) + 1, year % 100);
}

std::string InstrumentFileName(const StationPlan& plan, const std::string& base) {
  const std::string name = base + Format(".%03d", plan.instrument);
  return plan.quirks ? AnsiUpperCase(name) : name;
}

ReportFile MakeFile(const StationPlan& plan, const std::string& name, const std::string& text, EndMark end) {
  if (!plan.quirks) return {name, text};
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 20 + 1);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  if (end == EndMark::kCtrlZ) bytes += '\x1A';
  return {name, bytes};
}
