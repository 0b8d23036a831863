#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "core/line_reader.h"
#include "reports/scans/ca_laser.h"
#include "reports/scans/ca_laser_reader.h"
#include "tests/support/test_support.h"

namespace {

// A data line: time, wavelength, four more numbers (five with `mkiii`), then
// three counts. Only the third count is plotted; the others are far off so
// that a wrong column shows.
std::string DataLine(double wavelength, double count, bool mkiii = false) {
  char line[200];
  std::snprintf(line, sizeof line, "  191.72   %.3f   6593   3   21.5   4%s   %.10g   %.10g   %.10g\r\n", wavelength,
                mkiii ? "   17.0" : "", count + 5e6, count + 7e6, count);
  return line;
}

// Data lines at `from`, `from` + 1, ... with raw counts `count`.
std::string DataLines(double from, int n, double count) {
  std::string s;
  for (int i = 0; i < n; ++i) s += DataLine(from + i, count);
  return s;
}

// One block as the instrument writes it: CR LF line ends, the "dh" line
// split by bare CRs, the closing rows after the data. With T = 0.5 s and
// C = 4 cycles the count rate is the raw count less the dark count.
struct CaBlockText {
  std::string firstRow = std::string(60, '*');
  std::string integration = "0.5";
  std::string dh = "dh\r14\r03\r19\rLakeside\r37.1\r6.73\r2.911481\rpr\r1023\r\r\n";
  std::string deadTime = "0";
  std::string cycles = "4";
  std::string start = "3200", final = "3300", increment = "1";
  std::string wheel2 = "(0) Open";
  std::string dark = "100";
  std::string data;

  std::string Text() const {
    return firstRow + "\r\n"
           "  CA Scan of (3) Laser\r\n"
           "************************************************************\r\n"
           "Integration time is " + integration + " seconds per sample\r\n" + dh +
           "************************************************************\r\n"
           "Dead Time -------------------------  " + deadTime + " \r\n"
           "Number of Cycles Used -------------  " + cycles + " \r\n"
           "Starting Wavelength (Angstroms) ---  " + start + " \r\n"
           "Final Wavelength (Angstoms) -------  " + final + " \r\n"
           "Wavelength Increment (Angstroms) --  " + increment + " \r\n"
           "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\r\n"
           "Filter Wheel #2 Position ---------- " + wheel2 + "\r\n"
           "\r\n"
           "************************************************************\r\n"
           "CA scan start time = 03:11:14\r\n"
           "Dark Count =  " + dark + " \r\n\r\n"
           "Time (GMT)  Wavelength  Step  Slit  Temp  Cycles  Counts (a)  Counts (b)  Counts (c)\r\n\r\n" +
           data + "CA scan finished at 03:15:11\r\nend\r\n";
  }
};

CaBlockText Block(std::string data) {
  CaBlockText b;
  b.data = std::move(data);
  return b;
}

ReadResult<CaScan> Read(const std::string& text, bool mkiii = false) {
  TempDir dir;
  CFile file(dir.Write("ca07319.185", text), "rb");
  return ReadCaScan(file.get(), mkiii);
}

class CaLaserTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) { f.ClickWithFile(tab().LoadCA, f.dir.Write("ca07319.185", text)); }
  CaLaserTab& tab() { return *f.form->Ca; }
  // How many points each of the seven series holds, in the order of the form.
  std::vector<int> Counts() {
    std::vector<int> n;
    for (const TLineSeries* s : {tab().LineSeries4, tab().LineSeries5, tab().LineSeries6, tab().LineSeries7,
                                 tab().Series41, tab().Series42, tab().Series43})
      n.push_back(s->Count());
    return n;
  }
  FormFixture f;
};

