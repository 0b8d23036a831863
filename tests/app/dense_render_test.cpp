// Dense series are drawn by shortcuts (pointers stamped from images, hidden
// ones passed over, lines reduced per pixel column, repeated shapes drawn
// once with the ink of their pile); a reader must not see the difference
// from drawing every shape.
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/chart_renderer.h"
#include "app/chart/render/painters.h"

namespace {

constexpr int kWidth = 500, kHeight = 360;

double Noise(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return (state >> 8) / double(1 << 23) - 1;
}

// How far two drawings of the same size are apart, channel by channel.
struct Difference {
  int most = 0;         // the largest difference of a channel
  double mean = 0;      // per channel over the whole image
  double farShare = 0;  // share of pixels with a channel more than 64 apart
};

Difference Compare(const QImage& a, const QImage& b) {
  Difference d;
  long long sum = 0, far = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int diff = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
      d.most = std::max(d.most, diff);
      if (diff > 64) ++far;
    }
  }
  const double pixels = double(a.width()) * a.height();
  d.mean = sum / (3 * pixels);
  d.farShare = far / pixels;
  return d;
}

// The chart drawn shape by shape: recorded as a picture (which gets every
// shape) and played onto pixels.
QImage RenderEveryShape(TChart& chart) {
  QPicture picture;
  {
    QPainter p(&picture);
    RenderChart(chart, p, QRect(0, 0, kWidth, kHeight));
  }
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  picture.play(&p);
  return image;
}

// Fixed axes, and no text or grid: what a picture does to text is not in question.
struct Fixture {
  TChart chart{"Chart", nullptr};
  Fixture() {
    chart.Legend.Visible = false;
    for (TChartAxis* axis : {&chart.BottomAxis, &chart.LeftAxis}) {
      axis->SetMinMax(0, 100);
      axis->LabelsVisible = false;
      axis->GridVisible = false;
    }
  }
};

TEST(DenseRender, StampedPointersLookAsIfEachWereDrawn) {
  struct Case {
    const char* what;
    TPointerStyle style;
    int half;
    bool outline;
    int points;
    double spread;  // of the noise around a sine, in axis units
    bool colourEach = false;  // a colour of its own for every point
  };
  const Case cases[] = {
      {"few squares", TPointerStyle::psRectangle, 4, true, 60, 20},
      {"a dense cloud of squares in two colours", TPointerStyle::psRectangle, 4, true, 60000, 15},
      {"a dense thin line of circles", TPointerStyle::psCircle, 3, true, 40000, 0.5},
      {"triangles without outline", TPointerStyle::psTriangle, 5, false, 20000, 10},
      {"diamonds", TPointerStyle::psDiamond, 3, true, 5000, 30},
      {"crosses", TPointerStyle::psCross, 4, true, 5000, 30},
      {"small dots", TPointerStyle::psSmallDot, 1, false, 20000, 10},
      {"points past the plot's edges", TPointerStyle::psCircle, 6, true, 3000, 120},
      {"a colour for every point", TPointerStyle::psCircle, 4, true, 3000, 20, true},
  };
  for (const Case& c : cases) {
    Fixture f;
    auto* s = f.chart.AddSeries<TPointSeries>("Points");
    s->Pointer.Style = c.style;
    s->Pointer.HorizSize = s->Pointer.VertSize = c.half;
    s->Pointer.OutlineVisible = c.outline;
    uint32_t seed = 7;
    for (int i = 0; i < c.points; ++i) {
      const double x = 100.0 * i / c.points;
      const TColor colour = c.colourEach ? TColor(0x10101 * (i % 200) + i / 200) : i % 3 ? clBlue : clRed;
      s->AddXY(x, 50 + 20 * std::sin(x / 7) + c.spread * Noise(seed), "", colour);
    }
    const Difference d = Compare(RenderChartImage(f.chart, kWidth, kHeight), RenderEveryShape(f.chart));
    // Stamps sit within an eighth of a pixel of the true centre: an edge
    // pixel may differ by some, and no pixel by half.
    EXPECT_LT(d.most, 128) << c.what;
    EXPECT_LT(d.farShare, 0.002) << c.what;
  }
}

