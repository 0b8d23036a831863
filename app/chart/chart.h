#pragma once
// The chart model: charts, axes and series as the loaders describe them.
// Holds data and settings only; render/ lays it out and paints it.

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/controls/controls.h"

class TChart;
class TChartSeries;

// A list of text lines that tells its chart when it changes.
class TChartText {
 public:
  explicit TChartText(TChart* chart) : chart_(chart) {}
  void Clear();
  void Add(const std::string& line);
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& operator[](int i) const { return lines_.at(static_cast<size_t>(i)); }
  const std::vector<std::string>& Lines() const { return lines_; }

  TColor FontColor = clBlue;
  int FontHeight = 12;  // pixels
  bool Visible = true;

 private:
  TChart* chart_;
  std::vector<std::string> lines_;
};

enum class TAxisKind { Bottom, Left, Right, Top, Custom };

class TChartAxis {
 public:
  TChartAxis(TChart* chart, TAxisKind kind);

  TAxisKind Kind() const { return kind_; }
  bool Horizontal() const { return kind_ == TAxisKind::Bottom || kind_ == TAxisKind::Top; }
  // A vertical axis drawn at the right edge of the plot.
  bool AtRight() const { return kind_ == TAxisKind::Right || (kind_ == TAxisKind::Custom && OtherSide); }
  TChart* ParentChart() const { return chart_; }

  bool Automatic = true;
  double Minimum = 0;
  double Maximum = 0;
  bool Logarithmic = false;
  bool Inverted = false;
  double Increment = 0;  // desired step between labels; 0 lets the axis choose
  bool DateTime = false;  // labels are serial dates written with DateTimeFormat
  std::string DateTimeFormat = "dd/MM/yy";
  std::string LabelsFormat = "#,##0.###";  // FormatFloat pattern of value labels
  bool LabelsVisible = true;
  // Label the axis with the texts of the labelled points drawn against it, at
  // their positions, instead of with values (the rows of a time line).
  bool PointLabels = false;
  int LabelsSeparation = 10;  // least gap between labels, per cent of a label's size
  bool RoundFirstLabel = true;
  bool GridVisible = true;
  bool Visible = true;
  std::string Title;
  int TitleAngle = 0;  // degrees; 90 reads upwards, 270 downwards
  // Extent along the plot, in per cent from the top (vertical) or left (horizontal).
  double StartPosition = 0;
  double EndPosition = 100;
  bool OtherSide = false;  // custom axes: false at the left edge, true at the right

  void SetAutomatic(bool v);
  void SetMinimum(double v);
  void SetMaximum(double v);
  void SetMinMax(double min, double max);
  void SetLogarithmic(bool v);
  void SetInverted(bool v);
  void SetDesiredIncrement(double v);
  void SetRoundFirstLabel(bool v);
  void SetGridVisible(bool v);
  void SetTitle(const std::string& caption, int angle);
  void SetStartEnd(double startPercent, double endPercent);
  // A date axis of daily records: serial dates labelled with `format`, labels
  // at least `increment` days apart (0 lets the axis choose).
  void SetDateScale(const std::string& title, double increment = 1.0, const std::string& format = "dd/MM/yy");

  // An automatic axis takes the exact minimum and maximum of the data of the
  // active series drawn on it (0 and 0 when there is none); a fixed axis keeps
  // its limits.
  void AdjustMaxMin();
  // Automatic, AdjustMaxMin, then fixed: the limits stay where the data puts them now.
  void FixToData() {
    SetAutomatic(true);
    AdjustMaxMin();
    SetAutomatic(false);
  }
  // Fixes the axis at its limits rounded outward to whole multiples of `step`
  // and widened by `margin` at each end.
  void RoundOutward(double step, double margin);
  // The limits the axis shows now: the data's when automatic, else its own.
  void CurrentLimits(double& min, double& max) const;
  // Exact range of the data of the active series on this axis; false if none.
  bool DataRange(double& min, double& max) const;

 private:
  void Changed() const;
  TChart* chart_;
  TAxisKind kind_;
};

enum class TSeriesKind { Line, Point, Arrow, Bar, Area, Gantt, Shape };
enum class TPointerStyle { psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot };
enum class TVertAxis { aLeftAxis, aRightAxis, aCustomVertAxis };
enum class THorizAxis { aBottomAxis, aTopAxis };

// One data point, as a series hands it out. Arrows run from (X, Y) to
// (X1, Y1); a Gantt bar runs from X to X1 in row Y; a shape spans (X, Y) to
// (X1, Y1); other points have X1 = X and Y1 = Y.
struct TChartPoint {
  double X = 0, Y = 0, X1 = 0, Y1 = 0;
  std::string Label;
  TColor Color = clTeeColor;
};

struct TSeriesPointer {
  bool Visible = true;
  TPointerStyle Style = TPointerStyle::psRectangle;
  int HorizSize = 4;  // half width, pixels
  int VertSize = 4;   // half height, pixels
  bool OutlineVisible = true;
  TColor OutlineColor = clBlack;
  int OutlineWidth = 1;
  TColor BrushColor = clTeeColor;  // fill; clTeeColor fills with the point's colour
};

