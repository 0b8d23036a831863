#include "app/chart/chart.h"

#include <algorithm>
#include <iterator>
#include <cmath>

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

bool TChartAxis::DataRange(double& min, double& max) const {
  bool any = false;
  for (const TChartSeries* s : chart_->Series()) {
    if (!s->Active || !SeriesOnAxis(*s, *this)) continue;
    const TSeriesKind kind = s->Kind();
    // Arrows and shapes count both ends, Gantt bars their start and end along x.
    const bool twoX = kind == TSeriesKind::Arrow || kind == TSeriesKind::Gantt || kind == TSeriesKind::Shape;
    const bool twoY = kind == TSeriesKind::Arrow || kind == TSeriesKind::Shape;
    for (const TChartPoint& p : s->Points()) {
      if (Horizontal()) {
        Widen(p.X, any, min, max);
        if (twoX) Widen(p.X1, any, min, max);
      } else {
        Widen(p.Y, any, min, max);
        if (twoY) Widen(p.Y1, any, min, max);
        // Bars stand on zero.
        if (kind == TSeriesKind::Bar) Widen(0.0, any, min, max);
      }
    }
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

int TChartSeries::AddPoint(const TChartPoint& point) {
  points_.push_back(point);
  for (TChartSeries* follower : followers_) {
    TChartPoint copy;
    copy.X = point.X;
    copy.Y = point.Y;
    follower->AddPoint(copy);
  }
  Changed();
  return Count() - 1;
}

int TChartSeries::AddXY(double x, double y, const std::string& label, TColor color) {
  TChartPoint p;
  p.X = p.X1 = x;
  p.Y = p.Y1 = y;
  p.Label = label;
  p.Color = color;
  return AddPoint(p);
}

void TChartSeries::Clear() {
  points_.clear();
  for (TChartSeries* follower : followers_) follower->Clear();
  Changed();
}

void TChartSeries::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  points_.erase(points_.begin() + index);
  for (TChartSeries* follower : followers_) follower->Delete(index);
  Changed();
}

void TChartSeries::DeletePoints(const std::vector<bool>& remove) {
  size_t kept = 0;
  for (size_t i = 0; i < points_.size(); ++i)
    if (i >= remove.size() || !remove[i]) points_[kept++] = std::move(points_[i]);
  if (kept == points_.size()) return;
  points_.resize(kept);
  for (TChartSeries* follower : followers_) follower->DeletePoints(remove);
  Changed();
}

void TChartSeries::SetYValue(int index, double y) {
  if (index < 0 || index >= Count()) return;
  TChartPoint& p = points_[static_cast<size_t>(index)];
  if (kind_ != TSeriesKind::Arrow && kind_ != TSeriesKind::Shape) p.Y1 = y;
  p.Y = y;
  for (TChartSeries* follower : followers_) follower->SetYValue(index, y);
  Changed();
}

TColor TChartSeries::PointColor(int index) const {
  const TColor c = Point(index).Color;
  return c == clTeeColor ? SeriesColor : c;
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
  points_.clear();
  if (source_) {
    for (const TChartPoint& p : source_->Points()) {
      TChartPoint copy;
      copy.X = copy.X1 = p.X;
      copy.Y = copy.Y1 = p.Y;
      points_.push_back(copy);
    }
  }
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
  TChartPoint p;
  p.X = x0;
  p.Y = y0;
  p.X1 = x1;
  p.Y1 = y1;
  p.Label = label;
  p.Color = color;
  return AddPoint(p);
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
  TChartPoint p;
  p.X = start;
  p.X1 = end;
  p.Y = p.Y1 = y;
  p.Label = label;
  p.Color = color;
  return AddPoint(p);
}

TChartShape::TChartShape(std::string name, TChart* chart)
    : TChartSeries(std::move(name), chart, TSeriesKind::Shape) {
  ShowInLegend = false;
}

void TChartShape::SetBounds(double x0, double y0, double x1, double y1) {
  Clear();
  TChartPoint p;
  p.X = x0;
  p.Y = y0;
  p.X1 = x1;
  p.Y1 = y1;
  AddPoint(p);
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
