#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cmath>
#include <string>
#include <vector>

#include "app/chart/render/chart_export.h"
#include "app/chart/render/chart_layout.h"
#include "app/chart/render/chart_renderer.h"
#include "app/comments.h"
#include "app/controls/application.h"
#include "core/paths.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/folder/composite.h"
#include "reports/scans/di_motor.h"
#include "tests/support/test_support.h"

namespace {

class CommentsTest : public ::testing::Test {
 protected:
  void Load(const std::string& text, const std::string& name = "Comment.185") {
    f.ClickWithFile(f.form->LoadComments, f.dir.Write(name, text));
  }
  void Tick(bool checked) {
    f.form->ShowComments->SetChecked(checked);
    EXPECT_TRUE(RunUserAction([&] { f.form->ShowComments->Click(); }));
  }
  // The comment series in the order SL, DT, RS, HG, OP.
  std::vector<TChartSeries*> Markers() {
    TMainForm& m = *f.form;
    return {m.Sl->Series35, m.Dt->Series31, m.Rs->Series36, m.Hg->Series37, m.Op->Series38};
  }
  std::vector<std::string> Labels(const TChartSeries& s) {
    std::vector<std::string> labels;
    for (const TChartPoint& p : s.Points()) labels.push_back(p.Label);
    return labels;
  }
  FormFixture f;
};

TEST_F(CommentsTest, EachLineMarksEveryChartOnce) {
  Load("00119 Lamp changed\r\n36599 Moved\r\n06004  Cleaned, twice\r\n");
  EXPECT_TRUE(f.platform.messages.empty());
  ASSERT_EQ(f.platform.dialogs.size(), 1u);
  EXPECT_EQ(f.platform.dialogs[0].fileName, "Comment*.*");
  EXPECT_EQ(f.form->OpenDialog1->InitialDir, ExtractFilePath(f.dir.Path() + "/x"));
  EXPECT_EQ(f.form->OpenDirDialog1->InitialDir, f.form->OpenDialog1->InitialDir);

  struct Row {
    double y;
    TColor colour;
  };
  const Row rows[] = {{-2000, clBlack}, {30, clBlue}, {8, clBlue}, {0, clBlue}, {0, clBlue}};
  for (size_t i = 0; i < Markers().size(); ++i) {
    const TChartSeries& s = *Markers()[i];
    SCOPED_TRACE(s.Name);
    EXPECT_EQ(Labels(s), (std::vector<std::string>{" Lamp changed", " Moved", "  Cleaned, twice"}));
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.XValue(0), Day(2019, 1, 1));
    EXPECT_EQ(s.XValue(1), Day(1999, 12, 31));
    EXPECT_EQ(s.XValue(2), Day(2004, 2, 29));
    for (const TChartPoint& p : s.Points()) {
      EXPECT_EQ(p.Y, rows[i].y);
      EXPECT_EQ(p.Color, rows[i].colour);
    }
  }
}

TEST_F(CommentsTest, DayCodes) {
  struct Case {
    const char* line;
    double date;
    const char* label;
  };
  const Case cases[] = {
      {"00119 a", Day(2019, 1, 1), " a"},
      {"36599 b", Day(1999, 12, 31), " b"},
      {"06004 c", Day(2004, 2, 29), " c"},
      {"abcde not a day code", Day(1999, 12, 31), " not a day code"},
      {"   05019 after blanks", Day(2019, 2, 19), " after blanks"},
      {"0011 short code", Day(2001, 1, 1), " short code"},  // "001" and "1"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Load(std::string(c.line) + "\r\n");
    for (const TChartSeries* s : Markers()) {
      ASSERT_EQ(s->Count(), 1);
      EXPECT_EQ(s->XValue(0), c.date);
      EXPECT_EQ(s->Point(0).Label, c.label);
    }
  }
}

TEST_F(CommentsTest, NothingAfterTheLastLineMakesAMarker) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"only line ends", "\r\n\r\n", {}},
      {"final CR LF", "00119 a\r\n00219 b\r\n", {" a", " b"}},
      {"final LF", "00119 a\n00219 b\n", {" a", " b"}},
      {"no final line end", "00119 a\r\n00219 b", {" a", " b"}},
      {"Ctrl-Z mark", "00119 a\r\n00219 b\r\n\x1a", {" a", " b"}},
      {"empty lines between", "\r\n00119 a\r\n\r\n\r\n00219 b\r\n\r\n", {" a", " b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.text);
    EXPECT_TRUE(f.platform.messages.empty());
    for (const TChartSeries* s : Markers()) EXPECT_EQ(Labels(*s), c.labels);
  }
}

TEST_F(CommentsTest, LongLogsAndLongLinesAreReadWhole) {
  std::string log;
  for (int i = 0; i < 1500; ++i) log += "00119 remark " + std::to_string(i) + "\r\n";
  const std::string wordy(300, 'w');
  log += "00219 " + wordy + "\r\n00319 last\r\n";
  Load(log);
  for (const TChartSeries* s : Markers()) {
    ASSERT_EQ(s->Count(), 1502);
    EXPECT_EQ(s->Point(999).Label, " remark 999");
    EXPECT_EQ(s->Point(1499).Label, " remark 1499");
    EXPECT_EQ(s->Point(1500).Label, " " + wordy);
    EXPECT_EQ(s->Point(1501).Label, " last");
    EXPECT_EQ(s->XValue(1501), Day(2019, 1, 3));
  }
}

