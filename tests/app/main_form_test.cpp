#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "app/controls/application.h"
#include "core/errors.h"
#include "core/paths.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

TEST(MainForm, StartsAsTheWindowIsDesigned) {
  ScriptedPlatform platform;
  platform.today = Day(2020, 6, 1);
  TMainForm form(platform);

  EXPECT_EQ(form.Caption, "Graphs for calibration reports");
  EXPECT_EQ(form.Width, 1010);
  EXPECT_EQ(form.Height, 673);
  EXPECT_EQ(form.Left, 1);
  EXPECT_EQ(form.Top, 1);
  EXPECT_EQ(form.PageControl1->ActivePageIndex, 0);
  EXPECT_EQ(form.PageControl1->Pages[0]->Caption, "AP");
  EXPECT_TRUE(form.PageControl1->TabsAtBottom);
  EXPECT_EQ(form.EndDate->DateTime, Day(2020, 6, 1));
  EXPECT_EQ(form.StartingDate->DateTime, Day(2020, 6, 1) - 700);
  EXPECT_FALSE(form.StrictDate->Checked);
  EXPECT_EQ(form.StrictDate->Hint, "Enforce these date limits on date scales");
  EXPECT_FALSE(form.ShowComments->Checked);
  EXPECT_EQ(form.Button2->Caption, "Load DIR");
  EXPECT_EQ(form.OpenDialog1->InitialDir, CurrentDirectory());
  EXPECT_EQ(form.OpenDirDialog1->InitialDir, CurrentDirectory());
  EXPECT_EQ(form.SaveDialog1->Filter, "BMP files (*.bmp)|*.bmp");
  EXPECT_EQ(MainForm, &form);
}

TEST(MainForm, FifteenOfTheNineteenTabsAreShown) {
  ScriptedPlatform platform;
  TMainForm form(platform);
  struct Tab {
    const char* caption;
    bool shown;
    bool enabled;
  };
  const Tab expected[] = {
      {"AP", true, true},         {"RS", true, true},         {"DT", true, true},
      {"SL", true, true},         {"HG", true, true},         {"DI", true, true},
      {"FC", true, true},         {"CJ", true, true},         {"CI files", true, true},
      {"CZ/HS/HL", true, true},   {"O3 avg", true, true},     {"DUV", true, true},
      {"OP_ST", true, true},      {"Laser (ca)", false, false}, {"FI", false, false},
      {"MI", false, false},       {"SC", false, true},        {"Composite", true, true},
      {"DSP", true, true},
  };
  const auto& pages = form.PageControl1->Pages;
  ASSERT_EQ(pages.size(), std::size(expected));
  int shown = 0;
  for (size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(expected[i].caption);
    EXPECT_EQ(pages[i]->Caption, expected[i].caption);
    EXPECT_EQ(pages[i]->TabVisible, expected[i].shown);
    EXPECT_EQ(pages[i]->Enabled, expected[i].enabled);
    shown += pages[i]->TabVisible;
  }
  EXPECT_EQ(shown, 15);
}

TEST(MainForm, CustomAxesAreBuiltAtStartUp) {
  ScriptedPlatform platform;
  TMainForm form(platform);
  struct Axis {
    TChartSeries* series;
    const char* title;
    int angle;
    bool otherSide;
    double start, end;
    bool automatic;
    double min, max;
  };
  const Axis expected[] = {
      {form.Hg->Series64, "cal step", 90, false, 60, 70, true, 0, 0},
      {form.Hg->Series67, "max shift", 270, true, 40, 50, false, -20, 20},
      {form.Hg->Series68, "repeats", 270, true, 50, 60, false, 0, 20},
      {form.Hg->Series65, "N of HGs", 270, true, 70, 85, true, 0, 0},
      {form.Composite->PointSeries5, "HV", 90, false, 0, 10, true, 0, 0},
      {form.Composite->Series25, "+5V", 90, true, 10, 20, true, 0, 0},
      {form.Composite->Series66, "R6", 90, false, 20, 30, true, 0, 0},
      {form.Composite->Series69, "R/S", 90, true, 30, 40, false, 0.989, 1.011},
      {form.Composite->Series70, "DT", 90, false, 40, 50, true, 0, 0},
      {form.Composite->Series71, "HG int", 90, true, 50, 60, true, 0, 0},
      {form.Composite->Series73, "SL int", 90, false, 60, 70, true, 0, 0},
      {form.Composite->Series74, "T, C", 90, true, 70, 80, true, 0, 0},
      {form.Composite->Series76, "HC", 90, false, 80, 90, true, 0, 0},
      {form.Composite->Series77, "SL V", 90, true, 90, 100, true, 0, 0},
  };
  EXPECT_EQ(form.Hg->HGGraph->CustomAxes().size(), 4u);
  EXPECT_EQ(form.Composite->CompositeChart->CustomAxes().size(), 10u);
  for (const Axis& e : expected) {
    SCOPED_TRACE(e.title);
    ASSERT_EQ(e.series->VertAxis, TVertAxis::aCustomVertAxis);
    const TChartAxis& axis = e.series->GetVertAxis();
    EXPECT_EQ(axis.Kind(), TAxisKind::Custom);
    EXPECT_EQ(axis.ParentChart(), e.series->ParentChart());
    EXPECT_EQ(axis.Title, e.title);
    EXPECT_EQ(axis.TitleAngle, e.angle);
    EXPECT_EQ(axis.OtherSide, e.otherSide);
    EXPECT_EQ(axis.StartPosition, e.start);
    EXPECT_EQ(axis.EndPosition, e.end);
    EXPECT_EQ(axis.Automatic, e.automatic);
    if (!e.automatic) {
      EXPECT_EQ(axis.Minimum, e.min);
      EXPECT_EQ(axis.Maximum, e.max);
    }
  }
  // The fixed bands ignore the data.
  form.Composite->Series69->AddXY(Day(2019, 1, 1), 5.0);
  double min = 0, max = 0;
  form.Composite->Series69->GetVertAxis().CurrentLimits(min, max);
  EXPECT_EQ(min, 0.989);
  EXPECT_EQ(max, 1.011);
}