TEST(CaLaserReader, ABlockEndsAtItsCountItsFinalWavelengthOrItsFirstBadLine) {
  struct Case {
    const char* name;
    std::string start, final, increment;
    std::string data;
    size_t lines;
  };
  const Case cases[] = {
      // 3200 .. 3300 by .5 announces 201 lines; no line is at the final wavelength.
      {"half step", "3200", "3300", ".5", DataLines(1000, 250, 500), 201},
      {"whole step", "3200", "3300", "1", DataLines(1000, 250, 500), 101},
      {"at the final wavelength", "3200", "3300", "1", DataLines(3295, 20, 500), 6},
      {"file ends early", "3200", "3300", ".5", DataLines(1000, 3, 500), 3},
      {"line with a field too few", "3200", "3300", "1",
       DataLines(1000, 2, 500) + "  191.72   1002.000   6593   3   21.5   4   5   6\r\n" + DataLines(1003, 5, 500), 2},
      {"text line", "3200", "3300", "1", DataLines(1000, 2, 500) + "DARK\r\n" + DataLines(1003, 5, 500), 2},
      {"downwards", "3300", "3200", "1", DataLines(1000, 5, 500), 0},
      // Without a step the count is unknown: read to the final wavelength.
      {"no step", "3200", "3203", "0", DataLines(3200, 10, 500), 4},
      {"increment only a point", "3200", "3203", ".", DataLines(3200, 10, 500), 4},
      {"tiny step", "3200", "3203", "0.000000000001", DataLines(3200, 10, 500), 4},
      {"no step, no final line", "3200", "3203", "0", DataLines(1000, 10, 500), 10},
      {"more lines than a block takes", "3200", "3203", "0.000000000001",
       DataLines(1e6, kMaxCaDataLines + 5, 500), kMaxCaDataLines},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaBlockText block = Block(c.data);
    block.start = c.start;
    block.final = c.final;
    block.increment = c.increment;
    const ReadResult<CaScan> scan = Read(block.Text() + "\x1a");
    ASSERT_GE(scan.value.blocks.size(), 1u);
    EXPECT_EQ(scan.value.blocks[0].lines.size(), c.lines);
  }
}

TEST(CaLaserReader, TheSecondBlockFollowsABlockThatEndedEarly) {
  // The first block announces 101 lines but holds 3: its closing rows and the
  // second block are still read as such.
  const CaBlockText first = Block(DataLines(1000, 3, 500));
  CaBlockText second = Block(DataLines(2000, 4, 700));
  second.wheel2 = "(4) Neutral Density 2";
  second.dark = "50";
  const ReadResult<CaScan> scan = Read(first.Text() + second.Text() + "\x1a");
  EXPECT_FALSE(scan.error);
  ASSERT_EQ(scan.value.blocks.size(), 2u);
  const CaBlock& b = scan.value.blocks[1];
  ASSERT_EQ(b.lines.size(), 4u);
  EXPECT_EQ(b.lines[0].wavelength, 2000);
  EXPECT_EQ(b.lines[3].counts[2], 700);
  EXPECT_EQ(b.lines[3].counts[0], 700 + 5e6);
  EXPECT_EQ(b.wheel2, 4);
  EXPECT_EQ(b.darkCount, 50);
  EXPECT_EQ(b.integrationTime, 0.5);
  EXPECT_EQ(b.cycles, 4);
}

