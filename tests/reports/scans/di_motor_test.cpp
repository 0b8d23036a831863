#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "core/line_reader.h"
#include "reports/scans/di_motor.h"
#include "reports/scans/di_motor_reader.h"
#include "tests/support/test_support.h"

namespace {

struct Pt {
  int step;
  double intensity;
};

// `count` steps from `from` by `by`, brightest (`top`) at `peak` and dimmer
// the further a step is from it.
std::vector<Pt> Scan(int from, int by, int count, int peak, double top = 1000) {
  std::vector<Pt> pts;
  for (int i = 0; i < count; ++i) {
    const int step = from + i * by;
    pts.push_back({step, top / (1 + std::abs(step - peak))});
  }
  return pts;
}

constexpr int kMotor[] = {1, 5, 4, 3, 5, 4};  // the motor of each scan section

// A DI test file as the instrument writes it, CR LF line ends and a Ctrl-Z at
// the end. Warm-up line k holds minutes 0.5 (k + 1), the mercury intensity
// 50000 + 10 k in its second column and the standard lamp's 250000 + 10 k in
// its fourth.
struct DiFile {
  std::string current = "SL current is 1.205";
  std::string headers[kDiSections] = {"Zenith prism scan",  "FW2 short scan",  "FW1 short scan",
                                      "Iris scan",          "FW2 - long scan", "FW1 - long scan",
                                      "Turning mercury lamp on"};
  std::vector<Pt> scans[kDiScanSections] = {Scan(-5, 1, 16, 0),         Scan(56, 2, 9, 64),
                                       Scan(248, 2, 9, 256),       Scan(0, 25, 11, 250),
                                       Scan(0, 8, 41, 64, 5000),   Scan(0, 8, 41, 128, 5000)};
  std::map<int, std::string> damaged[kDiScanSections];  // line index -> text that replaces it
  std::map<int, std::string> damagedWarmUp;        // the same in the standard lamp's block
  double offset = 0;                               // added to every intensity

  std::string Text() const {
    std::string s;
    for (int i = 1; i <= 9; ++i) s += "header line " + std::to_string(i) + "\r\n";
    s += current + "\r\nTime(min)  Hg  Dark  SL\r\n----------\r\n";
    s += WarmUp(damagedWarmUp);
    for (int section = 0; section < kDiScanSections; ++section) {
      s += headers[section] + "\r\n";
      for (size_t i = 0; i < scans[section].size(); ++i) {
        const auto replaced = damaged[section].find(static_cast<int>(i));
        if (replaced != damaged[section].end()) {
          s += replaced->second + "\r\n";
          continue;
        }
        char line[200];
        std::snprintf(line, sizeof line, "Motor  %d step %d : %8.1f %8.1f %8.1f %10.2f\r\n", kMotor[section],
                      scans[section][i].step, 12.0, 3.5, 1.0, scans[section][i].intensity + offset);
        s += line;
      }
      s += "----------\r\n";
    }
    s += headers[kDiMercury] + "\r\nTime(min)  Hg  Dark  SL\r\n";
    return s + WarmUp({}) + "\x1a";
  }

  std::string WarmUp(const std::map<int, std::string>& replace) const {
    std::string s;
    for (int k = 0; k < 40; ++k) {
      char line[200];
      std::snprintf(line, sizeof line, "%6.2f %9.1f %6.1f %9.1f\r\n", 0.5 * (k + 1), 50000 + 10.0 * k + offset, 7.0,
                    250000 + 10.0 * k + offset);
      const auto replaced = replace.find(k);
      s += replaced == replace.end() ? std::string(line) : replaced->second + "\r\n";
      if (k % 8 == 7) s += "----------\r\n";
    }
    return s;
  }
};

class DiMotorTest : public ::testing::Test {
 protected:
  void Load(const DiFile& file, const std::string& name = "DI07319.185") {
    f.ClickWithFile(tab().LoadDI, f.dir.Write(name, file.Text()));
  }
  DiMotorTab& tab() { return *f.form->Di; }
  // The series of each scan section, in file order.
  std::vector<TLineSeries*> ScanSeries() {
    return {tab().LineSeries19, tab().LineSeries20, tab().LineSeries21,
            tab().LineSeries22, tab().LineSeries23, tab().LineSeries24};
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.platform.messages) texts.push_back(m.caption + ": " + m.text);
    return texts;
  }
  FormFixture f;
};

