// The tick choice of an axis for any limits, step and size: it must finish
// with a bounded number of finite, increasing ticks.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/chart/render/axis_map.h"

namespace {

template <class T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const double min = Take<double>(data, size), max = Take<double>(data, size);
  const double increment = Take<double>(data, size);
  const uint8_t flags = Take<uint8_t>(data, size);
  const uint16_t length = Take<uint16_t>(data, size);
  const uint8_t labelPixels = Take<uint8_t>(data, size);

  const bool logarithmic = flags & 1, inverted = flags & 2, dateTime = flags & 4;
  const AxisMap map(min, max, 0, length, logarithmic, inverted);
  TickRules rules;
  rules.desiredIncrement = increment;
  rules.separationPercent = flags >> 3;
  rules.labelFrom = 0;
  rules.labelTo = length;
  rules.labelSize = [labelPixels](double) { return static_cast<double>(labelPixels); };
  const std::vector<double> ticks = AxisTicks(map, dateTime, rules);

  if (ticks.size() > 5000) std::abort();
  for (size_t i = 0; i < ticks.size(); ++i) {
    if (!std::isfinite(ticks[i])) std::abort();
    if (i > 0 && !(ticks[i] > ticks[i - 1])) std::abort();
  }
  return 0;
}
