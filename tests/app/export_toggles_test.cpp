#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <filesystem>

#include "app/controls/application.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/duv_scan.h"
#include "reports/scans/fc_wheel.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

int FilesIn(const std::string& dir) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    (void)entry;
    ++n;
  }
  return n;
}

template <class T>
T* Find(const FormFixture& f, const char* name) {
  return dynamic_cast<T*>(f.form->FindComponent(name));
}

struct SaveButton {
  const char* button;
  const char* chart;
};

const SaveButton kSaveButtons[] = {
    {"CiSaveBMP", "CiGraph"},
    {"CzSaveBMP", "CZGraph"},
    {"SpeedButton4", "DUVGraph"},
    {"SpeedButton7", "diLampsChart"},
};

TEST(ExportButtons, EachSavesItsEmptyChartAsAValidBitmap) {
  int width = 300;
  for (const SaveButton& b : kSaveButtons) {
    SCOPED_TRACE(b.button);
    FormFixture f;
    TChart* chart = Find<TChart>(f, b.chart);
    ASSERT_NE(chart, nullptr);
    // A size of its own tells in the bitmap which chart the button saved.
    chart->Align = TAlign::alNone;
    chart->SetBounds(chart->Left, chart->Top, width += 17, 200);
    const std::string target = f.dir.Path() + "/" + b.button;
    f.ClickWithFile(Find<TButton>(f, b.button), target);
    EXPECT_TRUE(f.platform.messages.empty());
    ASSERT_FALSE(f.platform.dialogs.empty());
    const FileDialogRequest& request = f.platform.dialogs.back();
    EXPECT_EQ(request.fileName, "*.bmp");
    EXPECT_EQ(request.defaultExt, "bmp");
    EXPECT_EQ(request.filter, "BMP files (*.bmp)|*.bmp");
    EXPECT_TRUE(request.overwritePrompt);

    // The scripted dialog adds the default extension, as the real one does.
    const QImage image(QString::fromStdString(target + ".bmp"), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), 200);
    EXPECT_EQ(FilesIn(f.dir.Path()), 1);  // no temporary file is left behind
  }
}

