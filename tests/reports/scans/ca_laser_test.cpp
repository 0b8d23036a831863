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

// A data line: wavelength in column 2, the plotted count last; the other
// counts are far off so that a wrong column shows.
std::string DataLine(double wavelength, double count) {
  char line[200];
  std::snprintf(line, sizeof line, "  191.72   %.3f   6593   3   21.5   4   %.10g   %.10g   %.10g\r\n", wavelength,
                count + 5e6, count + 7e6, count);
  return line;
}

std::string DataLines(double from, int n, double count) {
  std::string s;
  for (int i = 0; i < n; ++i) s += DataLine(from + i, count);
  return s;
}

// One block as the instrument writes it (CR LF, the "dh" line split by bare
// CRs). With T = 0.5 s and C = 4 the count rate is the count less the dark.
struct CaBlockText {
  std::string site = "Lakeside", deadTime = "0", cycles = "4", dark = "100";
  std::string start = "3200", final = "3300", increment = "1", wheel2 = "(0) Open";
  std::string data;

  std::string Text() const {
    return "************************************************************\r\n  CA Scan of (3) Laser\r\n"
           "************************************************************\r\n"
           "Integration time is 0.5 seconds per sample\r\n"
           "dh\r14\r03\r19\r" + site + "\r37.1\r6.73\r2.911481\rpr\r1023\r\r\n"
           "************************************************************\r\n"
           "Dead Time -------------------------  " + deadTime + " \r\n"
           "Number of Cycles Used -------------  " + cycles + " \r\n"
           "Starting Wavelength (Angstroms) ---  " + start + " \r\n"
           "Final Wavelength (Angstoms) -------  " + final + " \r\n"
           "Wavelength Increment (Angstroms) --  " + increment + " \r\n"
           "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\r\n"
           "Filter Wheel #2 Position ---------- " + wheel2 + "\r\n\r\n"
           "************************************************************\r\n"
           "CA scan start time = 03:11:14\r\nDark Count =  " + dark + " \r\n\r\n"
           "Time (GMT)  Wavelength  Step  Slit  Temp  Cycles  Counts (a)  Counts (b)  Counts (c)\r\n\r\n" +
           data + "CA scan finished at 03:15:11\r\nend\r\n";
  }
};

CaBlockText Block(std::string data) {
  CaBlockText b;
  b.data = std::move(data);
  return b;
}

TEST(CaLaserReader, ABlockEndsAtItsCountItsFinalWavelengthOrItsFirstBadLine) {
  struct Case {
    const char* name;
    std::string start, final, increment, data;
    size_t lines;
  };
  const Case cases[] = {
      // 3200 .. 3300 by .5 announces 201 lines; none is at the final wavelength.
      {"half step", "3200", "3300", ".5", DataLines(1e6, 250, 500), 201},
      {"at the final wavelength", "3200", "3300", "1", DataLines(3295, 20, 500), 6},
      {"file ends early", "3200", "3300", ".5", DataLines(1e6, 3, 500), 3},
      {"field too few", "3200", "3300", "1", DataLines(1e6, 2, 500) + "  1 2 3 4 5 6 7 8\r\n" + DataLines(1e6, 5, 500),
       2},
      {"downwards", "3300", "3200", "1", DataLines(1e6, 5, 500), 0},
      {"no step", "3200", "3203", "0", DataLines(3200, 10, 500), 4},
      {"only a point", "3200", "3203", ".", DataLines(3200, 10, 500), 4},
      {"tiny step", "3200", "3203", "0.000000000001", DataLines(1e6, kMaxCaDataLines + 5, 500), kMaxCaDataLines},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaBlockText block = Block(c.data);
    block.start = c.start;
    block.final = c.final;
    block.increment = c.increment;
    TempDir dir;
    CFile file(dir.Write("ca07319.185", block.Text() + "\x1a"), "rb");
    const ReadResult<CaScan> scan = ReadCaScan(file.get(), false);
    ASSERT_GE(scan.value.blocks.size(), 1u);
    EXPECT_EQ(scan.value.blocks[0].lines.size(), c.lines);
  }
}

class CaLaserTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) { f.ClickWithFile(tab().LoadCA, f.dir.Write("ca07319.185", text)); }
  CaLaserTab& tab() { return *f.form->Ca; }
  // Points in the seven series, in the order of the form.
  std::vector<int> Counts() {
    std::vector<int> n;
    for (const TLineSeries* s : {tab().LineSeries4, tab().LineSeries5, tab().LineSeries6, tab().LineSeries7,
                                 tab().Series41, tab().Series42, tab().Series43})
      n.push_back(s->Count());
    return n;
  }
  FormFixture f;
};

TEST_F(CaLaserTest, CountRatesAreCorrectedForDeadTimeAndPlottedAsLogarithms) {
  // The fixed point of r = r0 * exp(r * D), by bisection.
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
    double count;
    std::string deadTime, cycles;
    int points;
    double y;
  };
  const Case cases[] = {
      {"count equal to dark", 100, "0", "4", 1, std::log10(2.0)},
      {"no dead time", 1100, "0", "4", 1, 3},
      {"two cycles", 1100, "0", "2", 1, std::log10(2000.0)},
      {"dead time", 100100, "1E-08", "4", 1, std::log10(corrected(1e5, 1e-8))},
      {"dead time at the floor", 40, "2.9E-08", "4", 1, std::log10(corrected(2, 2.9e-8))},
      {"no cycles", 1100, "0", "0", 0, 0},
      {"correction overflows", 1e300, "1E-08", "4", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaBlockText block = Block(DataLine(3250, c.count));
    block.deadTime = c.deadTime;
    block.cycles = c.cycles;
    Load(block.Text());
    ASSERT_EQ(tab().LineSeries5->Count(), c.points);
    if (c.points == 0) continue;
    const TChartPoint& p = tab().LineSeries5->Point(0);
    EXPECT_EQ(p.X, 3250);
    EXPECT_NEAR(p.Y, c.y, 1e-12);
    EXPECT_EQ(p.Color, clGreen);
  }
}

TEST_F(CaLaserTest, FilterWheelTwoScalesTheSecondBlockOnly) {
  for (double position : {0, 4, 5}) {
    SCOPED_TRACE(position);
    CaBlockText first = Block(DataLine(3250, 1100)), second = first;
    first.wheel2 = "(4) Neutral Density 2";
    second.wheel2 = "(" + std::to_string(static_cast<int>(position)) + ") Neutral Density";
    Load(first.Text() + second.Text() + "\x1a");
    ASSERT_EQ(Counts(), (std::vector<int>{0, 1, 0, 0, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(tab().LineSeries5->YValue(0), 3);
    EXPECT_NEAR(tab().Series43->YValue(0), 3 + position / 2, 1e-12);
    EXPECT_EQ(tab().Series43->Point(0).Color, clRed);
  }
}

TEST_F(CaLaserTest, ABlockAloneOrBeforeABadHeaderIsDrawnQuietly) {
  CaBlockText bad = Block(DataLine(3250, 1100));
  bad.increment = "1.2.3";
  // A site name longer than any header buffer is cut, not overrun.
  CaBlockText longSite = Block(DataLines(3200, 5, 1100));
  longSite.site = std::string(1000, 'L');
  for (const std::string& end : {std::string(), std::string("\x1a"), bad.Text()}) {
    Load(longSite.Text() + end);
    EXPECT_EQ(Counts(), (std::vector<int>{0, 5, 0, 0, 0, 0, 0}));
  }
  EXPECT_TRUE(f.platform.messages.empty());
  RunUserAction([this] { tab().LoadCA->Click(); });  // cancelled
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(CaLaserTest, TheMkiiiBoxTakesTheCountsOneColumnFurther) {
  // Ten columns: column 9 holds dark + 100, column 10 dark + 10000. A
  // nine-column line has no count for the box to take.
  const std::string ten = "  191.72   3250.000   6593   3   21.5   4   17.0   5000000   200   10100\r\n";
  struct Case {
    bool ticked;
    std::string line;
    std::vector<double> y;
  };
  for (const Case& c : {Case{false, ten, {2}}, Case{true, ten, {4}}, Case{true, DataLine(3250, 1100), {}}}) {
    SCOPED_TRACE(c.ticked);
    tab().mk160->SetChecked(c.ticked);
    Load(Block(c.line).Text());
    std::vector<double> y;
    for (const TChartPoint& p : tab().LineSeries5->Points()) y.push_back(p.Y);
    EXPECT_EQ(y, c.y);
  }
}

}  // namespace
