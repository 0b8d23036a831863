#include "app/chart/render/chart_renderer.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cmath>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "app/chart/render/chart_export.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/colors.h"
#include "core/errors.h"
#include "core/serial_date.h"
#include "tests/app/finishes_within.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

// The plot rectangle of a chart drawn on `image`.
QRect PlotOf(const TChart& chart, const QImage& image) { return LayoutChart(chart, image.rect()).plot; }

// A chart with fixed 0..10 axes, no legend and no title, so that a value's
// pixel follows from the plot rectangle alone.
struct Fixture {
  TChart chart{"Chart", nullptr};
  Fixture() {
    chart.Legend.Visible = false;
    chart.BottomAxis.SetMinMax(0, 10);
    chart.LeftAxis.SetMinMax(0, 10);
    chart.BottomAxis.GridVisible = false;
    chart.LeftAxis.GridVisible = false;
  }
  QRect plot;  // of the last rendering
  ChartLayout layout;
  QImage Render(int w = 400, int h = 300) {
    QImage image = RenderChartImage(chart, w, h);
    layout = LayoutChart(chart, image.rect());
    plot = layout.plot;
    return image;
  }
  // The pixel of a value pair on the bottom and left axes.
  QPoint At(double x, double y) const {
    double px = 0, py = 0;
    EXPECT_TRUE(layout.Find(chart.BottomAxis)->map.ToPixel(x, px));
    EXPECT_TRUE(layout.Find(chart.LeftAxis)->map.ToPixel(y, py));
    return QPoint(static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py)));
  }
};

QColor PixelAt(const QImage& image, QPoint p) { return image.pixelColor(p); }

bool IsInk(const QColor& c) { return c.lightness() < 160; }

// The font of axis labels.
QFont LabelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  return font;
}

TEST(ChartColors, ModelColoursBecomeQtColours) {
  struct Case {
    const char* what;
    TColor colour, teeColor;
    QColor expected;
  };
  const Case cases[] = {
      {"red is the low byte", clRed, clBlack, kRed},
      {"blue is the high byte", clBlue, clBlack, kBlue},
      {"mixed", 0x123456, clBlack, QColor(0x56, 0x34, 0x12)},
      {"window face", clBtnFace, clBlack, QColor(240, 240, 240)},
      {"tee colour stands for the default", clTeeColor, clWhite, kWhite},
      {"tee colour without one", clTeeColor, clTeeColor, QColor(240, 240, 240)},
  };
  for (const Case& c : cases) EXPECT_EQ(ToQColor(c.colour, c.teeColor), c.expected) << c.what;
}

TEST(ChartRender, DrawsEachKindWhereItsValuesAre) {
  Fixture f;
  auto* points = f.chart.AddSeries<TPointSeries>("Points");
  points->SeriesColor = clRed;
  points->AddXY(2, 8);                      // series colour
  points->AddXY(3, 8, "", clBlue);          // its own colour
  auto* arrows = f.chart.AddSeries<TArrowSeries>("Arrows");
  arrows->LineWidth = 3;
  arrows->AddArrow(5, 1, 5, 6, "", clGreen);
  arrows->AddArrow(1, 1, 1, 1, "", clBlue);  // no length: nothing to draw
  auto* gantt = f.chart.AddSeries<TGanttSeries>("Gantt");
  gantt->Pointer.VertSize = 3;
  gantt->AddGanttColor(6, 7.5, 9, "", clBlue);
  auto* bars = f.chart.AddSeries<TBarSeries>("Bars");
  bars->SeriesColor = clRed;
  bars->AddXY(8, 7);
  bars->AddXY(9, 7);
  const QImage image = f.Render();
  ASSERT_GT(f.plot.width(), 100);
  ASSERT_GT(f.plot.height(), 100);

  struct Probe {
    const char* what;
    double x, y;
    int dx, dy;
    QColor colour;
  };
  const Probe probes[] = {
      {"red point", 2, 8, 0, 0, kRed},
      {"blue point", 3, 8, 0, 0, kBlue},
      {"beside the points", 2.5, 8, 0, 0, kWhite},
      {"arrow shaft", 5, 3, 0, 0, kGreen},
      {"arrow head", 5, 6, 0, 2, kGreen},
      {"beyond the arrow head", 5, 6, 0, -4, kWhite},
      {"below the arrow's start", 5, 1, 0, 4, kWhite},
      {"zero-length arrow", 1, 1, 0, 0, kWhite},
      {"gantt middle", 6.75, 9, 0, 0, kBlue},
      {"gantt edge", 6.75, 9, 0, 1, kBlue},
      {"beside the gantt bar", 6.75, 9, 0, 6, kWhite},
      {"before the gantt start", 6, 9, -4, 0, kWhite},
      {"bar", 8, 4, 0, 0, kRed},
      {"above the bar", 8, 7.5, 0, 0, kWhite},
  };
  for (const Probe& p : probes) {
    const QColor c = PixelAt(image, f.At(p.x, p.y) + QPoint(p.dx, p.dy));
    EXPECT_EQ(c, p.colour) << p.what << ": " << c.name().toStdString();
  }
}