TEST_F(CommentsTest, MarkersShowOnlyWhileTheBoxIsTicked) {
  Load("00119 a\r\n");
  for (const TChartSeries* s : Markers()) EXPECT_FALSE(s->Active) << s->Name;
  Tick(true);
  for (const TChartSeries* s : Markers()) EXPECT_TRUE(s->Active) << s->Name;
  Load("00219 b\r\n");  // a new log keeps the box's choice
  for (const TChartSeries* s : Markers()) EXPECT_TRUE(s->Active) << s->Name;
  Tick(false);
  for (const TChartSeries* s : Markers()) EXPECT_FALSE(s->Active) << s->Name;
}

TEST_F(CommentsTest, ACancelledDialogLeavesNoMarkers) {
  Load("00119 a\r\n");
  const std::string folder = f.form->OpenDialog1->InitialDir;
  EXPECT_TRUE(RunUserAction([&] { f.form->LoadComments->Click(); }));
  for (const TChartSeries* s : Markers()) EXPECT_EQ(s->Count(), 0) << s->Name;
  EXPECT_EQ(f.form->OpenDialog1->InitialDir, folder);
  f.ClickWithFile(f.form->LoadComments, f.dir.Path() + "/no/such/Comment.185");
  EXPECT_TRUE(f.platform.messages.empty());
  for (const TChartSeries* s : Markers()) EXPECT_EQ(s->Count(), 0) << s->Name;
}

// The charts whose markers go to the top of the right axis, and the charts
// whose drawing lifts them.
struct Pinned {
  const char* name;
  TChart* chart;
  TChartSeries* markers;
  TChart* drawn;
};

std::vector<Pinned> PinnedCharts(TMainForm& m) {
  return {
      {"SL", m.Sl->SLGraph, m.Sl->Series35, m.Sl->SLGraph},
      {"HG", m.Hg->HGGraph, m.Hg->Series37, m.Hg->HGGraph},
      {"HG by the lamps chart", m.Hg->HGGraph, m.Hg->Series37, m.Di->diLampsChart},
      {"HG by the composite chart", m.Hg->HGGraph, m.Hg->Series37, m.Composite->CompositeChart},
      {"OP", m.Op->OPGraph, m.Op->Series38, m.Op->OPGraph},
      {"OP by the location chart", m.Op->OPGraph, m.Op->Series38, m.Op->LocationGraph},
  };
}

TEST_F(CommentsTest, ADrawingLiftsTheMarkersToTheRightAxisMaximum) {
  Load("00119 a\r\n00219 b\r\n");
  Tick(true);
  double max = 100;
  for (const Pinned& p : PinnedCharts(*f.form)) {
    SCOPED_TRACE(p.name);
    max += 10;
    p.chart->RightAxis.SetMinMax(-max, max);
    // A drawing at a size of its own, so that the plot height is known.
    const QImage image = RenderChartImage(*p.drawn, 500, 300 + static_cast<int>(max));
    for (const TChartPoint& point : p.markers->Points()) EXPECT_EQ(point.Y, max);
    EXPECT_EQ(p.markers->Marks.ArrowLength, LayoutChart(*p.drawn, image.rect()).plot.height() - 50);
  }
  // DT and RS keep their markers where they were put.
  for (TChart* chart : {f.form->Dt->DTGraph, f.form->Rs->RSGraph}) RenderChartImage(*chart, 400, 250);
  EXPECT_EQ(f.form->Dt->Series31->YValue(0), 30);
  EXPECT_EQ(f.form->Rs->Series36->YValue(0), 8);
}

TEST_F(CommentsTest, EveryDrawingLiftsAndNoneStartsAnother) {
  Load("00119 a\r\n");
  TChart& chart = *f.form->Sl->SLGraph;
  int changes = 0;
  chart.AddObserver([&] { ++changes; });
  for (double max : {300.0, 420.0, 420.0, 150.0}) {
    SCOPED_TRACE(max);
    chart.RightAxis.SetMinMax(0, max);
    changes = 0;
    // As a window raises the event after each painting.
    chart.AfterDraw(10, 10, 400, 300);
    EXPECT_EQ(f.form->Sl->Series35->YValue(0), max);
    // The drawings that follow find the marker in place: nothing changes, so
    // nothing asks for yet another drawing.
    const int afterFirst = changes;
    chart.AfterDraw(10, 10, 400, 300);
    chart.AfterDraw(10, 10, 400, 300);
    EXPECT_EQ(changes, afterFirst);
  }
}

TEST_F(CommentsTest, ALiftedMarkerIsDrawnAtTheTopOfASavedBitmap) {
  Load("00119 a\r\n");
  Tick(true);
  TChart& chart = *f.form->Hg->HGGraph;
  chart.Legend.Visible = false;
  chart.Align = TAlign::alNone;
  chart.SetBounds(0, 0, 600, 400);
  chart.BottomAxis.SetMinMax(Day(2018, 12, 22), Day(2019, 1, 11));  // the marker in the middle
  chart.RightAxis.SetStartEnd(0, 100);
  chart.RightAxis.SetMinMax(20, 40);
  const std::string path = f.dir.Path() + "/hg.bmp";
  SaveToBitmapFile(chart, path);
  EXPECT_EQ(f.form->Hg->Series37->YValue(0), 40);
  const QImage image(QString::fromStdString(path), "BMP");
  ASSERT_FALSE(image.isNull());
  const QRect plot = LayoutChart(chart, image.rect()).plot;
  const int x = plot.left() + (plot.width() - 1) / 2;
  // The marker is drawn in pure blue: near the top edge, and nowhere below.
  auto blueNear = [&](int y0, int y1) {
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, image.height() - 1); ++y)
      for (int dx = -6; dx <= 6; ++dx) n += image.pixelColor(x + dx, y) == QColor(0, 0, 255);
    return n;
  };
  EXPECT_GT(blueNear(plot.top() - 6, plot.top() + 6), 0);
  EXPECT_EQ(blueNear(plot.top() + 12, plot.top() + plot.height()), 0);
}

}  // namespace