TEST(MainForm, ComponentNamesAreUniqueAndFound) {
  ScriptedPlatform platform;
  TMainForm form(platform);
  std::set<std::string> names;
  for (const TComponent* c : form.Components()) EXPECT_TRUE(names.insert(c->Name).second) << c->Name;
  EXPECT_EQ(form.FindComponent("Series12"), form.Dt->Series12);
  EXPECT_EQ(form.FindComponent("DTGraph"), form.Dt->DTGraph);
  EXPECT_EQ(form.FindComponent("nothing"), nullptr);
}

TEST(MainForm, LayoutGivesEveryChartItsShareOfTheWindow) {
  ScriptedPlatform platform;
  TMainForm form(platform);
  EXPECT_EQ(form.StatusBar1->Top + form.StatusBar1->Height, 673);
  EXPECT_GT(form.Dt->DTGraph->Width, 900);
  EXPECT_GT(form.Dt->DTGraph->Height, 450);
  // The lower spin edit stays at the chart's bottom when the window grows.
  const int gap = form.Dt->DTGraph->Height - form.Dt->dtMin->Top;
  form.SetBounds(1, 1, 1200, 900);
  EXPECT_EQ(form.Dt->DTGraph->Height - form.Dt->dtMin->Top, gap);
  EXPECT_GT(form.Dt->DTGraph->Height, 650);
}

TEST(MainForm, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
  FormFixture f;
  f.form->Dt->LoadDtAvg->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  EXPECT_FALSE(RunUserAction([&] { f.form->Dt->LoadDtAvg->Click(); }));
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].caption, "Lumograph");
  EXPECT_EQ(f.platform.messages[0].text, "'x' is not a valid integer value");
  EXPECT_TRUE(RunUserAction([&] { f.form->Dt->SpeedButton1->Click(); }));  // cancelled save
}

TEST(SaveButtons, SaveTheChartAsABitmapAndNothingWhenCancelled) {
  FormFixture f;
  f.ClickWithFile(f.form->Dt->LoadDtAvg, f.dir.Write("dtoavg19.185", "00119 10 20 1 1 3500000 1\n"));
  const std::string target = f.dir.Path() + "/dt";
  f.ClickWithFile(f.form->Dt->SpeedButton1, target);
  const FileDialogRequest& request = f.platform.dialogs.back();
  EXPECT_EQ(request.fileName, "*.bmp");
  EXPECT_EQ(request.defaultExt, "bmp");
  EXPECT_TRUE(request.overwritePrompt);
  std::ifstream saved(target + ".bmp", std::ios::binary);
  char magic[2] = {};
  saved.read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "BM");

  RunUserAction([&] { f.form->Dt->SpeedButton1->Click(); });
  EXPECT_FALSE(std::ifstream(f.dir.Path() + "/*.bmp").good());
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST(SaveButtons, AWriteFailureIsShownAsAnError) {
  FormFixture f;
  f.ClickWithFile(f.form->Dt->SpeedButton1, f.dir.Path() + "/no/such/folder/dt.bmp");
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_NE(f.platform.messages[0].text.find("Cannot create file"), std::string::npos);
}

}  // namespace
