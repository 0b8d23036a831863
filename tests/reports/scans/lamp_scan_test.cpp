#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/scans/lamp_scan.h"
#include "reports/scans/lamp_scan_reader.h"
#include "tests/support/report_files.h"
#include "tests/support/test_support.h"

namespace {

TLampScan Read(const std::string& text) {
  TempDir dir;
  CFile file(dir.Write("ci15616.123", text), "rb");
  ReadResult<TLampScan> read = ReadLampScan(file.get());
  read.RaiseError();
  return read.value;
}

TEST(LampScanReader, ReadsTheHeader) {
  const TLampScan scan = Read(LampFile(Lines({2865}, {274064.6}) + "end\r\n\x1a"));
  EXPECT_EQ(scan.Date, Day(2016, 6, 5));
  EXPECT_EQ(scan.Location, "Lakeside");
  EXPECT_EQ(scan.BrewerNo, "#123");
  EXPECT_DOUBLE_EQ(scan.DeadTime, 2.9e-8);
  EXPECT_DOUBLE_EQ(scan.Dark, 8.1);
  EXPECT_FALSE(scan.HasDarkBlock);
  ASSERT_EQ(scan.Count, 1);
  EXPECT_EQ(scan.Wavelength[0], 2865);
  EXPECT_EQ(scan.Counts[0], 274064.6);
}

TEST(LampScanReader, DataLineRules) {
  struct Case {
    const char* name;
    std::string body;
    std::vector<double> x, y;
    bool dark;
  };
  const Case cases[] = {
      {"five words: y is word 5", " 1 2865 3 4 50\r\n", {2865}, {50}, false},
      {"six words: y is word 6", " 1 2865 3 4 5 60\r\n", {2865}, {60}, false},
      {"seven words: word 7 is ignored", " 1 2865 3 4 5 60 70\r\n", {2865}, {60}, false},
      {"four words stop the reading", " 1 2865 3 50\r\n 1 2870 3 4 51\r\n", {}, {}, false},
      {"three words stop the reading", " 1 2865 3 4 50\r\n 1 2870 3\r\n 1 2875 3 4 51\r\n", {2865}, {50}, false},
      {"a word that is not a number stops", " 1 2865 3 4 50\r\n 1 28x0 3 4 51\r\n 1 2875 3 4 52\r\n",
       {2865}, {50}, false},
      {"an unused word must be a number too", " 1 2865 3 4 x 60\r\n", {}, {}, false},
      {"end stops", " 1 2865 3 4 50\r\nscan ended\r\n 1 2870 3 4 51\r\n", {2865}, {50}, false},
      {"an empty line stops", " 1 2865 3 4 50\r\n\r\n 1 2870 3 4 51\r\n", {2865}, {50}, false},
      {"an LF-only empty line stops", " 1 2865 3 4 50\n\n 1 2870 3 4 51\n", {2865}, {50}, false},
      {"a line starting with another character stops", " 1 2865 3 4 50\r\n# 1 2870 3 4 51\r\n", {2865}, {50},
       false},
      {"a DARK line gives no point", " 1 2865 3 4 50\r\n DARK\r\n 1 2870 3 4 51\r\n", {2865, 2870}, {50, 51},
       true},
      {"no end: every line to the end of the file", " 1 2865 3 4 50\r\n 1 2870 3 4 51", {2865, 2870},
       {50, 51}, false},
      {"a percent sign after the first word is dropped", " 1 2865% 3 4 50\r\n", {2865}, {50}, false},
      {"a line's tail beyond the scanned run is dropped",
       " 1 2865 3 4 50 ; 1 2 3 4 99 and more text here\r\n 1 2870 3 4 51\r\n", {2865, 2870}, {50, 51}, false},
      {"a run too long for its buffer ends the reading",
       " 1 2865 3 4 50\r\n" + std::string(400, ' ') + "1 2870 3 4 51\r\n 1 2875 3 4 52\r\n", {2865}, {50},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TLampScan scan = Read(LampFile(c.body));
    EXPECT_EQ(scan.Wavelength, c.x);
    EXPECT_EQ(scan.Counts, c.y);
    EXPECT_EQ(scan.Count, static_cast<int>(c.x.size()));
    EXPECT_EQ(scan.HasDarkBlock, c.dark);
  }
}

TEST(LampScanReader, HeadersThatDoNotMatchLeaveTheirDefaults) {
  struct Case {
    const char* name;
    std::string text;
    double date;
    const char* location;
    const char* brewer;
    double deadTime;
    int count;
  };
  const Case cases[] = {
      {"year 49", LampFile(" 1 2865 3 4 50\r\n", "dh\r05\r06\r49\rLakeside\r"), Day(2049, 6, 5), "Lakeside",
       "#123", 2.9e-8, 1},
      {"year 50", LampFile(" 1 2865 3 4 50\r\n", "dh\r05\r06\r50\rLakeside\r"), Day(1950, 6, 5), "Lakeside",
       "#123", 2.9e-8, 1},
      {"a copy without the bare CRs", LampFile(" 1 2865 3 4 50\r\n", "dh210619ElArenosillo "), 0,
       "ElArenosillo ", "#123", 2.9e-8, 1},
      {"no dh line", LampFile(" 1 2865 3 4 50\r\n", ""), 0, "", "#123", 2.9e-8, 1},
      {"no dead time", LampFile(" 1 2865 3 4 50\r\n", "dh\r05\r06\r16\rLakeside\r",
                                "CI SCAN-INST #123 dt  nan  cy 4 DARK =     8.100 \r\n"),
       Day(2016, 6, 5), "Lakeside", "#123", 0, 1},
      {"a long scan name", LampFile(" 1 2865 3 4 50\r\n", "dh\r05\r06\r16\rLakeside\r",
                                    "CIXYZWV SCAN-INST #123 dt  2.9E-08  cy 4 DARK =     8.100 \r\n"),
       Day(2016, 6, 5), "Lakeside", "#123", 2.9e-8, 1},
      {"long texts are cut",
       LampFile(" 1 2865 3 4 50\r\n", "dh\r05\r06\r16\r" + std::string(300, 'L') + "\r",
                "CI SCAN-INST #" + std::string(250, '1') + " dt  2.9E-08  cy 4 DARK =     8.100 \r\n"),
       Day(2016, 6, 5), nullptr, nullptr, 2.9e-8, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TLampScan scan = Read(c.text);
    EXPECT_EQ(scan.Date, c.date);
    if (c.location) {
      EXPECT_EQ(scan.Location, c.location);
      EXPECT_EQ(scan.BrewerNo, c.brewer);
    } else {
      EXPECT_EQ(scan.Location, std::string(199, 'L'));
      EXPECT_EQ(scan.BrewerNo, "#" + std::string(198, '1'));
    }
    EXPECT_DOUBLE_EQ(scan.DeadTime, c.deadTime);
    EXPECT_EQ(scan.Count, c.count);
  }
}

TEST(LampScanReader, DamagedFilesAreReadSafely) {
  const std::string files[] = {
      "",
      "\x1a",
      std::string("\0\x01\x02\xff", 4),
      std::string(100000, 'd'),
      LampFile(std::string(100000, '7')),
      LampFile(" 1 2865 3 4 50\r\n" + std::string("\x01\x02 1 2870 3 4 51\r\n")),
  };
  for (const std::string& text : files) {
    const TLampScan scan = Read(text);
    EXPECT_LE(scan.Count, 1) << text.size();
    EXPECT_EQ(scan.Count, static_cast<int>(scan.Counts.size()));
  }
}

class LampScanTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) { return f.dir.Write(name, text); }
  TMainForm& form() { return *f.form; }
  FormFixture f;
};

TEST_F(LampScanTest, CurrentScanTitlesAndPoints) {
  f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865, 2870}, {100, 200}) + "end\r\n\x1a")));
  EXPECT_EQ(form().Ci->CiGraph->Title.Lines(), std::vector<std::string>{"Brewer #123"});
  EXPECT_EQ(form().Ci->Series2->Title, "Jun 05, 2016, Lakeside (dt=29ns)");
  ASSERT_EQ(form().Ci->Series2->Count(), 2);
  EXPECT_EQ(form().Ci->Series2->XValue(1), 2870);
  EXPECT_EQ(form().Ci->Series2->YValue(1), 200);
  EXPECT_EQ(form().Ci->Series2->Point(1).Color, clRed);
  EXPECT_EQ(form().Ci->Series2->Point(1).Label, "");
  EXPECT_EQ(form().Ci->Series4->Count(), 0);  // no old scan yet
  EXPECT_EQ(form().OpenDialog1->InitialDir, f.dir.Path() + "/");
  EXPECT_EQ(f.platform.dialogs.back().fileName, "ci*.*;cj*.*");
}

