#include "app/chart/render/chart_layout.h"

#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"

namespace {

const QRect kArea(0, 0, 600, 400);

TEST(ChartLayout, TitleAndFootLinesTakeTheTopAndBottom) {
  struct Case {
    const char* what;
    std::vector<std::string> title, foot;
    bool titleVisible;
    int height;
    size_t titleLines, footLines;
  };
  const Case cases[] = {
      {"two and one", {"First", "Second"}, {"Foot"}, true, 400, 2, 1},
      {"hidden title", {"First"}, {"Foot"}, false, 400, 0, 1},
      {"only empty lines", {"", ""}, {}, true, 400, 0, 0},
      {"room for one line", {"First", "Second", "Third"}, {}, true, 30, 1, 0},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    for (const std::string& line : c.title) chart.Title.Add(line);
    for (const std::string& line : c.foot) chart.Foot.Add(line);
    chart.Title.Visible = c.titleVisible;
    const ChartLayout L = LayoutChart(chart, QRect(0, 0, 600, c.height));
    ASSERT_EQ(L.title.lines.size(), c.titleLines) << c.what;
    ASSERT_EQ(L.foot.lines.size(), c.footLines) << c.what;
    for (size_t i = 0; i < L.title.lines.size(); ++i) {
      EXPECT_EQ(L.title.lines[i].text.toStdString(), c.title[i]) << c.what;
      EXPECT_LT(L.title.lines[i].rect.bottom(), L.axesRoom.top()) << c.what;
      if (i > 0) {
        EXPECT_EQ(L.title.lines[i].rect.top(), L.title.lines[i - 1].rect.bottom() + 1) << c.what;
      }
    }
    for (const auto& line : L.foot.lines) EXPECT_GT(line.rect.top(), L.axesRoom.bottom()) << c.what;
    EXPECT_TRUE(L.area.contains(L.axesRoom)) << c.what;
  }
}

TEST(ChartLayout, LegendListsTheSeriesBesideThePlot) {
  struct Case {
    const char* what;
    TLegendAlignment alignment;
    bool inverted;
  };
  const Case cases[] = {
      {"right", TLegendAlignment::laRight, false},
      {"left, inverted", TLegendAlignment::laLeft, true},
      {"top", TLegendAlignment::laTop, false},
      {"bottom", TLegendAlignment::laBottom, false},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.Legend.Alignment = c.alignment;
    chart.Legend.Inverted = c.inverted;
    chart.AddSeries<TLineSeries>("First")->AddXY(1, 1);
    chart.AddSeries<TPointSeries>("Hidden")->SetShowInLegend(false);
    chart.AddSeries<TBarSeries>("Third")->SetTitle(std::string(300, 'x'));
    const ChartLayout L = LayoutChart(chart, kArea);
    ASSERT_EQ(L.legend.entries.size(), 2u) << c.what;
    EXPECT_EQ(L.legend.entries[c.inverted ? 1 : 0].text.toStdString(), "First") << c.what;
    EXPECT_EQ(L.legend.entries[c.inverted ? 0 : 1].series, chart.Series()[2]) << c.what;
    for (const auto& e : L.legend.entries) {
      EXPECT_TRUE(L.legend.box.contains(e.symbol) && L.legend.box.contains(e.textRect)) << c.what;
      EXPECT_LT(e.symbol.right(), e.textRect.left()) << c.what;
    }
    EXPECT_LT(L.legend.entries[c.inverted ? 0 : 1].text.size(), 300) << c.what << ": a long title is cut short";
    EXPECT_FALSE(L.legend.box.intersects(L.axesRoom)) << c.what;
    const QRect inner = kArea.adjusted(6, 6, -6, -6);
    switch (c.alignment) {
      case TLegendAlignment::laRight: EXPECT_EQ(L.legend.box.right(), inner.right()) << c.what; break;
      case TLegendAlignment::laLeft: EXPECT_EQ(L.legend.box.left(), inner.left()) << c.what; break;
      case TLegendAlignment::laTop: EXPECT_EQ(L.legend.box.top(), inner.top()) << c.what; break;
      case TLegendAlignment::laBottom: EXPECT_EQ(L.legend.box.bottom(), inner.bottom()) << c.what; break;
    }
  }
  // No room, or nothing to list: no legend, and the axes get everything.
  TChart tiny("Tiny", nullptr);
  tiny.AddSeries<TLineSeries>("Series1");
  EXPECT_TRUE(LayoutChart(tiny, QRect(0, 0, 45, 300)).legend.entries.empty());
  TChart none("None", nullptr);
  const ChartLayout bare = LayoutChart(none, kArea);
  EXPECT_TRUE(bare.legend.box.isEmpty());
  EXPECT_EQ(bare.axesRoom, kArea.adjusted(6, 6, -6, -6));
}

// Ten bands of custom axes, alternating left and right, as the composite chart.
void BuildBands(TChart& chart) {
  chart.Legend.Visible = false;
  for (int k = 0; k < 10; ++k) {
    TChartAxis* axis = chart.AddCustomAxis();
    axis->OtherSide = k % 2 == 1;
    axis->SetStartEnd(10 * k, 10 * (k + 1));
    axis->SetTitle("Band " + std::to_string(k), 90);
    axis->SetMinMax(0, 1500 + k);
    auto* s = chart.AddSeries<TPointSeries>("S" + std::to_string(k));
    s->SetCustomVertAxis(axis);
    s->AddXY(k, 100);
  }
}

TEST(ChartLayout, VerticalAxesKeepTheirLabelsAndTitlesInTheirBands) {
  TChart chart("Composite", nullptr);
  BuildBands(chart);
  const ChartLayout L = LayoutChart(chart, QRect(0, 0, 800, 520));
  std::vector<QRectF> left, right;
  for (size_t k = 0; k < chart.CustomAxes().size(); ++k) {
    const TChartAxis& axis = *chart.CustomAxes()[k];
    const AxisLayout* v = L.Find(axis);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(v->shown);
    SCOPED_TRACE(axis.Title);
    // Within its tenth of the plot, apart from the bands beside it; the
    // outer ends of the first and last reach the plot's edges.
    const double bandHeight = (L.plot.height() - 1) / 10.0;
    const double top = L.plot.top() + bandHeight * k, bottom = top + bandHeight;
    EXPECT_GE(v->from, top + (k == 0 ? 0 : 3));
    EXPECT_LE(v->to, bottom - (k == 9 ? 0 : 3));
    EXPECT_LT(v->from, top + bandHeight / 4);
    EXPECT_GT(v->to, bottom - bandHeight / 4);
    if (k == 0) {
      EXPECT_EQ(v->from, L.plot.top());
    }
    if (k == 9) {
      EXPECT_EQ(v->to, L.plot.bottom());
    }
    EXPECT_GE(v->labels.size(), 2u);
    std::vector<QRectF>& side = axis.AtRight() ? right : left;
    for (const AxisLabelLayout& label : v->labels) {
      // Within the band but for rounding to whole pixels.
      EXPECT_GE(label.rect.top(), v->from - 0.5);
      EXPECT_LE(label.rect.bottom(), v->to + 1.5);
      EXPECT_TRUE(axis.AtRight() ? label.rect.left() > L.plot.right() : label.rect.right() < L.plot.left());
      for (const QRectF& other : side) EXPECT_FALSE(other.intersects(label.rect)) << label.text.toStdString();
      side.push_back(label.rect);
    }
    EXPECT_EQ(v->title.text.toStdString(), axis.Title);
    EXPECT_NEAR(v->title.rect.center().y(), (v->from + v->to) / 2, 1e-9);
  }
  // Titles stand beyond every label of their side, and inside the chart.
  for (const auto& axis : chart.CustomAxes()) {
    const AxisTitleLayout& title = L.Find(*axis)->title;
    for (const QRectF& label : axis->AtRight() ? right : left) {
      EXPECT_TRUE(axis->AtRight() ? title.rect.left() > label.right() : title.rect.right() < label.left());
    }
    EXPECT_TRUE(QRectF(L.area).contains(title.rect));
  }
}

TEST(ChartLayout, LabelsOfOverlappingBandsOnOneSideDoNotCoverEachOther) {
  TChart chart("Chart", nullptr);
  chart.Legend.Visible = false;
  std::vector<const TChartAxis*> axes;
  for (double start : {0.0, 30.0}) {
    TChartAxis* axis = chart.AddCustomAxis();
    axis->SetStartEnd(start, start + 70);
    axis->SetMinMax(0, 100);
    axis->SetDesiredIncrement(10);  // labels as close as they may stand
    chart.AddSeries<TPointSeries>("S")->SetCustomVertAxis(axis);
    axes.push_back(axis);
  }
  const ChartLayout L = LayoutChart(chart, kArea);
  const auto& first = L.Find(*axes[0])->labels;
  const auto& second = L.Find(*axes[1])->labels;
  ASSERT_GE(first.size(), 3u);
  ASSERT_GE(second.size(), 1u);  // its labels below the first band still show
  for (const AxisLabelLayout& a : first) {
    for (const AxisLabelLayout& b : second) EXPECT_FALSE(a.rect.intersects(b.rect)) << a.text.toStdString();
  }
  // The ticks stay, labelled or not.
  EXPECT_GT(L.Find(*axes[1])->ticks.size(), second.size());
}

TEST(ChartLayout, BottomLabelsNameTheirTicksBelowThePlot) {
  TChart chart("Chart", nullptr);
  chart.Legend.Visible = false;
  chart.BottomAxis.SetMinMax(0, 1000);
  chart.BottomAxis.SetTitle("Wavelength", 0);
  chart.AddSeries<TLineSeries>("Line")->AddXY(500, 1);
  const ChartLayout L = LayoutChart(chart, kArea);
  const AxisLayout& bottom = *L.Find(chart.BottomAxis);
  ASSERT_GE(bottom.labels.size(), 3u);
  EXPECT_EQ(bottom.labels.front().text.toStdString(), "0");
  EXPECT_EQ(bottom.labels.back().text.toStdString(), "1,000");
  for (size_t i = 0; i < bottom.labels.size(); ++i) {
    const QRectF r = bottom.labels[i].rect;
    EXPECT_GT(r.top(), L.plot.bottom());
    EXPECT_TRUE(QRectF(L.axesRoom).contains(r)) << i;
    if (i > 0) {
      EXPECT_LT(bottom.labels[i - 1].rect.right(), r.left()) << i;
    }
  }
  EXPECT_GT(bottom.title.rect.top(), bottom.labels[0].rect.bottom());
  EXPECT_LE(bottom.title.rect.bottom(), L.axesRoom.bottom() + 1);
  // The top axis is unused here and takes no room.
  EXPECT_FALSE(L.Find(chart.TopAxis)->shown);
  EXPECT_EQ(L.plot.top(), L.axesRoom.top());
}

TEST(ChartLayout, RenderChartDrawsTheLayoutItReturns) {
  TChart chart("Composite", nullptr);
  BuildBands(chart);
  QImage image(700, 450, QImage::Format_RGB32);
  QPainter painter(&image);
  const QRect area(20, 10, 600, 400);
  const ChartLayout drawn = RenderChart(chart, painter, area);
  const ChartLayout laid = LayoutChart(chart, area);
  EXPECT_EQ(drawn.plot, laid.plot);
  ASSERT_EQ(drawn.axes.size(), laid.axes.size());
  for (size_t i = 0; i < drawn.axes.size(); ++i) EXPECT_EQ(drawn.axes[i].labels.size(), laid.axes[i].labels.size());
  EXPECT_TRUE(area.contains(drawn.plot));
  // Another chart's axis has no place in this layout.
  TChart other("Other", nullptr);
  EXPECT_EQ(drawn.Find(other.LeftAxis), nullptr);
}

}  // namespace
