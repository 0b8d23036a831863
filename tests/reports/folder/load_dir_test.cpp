#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "reports/daily/sl_avg.h"
#include "reports/folder/composite.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/lamp_scan.h"
#include "tests/support/report_files.h"
#include "tests/support/test_support.h"

namespace {

// Ten days of one year in the SL averages layout.
std::string SlFile(int yy, int r6) {
  std::string text;
  char line[120];
  for (int day = 1; day <= 10; ++day) {
    std::snprintf(line, sizeof line, "%03d%02d 20 30  5  1718  1177   379   397   450   %3d  826120\r\n", day, yy,
                  r6);
    text += line;
  }
  return text;
}

// "Load DIR" answered with `folder`; false when a loader raised an error.
bool LoadFolder(FormFixture& f, const std::string& folder) {
  f.platform.fileAnswers.push_back(folder + "/");
  return RunUserAction([&f] { f.form->Button2->Click(); });
}

class LoadDirTest : public ::testing::Test {
 protected:
  bool LoadDir() { return LoadFolder(f, f.dir.Path()); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(f.dir.Path() + "/" + name); }
  FormFixture f;
};

TEST_F(LoadDirTest, LoadsEverySlFileInOrderAndSavesThreeBitmapsEach) {
  f.dir.Write("SLOAVG20.185", SlFile(20, 333));
  f.dir.Write("sloavg19.185", SlFile(19, 311));
  ASSERT_TRUE(LoadDir());
  for (const char* name : {"185_slavgR6R5_19-19.bmp", "185_slavgR6I1_19-19.bmp", "185_slavgR6vsT_19-19.bmp",
                           "185_slavgR6R5_20-20.bmp", "185_slavgR6I1_20-20.bmp", "185_slavgR6vsT_20-20.bmp"})
    EXPECT_TRUE(Exists(name)) << name;
  // Case ignored in the order: the 2020 file comes last and stays drawn.
  const TChartSeries* r6 = f.form->Sl->Series8;
  ASSERT_GT(r6->Count(), 0);
  EXPECT_EQ(r6->YValue(0), 333);
  EXPECT_EQ(r6->XValue(0), Day(2020, 1, 2));  // the first day has no previous one to compare with
  // Nothing is asked, no tab selected, no message shown; the folder is remembered.
  EXPECT_EQ(f.platform.dialogs.size(), 1u);
  EXPECT_EQ(f.form->PageControl1->ActivePageIndex, 0);
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form->OpenDialog1->InitialDir, f.dir.Path() + "/");
  EXPECT_FALSE(FolderMode);
}

TEST(LoadDir, TestFilesFollowTheInstrumentOfTheDailyFiles) {
  CzFile cz;
  cz.points = {{3340, 100}, {3341, 900}, {3342, 100}};
  struct Case {
    const char* name;
    std::vector<std::string> files;
    const char* ci;        // the lamp scan of the folder
    const char* czBrewer;  // the instrument whose cz file was loaded; "" for none
  };
  const Case cases[] = {
      {"daily files of 185: the first cz file of 185",
       {"sloavg19.185", "cz07319.033", "cz07419.185", "cz07519.185"}, "ci07319.185", "185"},
      // With no daily file the ci mask takes any extension; the cz mask then
      // takes the lamp scan's.
      {"no daily file", {"cz07319.185", "cz07419.033"}, "ci07319.033", "033"},
      {"no cz file", {"sloavg19.185"}, "ci07319.185", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture f;
    for (const std::string& name : c.files)
      f.dir.Write(name, name.rfind("sloavg", 0) == 0 ? SlFile(19, 311) : cz.Text());
    f.dir.Write(c.ci, LampFile(Lines({2865}, {1000})));
    ASSERT_TRUE(LoadFolder(f, f.dir.Path()));
    const TChart* czChart = f.form->Cz->CZGraph;
    if (*c.czBrewer) {
      ASSERT_GE(czChart->Title.Count(), 2);
      EXPECT_NE(czChart->Title[1].find(std::string("#") + c.czBrewer), std::string::npos) << czChart->Title[1];
    } else {
      EXPECT_EQ(f.form->Cz->Series1->Count(), 0);
    }
    EXPECT_EQ(f.form->Ci->Series2->Count(), 1);
  }
}

TEST_F(LoadDirTest, CancelChangesNothing) {
  f.dir.Write("sloavg19.185", SlFile(19, 311));
  const std::string before = f.form->OpenDialog1->InitialDir;
  ASSERT_TRUE(RunUserAction([this] { f.form->Button2->Click(); }));
  EXPECT_EQ(f.form->Sl->Series8->Count(), 0);
  EXPECT_EQ(f.form->OpenDialog1->InitialDir, before);
  EXPECT_FALSE(Exists("185_slavgR6R5_19-19.bmp"));
}

TEST_F(LoadDirTest, ALoaderErrorEndsTheLoadAndLeavesFolderModeCleared) {
  f.dir.Write("sloavg19.185", SlFile(19, 311));
  // A cz file whose increment is no number: its loader raises.
  CzFile cz;
  cz.increment = "x";
  f.dir.Write("cz07319.185", cz.Text());
  f.dir.Write("hgoavg19.185", "00119 1000 25 12\n");
  EXPECT_FALSE(LoadDir());
  EXPECT_FALSE(FolderMode);
  EXPECT_TRUE(FolderFilePath.empty());
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].caption, "Lumograph");
  EXPECT_TRUE(Exists("185_slavgR6R5_19-19.bmp"));  // loaded before the error
  EXPECT_FALSE(Exists("185_hgavg_19-19.bmp"));     // the steps after it never ran
}

TEST_F(LoadDirTest, BitmapsOfAReportOverTwoYearsAndTheCompositeFollowsSl) {
  f.dir.Write("sloavg19.185", SlFile(19, 311) + "36520 20 30  5  1718  1177   379   397   450   311  826120\r\n");
  ASSERT_TRUE(LoadDir());
  EXPECT_TRUE(Exists("185_slavgR6R5_19-20.bmp"));
  const TChartSeries* r6 = f.form->Sl->Series8;
  const TChartSeries* band = f.form->Composite->Series66;
  ASSERT_EQ(band->Count(), r6->Count());
  for (int i = 0; i < r6->Count(); ++i) {
    EXPECT_EQ(band->XValue(i), r6->XValue(i));
    EXPECT_EQ(band->YValue(i), r6->YValue(i));
  }
}

}  // namespace