TEST(ChartRender, PaintsNothingOutsideThePlotForPointsOutOfRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Fixture plain;
  plain.chart.AddSeries<TPointSeries>("Points")->AddXY(5, 5);
  const QImage expected = plain.Render();

  Fixture wild;
  auto* s = wild.chart.AddSeries<TPointSeries>("Points");
  s->AddXY(5, 5);
  auto* line = wild.chart.AddSeries<TLineSeries>("Line");
  auto* edge = wild.chart.AddSeries<TPointSeries>("Edge");
  edge->Pointer.HorizSize = edge->Pointer.VertSize = 8;
  edge->AddXY(10, 10);  // in the corner: only its inner quarter shows
  const double xs[] = {-50, 100, 5, nan, inf, -inf, 1e300, 3, -1e300};
  const double ys[] = {5, 5, 1e300, 5, 5, 3, 1e300, nan, -1e300};
  for (size_t i = 0; i < std::size(xs); ++i) {
    s->AddXY(xs[i], ys[i]);
    line->AddXY(xs[i], ys[i]);
  }
  const QImage image = wild.Render();
  ASSERT_EQ(wild.plot, plain.plot);
  const QRect plot = wild.plot;
  int inside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (plot.contains(x, y)) {
        inside += image.pixel(x, y) != expected.pixel(x, y);
        continue;
      }
      ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(inside, 0);  // the corner point and the lines did draw inside
  EXPECT_EQ(PixelAt(image, wild.At(10, 10) + QPoint(-3, 3)), kRed);
}

TEST(ChartRender, HostileValuesDrawInBoundedTime) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double denormal = std::numeric_limits<double>::denorm_min();
  const double huge = 1e20;
  const double hugeUlps = std::nextafter(std::nextafter(std::nextafter(huge, inf), inf), inf);
  struct Case {
    const char* what;
    std::vector<double> values;  // each point at (v, v)
    bool logarithmic, dates;
  };
  const std::vector<Case> cases = {
      {"huge magnitude with ulp spread", {huge, hugeUlps, huge}, false, false},
      {"denormals", {denormal, 40 * denormal, 3 * denormal}, false, false},
      {"all at plus and minus 1e308", {1e308, -1e308, 1e308}, false, false},
      {"only NaN and infinities", {nan, inf, -inf}, false, false},
      {"1e308, NaN and infinities", {1e308, nan, -1e308, inf, -inf}, false, false},
      {"log axis from the denormals to 1e308", {denormal, 1e-200, 1e308}, true, false},
      {"dates far beyond the calendar", {-1e300, 1e300}, false, true},
      {"dates an ulp apart", {1e300, std::nextafter(1e300, inf)}, false, true},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.LeftAxis.SetLogarithmic(c.logarithmic);
    chart.BottomAxis.DateTime = c.dates;
    chart.BottomAxis.SetTitle("Bottom", 0);
    auto* line = chart.AddSeries<TLineSeries>("Line");
    auto* marked = chart.AddSeries<TPointSeries>("Marked");
    marked->Marks.Visible = true;
    for (double v : c.values) {
      line->AddXY(v, v);
      marked->AddXY(v, v);
    }
    const QImage image =
        FinishesWithin(std::chrono::seconds(60), c.what, [&] { return RenderChartImage(chart, 400, 300); });
    ASSERT_FALSE(image.isNull()) << c.what;
    const ChartLayout L = LayoutChart(chart, image.rect());
    for (const TChartAxis* axis : {&chart.BottomAxis, &chart.LeftAxis}) {
      const AxisLayout& v = *L.Find(*axis);
      // Labels stand apart, at least a pixel each: no more than the axis is long.
      const size_t length = static_cast<size_t>(std::abs(v.to - v.from)) + 1;
      EXPECT_LE(v.ticks.size(), length) << c.what;
      EXPECT_LE(v.labels.size(), v.ticks.size()) << c.what;
      // Along its axis every label stays on the image (a label of 1e308 written
      // out may well be wider than the image across a vertical axis).
      for (const AxisLabelLayout& label : v.labels) {
        const QRectF& r = label.rect;
        const bool inside = axis->Horizontal() ? r.left() >= 0 && r.right() <= image.width()
                                               : r.top() >= 0 && r.bottom() <= image.height();
        EXPECT_TRUE(inside) << c.what << ": " << label.text.toStdString();
      }
    }
  }
}