TEST(ExportButtons, ACancelledDialogWritesNothing) {
  for (const SaveButton& b : kSaveButtons) {
    SCOPED_TRACE(b.button);
    FormFixture f;
    EXPECT_TRUE(RunUserAction([&] { Find<TButton>(f, b.button)->Click(); }));
    EXPECT_EQ(f.platform.dialogs.size(), 1u);
    EXPECT_EQ(FilesIn(f.dir.Path()), 0);
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST(ExportButtons, AWriteFailureIsShownByTheDefaultErrorHandling) {
  FormFixture f;
  f.ClickWithFile(f.form->Cz->CzSaveBMP, f.dir.Path() + "/no/such/folder/cz.bmp");
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_NE(f.platform.messages[0].text.find("Cannot create file"), std::string::npos);
}

TEST(ViewToggles, ClearButtonsEmptyTheirChartsAndStartAfresh) {
  struct Case {
    const char* button;
    const char* chart;
    bool* fresh;
  };
  const Case cases[] = {
      {"ClearGraph", "DUVGraph", &NewDuvGraph},
      {"ClearFC", "fcChart", &NewFcGraph},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    FormFixture f;
    TChart* chart = Find<TChart>(f, c.chart);
    TButton* button = Find<TButton>(f, c.button);
    EXPECT_TRUE(*c.fresh);  // before the first load
    EXPECT_EQ(chart->Title.Count(), 0);
    EXPECT_EQ(button->Caption, "Clear graph");

    // What a load leaves: curves of two files and a title line.
    chart->AddSeries<TLineSeries>("File1")->AddXY(1, 2);
    chart->AddSeries<TLineSeries>("File2")->AddXY(1, 3);
    chart->Title.Add("Brewer #123");
    *c.fresh = false;

    EXPECT_TRUE(RunUserAction([&] { button->Click(); }));
    EXPECT_TRUE(chart->Series().empty());
    EXPECT_EQ(chart->Title.Count(), 0);
    EXPECT_TRUE(*c.fresh);
  }
}

TEST(ViewToggles, ANewFormStartsBothChartsAfresh) {
  NewDuvGraph = false;
  NewFcGraph = false;
  FormFixture f;
  EXPECT_TRUE(NewDuvGraph);
  EXPECT_TRUE(NewFcGraph);
}

TEST(ViewToggles, GridLinesFollowTheCheckBox) {
  FormFixture f;
  TCheckBox* box = f.form->Duv->ShowGridLines;
  const TChartAxis& left = f.form->Duv->DUVGraph->LeftAxis;
  EXPECT_EQ(box->Caption, "Show grid lines");
  EXPECT_FALSE(box->Checked);
  EXPECT_FALSE(left.GridVisible);
  for (bool checked : {true, false, true}) {
    box->SetChecked(checked);
    RunUserAction([box] { box->Click(); });
    EXPECT_EQ(left.GridVisible, checked);
  }
  EXPECT_FALSE(f.form->Duv->DUVGraph->BottomAxis.GridVisible);  // only the left axis has grid lines
}

}  // namespace

// The headless driver runs the loaders, the toggles and the export of these
// tabs as a script on a station PC would.
TEST(ExportButtons, TheHeadlessDriverLoadsTogglesAndSaves) {
  TempDir dir;
  std::string cz =
      "****\r\n  CZ Scan\r\n****\r\nIntegration time is 0.2294 seconds per sample\r\n"
      "dh\r14\r03\r19\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n****\r\n"
      "Dead Time -------------------------  2.9E-08 \r\n"
      "Number of Cycles Used -------------  4 \r\n"
      "Starting Wavelength (Angstroms) ---  3335 \r\n"
      "Final Wavelength (Angstoms) -------  3347 \r\n"
      "Wavelength Increment (Angstroms) --  1 \r\n"
      "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\r\n"
      "Filter Wheel #2 Position ---------- (5) Open\r\n\r\n****\r\n"
      "CZ scan start time = 03:11:14\r\nDark Count =  6.9 \r\n\r\n"
      "Time (GMT)  Wavelength (Ang)  Step Number  Raw Counts  Counts/Second\r\n";
  const int counts[] = {0, 100, 300, 500, 700, 1000, 1000, 700, 500, 300, 100, 0, 0};
  for (int i = 0; i < 13; ++i) cz += " 1 " + std::to_string(3335 + i) + " 1 1 " + std::to_string(counts[i]) + "\r\n";
  const std::string czPath = dir.Write("cz07319.185", cz + "end\r\n\x1a");
  const std::string lamp = "dh\r05\r06\r16\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n"
                           "CJ SCAN-INST #185 dt  2.9E-08  cy 4 DARK =     8.1\r\n"
                           " 1 2865 3 4 100\r\n 1 2870 3 4 200\r\n DARK\r\n 1 2870 3 4 210\r\n 1 2865 3 4 110\r\nend\r\n";
  const std::string ciPath = dir.Write("ci15616.185", lamp);
  const std::string cjPath = dir.Write("cj15616.185", lamp);
  const std::string png = dir.Path() + "/cz.png";

  QProcess process;
  process.start(LUMOGRAPH_EXE, QStringList{"--headless", "--click", QString::fromStdString("LoadCZ=" + czPath),
                                           "--click", QString::fromStdString("LoadCI=" + ciPath), "--click",
                                           QString::fromStdString("LoadCJ=" + cjPath), "--click", "ShowGridLines",
                                           "--click", "ClearGraph", "--save",
                                           QString::fromStdString("CZGraph=" + png), "--dump", "-"});
  ASSERT_TRUE(process.waitForFinished(60000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  const QJsonObject root = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
  EXPECT_TRUE(root["messages"].toArray().isEmpty());
  const QJsonObject charts = root["charts"].toObject();

  const QJsonObject czGraph = charts["CZGraph"].toObject();
  const QJsonArray title = czGraph["title"].toArray();
  ASSERT_EQ(title.size(), 3);
  EXPECT_EQ(title[0].toString(), "Mar 14, 2019 in Lakeside");
  EXPECT_EQ(title[2].toString(), "Centre at 3340.50A and FHHB=5.0A");
  EXPECT_EQ(czGraph["series"].toArray()[0].toObject()["points"].toArray().size(), 13);

  const QJsonArray ci = charts["CiGraph"].toObject()["series"].toArray();
  EXPECT_EQ(ci[0].toObject()["points"].toArray().size(), 2);
  const QJsonArray cj = charts["CjGraph"].toObject()["series"].toArray();
  ASSERT_GE(cj.size(), 3);
  EXPECT_EQ(cj[2].toObject()["points"].toArray()[1].toObject()["y"].toDouble(), 200.0 / 210);

  const QJsonObject duv = charts["DUVGraph"].toObject();
  EXPECT_TRUE(duv["axes"].toObject()["left"].toObject()["grid"].toBool());
  EXPECT_TRUE(duv["title"].toArray().isEmpty());
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}