// The line through every point against the line the reduction draws: only
// the odd pixel at the ends of a column's stroke may differ.
TEST(DenseRender, ReducedLinesCoverTheSamePixels) {
  struct Case {
    const char* what;
    int points;
    bool backAndForth;  // x steps back now and then
    int width;
  };
  const Case cases[] = {
      {"a sparse line", 50, false, 1},
      {"many points a column", 200000, false, 1},
      {"a wide pen", 50000, false, 3},
      {"x going back and forth", 50000, true, 1},
  };
  for (const Case& c : cases) {
    Fixture f;
    auto* s = f.chart.AddSeries<TLineSeries>("Line");
    s->Pointer.Visible = false;
    s->LineWidth = c.width;
    s->SeriesColor = clBlue;
    uint32_t seed = 3;
    std::vector<double> xs, ys;
    for (int i = 0; i < c.points; ++i) {
      double x = 100.0 * i / c.points;
      if (c.backAndForth && i % 5 == 4) x -= 300.0 / c.points;
      xs.push_back(x);
      ys.push_back(50 + 30 * std::sin(x / 5) + 8 * Noise(seed));
      s->AddXY(xs.back(), ys.back());
    }
    const QImage drawn = RenderChartImage(f.chart, kWidth, kHeight);

    // The same chart without the line, and every segment of it drawn here.
    s->Active = false;
    QImage expected = RenderChartImage(f.chart, kWidth, kHeight);
    const ChartLayout layout = LayoutChart(f.chart, expected.rect());
    const AxisMap& mx = layout.Find(f.chart.BottomAxis)->map;
    const AxisMap& my = layout.Find(f.chart.LeftAxis)->map;
    QPolygonF line;
    for (size_t i = 0; i < xs.size(); ++i) {
      double px = 0, py = 0;
      ASSERT_TRUE(mx.ToPixel(xs[i], px) && my.ToPixel(ys[i], py));
      line << QPointF(px, py);
    }
    QPainter p(&expected);
    p.setClipRect(layout.plot.adjusted(0, 0, 1, 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 0, 255), c.width));
    p.drawPolyline(line);
    p.end();

    const Difference d = Compare(drawn, expected);
    EXPECT_LT(d.mean, 1.0) << c.what;
    EXPECT_LT(d.farShare, 0.01) << c.what;
  }
}

// A pile of copies laid at once against the copies drawn one by one, and
// against the same sum worked out exactly.
TEST(DenseRender, APileHasTheInkOfItsCopies) {
  QImage one(24, 24, QImage::Format_ARGB32_Premultiplied);
  one.fill(Qt::transparent);
  {
    QPainter p(&one);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(200, 40, 30));
    p.drawEllipse(QPointF(11.3, 12.6), 8.2, 6.7);
  }
  const QColor under(90, 180, 250);
  for (int copies : {1, 2, 3, 8, 100, 5000}) {
    QImage piled(one.size(), QImage::Format_RGB32), drawn(one.size(), QImage::Format_RGB32);
    piled.fill(under);
    drawn.fill(under);
    QPainter(&piled).drawImage(0, 0, chart_render::PileOf(one, copies));
    {
      QPainter p(&drawn);
      for (int k = 0; k < std::min(copies, 8); ++k) p.drawImage(0, 0, one);
    }
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) {
        const QRgb c = one.pixel(x, y);
        const double a = qAlpha(c) / 255.0, left = std::pow(1 - a, copies);
        const auto exact = [&](int premultiplied, int background) {
          return a == 0 ? background : premultiplied * (1 - left) / a + background * left;
        };
        const QRgb got = piled.pixel(x, y);
        EXPECT_NEAR(qRed(got), exact(qRed(c), under.red()), 1.5) << copies << " at " << x << "," << y;
        EXPECT_NEAR(qGreen(got), exact(qGreen(c), under.green()), 1.5) << copies << " at " << x << "," << y;
        EXPECT_NEAR(qBlue(got), exact(qBlue(c), under.blue()), 1.5) << copies << " at " << x << "," << y;
        // Drawn one by one, a few copies round alike.
        if (copies <= 8) {
          EXPECT_NEAR(qRed(got), qRed(drawn.pixel(x, y)), 3) << copies << " at " << x << "," << y;
          EXPECT_NEAR(qBlue(got), qBlue(drawn.pixel(x, y)), 3) << copies << " at " << x << "," << y;
        }
      }
    }
  }
}