TEST(ChartRender, SkipsInactiveSeriesAndDrawsInOrder) {
  Fixture f;
  auto* hidden = f.chart.AddSeries<TPointSeries>("Hidden");
  hidden->AddXY(2, 2);
  hidden->SetActive(false);
  auto* under = f.chart.AddSeries<TPointSeries>("Under");
  under->SeriesColor = clRed;
  under->AddXY(6, 6);
  auto* over = f.chart.AddSeries<TPointSeries>("Over");
  over->SeriesColor = clBlue;
  over->AddXY(6, 6);
  const QImage image = f.Render();
  EXPECT_EQ(PixelAt(image, f.At(2, 2)), kWhite);
  EXPECT_EQ(PixelAt(image, f.At(6, 6)), kBlue);
  // Detached series are not drawn either.
  f.chart.RemoveAllSeries();
  EXPECT_EQ(PixelAt(f.Render(), f.At(6, 6)), kWhite);
}

TEST(ChartRender, LinesJoinPointsAndBreakAtMissingValues) {
  Fixture f;
  auto* line = f.chart.AddSeries<TLineSeries>("Line");
  line->SeriesColor = clBlue;
  line->Pointer.Visible = false;
  line->LineWidth = 3;
  line->AddXY(1, 2);
  line->AddXY(4, 2);
  line->AddXY(5, std::numeric_limits<double>::quiet_NaN());
  line->AddXY(6, 2);
  line->AddXY(9, 2);
  const QImage image = f.Render();
  EXPECT_EQ(PixelAt(image, f.At(2.5, 2)), kBlue);
  EXPECT_EQ(PixelAt(image, f.At(7.5, 2)), kBlue);
  EXPECT_EQ(PixelAt(image, f.At(5, 2)), kWhite);
}

TEST(ChartRender, AreaFillsDownToItsBandWithTransparency) {
  Fixture f;
  auto* area = f.chart.AddSeries<TAreaSeries>("Area");
  area->SeriesColor = clRed;
  area->Transparency = 50;
  area->LineVisible = false;
  area->AddXY(0, 5);
  area->AddXY(10, 5);
  const QImage image = f.Render();
  const QColor half = PixelAt(image, f.At(5, 2));
  EXPECT_EQ(half.red(), 255);
  EXPECT_NEAR(half.green(), 128, 2);
  EXPECT_NEAR(half.blue(), 128, 2);
  EXPECT_EQ(PixelAt(image, f.At(5, 8)), kWhite);
}

// The pixel of a value on one of the chart's axes as last laid out.
double PixelOn(const ChartLayout& L, const TChartAxis& axis, double v) {
  double p = 0;
  EXPECT_TRUE(L.Find(axis)->map.ToPixel(v, p));
  return p;
}

