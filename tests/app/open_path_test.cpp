// Opening a report file or a station folder from the command line: the path
// reaches the loader a user would press, and answers its dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/controls/application.h"
#include "app/open_path.h"
#include "app/qt/open_in_window.h"
#include "app/qt/qt_platform.h"
#include "core/file_mask.h"
#include "core/text.h"
#include "reports/daily/dt_avg.h"
#include "tests/support/test_support.h"

namespace {

std::string NameOf(const TButton* button) { return button ? button->Name : "(none)"; }

TEST(OpenPath, AFileGoesToTheTabWhosePatternMatchesItsName) {
  FormFixture f;
  struct Case { const char* name; const char* loader; };
  const Case cases[] = {
      {"sloavg19.185", "LoadSLavgFile"},
      {"SLOAVG.185", "LoadSLavgFile"},      // upper case, no year
      {"slnavg19.185", "LoadSLavgFile"},
      {"sloavg", "LoadSLavgFile"},          // "*.*" takes a name without a point
      {"DTOAVG.228", "LoadDtAvg"},
      {"hgoavg19.185", "LoadHGavg"},
      {"RSOAVG.228", "LoadRSavg"},
      {"APOAVG.228", "LoadApavg"},
      {"opavg19.185", "LoadOPavg"},
      {"CZ17219.185", "LoadCZ"},
      {"HL17219.185", "LoadCZ"},
      {"hs17219.185", "LoadCZ"},
      {"hs1721.185", "(none)"},             // one character short of a day code
      {"CI17219.185", "LoadCI"},
      {"cj17219.185", "LoadCJ"},            // the CI loader takes it too, but it has its own tab
      {"ch17219.185", "LoadCJ"},
      {"notes.txt", "(none)"},
      {"185_slavgR6R5_19-20.bmp", "(none)"},  // a chart saved next to the reports
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameOf(LoaderFor(*f.form, f.dir.Path() + "/" + c.name)), c.loader) << c.name;
  // Only the file's own name counts, not the folders above it.
  EXPECT_EQ(NameOf(LoaderFor(*f.form, "/data/sloavg19/dtoavg19.185")), "LoadDtAvg");
}

TEST(OpenPath, AFolderGoesToLoadDirWithItsSeparator) {
  FormFixture f;
  const std::string folder = f.dir.Path() + "/sloavg19.185";  // a folder, though named like a report
  std::filesystem::create_directory(folder);
  const std::string file = f.dir.Write("dtoavg19.185", "");
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  struct Case { std::string path, loader, answer; };
  const Case cases[] = {
      {folder, "Button2", folder + separator},
      {folder + "/", "Button2", folder + "/"},
      {file, "LoadDtAvg", file},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameOf(LoaderFor(*f.form, c.path)), c.loader) << c.path;
    EXPECT_EQ(DialogAnswerFor(c.path), c.answer) << c.path;
  }
}

// The file patterns live in the loaders; a loader whose pattern changes, or a
// new loader, must still be reached by the files it asks for.
TEST(OpenPath, EveryFileALoaderAsksForOpensWithALoaderThatTakesIt) {
  FormFixture f;
  std::map<std::string, std::string> asked;  // button -> the patterns it presets the open dialog to
  for (TComponent* c : f.form->Components()) {
    auto* button = dynamic_cast<TButton*>(c);
    if (!button) continue;
    f.form->OpenDialog1->FileName.clear();
    RunUserAction([button] { button->Click(); });  // every dialog is cancelled
    if (!f.form->OpenDialog1->FileName.empty()) asked[button->Name] = f.form->OpenDialog1->FileName;
  }
  ASSERT_GE(asked.size(), 9u);
  for (const auto& [button, patterns] : asked) {
    std::istringstream masks(patterns);
    for (std::string name; std::getline(masks, name, ';');) {
      for (char& ch : name) ch = ch == '?' ? 'x' : ch == '*' ? '1' : ch;
      for (const std::string& variant : {name, AnsiUpperCase(name)}) {
        const TButton* loader = LoaderFor(*f.form, "/data/" + variant);
        ASSERT_NE(loader, nullptr) << variant << " (asked for by " << button << ")";
        ASSERT_TRUE(asked.count(loader->Name)) << loader->Name;
        EXPECT_TRUE(MatchesAnyMask(variant, asked[loader->Name])) << variant << " went to " << loader->Name;
      }
    }
  }
}

TEST(OpenPath, ShowTabOfBringsTheControlsTabToTheFront) {
  FormFixture f;
  TPageControl& pages = *f.form->PageControl1;
  ShowTabOf(*f.form, LoaderFor(*f.form, "/data/cz17219.185"));
  EXPECT_EQ(pages.Pages[static_cast<size_t>(pages.ActivePageIndex)], f.form->TabSheet1);
  ShowTabOf(*f.form, f.form->Button2);  // below the tabs
  EXPECT_EQ(pages.Pages[static_cast<size_t>(pages.ActivePageIndex)], f.form->TabSheet1);
}

// The window's own platform: its dialogs are answered by the path, never shown.
class OpenPathInWindowTest : public ::testing::Test {
 protected:
  OpenPathInWindowTest() {
    form.StartingDate->SetDateTime(Day(1990, 1, 1));
    form.EndDate->SetDateTime(Day(2030, 12, 31));
  }
  QtPlatform platform;
  TMainForm form{platform};
  TempDir dir;
};

TEST_F(OpenPathInWindowTest, AFileLoadsOnItsTabAsIfChosenInItsDialog) {
  const std::string file = dir.Write("DTOAVG.185", "00119 14.6 30 1 1 3500000 1\r\n");
  OpenPathInWindow(form, platform, dir.Path() + "/./DTOAVG.185");
  EXPECT_EQ(form.PageControl1->Pages[static_cast<size_t>(form.PageControl1->ActivePageIndex)], form.DTTab);
  EXPECT_EQ(form.Dt->Series12->Count(), 1);
  EXPECT_EQ(form.Dt->DTGraph->Title[0], file);  // the full path, as a dialog gives it
  EXPECT_EQ(form.OpenDialog1->InitialDir, dir.Path() + "/");
}

TEST_F(OpenPathInWindowTest, AFolderRunsLoadDirWithTheFolderAsItsAnswer) {
  std::string chosen = "(no dialog)";
  form.Button2->OnClick = [this, &chosen](TObject*) {
    if (form.OpenDirDialog1->Execute()) chosen = form.OpenDirDialog1->FileName;
  };
  const int page = form.PageControl1->ActivePageIndex;
  OpenPathInWindow(form, platform, dir.Path());
  EXPECT_EQ(chosen, dir.Path() + "/");
  EXPECT_EQ(form.PageControl1->ActivePageIndex, page);
}

}  // namespace
