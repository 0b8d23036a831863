#include "app/chart/chart.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <limits>
#include <stdexcept>

void TChartText::Clear() {
  lines_.clear();
  chart_->Changed();
}

void TChartText::Add(const std::string& line) {
  lines_.push_back(line);
  chart_->Changed();
}

// ---------------------------------------------------------------- axes

TChartAxis::TChartAxis(TChart* chart, TAxisKind kind) : chart_(chart), kind_(kind) {
  if (kind == TAxisKind::Left || kind == TAxisKind::Custom) TitleAngle = 90;
  if (kind == TAxisKind::Right) TitleAngle = 270;
}

void TChartAxis::Changed() const { chart_->Changed(); }

void TChartAxis::SetAutomatic(bool v) {
  Automatic = v;
  Changed();
}

void TChartAxis::SetMinimum(double v) {
  Automatic = false;
  Minimum = v;
  Changed();
}

void TChartAxis::SetMaximum(double v) {
  Automatic = false;
  Maximum = v;
  Changed();
}

void TChartAxis::SetMinMax(double min, double max) {
  Automatic = false;
  Minimum = min;
  Maximum = max;
  Changed();
}

void TChartAxis::SetLogarithmic(bool v) {
  Logarithmic = v;
  Changed();
}

void TChartAxis::SetInverted(bool v) {
  Inverted = v;
  Changed();
}

void TChartAxis::SetDesiredIncrement(double v) {
  Increment = v;
  Changed();
}

void TChartAxis::SetRoundFirstLabel(bool v) {
  RoundFirstLabel = v;
  Changed();
}

void TChartAxis::SetGridVisible(bool v) {
  GridVisible = v;
  Changed();
}

void TChartAxis::SetTitle(const std::string& caption, int angle) {
  Title = caption;
  TitleAngle = angle;
  Changed();
}

void TChartAxis::SetDateScale(const std::string& title, double increment, const std::string& format) {
  DateTime = true;
  DateTimeFormat = format;
  Increment = increment;
  Title = title;
  Changed();
}

void TChartAxis::SetStartEnd(double startPercent, double endPercent) {
  StartPosition = startPercent;
  EndPosition = endPercent;
  Changed();
}

namespace {

bool SeriesOnAxis(const TChartSeries& s, const TChartAxis& axis) {
  if (axis.Horizontal()) return &s.GetHorizAxis() == &axis;
  return &s.GetVertAxis() == &axis;
}

}  // namespace

bool TChartAxis::DataRange(double& min, double& max) const {
  bool any = false;
  for (const TChartSeries* s : chart_->Series()) {
    if (!s->Active || !SeriesOnAxis(*s, *this)) continue;
    // Bars stand on zero.
    const bool standsOnZero = !Horizontal() && s->Kind() == TSeriesKind::Bar;
    s->WidenRange(Horizontal(), standsOnZero, any, min, max);
  }
  return any;
}

void TChartAxis::AdjustMaxMin() {
  if (!Automatic) return;
  if (!DataRange(Minimum, Maximum)) Minimum = Maximum = 0;
  Changed();
}

void TChartAxis::RoundOutward(double step, double margin) {
  SetMinMax(std::floor(Minimum / step) * step - margin, std::ceil(Maximum / step) * step + margin);
}

void TChartAxis::CurrentLimits(double& min, double& max) const {
  if (Automatic && DataRange(min, max)) return;
  min = Minimum;
  max = Maximum;
}

// ---------------------------------------------------------------- series

TChartSeries::TChartSeries(std::string name, TChart* chart, TSeriesKind kind)
    : TComponent(std::move(name)), chart_(chart), kind_(kind) {}

TChartSeries::~TChartSeries() {
  if (source_) {
    auto& f = source_->followers_;
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
  }
  for (TChartSeries* follower : followers_) follower->source_ = nullptr;
}

void TChartSeries::Changed() const { chart_->Changed(); }

void TChartSeries::SetTitle(const std::string& v) {
  Title = v;
  Changed();
}

void TChartSeries::SetActive(bool v) {
  Active = v;
  Changed();
}

void TChartSeries::SetShowInLegend(bool v) {
  ShowInLegend = v;
  Changed();
}

void TChartSeries::SetColor(TColor v) {
  SeriesColor = v;
  Changed();
}

void TChartSeries::SetVertAxis(TVertAxis v) {
  VertAxis = v;
  if (v != TVertAxis::aCustomVertAxis) CustomVertAxis = nullptr;
  Changed();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* axis) {
  CustomVertAxis = axis;
  VertAxis = axis ? TVertAxis::aCustomVertAxis : TVertAxis::aLeftAxis;
  Changed();
}

TChartAxis& TChartSeries::GetVertAxis() const {
  if (VertAxis == TVertAxis::aCustomVertAxis && CustomVertAxis) return *CustomVertAxis;
  return VertAxis == TVertAxis::aRightAxis ? chart_->RightAxis : chart_->LeftAxis;
}