TEST(ChartRender, SeriesStayInTheirBandsAndEdgePointsShowWhole) {
  Fixture f;
  TChartAxis* low = f.chart.AddCustomAxis();
  low->SetStartEnd(50, 100);
  low->SetMinMax(0, 10);
  TChartAxis* high = f.chart.AddCustomAxis();
  high->OtherSide = true;
  high->SetStartEnd(0, 50);
  high->SetMinMax(0, 10);
  // A point at the top of the lower band, one at the bottom of the upper
  // band, and an area in the lower band that reaches far above it.
  auto* top = f.chart.AddSeries<TPointSeries>("Top");
  top->SetCustomVertAxis(low);
  top->AddXY(3, 10);
  auto* bottom = f.chart.AddSeries<TPointSeries>("Bottom");
  bottom->SeriesColor = clBlue;
  bottom->SetCustomVertAxis(high);
  bottom->AddXY(7, 0);
  auto* area = f.chart.AddSeries<TAreaSeries>("Area");
  area->SeriesColor = clGreen;
  area->LineVisible = false;
  area->SetCustomVertAxis(low);
  area->AddXY(9, 30);
  area->AddXY(10, 30);
  const QImage image = f.Render();
  const AxisLayout& lowBand = *f.layout.Find(*low);
  const AxisLayout& highBand = *f.layout.Find(*high);
  EXPECT_GE(lowBand.from - highBand.to, 4) << "a visible gap between the bands";
  // The points show whole, their pointers within their bands.
  const int topY = static_cast<int>(PixelOn(f.layout, *low, 10));
  const int bottomY = static_cast<int>(PixelOn(f.layout, *high, 0));
  const int topX = f.At(3, 0).x(), bottomX = f.At(7, 0).x();
  EXPECT_EQ(PixelAt(image, QPoint(topX, topY - 3)), kRed);
  EXPECT_EQ(PixelAt(image, QPoint(topX, topY + 3)), kRed);
  EXPECT_EQ(PixelAt(image, QPoint(bottomX, bottomY - 3)), kBlue);
  EXPECT_EQ(PixelAt(image, QPoint(bottomX, bottomY + 3)), kBlue);
  EXPECT_GE(topY - 4, lowBand.from);
  EXPECT_LE(bottomY + 4, highBand.to + 1);
  // The area fills its band up to the band's top and nothing above it.
  const int areaX = f.At(9.5, 0).x();
  EXPECT_EQ(PixelAt(image, QPoint(areaX, static_cast<int>(lowBand.from) + 1)), kGreen);
  for (int y = f.plot.top(); y < static_cast<int>(lowBand.from); ++y) {
    EXPECT_NE(PixelAt(image, QPoint(areaX, y)), kGreen) << y;
  }
  // The right-hand custom axis takes room on the right of the plot.
  EXPECT_LT(f.plot.left() + f.plot.width(), 400 - 20);
}

TEST(ChartRender, EmptyAndDegenerateChartsRender) {
  struct Case {
    const char* what;
    int width, height;
  };
  const Case cases[] = {{"normal", 400, 300}, {"tiny", 3, 3}, {"zero", 0, 0}, {"flat", 500, 12}};
  for (const Case& c : cases) {
    TChart chart("Empty", nullptr);
    chart.Title.Add("A title");
    chart.Foot.Add("A foot");
    chart.LeftAxis.SetLogarithmic(true);
    const QImage image = RenderChartImage(chart, c.width, c.height);
    ASSERT_FALSE(image.isNull()) << c.what;
    EXPECT_GE(PlotOf(chart, image).width(), 0) << c.what;
    EXPECT_GE(PlotOf(chart, image).height(), 0) << c.what;
  }
  TChart chart("Empty", nullptr);
  const QRect plot = PlotOf(chart, RenderChartImage(chart, 400, 300));
  EXPECT_GT(plot.width(), 200);
  EXPECT_GT(plot.height(), 150);
}

TEST(ChartRender, LegendTitleAndFootTakeTheirRoom) {
  auto plot = [](auto setUp) {
    TChart chart("Chart", nullptr);
    chart.AddSeries<TLineSeries>("Series1")->AddXY(1, 1);
    setUp(chart);
    return PlotOf(chart, RenderChartImage(chart, 500, 400));
  };
  const QRect bare = plot([](TChart& c) { c.Legend.Visible = false; });
  struct Case {
    const char* what;
    TLegendAlignment alignment;
    bool leftMoves, topMoves, rightMoves, bottomMoves;
  };
  const Case cases[] = {
      {"right", TLegendAlignment::laRight, false, false, true, false},
      {"left", TLegendAlignment::laLeft, true, false, false, false},
      {"top", TLegendAlignment::laTop, false, true, false, false},
      {"bottom", TLegendAlignment::laBottom, false, false, false, true},
  };
  for (const Case& c : cases) {
    const QRect r = plot([&](TChart& chart) { chart.Legend.Alignment = c.alignment; });
    EXPECT_EQ(r.left() != bare.left(), c.leftMoves) << c.what;
    EXPECT_EQ(r.top() != bare.top(), c.topMoves) << c.what;
    EXPECT_EQ(r.right() != bare.right(), c.rightMoves) << c.what;
    EXPECT_EQ(r.bottom() != bare.bottom(), c.bottomMoves) << c.what;
  }
  const QRect titled = plot([](TChart& c) {
    c.Legend.Visible = false;
    c.Title.Add("First line");
    c.Title.Add("Second line");
    c.Foot.Add("Foot");
  });
  EXPECT_GT(titled.top(), bare.top() + 20);
  EXPECT_LT(titled.bottom(), bare.bottom() - 10);
  // A legend of series without ShowInLegend takes no room.
  const QRect none = plot([](TChart& c) { c.Series()[0]->SetShowInLegend(false); });
  EXPECT_EQ(none, bare);
}