TEST_F(LampScanTest, ADarkBlockIsNotPlotted) {
  const std::string body = Lines({2865, 2870, 2875}, {100, 200, 300}) + " DARK 163.9\r\n" +
                           Lines({2865, 2870, 2875}, {8, 9, 7}) + "end\r\n";
  f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(body)));
  ASSERT_EQ(form().Ci->Series2->Count(), 3);
  EXPECT_EQ(form().Ci->Series2->YValue(2), 300);
  EXPECT_EQ(CurrentLampScan->Count, 3);
  EXPECT_EQ(CurrentLampScan->Counts.size(), 6u);
}

TEST_F(LampScanTest, DeadTimeText) {
  struct Case {
    const char* deadTime;
    const char* title;
  };
  const Case cases[] = {
      {"2.9E-08", "Jun 05, 2016, Lakeside (dt=29ns)"},
      {"0", "Jun 05, 2016, Lakeside (dt=ns)"},
      {"3.45E-08", "Jun 05, 2016, Lakeside (dt=35ns)"},
  };
  for (const Case& c : cases) {
    const std::string scanLine = std::string("CI SCAN-INST #123 dt  ") + c.deadTime + "  cy 4 DARK =     8.1\r\n";
    f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865}, {1}), "dh\r05\r06\r16\rLakeside\r",
                                                                 scanLine)));
    EXPECT_EQ(form().Ci->Series2->Title, c.title);
  }
}