TChartAxis& TChartSeries::GetHorizAxis() const {
  return HorizAxis == THorizAxis::aTopAxis ? chart_->TopAxis : chart_->BottomAxis;
}

bool TChartSeries::HasSecondX() const {
  return kind_ == TSeriesKind::Arrow || kind_ == TSeriesKind::Gantt || kind_ == TSeriesKind::Shape;
}

bool TChartSeries::HasSecondY() const { return kind_ == TSeriesKind::Arrow || kind_ == TSeriesKind::Shape; }

void TChartSeries::Reserve(int count) {
  const size_t n = static_cast<size_t>(std::max(count, 0));
  x_.reserve(n);
  y_.reserve(n);
  if (HasSecondX()) x1_.reserve(n);
  if (HasSecondY()) y1_.reserve(n);
  if (!colors_.empty()) colors_.reserve(n);
  for (TChartSeries* follower : followers_) follower->Reserve(count);
}

int TChartSeries::AddPoint(double x, double y, double x1, double y1, const std::string& label, TColor color) {
  const int index = Count();
  if (color != clTeeColor && colors_.empty()) {
    // The first point of a colour of its own: the points before it get theirs.
    colors_.reserve(std::max(x_.capacity(), x_.size() + 1));
    colors_.assign(x_.size(), clTeeColor);
  }
  if (color != clTeeColor || !colors_.empty()) colors_.push_back(color);
  x_.push_back(x);
  y_.push_back(y);
  if (HasSecondX()) x1_.push_back(x1);
  if (HasSecondY()) y1_.push_back(y1);
  if (!label.empty()) labels_.push_back({index, label});
  for (TChartSeries* follower : followers_) follower->AddPoint(x, y, x, y, std::string(), clTeeColor);
  Changed();
  return index;
}

int TChartSeries::AddXY(double x, double y, const std::string& label, TColor color) {
  return AddPoint(x, y, x, y, label, color);
}

void TChartSeries::Clear() {
  x_.clear();
  y_.clear();
  x1_.clear();
  y1_.clear();
  colors_.clear();
  labels_.clear();
  for (TChartSeries* follower : followers_) follower->Clear();
  Changed();
}

void TChartSeries::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  for (std::vector<double>* column : {&x_, &y_, &x1_, &y1_})
    if (!column->empty()) column->erase(column->begin() + index);
  if (!colors_.empty()) colors_.erase(colors_.begin() + index);
  auto label = std::lower_bound(labels_.begin(), labels_.end(), index,
                                [](const Label& l, int i) { return l.index < i; });
  if (label != labels_.end() && label->index == index) label = labels_.erase(label);
  for (; label != labels_.end(); ++label) --label->index;
  for (TChartSeries* follower : followers_) follower->Delete(index);
  Changed();
}

namespace {

// Keeps the items whose flag in `remove` is not set (items beyond its end
// are kept), in order.
template <class T>
void KeepUnflagged(std::vector<T>& items, const std::vector<bool>& remove) {
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i)
    if (i >= remove.size() || !remove[i]) items[kept++] = std::move(items[i]);
  items.resize(kept);
}

}  // namespace

void TChartSeries::DeletePoints(const std::vector<bool>& remove) {
  const size_t before = x_.size();
  for (std::vector<double>* column : {&x_, &y_, &x1_, &y1_}) KeepUnflagged(*column, remove);
  if (x_.size() == before) return;
  KeepUnflagged(colors_, remove);
  // Labels move down by the number of points deleted before them.
  size_t kept = 0, deleted = 0, next = 0;
  for (Label& label : labels_) {
    const size_t index = static_cast<size_t>(label.index);
    for (; next < index && next < remove.size(); ++next) deleted += remove[next];
    if (index < remove.size() && remove[index]) continue;
    label.index = static_cast<int>(index - deleted);
    if (&labels_[kept] != &label) labels_[kept] = std::move(label);
    ++kept;
  }
  labels_.resize(kept);
  for (TChartSeries* follower : followers_) follower->DeletePoints(remove);
  Changed();
}

void TChartSeries::SetYValue(int index, double y) {
  if (index < 0 || index >= Count()) return;
  y_[static_cast<size_t>(index)] = y;
  for (TChartSeries* follower : followers_) follower->SetYValue(index, y);
  Changed();
}

TChartPoint TChartSeries::Point(int index) const {
  const size_t i = static_cast<size_t>(index);
  TChartPoint p;
  p.X = x_.at(i);
  p.Y = y_[i];
  p.X1 = HasSecondX() ? x1_[i] : p.X;
  p.Y1 = HasSecondY() ? y1_[i] : p.Y;
  if (!colors_.empty()) p.Color = colors_[i];
  auto label = std::lower_bound(labels_.begin(), labels_.end(), index,
                                [](const Label& l, int at) { return l.index < at; });
  if (label != labels_.end() && label->index == index) p.Label = label->text;
  return p;
}

TColor TChartSeries::PointColor(int index) const {
  const size_t i = static_cast<size_t>(index);
  if (i >= x_.size()) throw std::out_of_range("no point " + std::to_string(index));
  const TColor c = colors_.empty() ? clTeeColor : colors_[i];
  return c == clTeeColor ? SeriesColor : c;
}