TEST(ChartRender, AxisTitlesAndLabelsTakeTheirRoom) {
  auto plotLeft = [](const std::string& title, int angle, bool labels) {
    TChart chart("Chart", nullptr);
    chart.Legend.Visible = false;
    chart.LeftAxis.SetMinMax(0, 1000);
    chart.LeftAxis.SetTitle(title, angle);
    chart.LeftAxis.LabelsVisible = labels;
    return PlotOf(chart, RenderChartImage(chart, 500, 400)).left();
  };
  const QFontMetrics fm(LabelFont());
  const int bare = plotLeft("", 90, true);
  const std::string title = "Intensity, counts per second";
  const int titleWidth = fm.horizontalAdvance(QString::fromStdString(title));
  struct Case {
    const char* what;
    int angle;
    bool labels;
    int least, most;  // how far the plot moves right of the bare one
  };
  const Case cases[] = {
      {"reads upwards", 90, true, fm.height(), fm.height() + 8},
      {"reads downwards", 270, true, fm.height(), fm.height() + 8},
      {"horizontal", 0, true, titleWidth, titleWidth + 8},
      {"no labels", 90, false, fm.height() - fm.horizontalAdvance(QStringLiteral("1,000")) - 8, fm.height()},
  };
  for (const Case& c : cases) {
    const int moved = plotLeft(title, c.angle, c.labels) - bare;
    EXPECT_GE(moved, c.least) << c.what;
    EXPECT_LE(moved, c.most) << c.what;
  }
}

TEST(ChartRender, LegendShowsEachSeriesInItsColour) {
  TChart chart("Chart", nullptr);
  auto* a = chart.AddSeries<TBarSeries>("Series1");
  a->SeriesColor = clGreen;
  a->AddXY(1, 1);
  const QImage image = RenderChartImage(chart, 500, 300);
  const int legendFrom = PlotOf(chart, image).right() + 2;
  int green = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = legendFrom; x < image.width(); ++x) green += image.pixelColor(x, y) == kGreen;
  }
  EXPECT_GT(green, 20);
}

// Ink in a band of rows or columns, projected onto the other direction.
std::vector<bool> Projection(const QImage& image, const QRect& box, bool ontoX) {
  std::vector<bool> ink(static_cast<size_t>(ontoX ? box.width() : box.height()), false);
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (image.rect().contains(x, y) && IsInk(image.pixelColor(x, y))) ink[static_cast<size_t>(ontoX ? x - box.left() : y - box.top())] = true;
    }
  }
  return ink;
}

std::vector<std::pair<int, int>> Runs(const std::vector<bool>& ink, int join) {
  std::vector<std::pair<int, int>> runs;
  for (int i = 0; i < static_cast<int>(ink.size()); ++i) {
    if (!ink[static_cast<size_t>(i)]) continue;
    if (!runs.empty() && i - runs.back().second <= join) {
      runs.back().second = i;
    } else {
      runs.push_back({i, i});
    }
  }
  return runs;
}

TEST(ChartRender, DateLabelsOf700DaysDoNotOverlap) {
  for (int width : {1010, 600, 300}) {
    TChart chart("Chart", nullptr);
    chart.Legend.Visible = false;
    chart.BottomAxis.DateTime = true;
    chart.BottomAxis.SetDesiredIncrement(1.0);
    chart.BottomAxis.SetTitle("Date", 0);
    const double end = 44000;
    chart.BottomAxis.SetMinMax(end - 700, end);
    auto* s = chart.AddSeries<TPointSeries>("Points");
    for (int d = 0; d <= 700; d += 7) s->AddXY(end - d, d % 50);
    const QImage image = RenderChartImage(chart, width, 400);
    // The label row lies between the ticks and the axis title.
    const int plotBottom = PlotOf(chart, image).bottom();
    const QRect row(0, plotBottom + 6, image.width(), 13);
    const auto labels = Runs(Projection(image, row, true), 3);
    const int one = QFontMetrics(LabelFont()).horizontalAdvance(QStringLiteral("28/08/18"));
    ASSERT_GE(labels.size(), 2u) << width;
    for (const auto& l : labels) EXPECT_LE(l.second - l.first + 1, one + 2) << width << " at " << l.first;
  }
}