TEST_F(LampScanTest, BothLoadOrdersGiveTheSameRatio) {
  const std::string current =
      Write("ci15616.123", LampFile(Lines({2865, 2870, 2875}, {102, 99, 200}), "dh\r05\r06\r16\rLakeside\r"));
  const std::string old =
      Write("ci15615.123", LampFile(Lines({2865, 2870, 2875}, {100, 100, 202}), "dh\r04\r06\r15\rLakeside\r"));
  struct Result {
    std::vector<TChartPoint> points;
    std::string title, chartTitle;
  };
  auto ratio = [this] {
    const auto points = form().Ci->Series4->Points();
    return Result{{points.begin(), points.end()}, form().Ci->Series4->Title, form().Ci->CiGraph->Title[0]};
  };

  f.ClickWithFile(form().Ci->LoadOldCI, old);
  f.ClickWithFile(form().Ci->LoadCI, current);
  const Result oldFirst = ratio();
  EXPECT_EQ(oldFirst.chartTitle, "Brewer #123");

  f.form.reset();  // a fresh window: no scan is kept
  f.form = std::make_unique<TMainForm>(f.platform);
  f.ClickWithFile(form().Ci->LoadCI, current);
  f.ClickWithFile(form().Ci->LoadOldCI, old);
  const Result currentFirst = ratio();
  EXPECT_EQ(currentFirst.chartTitle, "Brewer #123  sl (ci) scan.");

  EXPECT_EQ(oldFirst.title, "ratio 2016/2015");
  EXPECT_EQ(currentFirst.title, oldFirst.title);
  ASSERT_EQ(oldFirst.points.size(), 3u);
  ASSERT_EQ(currentFirst.points.size(), 3u);
  const double expected[] = {1.02, 0.99, 200.0 / 202};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(oldFirst.points[i].X, currentFirst.points[i].X);
    EXPECT_DOUBLE_EQ(oldFirst.points[i].Y, expected[i]);
    EXPECT_DOUBLE_EQ(currentFirst.points[i].Y, expected[i]);
    EXPECT_EQ(currentFirst.points[i].Color, clBlack);
  }
  EXPECT_EQ(form().Ci->Series3->Title, "Jun 04, 2015, Lakeside (dt=29ns)");
  EXPECT_EQ(form().Ci->Series3->Point(0).Color, clBlack);
}

TEST_F(LampScanTest, TheOldScanLeavesTheDialogFoldersAlone) {
  const std::string dir = form().OpenDialog1->InitialDir;
  f.ClickWithFile(form().Ci->LoadOldCI, Write("ci15615.123", LampFile(Lines({2865}, {1}))));
  EXPECT_EQ(form().Ci->Series3->Count(), 1);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);
  EXPECT_EQ(form().OpenDirDialog1->InitialDir, dir);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "ci*.*;cj*.*");
}

