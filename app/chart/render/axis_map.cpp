#include "app/chart/render/axis_map.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/serial_date.h"

namespace {

// Beyond this many candidate ticks a step is certainly too fine to label; no
// tick loop runs longer.
constexpr double kMaxTicks = 5000;
// Far enough above the denormals that a thousandth of it is still a normal
// double: no step is smaller, and a logarithmic axis starts no lower, so that
// powers of ten never underflow to zero.
constexpr double kTiny = 1e-300;
// The least span of a linear axis: a step of a millionth of it (an axis a
// million pixels long) is still above kTiny.
constexpr double kLeastSpan = 1e-290;
// Limits closer than this, relative to their size, are taken as equal: no
// label tells them apart, and steps between them round away.
constexpr double kLeastRelativeSpan = 0x1p-40;
// No step is smaller than this, relative to the limits: a tick stays apart
// from its neighbour, and tick counts (up to 2^50) stay exact integers.
constexpr double kLeastRelativeStep = 0x1p-50;
// Relative slack for values that should sit exactly on a tick or a limit.
constexpr double kSlack = 1e-9;
// The days a serial date can hold (1 January 0001 .. 31 December 9999).
constexpr double kFirstSerial = -693593;
constexpr double kLastSerial = 2958465;

double ClampPixel(double p) {
  if (std::isnan(p)) return 0;
  return std::clamp(p, -kMaxPixel, kMaxPixel);
}

// Both ends at v, moved apart a little; the result stays finite.
void Widen(double v, double& min, double& max) {
  const double delta = std::max(1.0, std::fabs(v) * 1e-9);
  min = v - delta;
  max = v + delta;
  if (!std::isfinite(max)) {
    max = v;
    min = v - 2 * delta;
  } else if (!std::isfinite(min)) {
    min = v;
    max = v + 2 * delta;
  }
}

// Finite limits in order.
void RepairOrder(double& min, double& max) {
  if (!std::isfinite(min) && !std::isfinite(max)) {
    min = 0;
    max = 0;
  } else if (!std::isfinite(min)) {
    min = max;
  } else if (!std::isfinite(max)) {
    max = min;
  }
  if (min > max) std::swap(min, max);
}

// Ordered limits far enough apart to be stepped through; the span may be
// infinite (the halves of the map keep it finite).
bool UsableSpan(double min, double max) {
  const double span = max - min;
  return span >= kLeastSpan && span >= std::max(std::fabs(min), std::fabs(max)) * kLeastRelativeSpan;
}

void RepairLinear(double& min, double& max) {
  RepairOrder(min, max);
  if (!UsableSpan(min, max)) Widen(min + (max - min) / 2, min, max);
}

void RepairLog(double& min, double& max) {
  RepairOrder(min, max);
  // Nothing at or below zero has a place on a logarithmic scale: keep three
  // decades below a positive maximum, or show 1..10 when there is none. Down
  // among the denormals counts as zero.
  if (!(max >= kTiny)) {
    min = 1;
    max = 10;
    return;
  }
  if (min <= 0) min = max / 1000;
  min = std::max(min, kTiny);
  // Limits too close to tell apart: a decade more each way.
  if (!(max - min >= max * kLeastRelativeSpan)) {
    min /= 10;
    if (std::isfinite(max * 10)) max *= 10;
  }
}

}  // namespace

AxisMap::AxisMap(double min, double max, double pixelOfMin, double pixelOfMax, bool logarithmic,
                 bool inverted)
    : min_(min), max_(max), log_(logarithmic) {
  if (log_) {
    RepairLog(min_, max_);
  } else {
    RepairLinear(min_, max_);
  }
  tMin_ = Transform(min_);
  tMax_ = Transform(max_);
  pMin_ = ClampPixel(pixelOfMin);
  pMax_ = ClampPixel(pixelOfMax);
  if (inverted) std::swap(pMin_, pMax_);
}

double AxisMap::PixelLow() const { return std::min(pMin_, pMax_); }
double AxisMap::PixelHigh() const { return std::max(pMin_, pMax_); }

// ---------------------------------------------------------------- labels

LabelSpan PlaceLabel(double pixel, double size, double from, double to) {
  LabelSpan s{pixel - size / 2, pixel + size / 2};
  if (s.from < from) s = {from, from + size};
  if (s.to > to) s = {to - size, to};
  return s;
}

bool LabelsFit(const AxisMap& map, const std::vector<double>& ticks, const TickRules& rules) {
  const double from = std::min(rules.labelFrom, rules.labelTo);
  const double to = std::max(rules.labelFrom, rules.labelTo);
  bool first = true;
  LabelSpan previous{0, 0};
  double previousSize = 0, previousPixel = 0;
  for (double v : ticks) {
    double pixel = 0;
    if (!map.ToPixel(v, pixel)) return false;
    const double size = rules.labelSize ? std::max(0.0, rules.labelSize(v)) : 0;
    if (size > to - from) return false;
    const LabelSpan span = PlaceLabel(pixel, size, from, to);
    if (!first) {
      const double gap =
          std::max(rules.minGap, rules.separationPercent / 100.0 * std::max(size, previousSize));
      // Ticks come in axis order, which runs either way in pixels.
      const double apart = std::max(span.from - previous.to, previous.from - span.to);
      if (apart < gap || std::fabs(pixel - previousPixel) < rules.minPitch) return false;
    }
    first = false;
    previous = span;
    previousSize = size;
    previousPixel = pixel;
  }
  return true;
}