// The composite chart's layout: ten bands, alternating left and right.
void BuildBands(TChart& chart, bool titles) {
  chart.Legend.Visible = false;
  const double ranges[][2] = {{0, 1500}, {4.9, 5.1}, {0, 2000}, {0.989, 1.011}, {0, 40}};
  for (int k = 0; k < 10; ++k) {
    TChartAxis* axis = chart.AddCustomAxis();
    axis->OtherSide = k % 2 == 1;
    axis->SetStartEnd(10 * k, 10 * (k + 1));
    if (titles) axis->SetTitle("Band " + std::to_string(k), 90);
    axis->SetMinMax(ranges[k % 5][0], ranges[k % 5][1]);
    auto* s = chart.AddSeries<TPointSeries>("S" + std::to_string(k));
    s->SetCustomVertAxis(axis);
    s->AddXY(k, ranges[k % 5][0]);
  }
}

// Ink columns left of the plot, by their distance from the plot's left edge.
std::vector<bool> InkLeftOfPlot(const TChart& chart, const QImage& image) {
  const QRect plot = PlotOf(chart, image);
  std::vector<bool> byColumn = Projection(image, QRect(0, plot.top(), plot.left(), plot.height()), true);
  std::reverse(byColumn.begin(), byColumn.end());  // [0] is the column next to the plot
  return byColumn;
}

TEST(ChartRender, LabelsInThinBandsDoNotOverlapAndTitlesStayClear) {
  TChart bare("Composite", nullptr);
  BuildBands(bare, false);
  const QImage bareImage = RenderChartImage(bare, 800, 520);
  const int h = QFontMetrics(LabelFont()).height();
  // Left of the plot, just beyond the ticks: every run of inked rows is one label.
  const QRect barePlot = PlotOf(bare, bareImage);
  const QRect labelColumn(barePlot.left() - 25, barePlot.top() - 10, 17, barePlot.height() + 20);
  const auto labelRows = Runs(Projection(bareImage, labelColumn, false), 1);
  ASSERT_GE(labelRows.size(), 10u);  // at least the two ends of each band
  for (const auto& r : labelRows) EXPECT_LE(r.second - r.first + 1, h) << "labels run together at row " << r.first;
  const std::vector<bool> labels = InkLeftOfPlot(bare, bareImage);
  const int labelsEnd = static_cast<int>(std::find(labels.rbegin(), labels.rend(), true).base() - labels.begin());

  TChart titled("Composite", nullptr);
  BuildBands(titled, true);
  const std::vector<bool> ink = InkLeftOfPlot(titled, RenderChartImage(titled, 800, 520));
  ASSERT_GT(static_cast<int>(ink.size()), labelsEnd + 1);
  EXPECT_FALSE(ink[static_cast<size_t>(labelsEnd)]) << "no clear column between labels and titles";
  EXPECT_TRUE(std::find(ink.begin() + labelsEnd, ink.end(), true) != ink.end()) << "titles drawn";
}

// True when the pixel or one beside it has the colour: one-pixel lines may
// round either way.
bool NearColour(const QImage& image, QPoint p, const QColor& colour) {
  for (int dx = -1; dx <= 1; ++dx) {
    if (image.pixelColor(p + QPoint(dx, 0)) == colour) return true;
  }
  return false;
}

TEST(ChartRender, MarksGoAboveThePointOrBelowItAtTheTop) {
  Fixture f;
  auto marked = [&](const char* name, double x, double y, const char* label) {
    auto* s = f.chart.AddSeries<TPointSeries>(name);
    s->Pointer.Visible = false;
    s->Marks.Visible = true;
    s->Marks.Transparent = true;
    s->Marks.Frame = false;
    s->Marks.ArrowColor = clGreen;
    s->AddXY(x, y, label);
    return s;
  };
  marked("Plain", 3, 5, "Lamp")->Marks.ArrowLength = 30;
  TChartSeries* comments = marked("Comments", 7, 10, "Moved");
  f.Render();
  // As the comments overlay does: a callout from the top edge down to 50 px
  // above the plot's bottom.
  const int length = f.plot.height() - 50;
  comments->Marks.ArrowLength = length;
  const QImage image = f.Render();
  const QPoint low = f.At(3, 5), high = f.At(7, 10);
  auto inkNear = [&](QPoint centre) {
    int n = 0;
    for (int y = centre.y() - 6; y <= centre.y() + 6; ++y) {
      for (int x = centre.x() - 12; x <= centre.x() + 12; ++x) {
        const QColor c = image.pixelColor(x, y);
        n += IsInk(c) && c != kGreen;
      }
    }
    return n;
  };
  EXPECT_GT(inkNear(QPoint(low.x(), low.y() - 30 - 8)), 5) << "label above the point";
  EXPECT_TRUE(NearColour(image, QPoint(low.x(), low.y() - 15), kGreen)) << "callout up";
  EXPECT_GT(inkNear(QPoint(high.x(), high.y() + length + 8)), 5) << "label below the top point";
  EXPECT_TRUE(NearColour(image, QPoint(high.x(), high.y() + length / 2), kGreen)) << "callout down";
  EXPECT_EQ(inkNear(QPoint(high.x(), high.y() + length / 2)), 0) << "nothing but the callout halfway";
}

