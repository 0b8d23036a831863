#include <gtest/gtest.h>

#include "app/controls/file_select.h"
#include "core/paths.h"
#include "tests/support/test_support.h"

namespace {

TEST(FileSelect, TheDialogsChoiceMovesBothInitialFolders) {
  FormFixture f;
  TMainForm& form = *f.form;
  const std::string before = form.OpenDialog1->InitialDir;
  std::string path;

  EXPECT_FALSE(form.SelectReportFile("sl?avg*.*", path));  // cancelled
  EXPECT_EQ(form.OpenDialog1->InitialDir, before);
  EXPECT_EQ(form.OpenDirDialog1->InitialDir, before);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "sl?avg*.*");

  f.platform.fileAnswers.push_back("/data/station/sloavg19.185");
  ASSERT_TRUE(form.SelectReportFile("sl?avg*.*", path));
  EXPECT_EQ(path, "/data/station/sloavg19.185");
  EXPECT_EQ(form.OpenDialog1->InitialDir, "/data/station/");
  EXPECT_EQ(form.OpenDirDialog1->InitialDir, "/data/station/");
}

TEST(FileSelect, FolderModeTakesTheGivenFileAndAsksNothing) {
  FormFixture f;
  TMainForm& form = *f.form;
  const std::string before = form.OpenDialog1->InitialDir;
  std::string path;
  {
    FolderModeScope folder("/data/b//dtoavg19.185");
    EXPECT_TRUE(form.SelectReportFile("dtoavg*.*", path));
  }
  EXPECT_FALSE(FolderMode);
  EXPECT_TRUE(FolderFilePath.empty());
  EXPECT_EQ(path, "/data/b//dtoavg19.185");
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(form.OpenDialog1->InitialDir, before);
}

}  // namespace