namespace {

double LabelSize(const TickRules& rules, double v) {
  return rules.labelSize ? std::max(0.0, rules.labelSize(v)) : 0;
}

// How many steps between labels could at best fit along the axis.
double MostLabels(const AxisMap& map, const TickRules& rules) {
  const double smallest = std::max(
      1.0, std::min(LabelSize(rules, map.Min()), LabelSize(rules, map.Max())));
  const double pitch = std::max(smallest + 1, rules.minPitch);
  return std::max(1.0, (map.PixelHigh() - map.PixelLow()) / pitch);
}

// The two ends when their labels fit, else what is left of `few` (at most
// one tick) when that fits, else nothing.
std::vector<double> Fallback(const AxisMap& map, const TickRules& rules, std::vector<double> few) {
  std::vector<double> ends{map.Min(), map.Max()};
  if (LabelsFit(map, ends, rules)) return ends;
  if (few.size() == 1 && LabelsFit(map, few, rules)) return few;
  return {};
}

// The smallest of 1, 2, 5 times a power of ten that is at least x, and at
// least kTiny so that the power of ten cannot underflow to zero.
double NiceStepAtLeast(double x) {
  if (!(x >= kTiny)) x = kTiny;
  const double base = std::pow(10.0, std::floor(std::log10(x)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * base >= x * (1 - kSlack)) return m * base;
  }
  return 10 * base;
}

// The least step between the ticks of the map's limits.
double LeastStep(const AxisMap& map) {
  return std::max(kTiny, std::max(std::fabs(map.Min()), std::fabs(map.Max())) * kLeastRelativeStep);
}

// Multiples of step within min..max; false when there would be too many.
bool StepTicks(double min, double max, double step, std::vector<double>& ticks) {
  ticks.clear();
  const double first = std::ceil(min / step - kSlack);
  const double last = std::floor(max / step + kSlack);
  if (!(last - first < kMaxTicks)) return false;
  // Counted rather than stepped through k: beyond 2^53, ++k leaves k as it was.
  const int count = last < first ? 0 : static_cast<int>(last - first) + 1;
  for (int i = 0; i < count; ++i) {
    const double v = (first + i) * step;
    ticks.push_back(std::fabs(v) < step * kSlack ? 0.0 : v);
  }
  return true;
}

}  // namespace

namespace {

// The densest ticks at 1, 2 or 5 times a power of ten that fit; false with
// what the last step tried left in `ticks` when fewer than two do.
bool NiceTicks(const AxisMap& map, const TickRules& rules, std::vector<double>& ticks) {
  // In halves, so that the span of the widest limits stays finite.
  const double halfSpan = map.Max() * 0.5 - map.Min() * 0.5;
  double step = halfSpan / MostLabels(map, rules) * 2;
  if (rules.desiredIncrement > 0) step = std::max(step, rules.desiredIncrement);
  step = std::max(step, LeastStep(map));
  ticks.clear();
  if (!std::isfinite(step)) return false;
  // Every step is half as large again as the one before: the loop ends at the
  // latest when the step overflows.
  for (step = NiceStepAtLeast(step); std::isfinite(step); step = NiceStepAtLeast(step * 1.5)) {
    if (!StepTicks(map.Min(), map.Max(), step, ticks)) continue;
    if (ticks.size() < 2) return false;  // coarser steps give no more
    if (LabelsFit(map, ticks, rules)) return true;
  }
  return false;
}

}  // namespace

std::vector<double> ValueTicks(const AxisMap& map, const TickRules& rules) {
  std::vector<double> ticks;
  if (NiceTicks(map, rules, ticks)) return ticks;
  // Too short for labels that far apart: round steps closer together still
  // read better than the two ends.
  if (rules.minPitch > 0) {
    TickRules closer = rules;
    closer.minPitch = 0;
    std::vector<double> dense;
    if (NiceTicks(map, closer, dense)) return dense;
  }
  return Fallback(map, rules, ticks);
}

