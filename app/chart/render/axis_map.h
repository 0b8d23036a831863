#pragma once
// Value-to-pixel mapping of one chart axis and the choice of its labelled
// ticks. This is the only place where values become pixels; it knows nothing
// of Qt, so the layout rules can be checked without painting.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// No pixel ever leaves +-kMaxPixel, so callers may convert pixels to int.
inline constexpr double kMaxPixel = 1e6;

class AxisMap {
 public:
  // Maps min..max onto the pixels from `pixelOfMin` to `pixelOfMax` (the other
  // way round when inverted). Unusable limits are repaired: swapped when
  // reversed, widened when equal or too close to tell apart (a few units in
  // the last place, or both among the denormals), replaced when not finite,
  // and made positive on a logarithmic axis.
  AxisMap(double min, double max, double pixelOfMin, double pixelOfMax, bool logarithmic = false,
          bool inverted = false);

  // The limits in use, min < max.
  double Min() const { return min_; }
  double Max() const { return max_; }
  bool Logarithmic() const { return log_; }
  // The pixel interval, low <= high.
  double PixelLow() const;
  double PixelHigh() const;

  // Finite and, on a logarithmic axis, above zero.
  bool Drawable(double v) const { return std::isfinite(v) && (!log_ || v > 0); }
  // The pixel of v, within +-kMaxPixel; false when v is not drawable.
  // Inline: a series of millions of points maps each of them.
  bool ToPixel(double v, double& pixel) const {
    if (!Drawable(v)) return false;
    if (pMax_ == pMin_) {
      pixel = pMin_;
      return true;
    }
    const double fraction = (Transform(v) - tMin_) / (tMax_ - tMin_);
    const double p = pMin_ + fraction * (pMax_ - pMin_);
    if (std::isnan(p)) return false;
    pixel = std::clamp(p, -kMaxPixel, kMaxPixel);
    return true;
  }

 private:
  // Halved on a linear scale so that differences of any two finite values
  // stay finite.
  double Transform(double v) const { return log_ ? std::log10(v) : v * 0.5; }
  double min_, max_;
  bool log_;
  double tMin_, tMax_;  // the limits after Transform
  double pMin_, pMax_;  // the pixels of min_ and max_
};

// What the tick choice needs to know about the labels.
struct TickRules {
  // The least step between ticks; 0 or less lets the axis choose. On a date
  // axis it counts days (1.0: at least one day).
  double desiredIncrement = 0;
  // The least gap between neighbouring labels, in per cent of the larger one,
  // and in pixels.
  int separationPercent = 10;
  double minGap = 1;
  // The least distance between neighbouring ticks, in pixels: a scale that
  // reads at a glance, not one label after another.
  double minPitch = 0;
  // The pixel interval labels must stay inside (a vertical axis: its band).
  double labelFrom = 0, labelTo = 0;
  // Pixels the label of a value takes along the axis.
  std::function<double(double value)> labelSize;
};

struct LabelSpan {
  double from, to;
};

// Where a label of `size` pixels centred on `pixel` goes: moved inwards as far
// as needed to stay within from..to.
LabelSpan PlaceLabel(double pixel, double size, double from, double to);

// True when the labels of `ticks` (in axis order) fit inside the label
// interval without overlapping.
bool LabelsFit(const AxisMap& map, const std::vector<double>& ticks, const TickRules& rules);

// Whatever the limits, the tick functions below end quickly: no loop tries
// more than a few thousand ticks, and every step is positive and large enough
// to move a tick away from its neighbour.

// Ticks at 1, 2 or 5 times a power of ten, the densest whose labels fit and
// whose step is at least the desired increment; on an axis too short for
// two ticks the least pitch apart, the densest that fit without it.
std::vector<double> ValueTicks(const AxisMap& map, const TickRules& rules);
// Ticks at midnights: every day or two, Mondays, first days of months, or
// first days of years, the densest whose labels fit.
std::vector<double> DateTicks(const AxisMap& map, const TickRules& rules);
// Decades, with 2 and 5 between them when there is room; a range of less than
// a decade gets value ticks.
std::vector<double> LogTicks(const AxisMap& map, const TickRules& rules);
// The ticks of an axis of the given kind. When fewer than two ticks fit but
// two labels do, the two ends of the axis are labelled instead.
std::vector<double> AxisTicks(const AxisMap& map, bool dateTime, const TickRules& rules);