TEST_F(LampScanTest, RatioAxisAlwaysShowsOneAndATenthAtLeast) {
  struct Case {
    std::vector<double> current;
    double min, max;
  };
  const Case cases[] = {
      {{98, 100.5, 101}, 0.945, 1.045},  // 0.98 .. 1.01, widened about 0.995
      {{102, 104, 105}, 0.975, 1.075},   // 1.02 .. 1.05: the minimum first becomes 1.0
      {{50, 60, 90}, 0.5, 1.0},          // all below 1: the maximum becomes 1.0
      {{120, 150, 300}, 1.0, 3.0},       // all above 1
      {{80, 100, 130}, 0.8, 1.3},        // 1 inside: unchanged
  };
  const std::string old = Write("ci15615.123", LampFile(Lines({2865, 2870, 2875}, {100, 100, 100})));
  f.ClickWithFile(form().Ci->LoadOldCI, old);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.min);
    f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865, 2870, 2875}, c.current))));
    const TChartAxis& axis = form().Ci->CiGraph->RightAxis;
    EXPECT_FALSE(axis.Automatic);
    EXPECT_NEAR(axis.Minimum, c.min, 1e-12);
    EXPECT_NEAR(axis.Maximum, c.max, 1e-12);
  }
}

TEST_F(LampScanTest, RatioPairsOnlyWhatBothScansHaveAndSkipsZeroCounts) {
  // The old scan is shorter than the current one, and has a zero count.
  f.ClickWithFile(form().Ci->LoadOldCI, Write("ci15615.123", LampFile(Lines({2865, 2870, 2875}, {100, 0, 50}))));
  f.ClickWithFile(form().Ci->LoadCI,
                  Write("ci15616.123", LampFile(Lines({2865, 2870, 2875, 2880, 2885}, {110, 120, 60, 70, 80}))));
  EXPECT_EQ(form().Ci->Series2->Count(), 5);
  ASSERT_EQ(form().Ci->Series4->Count(), 2);
  EXPECT_EQ(form().Ci->Series4->XValue(0), 2865);
  EXPECT_DOUBLE_EQ(form().Ci->Series4->YValue(0), 1.1);
  EXPECT_EQ(form().Ci->Series4->XValue(1), 2875);
  EXPECT_DOUBLE_EQ(form().Ci->Series4->YValue(1), 1.2);

  // An old scan whose file could not be opened is empty: no ratio point.
  f.ClickWithFile(form().Ci->LoadOldCI, f.dir.Path() + "/missing.123");
  EXPECT_EQ(form().Ci->Series3->Count(), 0);
  EXPECT_EQ(form().Ci->Series4->Count(), 0);
  ASSERT_TRUE(OldLampScan);
  EXPECT_EQ(OldLampScan->Count, 0);
  f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865}, {1}))));
  EXPECT_EQ(form().Ci->Series4->Count(), 0);
  EXPECT_EQ(form().Ci->Series4->Title, "ratio 2016/");
}

TEST_F(LampScanTest, AMissingFileClearsAndKeepsTheTitle) {
  f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865}, {1}))));
  f.ClickWithFile(form().Ci->LoadCI, f.dir.Path() + "/missing.123");
  EXPECT_EQ(form().Ci->Series2->Count(), 0);
  EXPECT_EQ(form().Ci->CiGraph->Title[0], "Brewer #123");
  ASSERT_TRUE(CurrentLampScan);
  EXPECT_EQ(CurrentLampScan->Count, 0);
  EXPECT_TRUE(f.platform.messages.empty());

  RunUserAction([this] { form().Ci->LoadCI->Click(); });  // cancelled: nothing changes
  EXPECT_EQ(form().Ci->CiGraph->Title[0], "Brewer #123");
}

TEST_F(LampScanTest, ABadDateEndsTheLoadWithTheDateError) {
  f.ClickWithFile(form().Ci->LoadCI, Write("ci15616.123", LampFile(Lines({2865}, {1}), "dh\r31\r02\r16\rLakeside\r")));
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "Invalid argument to date encode");
  EXPECT_EQ(form().Ci->Series2->Count(), 0);
}

TEST_F(LampScanTest, FolderModeLoadsTheCurrentScanWithoutADialog) {
  const std::string path = Write("CI15616.123", LampFile(Lines({2865}, {1})));
  EXPECT_TRUE(f.RunInFolderMode(path, [this] { form().Ci->LoadCI->Click(); }));
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(form().Ci->Series2->Count(), 1);
}

std::string CjBody(const std::vector<double>& forward, const std::vector<double>& back) {
  std::vector<double> fx, bx;
  for (size_t i = 0; i < forward.size(); ++i) fx.push_back(2865 + 5.0 * i);
  for (size_t i = 0; i < back.size(); ++i) bx.push_back(2865 + 5.0 * (back.size() - 1 - i));
  return Lines(fx, forward) + " DARK 163.9\r\n" + Lines(bx, back) + "end\r\n\x1a";
}