TEST(ChartRender, AfterDrawRunsTwiceAndTheImageShowsTheSecondPass) {
  Fixture f;
  auto* s = f.chart.AddSeries<TPointSeries>("Markers");
  s->AddXY(5, 2);
  int calls = 0;
  bool skip = true;
  f.chart.OnAfterDraw = [&](TObject*) {
    ++calls;
    skip = !skip;
    if (skip) return;  // as the program's handlers: every second call returns
    s->SetYValue(0, 9);
    f.chart.Repaint();
  };
  const QImage image = f.Render();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(PixelAt(image, f.At(5, 9)), kRed);
  EXPECT_EQ(PixelAt(image, f.At(5, 2)), kWhite);
}

// ---------------------------------------------------------------- files

std::string Slurp(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ChartExport, SaveToBitmapFileWritesABitmapOfTheChartsSize) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Fixture f;
  f.chart.AddSeries<TPointSeries>("Points")->AddXY(5, 5);
  struct Case {
    int width, height, expectWidth, expectHeight;
  };
  const Case cases[] = {{640, 480, 640, 480}, {321, 77, 321, 77}, {0, 0, 800, 500}, {300, 0, 800, 500}};
  int afterDraw = 0;
  f.chart.OnAfterDraw = [&](TObject*) { ++afterDraw; };
  for (const Case& c : cases) {
    f.chart.Width = c.width;
    f.chart.Height = c.height;
    const QString path = dir.filePath(QStringLiteral("chart.bmp"));
    SaveToBitmapFile(f.chart, path.toStdString());
    EXPECT_EQ(Slurp(path).substr(0, 2), "BM");
    const QImage back(path);
    EXPECT_EQ(back.size(), QSize(c.expectWidth, c.expectHeight)) << c.width << "x" << c.height;
  }
  EXPECT_EQ(afterDraw, 2 * static_cast<int>(std::size(cases)));  // as a repainted window raises it
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("chart.bmp")});
}

TEST(ChartExport, AFailedSaveLeavesNoFileAndKeepsTheOldOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TChart chart("Chart", nullptr);
  chart.Width = 300;
  chart.Height = 200;
  const std::string missing = dir.filePath(QStringLiteral("no/such/folder/chart.bmp")).toStdString();
  try {
    SaveToBitmapFile(chart, missing);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + missing + "\". ", 0), 0u) << e.what();
  }
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

  // An existing bitmap survives a write that fails half way (the file size
  // limit stops the write of the new one).
  const QString path = dir.filePath(QStringLiteral("old.bmp"));
  SaveToBitmapFile(chart, path.toStdString());
  const std::string before = Slurp(path);
  ASSERT_GT(before.size(), 4000u);
  chart.Width = 600;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool thrown = false;
  try {
    SaveToBitmapFile(chart, path.toStdString());
  } catch (const EFCreateError&) {
    thrown = true;
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(thrown);
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.bmp")});
}

TEST(ChartExport, SaveChartImagePicksTheFormatByExtension) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TChart chart("Chart", nullptr);
  chart.Width = 410;
  chart.Height = 230;
  struct Case {
    const char* name;
    const char* magic;
  };
  const Case cases[] = {{"a.png", "\x89PNG"}, {"b.PNG", "\x89PNG"}, {"c.bmp", "BM"}, {"d.Bmp", "BM"}};
  for (const Case& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    SaveChartImage(chart, path.toStdString());
    const std::string magic(c.magic);
    EXPECT_EQ(Slurp(path).substr(0, magic.size()), magic) << c.name;
    EXPECT_EQ(QImage(path).size(), QSize(410, 230)) << c.name;
  }
  for (const char* name : {"e.jpg", "f", "g.png.txt"}) {
    EXPECT_THROW(SaveChartImage(chart, dir.filePath(QString::fromLatin1(name)).toStdString()), EFCreateError) << name;
    EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromLatin1(name)))) << name;
  }
}

