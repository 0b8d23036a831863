#include "app/chart/render/chart_layout.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <memory>
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

TEST(ChartLayout, TheLegendLeavesOutSeriesWithNeitherTitleNorPoints) {
  struct Case {
    const char* what;
    std::string title;
    int points;
    bool listed;
  };
  const Case cases[] = {
      {"untitled and empty", "", 0, false},
      {"untitled with points", "", 2, true},
      {"titled and empty", "Humidity", 0, true},
      {"titled with points", "Humidity", 2, true},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.AddSeries<TPointSeries>("Kept")->SetTitle("Kept");
    auto* s = chart.AddSeries<TPointSeries>("Series3");
    s->SetTitle(c.title);
    for (int i = 0; i < c.points; ++i) s->AddXY(i, i);
    const ChartLayout L = LayoutChart(chart, kArea);
    const bool listed = std::any_of(L.legend.entries.begin(), L.legend.entries.end(),
                                    [&](const LegendLayout::Entry& e) { return e.series == s; });
    EXPECT_EQ(listed, c.listed) << c.what;
    EXPECT_EQ(L.legend.entries.size(), c.listed ? 2u : 1u) << c.what;
  }
}

// The labels of every axis of a chart laid out in kArea.
size_t LabelCount(const TChart& chart) {
  size_t n = 0;
  for (const AxisLayout& v : LayoutChart(chart, kArea).axes) n += v.labels.size();
  return n;
}

TEST(ChartLayout, AxesShowNoMadeUpScales) {
  struct Case {
    const char* what;
    bool dates, fixed;
    double min, max;
    std::vector<double> values;  // points at (v, v)
    std::vector<std::string> labels;  // of the left axis; empty: any number but none made up
  };
  const Case cases[] = {
      {"empty automatic axes", false, false, 0, 0, {}, {}},
      {"empty date axis fixed where no data put it", true, true, 0, 0, {}, {}},
      {"limits of one value away from the data", false, true, 5, 5, {1, 2}, {}},
      {"one point", false, false, 0, 0, {7}, {"7"}},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.Legend.Visible = false;
    chart.BottomAxis.DateTime = c.dates;
    auto* s = chart.AddSeries<TPointSeries>("Points");
    for (double v : c.values) s->AddXY(v, v);
    if (c.fixed) {
      chart.BottomAxis.SetMinMax(c.min, c.max);
      chart.LeftAxis.SetMinMax(c.min, c.max);
    }
    const ChartLayout L = LayoutChart(chart, kArea);
    std::vector<std::string> left;
    for (const AxisLabelLayout& label : L.Find(chart.LeftAxis)->labels) left.push_back(label.text.toStdString());
    EXPECT_EQ(left, c.labels) << c.what;
    if (c.dates) {
      EXPECT_TRUE(L.Find(chart.BottomAxis)->labels.empty()) << c.what;
    }
  }
  // Limits set apart by hand keep their scale without data.
  TChart fixed("Chart", nullptr);
  fixed.AddSeries<TPointSeries>("Points");
  fixed.LeftAxis.SetMinMax(0, 100);
  EXPECT_GE(LayoutChart(fixed, kArea).Find(fixed.LeftAxis)->labels.size(), 3u);
  TChart empty("Chart", nullptr);
  empty.AddSeries<TLineSeries>("Line");
  EXPECT_EQ(LabelCount(empty), 0u);
}

TEST(ChartLayout, AxisTitlesShrinkThenBreakBeforeTheyAreCut) {
  struct Case {
    const char* what;
    int height;
    bool broken, cut;
  };
  const Case cases[] = {
      {"room for one line", 600, false, false},
      {"two lines at a readable size", 150, true, false},
      {"no room even for two lines", 45, false, true},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.Legend.Visible = false;
    chart.LeftAxis.SetTitle("North correction, steps", 90);
    chart.LeftAxis.SetMinMax(0, 10);
    chart.AddSeries<TPointSeries>("Points");
    const ChartLayout L = LayoutChart(chart, QRect(0, 0, 600, c.height));
    const AxisLayout& left = *L.Find(chart.LeftAxis);
    const std::string text = left.title.text.toStdString();
    EXPECT_EQ(text.find('\n') != std::string::npos, c.broken) << c.what << ": " << text;
    EXPECT_EQ(text.find("\u2026") != std::string::npos, c.cut) << c.what << ": " << text;
    EXPECT_LE(left.title.rect.height(), left.to + 1 - left.from + 0.5) << c.what;
    if (!c.cut) {
      QString joined = left.title.text;
      EXPECT_EQ(joined.replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString(), "North correction, steps") << c.what;
    }
  }
}

TEST(ChartLayout, TheTitleKeepsClearOfControlsOverTheChart) {
  struct Case {
    const char* what;
    int controlWidth;
    bool moved, below;
  };
  const Case cases[] = {
      {"no control", 0, false, false},
      {"check boxes at the left, room beside them", 290, true, false},
      {"a control across the top", 560, true, true},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.Title.Add("/srv/brewer/bdata185/APOAVG.185");
    std::unique_ptr<TCheckBox> box;
    if (c.controlWidth > 0) {
      box = std::make_unique<TCheckBox>("ShowCase", &chart);
      box->SetBounds(8, 4, c.controlWidth, 19);
    }
    const ChartLayout L = LayoutChart(chart, kArea);
    ASSERT_EQ(L.title.lines.size(), 1u) << c.what;
    const QRect line = L.title.lines[0].rect;
    const QRect control(8, 4, c.controlWidth, 19);
    EXPECT_FALSE(c.controlWidth > 0 && line.intersects(control)) << c.what;
    EXPECT_EQ(std::abs(line.center().x() - kArea.center().x()) > 2, c.moved && !c.below) << c.what;
    EXPECT_EQ(line.top() > control.bottom(), c.below) << c.what;
  }
}

TEST(ChartLayout, StackedChartsShareTheirPlotEdges) {
  TChart upper("Upper", nullptr), lower("Lower", nullptr);
  for (TChart* chart : {&upper, &lower}) {
    chart->Legend.Visible = false;
    chart->Width = 600;
    chart->Height = 250;
    chart->AddSeries<TPointSeries>("Points")->AddXY(1, 1);
  }
  upper.LeftAxis.SetMinMax(-570, -550);
  lower.LeftAxis.SetMinMax(14615, 14645);
  auto* place = lower.AddSeries<TGanttSeries>("Stays");
  place->SetVertAxis(TVertAxis::aRightAxis);
  lower.RightAxis.PointLabels = true;
  place->AddGanttColor(0, 2, 1, "COPENHAGEN");
  const QRect area(0, 0, 600, 250);
  const ChartLayout alone = LayoutChart(upper, area);
  EXPECT_NE(alone.plot.right(), LayoutChart(lower, area).plot.right()) << "the label takes room on one only";
  upper.AlignPlotWith = &lower;
  lower.AlignPlotWith = &upper;
  const ChartLayout a = LayoutChart(upper, area), b = LayoutChart(lower, area);
  EXPECT_EQ(a.plot.left(), b.plot.left());
  EXPECT_EQ(a.plot.right(), b.plot.right());
  // Every label still stands beside its own chart's plot.
  for (const AxisLabelLayout& label : a.Find(upper.LeftAxis)->labels) EXPECT_LT(label.rect.right(), a.plot.left());
}

}  // namespace
