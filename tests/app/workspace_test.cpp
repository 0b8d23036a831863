#include "app/workspace.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/controls/application.h"
#include "app/controls/platform.h"
#include "core/paths.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/folder/composite.h"
#include "reports/scans/lamp_scan.h"
#include "tests/support/test_support.h"

namespace {

const char kTwoDays[] = "00119 28.0 27.0\r\n00219 28.5 27.5\r\n";

class WorkspaceTest : public ::testing::Test {
 protected:
  TMainForm& form() { return *f.form; }
  void ShowTab(TTabSheet* tab) {
    auto& pages = form().PageControl1->Pages;
    form().PageControl1->SetActivePageIndex(static_cast<int>(std::find(pages.begin(), pages.end(), tab) - pages.begin()));
  }
  // Counts the runs of a button's handler.
  int& Count(TButton* button) {
    auto inner = button->OnClick;
    button->OnClick = [this, inner](TObject* sender) {
      ++clicks_;
      inner(sender);
    };
    return clicks_;
  }
  static void Append(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::app | std::ios::binary) << text;
  }
  // Zooms a chart into the first half of its bottom axis.
  void Zoom(TChart& chart) {
    double lo = 0, hi = 0;
    chart.BottomAxis.CurrentLimits(lo, hi);
    if (hi <= lo) hi = lo + 1;
    ws.View(chart).ZoomToRect({{&chart.BottomAxis, {lo, hi, 0, 100, false}}}, {0, 0, 50, 0});
    ASSERT_TRUE(ws.View(chart).Zoomed());
  }
  void ZoomDt() { Zoom(*form().Dt->DTGraph); }
  const std::string& Status() { return form().StatusBar1->SimpleText; }

  FormFixture f;
  Workspace ws{*f.form};
  int clicks_ = 0;
};

