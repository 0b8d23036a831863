#pragma once
// What a user's zoom and pan show of a chart on screen. The limits the
// loaders set stay untouched in the model; a view only overrides them while
// the chart is drawn in the window, so a later load, a spin edit or a strict
// date window work as if nothing had been zoomed.

#include <vector>

class TChartAxis;

// An axis as drawn: `min` at pixel `pixelOfMin`, `max` at `pixelOfMax`, and
// the values in between spread evenly (in decades on a logarithmic axis).
struct PixelScale {
  double min = 0, max = 1;
  double pixelOfMin = 0, pixelOfMax = 1;
  bool logarithmic = false;

  // NaN for a value the axis cannot show (not finite, or not above zero on a
  // logarithmic axis).
  double ToPixel(double value) const;
  double ToValue(double pixel) const;
};

// The drawn scale of one axis of a chart.
struct AxisScale {
  const TChartAxis* axis = nullptr;
  PixelScale scale;
};

struct PixelRect {
  double left = 0, top = 0, right = 0, bottom = 0;
};

enum class ZoomDirection { Both, Horizontal, Vertical };

// A drag shorter than this along a direction does not zoom in that direction:
// it was a click, or meant for the other direction.
inline constexpr double kLeastZoomPixels = 4;

class ChartViewState {
 public:
  // The operations take the axes as they are drawn now. Horizontal axes and
  // vertical axes that span the whole plot move; a vertical axis that holds
  // only a band of the plot keeps its band and its values, and follows the
  // bottom axis only. A change that would leave an axis without a usable
  // range (too narrow to tell its ends apart, not finite, far outside what
  // the model shows) leaves that axis as it was.

  // Shows the values under the rectangle of pixels.
  void ZoomToRect(const std::vector<AxisScale>& axes, const PixelRect& rect);
  // Zooms by `factor` (below 1 closer, above 1 farther) about the pixel
  // (x, y), whose values stay where they are.
  void ZoomAbout(const std::vector<AxisScale>& axes, double x, double y, double factor, ZoomDirection direction);
  // Moves what is shown with the mouse by (dx, dy) pixels.
  void Pan(const std::vector<AxisScale>& axes, double dx, double dy);
  // Back to the model's limits.
  void Reset() { views_.clear(); }
  // Around a reload of the same file, whose limits are no new hand-set ones:
  // before it, forget the views a hand-set limit has replaced since; after
  // it, keep the rest over the model's new limits.
  void ForgetReplaced();
  void KeepAcrossReload();

  bool Zoomed() const;
  // The limits to draw `axis` with instead of the model's; false when the
  // model's hold. A view of an axis whose model limits were set anew since
  // (a spin edit, a check box) no longer holds: the new setting shows.
  bool Limits(const TChartAxis& axis, double& min, double& max) const;

 private:
  struct AxisView {
    const TChartAxis* axis;
    double min, max;
    // The model's setting the view was made over.
    bool automatic;
    double modelMin, modelMax;
  };
  static bool Holds(const AxisView& view);
  static void Snapshot(AxisView& view);
  void Show(const AxisScale& axis, double pixelA, double pixelB);
  std::vector<AxisView> views_;
};