struct TSeriesMarks {
  bool Visible = false;
  bool Transparent = false;
  bool Frame = true;
  TColor FontColor = clBlack;
  int FontHeight = 11;  // pixels
  bool ArrowVisible = true;  // the callout line from the point to its label
  int ArrowLength = 8;       // pixels
  TColor ArrowColor = clWhite;
};

class TChartSeries : public TComponent {
 public:
  TChartSeries(std::string name, TChart* chart, TSeriesKind kind);
  ~TChartSeries() override;

  TSeriesKind Kind() const { return kind_; }
  TChart* ParentChart() const { return chart_; }

  std::string Title;
  bool Active = true;
  bool ShowInLegend = true;
  TColor SeriesColor = clRed;
  TVertAxis VertAxis = TVertAxis::aLeftAxis;
  TChartAxis* CustomVertAxis = nullptr;
  THorizAxis HorizAxis = THorizAxis::aBottomAxis;
  std::string ValueFormat = "#,##0.###";  // marks that show a value
  bool LineVisible = true;  // line and area series: the connecting line
  int LineWidth = 1;
  bool LineDotted = false;  // the connecting line drawn dotted
  TSeriesPointer Pointer;
  TSeriesMarks Marks;

  void SetTitle(const std::string& v);
  void SetActive(bool v);
  void SetShowInLegend(bool v);
  void SetColor(TColor v);
  void SetVertAxis(TVertAxis v);
  void SetCustomVertAxis(TChartAxis* axis);
  // The vertical axis the series is drawn against.
  TChartAxis& GetVertAxis() const;
  TChartAxis& GetHorizAxis() const;

  int AddXY(double x, double y, const std::string& label = "", TColor color = clTeeColor);
  // Room for `count` points in all (followers too), so that a loader that
  // knows its record count grows the point lists once.
  void Reserve(int count);
  void Clear();
  int Count() const { return static_cast<int>(x_.size()); }
  void Delete(int index);
  // Deletes every point whose flag in `remove` is set, in one pass.
  void DeletePoints(const std::vector<bool>& remove);
  double XValue(int index) const { return x_.at(static_cast<size_t>(index)); }
  double YValue(int index) const { return y_.at(static_cast<size_t>(index)); }
  // The x and the y of every point, in order: whole series at once.
  const std::vector<double>& XValues() const { return x_; }
  const std::vector<double>& YValues() const { return y_; }
  // Those at the other end of arrows and shapes; empty for other kinds.
  const std::vector<double>& X1Values() const { return x1_; }
  const std::vector<double>& Y1Values() const { return y1_; }
  void SetYValue(int index, double y);
  TChartPoint Point(int index) const;
  // The colour a point is drawn in: its own, or the series' for clTeeColor.
  TColor PointColor(int index) const;
  // Widens [min, max] (empty while `any` is false) by the finite values of
  // the points, in order, along x (both ends of arrows, Gantt bars and
  // shapes) or along y (both ends of arrows and shapes), and by 0 after each
  // point `withZero`.
  void WidenRange(bool alongX, bool withZero, bool& any, double& min, double& max) const;

  // Every point in order, as Point gives it.
  class PointList {
   public:
    class iterator {
     public:
      using iterator_category = std::input_iterator_tag;
      using value_type = TChartPoint;
      using difference_type = std::ptrdiff_t;
      using pointer = void;
      using reference = TChartPoint;
      iterator(const TChartSeries* series, int index) : series_(series), index_(index) {}
      TChartPoint operator*() const { return series_->Point(index_); }
      iterator& operator++() {
        ++index_;
        return *this;
      }
      bool operator==(const iterator& other) const { return index_ == other.index_; }
      bool operator!=(const iterator& other) const { return index_ != other.index_; }

     private:
      const TChartSeries* series_;
      int index_;
    };
    explicit PointList(const TChartSeries* series) : series_(series) {}
    iterator begin() const { return {series_, 0}; }
    iterator end() const { return {series_, series_->Count()}; }
    size_t size() const { return static_cast<size_t>(series_->Count()); }
    bool empty() const { return series_->Count() == 0; }

   private:
    const TChartSeries* series_;
  };
  PointList Points() const { return PointList(this); }

  // Makes this series a copy of `source` (x and y) that follows it from now on.
  void SetDataSource(TChartSeries* source);
  TChartSeries* DataSource() const { return source_; }

 protected:
  int AddPoint(double x, double y, double x1, double y1, const std::string& label, TColor color);

