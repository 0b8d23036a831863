#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "app/cli/form_dump.h"
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

// The whole start-up form (every tab, caption, axis, series setting) against
// a dump kept beside the tests: a change of any design-time setting shows
// here. Run with LUMOGRAPH_UPDATE_GOLDEN=1 to write the dump anew after a
// deliberate change, and review its diff.
TEST(MainForm, StartUpFormMatchesItsGoldenDump) {
  ScriptedPlatform platform;
  platform.today = Day(2020, 6, 1);
  TMainForm form(platform);
  std::ostringstream out;
  DumpForm(form, platform.messages, out);
  std::string dump = out.str();
  // The dialogs start in the current folder, which differs between runs.
  const std::string here = "\"" + CurrentDirectory() + "\"";
  for (size_t at; (at = dump.find(here)) != std::string::npos;) dump.replace(at, here.size(), "\"<cwd>\"");

  const QJsonDocument actual = QJsonDocument::fromJson(QByteArray::fromStdString(dump));
  ASSERT_TRUE(actual.isObject());

  const QString golden = QStringLiteral(LUMOGRAPH_TEST_DATA "/form/startup.json");
  QFile file(golden);
  if (std::getenv("LUMOGRAPH_UPDATE_GOLDEN") && file.open(QIODevice::WriteOnly)) {
    file.write(actual.toJson(QJsonDocument::Indented));
    file.close();
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << golden.toStdString();
  EXPECT_EQ(actual, QJsonDocument::fromJson(file.readAll()));
}

TEST(MainForm, FixedBandsOfTheCompositeIgnoreTheData) {
  ScriptedPlatform platform;
  TMainForm form(platform);
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

  // A cancelled dialog writes nothing, not even under the dialog's pattern.
  RunUserAction([&] { f.form->Dt->SpeedButton1->Click(); });
  EXPECT_FALSE(std::ifstream("*.bmp").good());
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