std::vector<double> LogTicks(const AxisMap& map, const TickRules& rules) {
  const double lo = map.Min() * (1 - kSlack);
  const double hi = map.Max() * (1 + kSlack);
  const int firstDecade = static_cast<int>(std::floor(std::log10(map.Min())));
  const int lastDecade = static_cast<int>(std::floor(std::log10(map.Max())));
  // Mantissas 1, 2 and 5 first, then every decade, every second, fifth...
  std::vector<double> ticks;
  for (int decades = 0; decades <= 1000; decades = decades == 0 ? 1 : static_cast<int>(NiceStepAtLeast(decades * 1.5))) {
    ticks.clear();
    for (int d = firstDecade; d <= lastDecade; ++d) {
      if (decades > 0 && d % decades != 0) continue;
      for (double m : {1.0, 2.0, 5.0}) {
        if (decades > 0 && m != 1.0) break;
        const double v = m * std::pow(10.0, d);
        if (v >= lo && v <= hi && std::isfinite(v)) ticks.push_back(v);
      }
    }
    if (ticks.size() < 2) {
      // Less than a decade: plain steps read better than a lone power of ten.
      if (decades == 0) return ValueTicks(map, rules);
      break;
    }
    if (LabelsFit(map, ticks, rules)) return ticks;
  }
  return Fallback(map, rules, ticks);
}

namespace {

enum class DateUnit { Day, Week, Month, Year };

struct DateStep {
  DateUnit unit;
  int count;
  double days;  // nominal length, to compare with the desired increment
};

constexpr DateStep kDateSteps[] = {
    {DateUnit::Day, 1, 1},          {DateUnit::Day, 2, 2},
    {DateUnit::Week, 1, 7},         {DateUnit::Week, 2, 14},
    {DateUnit::Month, 1, 30.4375},  {DateUnit::Month, 2, 60.875},
    {DateUnit::Month, 3, 91.3125},  {DateUnit::Month, 6, 182.625},
    {DateUnit::Year, 1, 365.25},    {DateUnit::Year, 2, 730.5},
    {DateUnit::Year, 5, 1826.25},   {DateUnit::Year, 10, 3652.5},
    {DateUnit::Year, 20, 7305},     {DateUnit::Year, 50, 18262.5},
    {DateUnit::Year, 100, 36525},   {DateUnit::Year, 200, 73050},
    {DateUnit::Year, 500, 182625},  {DateUnit::Year, 1000, 365250},
};

// Whole-day steps; weeks start on Mondays (serial 2, 1 January 1900, was one).
void DayTicks(double lo, double hi, double days, double anchor, std::vector<double>& ticks) {
  for (double v = anchor + std::ceil((lo - anchor) / days - kSlack) * days; v <= hi; v += days) {
    ticks.push_back(v);
  }
}

void MonthTicks(double lo, double hi, int months, std::vector<double>& ticks) {
  int y = 0, m = 0, d = 0;
  DecodeDate(std::ceil(lo - kSlack), y, m, d);
  int index = y * 12 + (m - 1);
  double first = 0;
  if (!TryEncodeDate(y, m, 1, first) || first < lo - kSlack) ++index;
  index = (index + months - 1) / months * months;
  for (; index / 12 <= 9999; index += months) {
    double v = 0;
    if (!TryEncodeDate(index / 12, index % 12 + 1, 1, v)) continue;
    if (v > hi) break;
    ticks.push_back(v);
  }
}

void YearTicks(double lo, double hi, int years, std::vector<double>& ticks) {
  int y = 0, m = 0, d = 0;
  DecodeDate(std::ceil(lo - kSlack), y, m, d);
  if (m != 1 || d != 1) ++y;
  for (y = (y + years - 1) / years * years; y <= 9999; y += years) {
    double v = 0;
    if (!TryEncodeDate(y, 1, 1, v)) continue;
    if (v > hi) break;
    ticks.push_back(v);
  }
}

void DateStepTicks(const DateStep& step, double lo, double hi, std::vector<double>& ticks) {
  ticks.clear();
  switch (step.unit) {
    case DateUnit::Day: DayTicks(lo, hi, step.count, 0, ticks); break;
    case DateUnit::Week: DayTicks(lo, hi, 7.0 * step.count, 2, ticks); break;
    case DateUnit::Month: MonthTicks(lo, hi, step.count, ticks); break;
    case DateUnit::Year: YearTicks(lo, hi, step.count, ticks); break;
  }
}

}  // namespace

std::vector<double> DateTicks(const AxisMap& map, const TickRules& rules) {
  const double lo = std::max(map.Min(), kFirstSerial);
  const double hi = std::min(map.Max(), kLastSerial);
  std::vector<double> ticks;
  if (lo > hi) return Fallback(map, rules, ticks);
  const double most = MostLabels(map, rules);
  for (const DateStep& step : kDateSteps) {
    if (step.days < rules.desiredIncrement * (1 - kSlack)) continue;
    if ((hi - lo) / step.days > std::min(most, kMaxTicks)) continue;
    if (step.days > (hi - lo) * 2) break;  // at most one tick from here on
    DateStepTicks(step, lo, hi, ticks);
    if (ticks.size() >= 2 && LabelsFit(map, ticks, rules)) return ticks;
  }
  if (ticks.size() > 1) ticks.clear();
  return Fallback(map, rules, ticks);
}

std::vector<double> AxisTicks(const AxisMap& map, bool dateTime, const TickRules& rules) {
  if (map.Logarithmic()) return LogTicks(map, rules);
  if (dateTime) return DateTicks(map, rules);
  return ValueTicks(map, rules);
}