TEST(CaLaserReader, ABadIncrementOrDateEndsTheReadingWithItsError) {
  struct Case {
    const char* name;
    std::string increment;
    std::string dh;
    std::string message;
  };
  const Case cases[] = {
      {"no increment", "", "", "'' is not a valid floating point value"},
      {"two points", "1.2.3", "", "'1.2.3' is not a valid floating point value"},
      {"no calendar date", "1", "dh\r31\r02\r19\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n",
       "Invalid argument to date encode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CaBlockText good = Block(DataLines(3200, 3, 500));
    CaBlockText bad = Block(DataLines(3200, 3, 500));
    bad.increment = c.increment;
    if (!c.dh.empty()) bad.dh = c.dh;
    for (int badBlock = 0; badBlock < 2; ++badBlock) {
      const ReadResult<CaScan> scan = Read(badBlock == 0 ? bad.Text() + good.Text() : good.Text() + bad.Text());
      ASSERT_TRUE(scan.error);
      EXPECT_EQ(scan.error->Message(), c.message);
      ASSERT_EQ(scan.value.blocks.size(), static_cast<size_t>(badBlock));
    }
  }
}

TEST(CaLaserReader, OverlongHeaderTextsAreCutAndTheRestIsStillRead) {
  CaBlockText block = Block(DataLines(3200, 3, 500));
  block.dh.replace(block.dh.find("Lakeside"), 8, std::string(1000, 'L'));
  block.wheel2 = "(6) " + std::string(700, 'N');
  block.firstRow = "  " + std::string(900, '*');
  const ReadResult<CaScan> scan = Read(block.Text());
  EXPECT_FALSE(scan.error);
  ASSERT_EQ(scan.value.blocks.size(), 1u);
  EXPECT_EQ(scan.value.blocks[0].wheel2, 6);
  EXPECT_EQ(scan.value.blocks[0].darkCount, 100);
  EXPECT_EQ(scan.value.blocks[0].lines.size(), 3u);
}

TEST(CaLaserReader, TheFileEndingInTheHeaderEndsTheReading) {
  const std::string text = Block(DataLines(3200, 3, 500)).Text();
  struct Case {
    const char* name;
    size_t end;
    size_t blocks;
    bool error;
  };
  const Case cases[] = {
      {"after the third row", text.find("Integration"), 0, false},
      {"after the dh rows", text.find("1023\r\r\n") + 7, 0, false},
      {"after the increment", text.find("Filter Wheel #1"), 0, false},
      {"after the filter wheels", text.find("(0) Open\r\n") + 10, 0, false},
      {"after the column heading", text.find("Counts (c)") + 10, 1, false},
      // The increment row is missing: it cannot be converted.
      {"after the dead time", text.find("Number of Cycles"), 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult<CaScan> scan = Read(text.substr(0, c.end));
    EXPECT_EQ(scan.error.has_value(), c.error);
    ASSERT_EQ(scan.value.blocks.size(), c.blocks);
    if (c.blocks) {
      EXPECT_TRUE(scan.value.blocks[0].lines.empty());
    }
  }
}

TEST_F(CaLaserTest, CountRatesAreCorrectedForDeadTimeAndPlottedAsLogarithms) {
  // Independent of the handler's iteration: the rate r that satisfies
  // r = r0 * exp(r * D), found by bisection.
  const auto corrected = [](double r0, double d) {
    double lo = r0, hi = 2 * r0;
    for (int i = 0; i < 200; ++i) {
      const double mid = (lo + hi) / 2;
      (mid < r0 * std::exp(mid * d) ? lo : hi) = mid;
    }
    return lo;
  };
  struct Case {
    const char* name;
    std::string count, dark, deadTime, cycles, integration;
    double y;
  };
  const Case cases[] = {
      {"count equal to dark", "100", "100", "0", "4", "0.5", std::log10(2.0)},
      {"count below dark", "40", "100", "0", "4", "0.5", std::log10(2.0)},
      {"no dead time", "1100", "100", "0", "4", "0.5", 3},
      {"cycles and time", "1100", "100", "0", "8", "0.25", 3},
      {"two cycles", "1100", "100", "0", "2", "0.5", std::log10(2000.0)},
      {"dead time", "100100", "100", "1E-08", "4", "0.5", std::log10(corrected(1e5, 1e-8))},
      {"dead time at the floor", "100", "100", "2.9E-08", "4", "0.5", std::log10(corrected(2, 2.9e-8))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaBlockText block = Block(DataLine(3250, std::stod(c.count)));
    block.dark = c.dark;
    block.deadTime = c.deadTime;
    block.cycles = c.cycles;
    block.integration = c.integration;
    Load(block.Text());
    ASSERT_EQ(tab().LineSeries5->Count(), 1);
    const TChartPoint& p = tab().LineSeries5->Point(0);
    EXPECT_EQ(p.X, 3250);
    EXPECT_NEAR(p.Y, c.y, 1e-12);
    EXPECT_EQ(p.Color, clGreen);
    EXPECT_EQ(p.Label, "");
  }
}

TEST_F(CaLaserTest, NoRateIsPlottedWithoutCyclesOrIntegrationTime) {
  struct Case {
    const char* name;
    std::string cycles, integration, count;
  };
  const Case cases[] = {
      {"no cycles", "0", "0.5", "500"},
      {"no integration time", "4", "0", "500"},
      {"overflowing count", "4", "0.5", "1e308"},
      {"count not a number", "4", "0.5", "nan"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaBlockText block = Block(DataLine(3250, 500) + DataLine(3251, std::stod(c.count)));
    block.cycles = c.cycles;
    block.integration = c.integration;
    block.deadTime = "1E-08";
    Load(block.Text());
    const int expected = c.cycles == "4" && c.integration == "0.5" ? 1 : 0;
    EXPECT_EQ(tab().LineSeries5->Count(), expected);
    for (const TChartPoint& p : tab().LineSeries5->Points()) EXPECT_TRUE(std::isfinite(p.Y));
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(CaLaserTest, FilterWheelTwoScalesTheSecondBlockOnly) {
  struct Case {
    std::string wheel2First, wheel2Second;
    double decadesUp;
  };
  const Case cases[] = {
      {"(4) Neutral Density 2", "(4) Neutral Density 2", 2},
      {"(0) Open", "(4) Neutral Density 2", 2},
      {"(4) Neutral Density 2", "(0) Open", 0},
      {"(0) Open", "(5) Neutral Density 2.5", 2.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wheel2Second);
    CaBlockText first = Block(DataLine(3250, 1100));
    first.wheel2 = c.wheel2First;
    CaBlockText second = Block(DataLine(3250, 1100));
    second.wheel2 = c.wheel2Second;
    Load(first.Text() + second.Text() + "\x1a");
    ASSERT_EQ(Counts(), (std::vector<int>{0, 1, 0, 0, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(tab().LineSeries5->YValue(0), 3);
    EXPECT_NEAR(tab().Series43->YValue(0), 3 + c.decadesUp, 1e-12);
    EXPECT_EQ(tab().Series43->Point(0).Color, clRed);
  }
}

TEST_F(CaLaserTest, AOneBlockFileDrawsTheFirstBlockOnly) {
  for (const char* end : {"", "\x1a", "\r\n\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(end));
    Load(Block(DataLines(3200, 5, 1100)).Text() + end);
    EXPECT_EQ(Counts(), (std::vector<int>{0, 5, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(CaLaserTest, TheMkiiiBoxTakesTheCountsOneColumnFurther) {
  // A ten-column line: column 9 holds dark + 100, column 10 dark + 10000.
  const std::string line = "  191.72   3250.000   6593   3   21.5   4   17.0   5000000   200   10100\r\n";
  struct Case {
    bool ticked;
    double y;
  };
  for (const Case& c : {Case{false, 2}, Case{true, 4}}) {
    SCOPED_TRACE(c.ticked);
    tab().mk160->SetChecked(c.ticked);
    Load(Block(line).Text());
    ASSERT_EQ(tab().LineSeries5->Count(), 1);
    EXPECT_DOUBLE_EQ(tab().LineSeries5->XValue(0), 3250);
    EXPECT_DOUBLE_EQ(tab().LineSeries5->YValue(0), c.y);
  }
  // A nine-column line has no tenth column for the box to take.
  tab().mk160->SetChecked(true);
  Load(Block(DataLine(3250, 1100)).Text());
  EXPECT_EQ(tab().LineSeries5->Count(), 0);
}

TEST_F(CaLaserTest, ABadHeaderEndsTheLoadQuietlyKeepingTheFirstBlock) {
  CaBlockText second = Block(DataLine(3250, 1100));
  second.increment = "1.2.3";
  Load(Block(DataLines(3200, 3, 1100)).Text() + second.Text());
  EXPECT_EQ(Counts(), (std::vector<int>{0, 3, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(CaLaserTest, CancelOrAnUnopenableFileLeavesTheChartEmpty) {
  Load(Block(DataLines(3200, 3, 1100)).Text());
  ASSERT_EQ(tab().LineSeries5->Count(), 3);
  RunUserAction([this] { tab().LoadCA->Click(); });  // no answer: the dialog is cancelled
  EXPECT_EQ(tab().LineSeries5->Count(), 0);
  EXPECT_EQ(f.platform.dialogs.back().fileName, "ca*.*");

  Load(Block(DataLines(3200, 3, 1100)).Text());
  f.ClickWithFile(tab().LoadCA, f.dir.Path() + "/missing.185");
  EXPECT_EQ(tab().LineSeries5->Count(), 0);
  EXPECT_TRUE(f.platform.messages.empty());
}

}  // namespace