namespace {

void Widen(double v, bool& any, double& min, double& max) {
  if (!std::isfinite(v)) return;
  if (!any) {
    min = max = v;
    any = true;
    return;
  }
  min = std::min(min, v);
  max = std::max(max, v);
}

}  // namespace

void TChartSeries::WidenRange(bool alongX, bool withZero, bool& any, double& min, double& max) const {
  const std::vector<double>& first = alongX ? x_ : y_;
  const std::vector<double>& second = alongX ? x1_ : y1_;
  // Only which zero, -0 or +0, is kept depends on the order of the values:
  // the ends are found in one plain pass unless one of them is a zero.
  double low = std::numeric_limits<double>::infinity(), high = -low;
  for (const std::vector<double>* values : {&first, &second}) {
    for (double v : *values) {
      const bool finite = std::fabs(v) <= std::numeric_limits<double>::max();
      low = finite && v < low ? v : low;
      high = finite && v > high ? v : high;
    }
  }
  if (withZero && !first.empty()) low = std::min(low, 0.0), high = std::max(high, 0.0);
  if (low > high) return;  // nothing finite
  if (low != 0 && high != 0) {
    Widen(low, any, min, max);
    Widen(high, any, min, max);
    return;
  }
  for (size_t i = 0; i < first.size(); ++i) {
    Widen(first[i], any, min, max);
    if (!second.empty()) Widen(second[i], any, min, max);
    if (withZero) Widen(0.0, any, min, max);
  }
}

void TChartSeries::SetDataSource(TChartSeries* source) {
  if (source_) {
    auto& f = source_->followers_;
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
  }
  source_ = source;
  if (source_) source_->followers_.push_back(this);
  CopyFromSource();
}

void TChartSeries::CopyFromSource() {
  // A follower takes x and y only: its points have no label and its own colour.
  x_.clear();
  y_.clear();
  if (source_) {
    x_ = source_->x_;
    y_ = source_->y_;
  }
  x1_.clear();
  y1_.clear();
  if (HasSecondX()) x1_ = x_;
  if (HasSecondY()) y1_ = y_;
  colors_.clear();
  labels_.clear();
  Changed();
}

TPointSeries::TPointSeries(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Point) {
  LineVisible = false;
}

TArrowSeries::TArrowSeries(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Arrow) {}

int TArrowSeries::AddArrow(double x0, double y0, double x1, double y1, const std::string& label,
                           TColor color) {
  return AddPoint(x0, y0, x1, y1, label, color);
}

void TArrowSeries::SetArrowHead(int height, int width) {
  ArrowHeight = height;
  ArrowWidth = width;
  ParentChart()->Changed();
}

TBarSeries::TBarSeries(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Bar) {}

TAreaSeries::TAreaSeries(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Area) {
  Pointer.Visible = false;
}

TGanttSeries::TGanttSeries(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Gantt) {}

int TGanttSeries::AddGanttColor(double start, double end, double y, const std::string& label,
                                TColor color) {
  return AddPoint(start, y, end, y, label, color);
}

TChartShape::TChartShape(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Shape) {
  ShowInLegend = false;
}

void TChartShape::SetBounds(double x0, double y0, double x1, double y1) {
  Clear();
  AddPoint(x0, y0, x1, y1, std::string(), clTeeColor);
}

// ---------------------------------------------------------------- chart

TChart::TChart(std::string name, TWinControl* parent) : TWinControl(std::move(name), parent) {
  Color = clWhite;
  TopAxis.Visible = false;
}

TChart::~TChart() = default;

TChartAxis* TChart::AddCustomAxis() {
  customAxes_.push_back(std::make_unique<TChartAxis>(this, TAxisKind::Custom));
  Changed();
  return customAxes_.back().get();
}

void TChart::RemoveAllSeries() {
  series_.clear();
  Changed();
}

void TChart::AddExistingSeries(TChartSeries* series) {
  if (std::find(series_.begin(), series_.end(), series) == series_.end()) series_.push_back(series);
  Changed();
}

void TChart::AfterDraw(int plotLeft, int plotTop, int plotWidth, int plotHeight) {
  if (!OnAfterDraw) return;
  TChartDrawing drawing(*this, plotLeft, plotTop, plotWidth, plotHeight);
  OnAfterDraw(&drawing);
}

TColor TChart::NextSeriesColor() const {
  // Plain colours that read well on a white ground.
  static constexpr TColor kAutomatic[] = {clRed,    clGreen, clBlue,   clFuchsia, clTeal, clNavy,
                                          clMaroon, clOlive, clPurple, clGray,    clBlack};
  for (const TColor c : kAutomatic) {
    auto wears = [c](const TChartSeries* s) { return s->SeriesColor == c; };
    if (std::none_of(series_.begin(), series_.end(), wears)) return c;
  }
  return kAutomatic[series_.size() % std::size(kAutomatic)];
}