TEST_F(DiMotorTest, AWholeFileFillsEveryChart) {
  Load(DiFile());
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.platform.dialogs.at(0).fileName, "di*.*");
  EXPECT_EQ(tab().diLampsChart->Title.Lines(), (std::vector<std::string>{"DI07319.185", "   SL current = 1.21"}));
  EXPECT_EQ(tab().longfw1Chart->Title.Lines(), std::vector<std::string>{"DI07319.185"});
  EXPECT_EQ(tab().longfw2Chart->Title.Lines(), std::vector<std::string>{"DI07319.185"});
  EXPECT_EQ(tab().Label5->Caption, "DI07319.185");

  // The standard lamp's intensity is the fourth column, the mercury lamp's the second.
  ASSERT_EQ(tab().LineSeries17->Count(), 40);
  ASSERT_EQ(tab().LineSeries16->Count(), 40);
  EXPECT_EQ(tab().LineSeries17->XValue(9), 5.0);
  EXPECT_EQ(tab().LineSeries17->YValue(9), 250090);
  EXPECT_EQ(tab().LineSeries16->XValue(39), 20.0);
  EXPECT_EQ(tab().LineSeries16->YValue(39), 50390);

  const int counts[] = {16, 9, 9, 11, 41, 41};
  for (int s = 0; s < kDiScanSections; ++s) EXPECT_EQ(ScanSeries()[s]->Count(), counts[s]) << s;
  const TLineSeries& zenith = *tab().LineSeries19;
  EXPECT_EQ(zenith.XValue(0), -5);
  EXPECT_EQ(zenith.YValue(5), 1000);
  EXPECT_EQ(zenith.Point(5).Color, clTeeColor);  // drawn in the series' colour
}