TEST_F(WorkspaceTest, ATabsLoadAndSaveButtons) {
  struct Case {
    const char* name;
    TTabSheet* tab;
    TButton* load;
    TSpeedButton* save;
  };
  const Case cases[] = {
      {"DT", form().DTTab, form().Dt->LoadDtAvg, form().Dt->SpeedButton1},
      {"SL, its buttons above the sub-tabs", form().SLTab, form().Sl->LoadSLavgFile, form().Sl->SLSaveBMP},
      {"CI, two loaders", form().CITab, form().Ci->LoadCI, form().Ci->CiSaveBMP},
      {"CJ, no save button", form().CJTab, form().Cj->LoadCJ, nullptr},
      {"Composite, no loader", form().CompositeTab, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TButton*> loaders = LoadButtons(*c.tab);
    EXPECT_EQ(loaders.empty() ? nullptr : loaders.front(), c.load);
    EXPECT_EQ(ButtonForPath(form(), *c.tab, false), c.load);
    EXPECT_EQ(ButtonForPath(form(), *c.tab, true), form().Button2);
    EXPECT_EQ(SaveButton(*c.tab), c.save);
  }
  EXPECT_EQ(LoadButtons(*form().CITab), (std::vector<TButton*>{form().Ci->LoadCI, form().Ci->LoadOldCI}));
  form().Dt->LoadDtAvg->SetEnabled(false);
  EXPECT_TRUE(LoadButtons(*form().DTTab).empty());
}

TEST(DialogOffersTest, ADialogOffersWhatItsPatternsMatch) {
  struct Case {
    const char* name;
    const char* pattern;
    bool pickFolder;
    const char* path;
    bool folder;
    bool offered;
  };
  const Case cases[] = {
      {"upper-case name without a year", "sl?avg*.*", false, "/data/SLOAVG.185", false, true},
      {"another report", "sl?avg*.*", false, "/data/dtoavg19.185", false, false},
      {"second pattern", "cz?????.*;hl?????.*;hs?????.*", false, "/d/HL17219.185", false, true},
      {"pattern matched by the folder only", "sl?avg*.*", false, "/sloavg/x.185", false, false},
      {"a folder to a file dialog", "sl?avg*.*", false, "/data/", true, false},
      {"a file to a folder dialog", "", true, "/data/SLOAVG.185", false, false},
      {"a folder to a folder dialog", "", true, "/data", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileDialogRequest request;
    request.fileName = c.pattern;
    request.pickFolder = c.pickFolder;
    EXPECT_EQ(DialogOffers(request, c.path, c.folder), c.offered);
  }
}

TEST_F(WorkspaceTest, CtrlAndANumberSelectsTheTabsOfTheTabRow) {
  struct Case {
    int n;
    TTabSheet* tab;  // null: nothing selected
  };
  // Laser, FI, MI and SC are not in the tab row.
  const Case cases[] = {{1, form().APTab},         {4, form().SLTab},  {9, form().CITab},
                        {14, form().CompositeTab}, {15, form().DSPTab}, {16, nullptr},
                        {0, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const int index = TabForShortcut(*form().PageControl1, c.n);
    EXPECT_EQ(index < 0 ? nullptr : form().PageControl1->Pages[static_cast<size_t>(index)], c.tab);
  }
  ws.SelectTab(3);
  EXPECT_EQ(form().PageControl1->ActivePageIndex, 2);
  ws.SelectTab(16);
  EXPECT_EQ(form().PageControl1->ActivePageIndex, 2);
}

TEST_F(WorkspaceTest, ADroppedFileLoadsAsIfChosenInTheDialog) {
  const std::string path = f.dir.Write("DTOAVG.185", kTwoDays);
  ShowTab(form().DTTab);
  form().OpenDialog1->InitialDir = "/elsewhere/";
  ws.Drop(path);
  EXPECT_EQ(form().Dt->Series12->Count(), 2);
  EXPECT_EQ(form().Dt->DTGraph->Title[0], path);
  // As a choice in the dialog: the folder is remembered, and no dialog showed.
  EXPECT_EQ(form().OpenDialog1->InitialDir, ExtractFilePath(path));
  EXPECT_EQ(form().OpenDirDialog1->InitialDir, ExtractFilePath(path));
  EXPECT_TRUE(f.platform.dialogs.empty());
  // No refusal note: the status line is the load's own.
  EXPECT_EQ(Status().rfind("DTOAVG.185: 2 records, 2 in the date window", 0), 0u) << Status();
}

TEST_F(WorkspaceTest, AFileTheTabDoesNotReadIsRefusedWithANote) {
  const std::string sl = f.dir.Write("SLOAVG.185", "whatever\n");
  ShowTab(form().DTTab);
  ws.Drop(sl);
  EXPECT_EQ(form().Dt->Series12->Count(), 0);
  EXPECT_EQ(Status(), "SLOAVG.185 not loaded: the DT tab reads dtoavg*.*");
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(form().OpenDialog1->FileName, "dtoavg*.*");

  ShowTab(form().CompositeTab);
  ws.Drop(sl);
  EXPECT_EQ(Status(), "SLOAVG.185 not loaded: nothing on the Composite tab loads files");
}

TEST_F(WorkspaceTest, ADroppedFolderRunsLoadDirOnIt) {
  std::string picked;
  form().Button2->OnClick = [&](TObject*) {
    if (form().OpenDirDialog1->Execute()) picked = form().OpenDirDialog1->FileName;
  };
  ShowTab(form().DTTab);
  ws.Drop(f.dir.Path());
  EXPECT_EQ(picked, IncludeTrailingPathDelimiter(f.dir.Path()));
  EXPECT_TRUE(f.platform.dialogs.empty());
}

TEST_F(WorkspaceTest, F5ReadsTheTabsLastFileAgainKeepingTheZoom) {
  ShowTab(form().DTTab);
  int& clicks = Count(form().Dt->LoadDtAvg);
  ws.ReloadCurrentTab();  // nothing read yet
  EXPECT_EQ(clicks, 0);

  const std::string path = f.dir.Write("dtoavg19.185", kTwoDays);
  f.platform.fileAnswers.push_back(path);
  ws.Press(form().Dt->LoadDtAvg);  // the user's choice in the dialog
  ASSERT_EQ(form().Dt->Series12->Count(), 2);
  ZoomDt();
  Append(path, "00319 29.0 28.0\r\n");
  ws.ReloadCurrentTab();
  EXPECT_EQ(form().Dt->Series12->Count(), 3);
  EXPECT_TRUE(ws.View(*form().Dt->DTGraph).Zoomed());
  EXPECT_EQ(f.platform.dialogs.size(), 1u);  // the first load's only
}

TEST_F(WorkspaceTest, ANewFileShowsTheChartsItChangedUnzoomed) {
  ShowTab(form().DTTab);
  const std::string first = f.dir.Write("dtoavg19.185", kTwoDays);
  ws.Drop(first);
  TChart& composite = *form().Composite->CompositeChart;
  TChart& sl = *form().Sl->SLGraph;
  for (TChart* chart : {form().Dt->DTGraph, &composite, &sl}) Zoom(*chart);
  // A cancelled dialog reads nothing: the zoom stays.
  ws.Press(form().Dt->LoadDtAvg);
  EXPECT_TRUE(ws.View(*form().Dt->DTGraph).Zoomed());
  ws.Drop(f.dir.Write("dtoavg20.185", kTwoDays));
  EXPECT_FALSE(ws.View(*form().Dt->DTGraph).Zoomed());
  // The composite chart follows the DT arrows, so it changed too; SL did not.
  EXPECT_FALSE(ws.View(composite).Zoomed());
  EXPECT_TRUE(ws.View(sl).Zoomed());
}

TEST_F(WorkspaceTest, AFollowedFileThatGrowsIsReadAgainOnceItSettles) {
  const std::string path = f.dir.Write("dtoavg19.185", kTwoDays);
  ShowTab(form().DTTab);
  ws.Drop(path);
  ZoomDt();
  int& reloads = Count(form().Dt->LoadDtAvg);
  ws.SetFollowing(true);
  ws.Poll(0);
  EXPECT_EQ(reloads, 0);  // unchanged

  Append(path, "00319 29.0 28.0\r\n");
  ws.Poll(10);
  ws.Poll(10.5);  // not settled yet
  EXPECT_EQ(reloads, 0);
  ws.Poll(11);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(form().Dt->Series12->Count(), 3);
  EXPECT_EQ(form().Dt->Series12->Point(2).X, Day(2019, 1, 3));
  EXPECT_TRUE(ws.View(*form().Dt->DTGraph).Zoomed());
  ws.Poll(12);
  ws.Poll(20);
  EXPECT_EQ(reloads, 1);
  EXPECT_TRUE(f.platform.dialogs.empty());
}

TEST_F(WorkspaceTest, FilesAreNotReadAgainWhenTheyShouldNotBe) {
  struct Case {
    const char* name;
    bool following;
    bool busy;     // a user action runs while the changes are looked at
    bool removed;  // the file is away
  };
  const Case cases[] = {
      {"not followed", false, false, false},
      {"another load runs", true, true, false},
      {"the file is away", true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture g;
    Workspace w(*g.form);
    const std::string path = g.dir.Write("dtoavg19.185", kTwoDays);
    g.form->PageControl1->SetActivePageIndex(2);
    w.Drop(path);
    ASSERT_EQ(g.form->Dt->Series12->Count(), 2);
    w.SetFollowing(c.following);
    Append(path, "00319 29.0 28.0\r\n");
    if (c.removed) std::filesystem::remove(path);
    auto poll = [&] {
      for (double t : {1.0, 2.0, 3.0, 4.0}) w.Poll(t);
    };
    if (c.busy) {
      RunUserAction(poll);
    } else {
      poll();
    }
    EXPECT_EQ(g.form->Dt->Series12->Count(), 2);
  }
}

TEST_F(WorkspaceTest, AChangeSeenDuringALoadIsReadAfterIt) {
  const std::string path = f.dir.Write("dtoavg19.185", kTwoDays);
  ShowTab(form().DTTab);
  ws.Drop(path);
  ws.SetFollowing(true);
  Append(path, "00319 29.0 28.0\r\n");
  RunUserAction([&] {
    for (double t : {1.0, 2.0, 3.0}) ws.Poll(t);
  });
  EXPECT_EQ(form().Dt->Series12->Count(), 2);
  ws.Poll(4);
  ws.Poll(5);
  EXPECT_EQ(form().Dt->Series12->Count(), 3);
}

TEST_F(WorkspaceTest, ClicksWhileAnActionRunsAreDropped) {
  const std::string path = f.dir.Write("dtoavg19.185", kTwoDays);
  ShowTab(form().DTTab);
  RunUserAction([&] { ws.Drop(path); });
  EXPECT_EQ(form().Dt->Series12->Count(), 0);
  ws.Drop(path);
  EXPECT_EQ(form().Dt->Series12->Count(), 2);
}

TEST_F(WorkspaceTest, ANoteGoesWithTheNextClickButOtherTextStays) {
  ShowTab(form().DTTab);
  ws.Drop(f.dir.Write("sloavg19.185", ""));
  ASSERT_NE(Status(), "");
  ws.Press(form().Dt->LoadDtAvg);  // cancelled
  EXPECT_EQ(Status(), "");
  form().StatusBar1->SimpleText = "dtoavg19.185: 2 records";
  ws.Press(form().Dt->LoadDtAvg);
  EXPECT_EQ(Status(), "dtoavg19.185: 2 records");
}

TEST_F(WorkspaceTest, AReadingLastsWhileTheMouseIsOverAChart) {
  form().StatusBar1->SimpleText = "SLOAVG.185: 85 records";
  ws.ShowReading("SLGraph  R6  01/01/19  340");
  ws.ShowReading("SLGraph  R6  02/01/19  341");
  EXPECT_EQ(Status(), "SLGraph  R6  02/01/19  341");
  ws.EndReading();
  EXPECT_EQ(Status(), "SLOAVG.185: 85 records");
  // A load wrote the bar meanwhile: its text comes back, not the older one.
  ws.ShowReading("SLGraph  R6  02/01/19  341");
  form().StatusBar1->SimpleText = "dtoavg19.185: 3 records";
  ws.ShowReading("SLGraph  R6  03/01/19  342");
  ws.EndReading();
  EXPECT_EQ(Status(), "dtoavg19.185: 3 records");
}

}  // namespace