 private:
  struct Label {
    int index;
    std::string text;
  };
  // Points of arrows, Gantt bars and shapes have an x of their own at the
  // other end; those of arrows and shapes a y too.
  bool HasSecondX() const;
  bool HasSecondY() const;
  void Changed() const;
  void CopyFromSource();
  TChart* chart_;
  TSeriesKind kind_;
  // The points by column, so that millions of them stay compact.
  std::vector<double> x_, y_;
  std::vector<double> x1_, y1_;  // only where the kind has a second x or y
  // Empty while every point has clTeeColor, else one colour per point.
  std::vector<TColor> colors_;
  std::vector<Label> labels_;  // the points with a label, by index
  TChartSeries* source_ = nullptr;
  std::vector<TChartSeries*> followers_;
};

class TLineSeries : public TChartSeries {
 public:
  TLineSeries(std::string name, TChart* chart) : TChartSeries(std::move(name), chart, TSeriesKind::Line) {}
};

class TPointSeries : public TChartSeries {
 public:
  TPointSeries(std::string name, TChart* chart);
};

class TArrowSeries : public TChartSeries {
 public:
  TArrowSeries(std::string name, TChart* chart);
  int AddArrow(double x0, double y0, double x1, double y1, const std::string& label = "",
               TColor color = clTeeColor);
  int ArrowHeight = 4;  // head size in pixels
  int ArrowWidth = 4;
  void SetArrowHead(int height, int width);
};

class TBarSeries : public TChartSeries {
 public:
  TBarSeries(std::string name, TChart* chart);
  int BarWidthPercent = 70;
};

class TAreaSeries : public TChartSeries {
 public:
  TAreaSeries(std::string name, TChart* chart);
  int Transparency = 0;       // per cent
  bool GradientBottomToTop = false;
};

class TGanttSeries : public TChartSeries {
 public:
  TGanttSeries(std::string name, TChart* chart);
  int AddGanttColor(double start, double end, double y, const std::string& label = "",
                    TColor color = clTeeColor);
};

enum class TChartShapeStyle { chasRectangle, chasCircle, chasLine };

class TChartShape : public TChartSeries {
 public:
  TChartShape(std::string name, TChart* chart);
  TChartShapeStyle Style = TChartShapeStyle::chasRectangle;
  // The shape's two corners.
  void SetBounds(double x0, double y0, double x1, double y1);
};

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };

struct TChartLegend {
  bool Visible = true;
  TLegendAlignment Alignment = TLegendAlignment::laRight;
  bool Inverted = false;  // list the series last to first
  int SymbolWidth = 20;   // pixels
};

// What an after-draw handler learns of the drawing that just ended. The
// model keeps no drawing; this lives for the event only.
class TChartDrawing : public TObject {
 public:
  TChartDrawing(TChart& chart, int plotLeft, int plotTop, int plotWidth, int plotHeight)
      : Chart(chart), PlotLeft(plotLeft), PlotTop(plotTop), PlotWidth(plotWidth), PlotHeight(plotHeight) {}
  TChart& Chart;
  const int PlotLeft, PlotTop, PlotWidth, PlotHeight;  // pixels
};

class TChart : public TWinControl {
 public:
  TChart(std::string name, TWinControl* parent);
  ~TChart() override;

  TChartText Title{this};
  TChartText Foot{this};
  TChartLegend Legend;
  TColor BackColor = clWhite;
  // A chart stacked with this one: both plots take the same left and right
  // edges, so that axes along them line up. Set on both charts.
  const TChart* AlignPlotWith = nullptr;
  TChartAxis BottomAxis{this, TAxisKind::Bottom};
  TChartAxis LeftAxis{this, TAxisKind::Left};
  TChartAxis RightAxis{this, TAxisKind::Right};
  TChartAxis TopAxis{this, TAxisKind::Top};
  const std::vector<std::unique_ptr<TChartAxis>>& CustomAxes() const { return customAxes_; }
  TChartAxis* AddCustomAxis();

  // Series drawn on this chart, in drawing order.
  const std::vector<TChartSeries*>& Series() const { return series_; }
  template <class S>
  S* AddSeries(std::string name) {
    auto owned = std::make_unique<S>(std::move(name), this);
    S* s = owned.get();
    owned_.push_back(std::move(owned));
    series_.push_back(s);
    Changed();
    return s;
  }
  // The colour a new series takes: the first of the chart's automatic colours
  // that no series on it wears yet; once every one is worn they repeat.
  TColor NextSeriesColor() const;
  // Detaches every series; they stay alive (the form still names them).
  void RemoveAllSeries();
  // Attaches a detached series again, at the end.
  void AddExistingSeries(TChartSeries* series);

  // Raised after every drawing of the chart, with the drawing (a
  // TChartDrawing) as the sender.
  TNotifyEvent OnAfterDraw;
  // Raises OnAfterDraw for a drawing whose plot had the given pixel rectangle.
  void AfterDraw(int plotLeft, int plotTop, int plotWidth, int plotHeight);
  // Asks bound views to draw the chart again.
  void Repaint() { Changed(); }

 private:
  std::vector<std::unique_ptr<TChartAxis>> customAxes_;
  std::vector<std::unique_ptr<TChartSeries>> owned_;
  std::vector<TChartSeries*> series_;
};
