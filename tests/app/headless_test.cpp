// Drives the real executable, as a script on a station PC would.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/test_support.h"

namespace {

struct RunResult {
  int status = -1;
  QByteArray out, err;
};

RunResult Headless(const QStringList& actions, const QString& outputFile = {}) {
  QProcess process;
  if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
  process.start(LUMOGRAPH_EXE, QStringList{"--headless"} + actions);
  RunResult run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

QJsonObject Dump(const RunResult& run) { return QJsonDocument::fromJson(run.out).object(); }

TEST(Headless, LoadsADtFileAndDumpsWhatWasPlotted) {
  TempDir dir;
  const std::string file = dir.Write("dtoavg19.185",
                                     "00119 14.6 30 1 1 3500000 1\r\n"
                                     "00219 20 40.2 3 1 500000 1\r\n"
                                     "bad line\r\n");
  const RunResult run = Headless({"--set", "StartingDate=2019-01-02", "--click",
                            QString("LoadDtAvg=") + file.c_str(), "--dump", "-"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QJsonObject root = Dump(run);
  EXPECT_TRUE(root["messages"].toArray().isEmpty());
  const QJsonObject controls = root["controls"].toObject();
  EXPECT_EQ(controls["StartingDate"].toString(), "2019-01-02");
  // The status line tells what the load read, and what the window kept.
  EXPECT_TRUE(controls["StatusBar1"].toString().startsWith(
      QString::fromUtf8("dtoavg19.185: 2 records, 1 in the date window 02/01/2019\u2013")))
      << controls["StatusBar1"].toString().toStdString();
  EXPECT_EQ(controls["StrictDate"].toBool(true), false);
  EXPECT_EQ(controls["dtMaxUpDown"].toInt(), 42);
  EXPECT_EQ(controls["dtMin"].toString(), "19");
  EXPECT_EQ(controls["CATab"].toObject()["visible"].toBool(true), false);

  const QJsonObject dt = root["charts"].toObject()["DTGraph"].toObject();
  EXPECT_EQ(dt["title"].toArray()[0].toString().toStdString(), file);
  EXPECT_GT(dt["width"].toInt(), 0);
  const QJsonObject left = dt["axes"].toObject()["left"].toObject();
  EXPECT_FALSE(left["automatic"].toBool(true));
  EXPECT_EQ(left["min"].toDouble(), 19);
  EXPECT_EQ(left["max"].toDouble(), 42);
  EXPECT_EQ(left["title"].toString(), "Dead time, ns.");
  const QJsonObject bottom = dt["axes"].toObject()["bottom"].toObject();
  EXPECT_TRUE(bottom["automatic"].toBool());
  EXPECT_EQ(bottom["min"].toDouble(), Day(2019, 1, 2));  // only the day inside the window

  const QJsonArray series = dt["series"].toArray();
  ASSERT_EQ(series.size(), 3);
  const QJsonObject arrows = series[0].toObject();
  EXPECT_EQ(arrows["name"].toString(), "Series12");
  EXPECT_EQ(arrows["kind"].toString(), "arrow");
  EXPECT_EQ(arrows["axis"].toString(), "left");
  EXPECT_EQ(arrows["color"].toInt(), 32768);
  const QJsonArray points = arrows["points"].toArray();
  ASSERT_EQ(points.size(), 1);
  const QJsonObject p = points[0].toObject();
  EXPECT_EQ(p["x"].toDouble(), Day(2019, 1, 2));
  EXPECT_EQ(p["y"].toDouble(), 20);
  EXPECT_EQ(p["x1"].toDouble(), Day(2019, 1, 2));
  EXPECT_EQ(p["y1"].toDouble(), 40.2);
  EXPECT_EQ(p["color"].toInt(), 255);
  const QJsonObject intensity = series[1].toObject()["points"].toArray()[0].toObject();
  EXPECT_EQ(intensity["y"].toDouble(), 0.5);
  EXPECT_FALSE(intensity.contains("x1"));

  const QJsonObject composite = root["charts"].toObject()["CompositeChart"].toObject();
  const QJsonArray bands = composite["axes"].toObject()["custom"].toArray();
  ASSERT_EQ(bands.size(), 10);
  EXPECT_EQ(bands[3].toObject()["title"].toString(), "R/S");
  EXPECT_EQ(bands[3].toObject()["min"].toDouble(), 0.989);
  EXPECT_EQ(composite["series"].toArray()[4].toObject()["axis"].toString(), "custom:4");
}

TEST(Headless, AHandlerErrorIsLoggedAndTheRunGoesOn) {
  TempDir dir;
  const RunResult run = Headless({"--click", QString("SpeedButton1=") + dir.Path().c_str() + "/missing/dt.bmp",
                            "--click", "Load dt avg file", "--dump", "-"});
  EXPECT_EQ(run.status, 1);
  const QJsonArray messages = Dump(run)["messages"].toArray();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0].toObject()["caption"].toString(), "Lumograph");
  EXPECT_TRUE(messages[0].toObject()["text"].toString().startsWith("Cannot create file"));
  EXPECT_TRUE(run.err.contains("Cannot create file"));
}

TEST(Headless, UsageErrorsStopBeforeAnythingRuns) {
  TempDir dir;
  const std::string dump = dir.Path() + "/dump.json";
  const QStringList cases[] = {
      {"--frobnicate"},
      {"--click", "NoSuchButton"},
      {"--click", "Start date:"},  // a label cannot be clicked
      {"--set", "StartingDate=2019-02-30"},
      {"--set", "StartingDate=19-1-1"},  // not the year 19
      {"--set", "StartingDate=2019-1-01"},
      {"--set", "StartingDate=+2019-01-01"},
      {"--set", "StrictDate=yes"},
      {"--set", "LoadDtAvg=1"},
      {"--size", "DTGraph=0x10"},
      {"--save", "NoChart=x.png"},
      {"--dump"},
      {"--paper", "a5"},
      {"--report"},
  };
  for (const QStringList& actions : cases) {
    SCOPED_TRACE(actions.join(' ').toStdString());
    const RunResult run = Headless(QStringList{"--dump", dump.c_str()} + actions);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(run.err.startsWith("lumograph: "));
    EXPECT_FALSE(std::ifstream(dump).good());
  }
}

TEST(Headless, AWriteThatFailsIsReportedAndLeavesTheOlderFileWhole) {
  TempDir dir;
  const std::string folder = dir.Path() + "/charts";
  std::filesystem::create_directory(folder);
  const std::string older = dir.Write("old.json", "{\"older\": true}");
  struct Case {
    const char* name;
    QStringList actions;
    const char* error;
  };
  const Case cases[] = {
      {"save answered with a folder", {"--click", QString("SpeedButton1=") + folder.c_str()}, "Cannot create file"},
      {"dump into a folder", {"--dump", folder.c_str()}, "cannot write"},
      {"dump into a missing folder", {"--dump", (dir.Path() + "/none/d.json").c_str()}, "cannot write"},
      {"dump into a full device, which stays a device", {"--dump", "/dev/full"}, "cannot write"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult run = Headless(c.actions);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }
  EXPECT_FALSE(std::filesystem::is_regular_file("/dev/full"));
  std::ifstream in(older);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "{\"older\": true}");

  // Standard output that takes no byte.
  const RunResult full = Headless({"--dump", "-"}, "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_TRUE(full.err.contains("cannot write -"));
}

TEST(Headless, LoadDirWritesTheBitmapsOfAStation) {
  TempDir dir;
  dir.Write("dtoavg19.185", "00119 14.6 30 1 1 3500000 1\r\n00219 20 40.2 3 1 500000 1\r\n");
  const RunResult run = Headless({"--set", "StartingDate=2019-01-01", "--load-dir", dir.Path().c_str()});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/185_dtavg_19-19.bmp"));
}

TEST(Headless, ReportAndCsvOfALoadedFolderFollowTheLoad) {
  TempDir dir;
  dir.Write("dtoavg19.185", "00119 14.6 30 1 1 3500000 1\r\n00219 20 40.2 3 1 500000 1\r\n");
  const std::string pdf = dir.Path() + "/out/station.pdf", csv = dir.Path() + "/out/csv";
  const RunResult run = Headless({"--set", "StartingDate=2019-01-01", "--load-dir", dir.Path().c_str(), "--export-csv",
                                  csv.c_str(), "--paper", "letter", "--report", pdf.c_str()});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  std::ifstream in(csv + "/DTGraph.csv", std::ios::binary);
  const std::string rows(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(rows.substr(0, rows.find("\r\n")), "series,title,x,y,x1,y1,label,color");
  EXPECT_NE(rows.find("\r\nSeries12,,2019-01-0"), std::string::npos) << rows;
  std::ifstream report(pdf, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(report), {});
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_NE(bytes.find("/MediaBox [0 0 792"), std::string::npos);
}

TEST(Headless, SavesChartsAsPngAndBmpOfTheGivenSize) {
  TempDir dir;
  const std::string png = dir.Path() + "/dt.png", bmp = dir.Path() + "/dt.bmp";
  const RunResult run = Headless({"--size", "DTGraph=640x480", "--save", QString("DTGraph=") + png.c_str(),
                            "--size", "HGGraph=300x200", "--save", QString("HGGraph=") + bmp.c_str()});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QImage first(png.c_str(), "PNG"), second(bmp.c_str(), "BMP");
  EXPECT_EQ(first.size(), QSize(640, 480));
  EXPECT_EQ(second.size(), QSize(300, 200));
}

TEST(Headless, ButtonsOfHiddenTabsStillLoad) {
  TempDir dir;
  // Filter 0 sums to 7 and filter 1 to 9: the curve of filter 1 stands at 9 - 7 + 7.
  const std::string fi = dir.Write("fioavg19.185", "00119 23 1 1 3 0 0 0 0 7 0 0 0 0 0 0 0\r\n"
                                                   "2 3 3 0 0 0 0 9 0 0 0 0 0 0 0\r\n");
  const std::string sc = dir.Write("scoavg19.185", "00119 1 2.5 7 287 310 1 2 3\r\n");
  const RunResult run = Headless({"--set", "StartingDate=2019-01-01", "--click", QString("LoadFIavg=") + fi.c_str(),
                                  "--click", QString("Load SC avg=") + sc.c_str(), "--dump", "-"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QJsonObject charts = Dump(run)["charts"].toObject();
  auto firstPoint = [&](const char* chart, int series) {
    const QJsonArray points = charts[chart].toObject()["series"].toArray().at(series).toObject()["points"].toArray();
    return points.isEmpty() ? QJsonObject() : points.at(0).toObject();
  };
  EXPECT_EQ(firstPoint("FIGraph", 1)["y"].toDouble(), 9);
  EXPECT_EQ(firstPoint("SCGraph", 0)["x"].toDouble(), 287);
  EXPECT_EQ(firstPoint("SCGraph", 0)["y"].toDouble(), 775);
}

TEST(Headless, SavingAChartLiftsItsCommentMarkersToTheRightAxisMaximum) {
  TempDir dir;
  const std::string hg = dir.Write("hgoavg19.185", "17019 308857.5 20 6\r\n17119 309000.0 30 6\r\n");
  const std::string comments = dir.Write("Comment.185", "17019 Lamp changed\r\n17119 Cleaned\r\n");
  const std::string png = dir.Path() + "/hg.png";
  const QStringList load = {"--set", "StartingDate=2019-01-01", "--click", QString("LoadHGavg=") + hg.c_str(),
                            "--click", QString("LoadComments=") + comments.c_str(), "--set", "ShowComments=1"};
  auto markersOf = [](const QJsonObject& chart, const QString& name) {
    for (const QJsonValue& s : chart["series"].toArray())
      if (s.toObject()["name"].toString() == name) return s.toObject()["points"].toArray();
    return QJsonArray();
  };
  const RunResult before = Headless(load + QStringList{"--dump", "-"});
  const QJsonObject hgBefore = Dump(before)["charts"].toObject()["HGGraph"].toObject();
  const RunResult after = Headless(load + QStringList{"--save", QString("HGGraph=") + png.c_str(), "--dump", "-"});
  ASSERT_EQ(after.status, 0) << after.err.toStdString();
  EXPECT_FALSE(QImage(png.c_str(), "PNG").isNull());
  const QJsonObject charts = Dump(after)["charts"].toObject();
  const QJsonObject hgChart = charts["HGGraph"].toObject();
  EXPECT_EQ(hgChart["axes"].toObject()["right"].toObject()["max"].toDouble(), 30);
  for (const QJsonObject& chart : {hgBefore, hgChart}) {
    const QJsonArray markers = markersOf(chart, "Series37");
    ASSERT_EQ(markers.size(), 2);
    EXPECT_EQ(markers[1].toObject()["label"].toString(), " Cleaned");
  }
  // Put at 0 when loaded; at the top once the chart was drawn.
  EXPECT_EQ(markersOf(hgBefore, "Series37")[0].toObject()["y"].toDouble(), 0);
  for (const QJsonValue& m : markersOf(hgChart, "Series37")) EXPECT_EQ(m.toObject()["y"].toDouble(), 30);
  // The DT markers stay where they were put.
  EXPECT_EQ(markersOf(charts["DTGraph"].toObject(), "Series31")[0].toObject()["y"].toDouble(), 30);
}

TEST(Headless, SavesChartsAsSvgAndPdfDrawings) {
  TempDir dir;
  const std::string svg = dir.Path() + "/hg.svg", pdf = dir.Path() + "/hg.pdf";
  const RunResult run = Headless({"--size", "HGGraph=700x350", "--save", QString("HGGraph=") + svg.c_str(),
                                  "--save", QString("HGGraph=") + pdf.c_str()});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QFile svgFile(svg.c_str()), pdfFile(pdf.c_str());
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  const QByteArray drawing = svgFile.readAll();
  EXPECT_TRUE(drawing.contains("<svg") && drawing.contains("viewBox=\"0 0 700 350\""));
  EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF-"));
}

TEST(Headless, HelpListsTheActions) {
  QProcess process;
  process.start(LUMOGRAPH_EXE, {"--help"});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  const QByteArray text = process.readAllStandardOutput();
  for (const char* word : {"--headless", "--set", "--click", "--save", "--size", "--dump"})
    EXPECT_TRUE(text.contains(word)) << word;
}

}  // namespace