// A chart with enough points that its drawing is many kilobytes.
void FillChart(TChart& chart, int points) {
  chart.Title.Add("Lamp intensity");
  auto* s = chart.AddSeries<TLineSeries>("Intensity");
  s->SetTitle("Intensity");
  for (int i = 0; i < points; ++i) s->AddXY(i, std::sin(i * 0.1) * 1000);
}

// Counts the occurrences of `word` in `text`.
int CountOf(const std::string& text, const std::string& word) {
  int n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

TEST(ChartExport, PdfIsOneVectorPageOfTheChartsSize) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TChart chart("Chart", nullptr);
  chart.Width = 640;
  chart.Height = 400;
  FillChart(chart, 300);
  const QString path = dir.filePath(QStringLiteral("chart.PDF"));
  SaveChartImage(chart, path.toStdString());
  const std::string pdf = Slurp(path);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos) << "no trailer at the end";
  EXPECT_EQ(CountOf(pdf, "/Type /Page\n") + CountOf(pdf, "/Type /Page\r") + CountOf(pdf, "/Type /Page "), 1);
  EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
  // 640 by 400 pixels at 96 an inch are 480 by 300 points.
  const size_t box = pdf.find("/MediaBox [");
  ASSERT_NE(box, std::string::npos);
  double x0 = -1, y0 = -1, x1 = 0, y1 = 0;
  ASSERT_EQ(std::sscanf(pdf.c_str() + box, "/MediaBox [%lf %lf %lf %lf]", &x0, &y0, &x1, &y1), 4);
  EXPECT_EQ(x0, 0);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(x1, 480);
  EXPECT_EQ(y1, 300);
  EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos) << "a picture inside the PDF";
}

TEST(ChartExport, SvgIsAnXmlDrawingOfTheChart) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TChart chart("Chart", nullptr);
  chart.Width = 500;
  chart.Height = 300;
  FillChart(chart, 50);
  const QString path = dir.filePath(QStringLiteral("chart.svg"));
  SaveChartImage(chart, path.toStdString());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QString root, viewBox;
  int drawn = 0, texts = 0, images = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString name = xml.name().toString();
    if (root.isEmpty()) {
      root = name;
      viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
    }
    drawn += name == QLatin1String("path") || name == QLatin1String("polyline") || name == QLatin1String("rect");
    texts += name == QLatin1String("text");
    images += name == QLatin1String("image");
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
  EXPECT_EQ(root.toStdString(), "svg");
  EXPECT_EQ(viewBox.toStdString(), "0 0 500 300");
  EXPECT_GT(drawn, 5);
  EXPECT_GT(texts, 3);  // the title and the axis labels stay text
  EXPECT_EQ(images, 0);
}

TEST(ChartExport, AFailedDrawingLeavesTheOlderFileWhole) {
  for (const char* name : {"old.svg", "old.pdf"}) {
    SCOPED_TRACE(name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TChart chart("Chart", nullptr);
    chart.Width = 600;
    chart.Height = 400;
    const QString path = dir.filePath(QString::fromLatin1(name));
    SaveChartImage(chart, path.toStdString());
    const std::string before = Slurp(path);
    ASSERT_FALSE(before.empty());
    // The new drawing is larger than the file size limit lets through.
    FillChart(chart, 5000);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = before.size() + 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool thrown = false;
    try {
      SaveChartImage(chart, path.toStdString());
    } catch (const EFCreateError&) {
      thrown = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(thrown);
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(name)});
  }
}

TEST(ChartExport, CopyPutsThePictureOnTheClipboard) {
  TChart chart("Chart", nullptr);
  chart.Width = 321;
  chart.Height = 123;
  chart.Color = clRed;
  QGuiApplication::clipboard()->clear();
  CopyChartImage(chart);
  const QImage copied = QGuiApplication::clipboard()->image();
  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  EXPECT_EQ(copied.size(), QSize(std::lround(321 * ratio), std::lround(123 * ratio)));
  EXPECT_EQ(copied.pixelColor(1, 1), kRed);  // the chart's face
}

}  // namespace