TEST_F(LampScanTest, CjPairsForwardAndBackwardScans) {
  const std::string scanLine = "CJ SCAN-INST #123 dt  2.9E-08  cy 4 DARK =     8.100 \r\n";
  // The backward scan is written from the last wavelength to the first.
  f.ClickWithFile(form().Cj->LoadCJ, Write("cj15616.123", LampFile(CjBody({100, 200, 300}, {150, 250, 0}),
                                                                "dh\r05\r06\r16\rLakeside\r", scanLine)));
  EXPECT_EQ(form().Cj->CjGraph->Title.Lines(),
            std::vector<std::string>{"Brewer #123 Jun 05, 2016, Lakeside (dt=29ns)"});
  EXPECT_EQ(form().Cj->LineSeries13->Title, "forward");
  EXPECT_EQ(form().Cj->LineSeries14->Title, "back");
  EXPECT_EQ(form().Cj->LineSeries15->Title, "ratio");
  ASSERT_EQ(form().Cj->LineSeries13->Count(), 3);
  ASSERT_EQ(form().Cj->LineSeries14->Count(), 3);
  const double back[] = {0, 250, 150};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(form().Cj->LineSeries13->XValue(i), 2865 + 5 * i);
    EXPECT_EQ(form().Cj->LineSeries14->XValue(i), 2865 + 5 * i);
    EXPECT_EQ(form().Cj->LineSeries14->YValue(i), back[i]);
    EXPECT_EQ(form().Cj->LineSeries13->Point(i).Color, clRed);
    EXPECT_EQ(form().Cj->LineSeries14->Point(i).Color, clBlue);
  }
  // The zero backward count gives no ratio.
  ASSERT_EQ(form().Cj->LineSeries15->Count(), 2);
  EXPECT_EQ(form().Cj->LineSeries15->XValue(0), 2870);
  EXPECT_DOUBLE_EQ(form().Cj->LineSeries15->YValue(0), 0.8);
  EXPECT_DOUBLE_EQ(form().Cj->LineSeries15->YValue(1), 2);
  EXPECT_EQ(form().Cj->LineSeries15->Point(0).Color, clBlack);
  EXPECT_NEAR(form().Cj->CjGraph->RightAxis.Minimum, 0.8, 1e-12);
  EXPECT_NEAR(form().Cj->CjGraph->RightAxis.Maximum, 2, 1e-12);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "cj*.*;ch*.*");
  EXPECT_EQ(form().OpenDialog1->InitialDir, f.dir.Path() + "/");
  EXPECT_EQ(form().OpenDirDialog1->InitialDir, f.dir.Path() + "/");
}

TEST_F(LampScanTest, CjOddPointCountLeavesTheLastPointOut) {
  // 2n + 1 = 5 points: n = 2, index i pairs with 3 - i.
  f.ClickWithFile(form().Cj->LoadCJ, Write("cj15616.123", LampFile(CjBody({100, 200}, {210, 110, 999}))));
  ASSERT_EQ(form().Cj->LineSeries13->Count(), 2);
  EXPECT_EQ(form().Cj->LineSeries14->YValue(0), 110);
  EXPECT_EQ(form().Cj->LineSeries14->YValue(1), 210);
  EXPECT_DOUBLE_EQ(form().Cj->LineSeries15->YValue(1), 200.0 / 210);
}

TEST_F(LampScanTest, CjWithoutDarkClearsAndPlotsNothingButBecomesTheCurrentScan) {
  f.ClickWithFile(form().Cj->LoadCJ, Write("cj15616.123", LampFile(CjBody({100, 200}, {210, 110}))));
  ASSERT_EQ(form().Cj->LineSeries13->Count(), 2);
  const std::vector<std::string> title = form().Cj->CjGraph->Title.Lines();

  f.ClickWithFile(form().Cj->LoadCJ, Write("cj15716.123", LampFile(Lines({2865, 2870}, {50, 60}) + "end\r\n")));
  EXPECT_EQ(form().Cj->LineSeries13->Count(), 0);
  EXPECT_EQ(form().Cj->LineSeries14->Count(), 0);
  EXPECT_EQ(form().Cj->LineSeries15->Count(), 0);
  EXPECT_EQ(form().Cj->CjGraph->Title.Lines(), title);

  // The next old CI load pairs with the CJ scan.
  f.ClickWithFile(form().Ci->LoadOldCI, Write("ci15615.123", LampFile(Lines({2865, 2870}, {100, 100}))));
  ASSERT_EQ(form().Ci->Series4->Count(), 2);
  EXPECT_DOUBLE_EQ(form().Ci->Series4->YValue(1), 0.6);
  EXPECT_EQ(form().Ci->Series2->Count(), 0);  // the CI tab itself is not redrawn
}

}  // namespace