TEST_F(DiMotorTest, TheZenithScanRunsFromItsFirstStepToStepTen) {
  struct Case {
    const char* name;
    int from;
    int lines;
  };
  const Case cases[] = {
      {"from -5", -5, 16},
      {"from 0", 0, 11},
      {"from 3: eleven lines still", 3, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.scans[kDiZenith] = Scan(c.from, 1, c.lines, 6);
    Load(file);
    EXPECT_EQ(tab().LineSeries19->Count(), c.lines);
    EXPECT_EQ(tab().LineSeries19->XValue(c.lines - 1), c.from + c.lines - 1);
    // The sections after it are read in step.
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(tab().LineSeries16->Count(), 40);
  }
}

TEST_F(DiMotorTest, ZenithVerdict) {
  const std::string check = "Check SL alignment on iris and zenith zeroing";
  struct Case {
    const char* name;
    int peak;
    double top;
    std::vector<std::string> title;
    TColor colour;
  };
  const Case cases[] = {
      {"as expected", 0, 1000, {"Found max I as expected at step 0"}, clBlack},
      {"before step 0", -2, 1000, {"Expected max I at step 0, but found at -02", check}, clRed},
      {"after step 0", 3, 1000, {"Expected max I at step 0, but found at 03", check}, clRed},
      {"as expected again", 0, 1000, {"Found max I as expected at step 0"}, clBlack},
      // No intensity above -1: there is no maximum to place.
      {"no maximum", 0, -50, {"Expected max I at step 0, but found no maximum", check}, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.scans[kDiZenith] = Scan(-5, 1, 16, c.peak, c.top);
    Load(file);
    EXPECT_EQ(tab().zeChart->Title.Lines(), c.title);
    EXPECT_EQ(tab().zeChart->Title.FontColor, c.colour);
  }
}

TEST_F(DiMotorTest, FilterWheelScansAreCentredOnTheirMiddleStep) {
  const std::string fw2Check = "Check FW2 movements and positioning";
  const std::string fw1Check = "Check FW1 movements and positioning";
  struct Case {
    const char* name;
    DiSection section;
    std::vector<Pt> scan;
    double min, max;
    std::vector<std::string> title;
    TColor colour;
  };
  auto equalPeaks = [](int first, int second) {
    std::vector<Pt> pts = Scan(56, 2, 9, first);
    for (Pt& p : pts)
      if (p.step == second) p.intensity = 1000;
    return pts;
  };
  const Case cases[] = {
      {"FW2 at 64", kDiFw2, Scan(56, 2, 9, 64), 44, 84, {"Found max I as expected at step 64"}, clBlack},
      {"FW2 off", kDiFw2, Scan(56, 2, 9, 68), 44, 84, {"Expected max I at step 64, but found at 68", fw2Check},
       clRed},
      {"FW1 off", kDiFw1, Scan(248, 2, 9, 250), 236, 276,
       {"Expected max I at step 256, but found at 250", fw1Check}, clRed},
      {"equal maxima: the earlier, 62", kDiFw2, equalPeaks(62, 64), 44, 84,
       {"Expected max I at step 64, but found at 62", fw2Check}, clRed},
      {"equal maxima: the earlier, 64", kDiFw2, equalPeaks(64, 66), 44, 84, {"Found max I as expected at step 64"},
       clBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.scans[c.section] = c.scan;
    Load(file);
    TChart* chart = c.section == kDiFw2 ? tab().fw2Chart : tab().fw1Chart;
    const TChartAxis& bottom = chart->BottomAxis;
    EXPECT_FALSE(bottom.Automatic);
    EXPECT_FALSE(bottom.RoundFirstLabel);
    EXPECT_EQ(bottom.Minimum, c.min);
    EXPECT_EQ(bottom.Maximum, c.max);
    EXPECT_EQ(chart->Title.Lines(), c.title);
    EXPECT_EQ(chart->Title.FontColor, c.colour);
  }
}

TEST_F(DiMotorTest, IrisScanEndsAtItsFirstOtherLineAndPeaksAt75Or250) {
  const std::string check = "Check IRIS movements and positioning";
  struct Case {
    const char* name;
    std::vector<Pt> scan;
    double max;
    std::vector<std::string> title;
    TColor colour;
  };
  const Case cases[] = {
      {"steps up to 75", Scan(0, 15, 6, 75), 75, {"Found max I as expected at step 75"}, clBlack},
      {"a step of 80", Scan(0, 10, 9, 70), 250, {"Expected max I at step 250, but found at 70", check}, clRed},
      {"eleven lines to 250", Scan(0, 25, 11, 250), 250, {"Found max I as expected at step 250"}, clBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.scans[kDiIris] = c.scan;
    Load(file);
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(tab().LineSeries22->Count(), static_cast<int>(c.scan.size()));
    const TChartAxis& bottom = tab().irisChart->BottomAxis;
    EXPECT_FALSE(bottom.Automatic);
    EXPECT_EQ(bottom.Minimum, 0);
    EXPECT_EQ(bottom.Maximum, c.max);
    EXPECT_EQ(bottom.Increment, 25);
    EXPECT_EQ(tab().irisChart->Title.Lines(), c.title);
    EXPECT_EQ(tab().irisChart->Title.FontColor, c.colour);
    // The separator after a short iris scan is no reason to lose the long scans.
    EXPECT_EQ(tab().LineSeries23->Count(), 41);
  }
}

TEST_F(DiMotorTest, LongScansTakeUpToFortyOneLinesOnAFixedAxis) {
  DiFile file;
  file.scans[kDiLongFw2] = Scan(0, 8, 30, 64);
  file.scans[kDiLongFw1] = Scan(0, 8, 45, 64);  // four lines too many
  Load(file);
  EXPECT_EQ(tab().LineSeries23->Count(), 30);
  EXPECT_EQ(tab().LineSeries24->Count(), 41);
  // The last four FW1 lines stand where the separator and the mercury header
  // should: the file is damaged there.
  ASSERT_EQ(Messages(),
            std::vector<std::string>{"Sorry!: An error in the DI test file: expected \"Turning mercury lamp on\""});
  for (TChart* chart : {tab().longfw1Chart, tab().longfw2Chart}) {
    EXPECT_FALSE(chart->BottomAxis.Automatic);
    EXPECT_EQ(chart->BottomAxis.Minimum, 0);
    EXPECT_EQ(chart->BottomAxis.Maximum, 320);
    EXPECT_EQ(chart->BottomAxis.Increment, 8);
    EXPECT_EQ(chart->Title.Lines(), std::vector<std::string>{"DI07319.185"});
  }
}

TEST_F(DiMotorTest, AMissingHeaderIsNamedAndTheLaterChartsKeepWhatTheyShowed) {
  for (int missing = 0; missing < kDiSections; ++missing) {
    SCOPED_TRACE(kDiHeaders[missing]);
    Load(DiFile());
    f.platform.messages.clear();
    DiFile broken;
    broken.offset = 1;
    broken.headers[missing] = "Something else";
    Load(broken, "DI07419.185");
    EXPECT_EQ(Messages(), std::vector<std::string>{std::string("Sorry!: An error in the DI test file: expected \"") +
                                                   kDiHeaders[missing] + "\""});
    EXPECT_EQ(tab().LineSeries17->YValue(0), 250001);  // read before any header
    EXPECT_EQ(tab().Label5->Caption, "DI07419.185");
    for (int s = 0; s < kDiScanSections; ++s) {
      const double firstY = DiFile().scans[s][0].intensity + (s < missing ? 1 : 0);
      EXPECT_NEAR(ScanSeries()[s]->YValue(0), firstY, 0.01) << s;  // written with two decimals
    }
    // The mercury curve is cleared before its header is looked for.
    EXPECT_EQ(tab().LineSeries16->Count(), missing == kDiMercury ? 0 : 40);
  }
}

TEST_F(DiMotorTest, LogarithmicBoxSwitchesTheLongFw1Axis) {
  struct Case {
    const char* name;
    std::vector<Pt> scan;
    double min, max;
  };
  const Case cases[] = {
      {"100 to 1100", {{0, 100}, {8, 1100}, {16, 600}}, -2900, 4100},
      {"flat at 500", {{0, 500}, {8, 500}}, -1000, 2000},
      {"empty", {}, -3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.scans[kDiLongFw1] = c.scan;
    Load(file);
    TChartAxis& left = tab().longfw1Chart->LeftAxis;
    ASSERT_TRUE(tab().logarithmic->Checked);
    EXPECT_TRUE(left.Logarithmic);

    tab().logarithmic->SetChecked(false);
    EXPECT_TRUE(RunUserAction([&] { tab().logarithmic->Click(); }));
    EXPECT_FALSE(left.Logarithmic);
    EXPECT_FALSE(left.Automatic);
    EXPECT_EQ(left.Minimum, c.min);
    EXPECT_EQ(left.Maximum, c.max);
    EXPECT_TRUE(tab().longfw2Chart->LeftAxis.Logarithmic);

    tab().logarithmic->SetChecked(true);
    EXPECT_TRUE(RunUserAction([&] { tab().logarithmic->Click(); }));
    EXPECT_TRUE(left.Logarithmic);
    EXPECT_TRUE(left.Automatic);
  }
}

TEST_F(DiMotorTest, DamagedLinesPlotNothingAndKeepTheFileInStep) {
  const std::string longLine = "Motor  5 step 62 : 1 2 3 4" + std::string(300, ' ') + "5";
  struct Case {
    const char* name;
    DiSection section;
    int line;
    std::string text;
    int points;
    std::vector<std::string> title;  // of the section's chart
    bool axisFollowsData;
  };
  const Case cases[] = {
      {"FW2 line 3 without numbers", kDiFw2, 2, "Motor  5 step 60 : lamp off", 8,
       {"Found max I as expected at step 64"}, false},
      {"FW2 line 3 over-long", kDiFw2, 2, longLine, 8, {"Found max I as expected at step 64"}, false},
      {"FW2 middle line damaged", kDiFw2, 4, "Motor  5 step", 8,
       {"Expected max I at an unknown step: the middle line of the scan is damaged",
        "Check FW2 movements and positioning"},
       true},
      {"zenith line with an intensity that is no number", kDiZenith, 5, "Motor  1 step 0 : 1 2 3 nan", 15,
       {"Expected max I at step 0, but found at -01", "Check SL alignment on iris and zenith zeroing"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.damaged[c.section][c.line] = c.text;
    Load(file);
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(ScanSeries()[c.section]->Count(), c.points);
    TChart* chart = c.section == kDiZenith ? tab().zeChart : tab().fw2Chart;
    EXPECT_EQ(chart->Title.Lines(), c.title);
    // Without a middle step a wheel's axis follows its data.
    EXPECT_EQ(chart->BottomAxis.Automatic, c.axisFollowsData);
    for (const TChartPoint& p : ScanSeries()[c.section]->Points()) EXPECT_TRUE(std::isfinite(p.Y));
    EXPECT_EQ(tab().LineSeries16->Count(), 40);
  }
}

TEST_F(DiMotorTest, DamagedLampLines) {
  struct Case {
    const char* name;
    std::string current;
    std::map<int, std::string> warmUp;
    std::vector<std::string> title;
    int points;
  };
  const Case cases[] = {
      {"current and block whole", "SL current is 1.205", {}, {"DI07319.185", "   SL current = 1.21"}, 40},
      {"no current", "SL current is unknown", {}, {"DI07319.185"}, 40},
      {"a short warm-up line", "SL current is 0.996", {{3, "1.5 2.5"}}, {"DI07319.185", "   SL current = 1.00"}, 39},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiFile file;
    file.current = c.current;
    file.damagedWarmUp = c.warmUp;
    Load(file);
    EXPECT_EQ(tab().diLampsChart->Title.Lines(), c.title);
    EXPECT_EQ(tab().LineSeries17->Count(), c.points);
    EXPECT_EQ(tab().LineSeries19->Count(), 16);
  }
}

TEST_F(DiMotorTest, CancelOrAnUnopenableFileChangeNoScan) {
  Load(DiFile());
  EXPECT_TRUE(RunUserAction([&] { tab().LoadDI->Click(); }));  // cancelled
  EXPECT_EQ(tab().LineSeries17->Count(), 40);
  f.ClickWithFile(tab().LoadDI, f.dir.Path() + "/no/such/di07319.185");
  EXPECT_EQ(tab().LineSeries17->Count(), 0);  // cleared before the file is opened
  EXPECT_EQ(tab().LineSeries19->Count(), 16);
  EXPECT_EQ(tab().Label5->Caption, "DI07319.185");
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(DiMotorTest, SheetsLayOutTheirChartsWhenResized) {
  struct Case {
    int width, height;
    bool roomy;  // the sheets have room for their charts
  };
  for (const Case& c : {Case{1010, 673, true}, Case{1213, 821, true}, Case{240, 150, false}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    f.form->SetBounds(0, 0, c.width, c.height);  // the window, and with it each sheet
    const TTabSheet* shortScans = tab().TabSheet20;
    const int w = std::max(shortScans->Width / 2 - 10, 0), h = std::max(shortScans->Height / 2 - 10, 0);
    for (TChart* chart : {tab().zeChart, tab().irisChart, tab().fw1Chart, tab().fw2Chart}) {
      EXPECT_EQ(chart->Width, w);
      EXPECT_EQ(chart->Height, h);
    }
    EXPECT_EQ(tab().irisChart->Left, tab().zeChart->Left + w + 5);
    EXPECT_EQ(tab().fw2Chart->Left, tab().fw1Chart->Left + w + 5);
    EXPECT_EQ(tab().fw1Chart->Top, tab().zeChart->Top + h + 5);
    EXPECT_EQ(tab().fw2Chart->Top, tab().irisChart->Top + h + 5);
    if (c.roomy) {
      EXPECT_LE(tab().fw2Chart->Top + h, shortScans->Height);  // all four fit the sheet
    }

    const TTabSheet* longScans = tab().TabSheet21;
    for (TChart* chart : {tab().longfw1Chart, tab().longfw2Chart}) {
      EXPECT_EQ(chart->Width, std::max(longScans->Width - 10, 0));
      EXPECT_EQ(chart->Height, std::max(longScans->Height / 2 - 10, 0));
    }
    EXPECT_EQ(tab().longfw2Chart->Top, tab().longfw1Chart->Top + tab().longfw1Chart->Height + 5);
  }
}

TEST(DiMotorReader, ReadsSectionsUpToTheEndOfATruncatedFile) {
  // Every prefix of a whole file reads without a fault, and no more headers
  // are found than the prefix holds.
  const std::string text = DiFile().Text();
  TempDir dir;
  int lastFound = 0;
  for (size_t n = 0; n <= text.size(); n += 37) {
    CFile file(dir.Write("di.185", text.substr(0, n)), "rb");
    const DiTest test = ReadDiTest(file.get());
    EXPECT_GE(test.headersFound, lastFound);
    lastFound = test.headersFound;
    const size_t headersInText = [&] {
      size_t k = 0;
      while (k < kDiSections && text.substr(0, n).find(kDiHeaders[k]) != std::string::npos) ++k;
      return k;
    }();
    EXPECT_LE(static_cast<size_t>(test.headersFound), headersInText) << n;
  }
  EXPECT_EQ(lastFound, kDiSections);
}

}  // namespace
