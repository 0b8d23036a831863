#include "app/chart/chart_view_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/chart/chart.h"

namespace {

// How far a view may reach beyond the model's limits, in spans of them: far
// enough to look around, near enough that every value shown (a date above
// all) stays an ordinary number.
constexpr double kFarthestSpans = 100;
// The narrowest view, relative to the size of its values: a few units in the
// last place would make ticks that cannot be told apart.
constexpr double kNarrowest = 1e-9;

double Along(bool logarithmic, double v) { return logarithmic ? std::log10(v) : v; }

bool MovesVertically(const TChartAxis& axis) {
  return std::min(axis.StartPosition, axis.EndPosition) <= 0 && std::max(axis.StartPosition, axis.EndPosition) >= 100;
}

// Whether lo..hi (lo <= hi) is a range the axis can be shown with.
bool Usable(const TChartAxis& axis, bool logarithmic, double lo, double hi) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || (logarithmic && lo <= 0)) return false;
  if (!(hi - lo > kNarrowest * std::max(std::fabs(lo), std::fabs(hi)))) return false;
  double modelLo = 0, modelHi = 0;
  axis.CurrentLimits(modelLo, modelHi);
  if (modelLo > modelHi) std::swap(modelLo, modelHi);
  double span = modelHi - modelLo;
  if (!(span > 0)) span = std::max(1.0, std::fabs(modelLo));
  const double reach = kFarthestSpans * span;
  return lo >= modelLo - reach && hi <= modelHi + reach;
}

}  // namespace

double PixelScale::ToPixel(double value) const {
  if (!std::isfinite(value) || (logarithmic && value <= 0)) return std::numeric_limits<double>::quiet_NaN();
  const double from = Along(logarithmic, min);
  const double range = Along(logarithmic, max) - from;
  if (range == 0) return pixelOfMin;
  const double pixel = pixelOfMin + (Along(logarithmic, value) - from) / range * (pixelOfMax - pixelOfMin);
  return std::isfinite(pixel) ? pixel : std::numeric_limits<double>::quiet_NaN();
}

double PixelScale::ToValue(double pixel) const {
  const double pixels = pixelOfMax - pixelOfMin;
  if (pixels == 0) return min;
  const double from = Along(logarithmic, min);
  const double t = from + (pixel - pixelOfMin) / pixels * (Along(logarithmic, max) - from);
  return logarithmic ? std::pow(10.0, t) : t;
}

void ChartViewState::ZoomToRect(const std::vector<AxisScale>& axes, const PixelRect& rect) {
  const bool wide = std::fabs(rect.right - rect.left) >= kLeastZoomPixels;
  const bool tall = std::fabs(rect.bottom - rect.top) >= kLeastZoomPixels;
  for (const AxisScale& a : axes) {
    if (a.axis->Horizontal()) {
      if (wide) Show(a, rect.left, rect.right);
    } else if (tall && MovesVertically(*a.axis)) {
      Show(a, rect.top, rect.bottom);
    }
  }
}

void ChartViewState::ZoomAbout(const std::vector<AxisScale>& axes, double x, double y, double factor,
                               ZoomDirection direction) {
  if (!std::isfinite(factor) || factor <= 0) return;
  auto about = [&](const AxisScale& a, double centre) {
    Show(a, centre + (a.scale.pixelOfMin - centre) * factor, centre + (a.scale.pixelOfMax - centre) * factor);
  };
  for (const AxisScale& a : axes) {
    if (a.axis->Horizontal()) {
      if (direction != ZoomDirection::Vertical) about(a, x);
    } else if (direction != ZoomDirection::Horizontal && MovesVertically(*a.axis)) {
      about(a, y);
    }
  }
}

void ChartViewState::Pan(const std::vector<AxisScale>& axes, double dx, double dy) {
  for (const AxisScale& a : axes) {
    const double d = a.axis->Horizontal() ? dx : dy;
    if (a.axis->Horizontal() || MovesVertically(*a.axis)) Show(a, a.scale.pixelOfMin - d, a.scale.pixelOfMax - d);
  }
}

void ChartViewState::ForgetReplaced() {
  views_.erase(std::remove_if(views_.begin(), views_.end(), [](const AxisView& v) { return !Holds(v); }),
               views_.end());
}

void ChartViewState::KeepAcrossReload() {
  for (AxisView& view : views_) Snapshot(view);
}

bool ChartViewState::Zoomed() const { return std::any_of(views_.begin(), views_.end(), Holds); }

bool ChartViewState::Limits(const TChartAxis& axis, double& min, double& max) const {
  for (const AxisView& view : views_) {
    if (view.axis != &axis || !Holds(view)) continue;
    min = view.min;
    max = view.max;
    return true;
  }
  return false;
}

bool ChartViewState::Holds(const AxisView& view) {
  const TChartAxis& axis = *view.axis;
  if (axis.Automatic != view.automatic) return false;
  // The limits of an automatic axis follow its data; only a hand-set change counts.
  return axis.Automatic || (axis.Minimum == view.modelMin && axis.Maximum == view.modelMax);
}

void ChartViewState::Snapshot(AxisView& view) {
  view.automatic = view.axis->Automatic;
  view.modelMin = view.axis->Minimum;
  view.modelMax = view.axis->Maximum;
}

void ChartViewState::Show(const AxisScale& a, double pixelA, double pixelB) {
  double lo = a.scale.ToValue(pixelA), hi = a.scale.ToValue(pixelB);
  if (lo > hi) std::swap(lo, hi);
  if (!Usable(*a.axis, a.scale.logarithmic, lo, hi)) return;
  AxisView view{a.axis, lo, hi, false, 0, 0};
  Snapshot(view);
  auto it = std::find_if(views_.begin(), views_.end(), [&](const AxisView& v) { return v.axis == a.axis; });
  if (it == views_.end()) {
    views_.push_back(view);
  } else {
    *it = view;
  }
}