// A file that repeats its records: a year of them drawn over and over, in
// one series, against the same drawn pass by pass, a series a pass, where
// nothing repeats within a series.
TEST(DenseRender, RepeatedRecordsLookAsIfEachWereDrawn) {
  enum class Kind { kPoints, kOutlinedPoints, kLine, kArrows };
  struct Case {
    const char* what;
    Kind kind;
    int repeats;
    bool twoColours = false;  // every other record in another colour
    bool countsVary = false;  // a record repeated as often as its number
    // No copy may be piled or passed over, as another colour lies between
    // the copies: the drawing must be the same to the pixel.
    bool exact = false;
  };
  const Case cases[] = {
      {"points of one colour", Kind::kPoints, 40},
      {"points in two colours", Kind::kPoints, 30, true, false, true},
      {"outlined points, deeper than the copies drawn", Kind::kOutlinedPoints, 150},
      {"outlined points in two colours", Kind::kOutlinedPoints, 30, true, false, true},
      {"a line going over its year again", Kind::kLine, 60},
      {"arrows", Kind::kArrows, 40},
      {"arrows in two colours at one place", Kind::kArrows, 30, true, false, true},
      {"arrows, each as many times as its number", Kind::kArrows, 0, false, true},
  };
  constexpr int kRecords = 40;
  for (const Case& c : cases) {
    Fixture whole, byPass;
    auto add = [&](TChart& chart, const std::string& name) -> TChartSeries* {
      TChartSeries* s = nullptr;
      if (c.kind == Kind::kArrows) {
        s = chart.AddSeries<TArrowSeries>(name);
      } else if (c.kind == Kind::kLine) {
        s = chart.AddSeries<TLineSeries>(name);
        s->Pointer.Visible = false;
      } else {
        s = chart.AddSeries<TPointSeries>(name);
        s->Pointer.Style = TPointerStyle::psCircle;
        s->Pointer.HorizSize = s->Pointer.VertSize = 4;
        s->Pointer.OutlineVisible = c.kind == Kind::kOutlinedPoints;
      }
      s->SeriesColor = clBlue;
      return s;
    };
    TChartSeries* all = add(whole.chart, "All");
    const int passes = c.countsVary ? kRecords : c.repeats;
    for (int pass = 0; pass < passes; ++pass) {
      TChartSeries* one = add(byPass.chart, "Pass" + std::to_string(pass));
      // A line's pass ends where the next begins, for the same segments.
      const int records = c.kind == Kind::kLine && pass + 1 < passes ? kRecords + 1 : kRecords;
      for (int i = 0; i < records; ++i) {
        const int r = i % kRecords;
        if (c.countsVary && r < pass) continue;  // record r comes r + 1 times
        // Neighbours overlap; arrows of two colours share their place.
        const double x = c.twoColours && c.kind == Kind::kArrows ? 5 + 2.3 * (r / 2) : 5 + 1.3 * r;
        const double y = 50 + 25 * std::sin(r * 0.7);
        const TColor colour = c.twoColours && r % 2 ? clRed : clBlue;
        for (TChartSeries* s : {all, one}) {
          if (s == all && i == kRecords) continue;
          if (c.kind == Kind::kArrows) {
            // Now and then one of no length, which points nowhere.
            const double length = r % 7 == 3 ? 0 : 1;
            static_cast<TArrowSeries*>(s)->AddArrow(x, y, x + 1.5 * length, y + 12 * length, "", colour);
          } else {
            s->AddXY(x, y, "", colour);
          }
        }
      }
    }
    const Difference d =
        Compare(RenderChartImage(whole.chart, kWidth, kHeight), RenderChartImage(byPass.chart, kWidth, kHeight));
    // Drawn copy by copy, the faintest edge pixels stop short of the ink the
    // pile leaves, by the rounding of each copy; and Qt strokes a segment
    // alone a little otherwise than within a polyline. A few pixels differ.
    EXPECT_LT(d.mean, 0.15) << c.what;
    EXPECT_LT(d.farShare, 0.001) << c.what;
    if (c.exact) {
      EXPECT_EQ(d.most, 0) << c.what;
    }
  }
}

}  // namespace
