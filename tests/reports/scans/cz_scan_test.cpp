#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/cz_scan_reader.h"
#include "tests/support/report_files.h"
#include "tests/support/test_support.h"

namespace {


// Counts of a line clipped at `top`: rising with `slope` from zero at `x0`,
// falling to zero at `x1`.
double Trapezoid(double x, double x0, double x1, double slope, double top) {
  return std::max(0.0, std::min({top, slope * (x - x0), slope * (x1 - x)}));
}

std::vector<Pt> Sample(double from, double to, double step, double x0, double x1, double slope, double top) {
  std::vector<Pt> pts;
  for (int i = 0; from + i * step <= to + 1e-9; ++i) {
    const double w = std::round((from + i * step) * 1000) / 1000;
    pts.push_back({w, Trapezoid(w, x0, x1, slope, top)});
  }
  return pts;
}

// The worked example: centre 3341.552 A and width 6.34 A. Flank lines of
// slope 250 per A reach the top of 1000 in 4 A, so the lines are at half
// height 2 A inside their zero points 3336.382 and 3346.722.
std::vector<Pt> ExampleLine() { return Sample(3330, 3354, 0.5, 3336.382, 3346.722, 250, 1000); }

class CzScanTest : public ::testing::Test {
 protected:
  void Load(const CzFile& file, const std::string& name = "cz07319.185") {
    path_ = f.dir.Write(name, file.Text());
    f.ClickWithFile(form().Cz->LoadCZ, path_);
  }
  TMainForm& form() { return *f.form; }
  const std::vector<std::string>& Title() { return form().Cz->CZGraph->Title.Lines(); }
  FormFixture f;
  std::string path_;
};

TEST_F(CzScanTest, TheWorkedExampleGivesItsTitleLines) {
  CzFile file;
  file.points = ExampleLine();
  Load(file);
  EXPECT_EQ(Title(), (std::vector<std::string>{"Mar 14, 2019 in Lakeside",
                                               "Brewer #185(dt=29ns) cz scan on 3341.48A Hg line",
                                               "Centre at 3341.55A and FHHB=6.3A"}));
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(CzScanTest, FlankLinesChordAndAxisFollowTheFits) {
  CzFile file;
  file.points = ExampleLine();
  Load(file);
  // Left flank: 3337.5 .. 3339.5 (counts 279.5 .. 779.5); right flank:
  // 3344 .. 3345.5 (680.5 .. 305.5). Both lie on the exact lines.
  const TLineSeries& left = *form().Cz->Series5;
  ASSERT_EQ(left.Count(), 2);
  EXPECT_DOUBLE_EQ(left.XValue(0), 3337.5);
  EXPECT_NEAR(left.YValue(0), 279.5, 1e-6);
  EXPECT_DOUBLE_EQ(left.XValue(1), 3339.5);
  EXPECT_NEAR(left.YValue(1), 779.5, 1e-6);
  const TLineSeries& right = *form().Cz->Series6;
  ASSERT_EQ(right.Count(), 2);
  EXPECT_DOUBLE_EQ(right.XValue(0), 3344);
  EXPECT_NEAR(right.YValue(0), 680.5, 1e-6);
  EXPECT_DOUBLE_EQ(right.XValue(1), 3345.5);
  EXPECT_NEAR(right.YValue(1), 305.5, 1e-6);
  const TLineSeries& chord = *form().Cz->Series7;
  ASSERT_EQ(chord.Count(), 2);
  EXPECT_NEAR(chord.XValue(0), 3338.382, 1e-6);
  EXPECT_NEAR(chord.XValue(1), 3344.722, 1e-6);
  EXPECT_DOUBLE_EQ(chord.YValue(0), 500);
  for (const TLineSeries* s : {&left, &right, &chord}) EXPECT_EQ(s->Point(0).Color, clGreen);
  EXPECT_EQ(form().Cz->Series1->Point(0).Color, clBlack);
  EXPECT_EQ(form().Cz->Series1->Point(0).Label, "");

  const TChartAxis& axis = form().Cz->CZGraph->LeftAxis;
  EXPECT_FALSE(axis.Automatic);
  EXPECT_DOUBLE_EQ(axis.Minimum, 0);
  EXPECT_DOUBLE_EQ(axis.Maximum, 1100);
}

TEST_F(CzScanTest, TheFirstWavelengthChoosesTheWindow) {
  struct Case {
    double first;
    const char* label;
    std::vector<double> kept;
  };
  const Case cases[] = {
      {3000.0, " cz scan on 2967.28A Hg line", {2958, 2977}},
      {3000.1, " cz scan on 3341.48A Hg line", {3333, 3351}},
      {2950.0, " cz scan on 2967.28A Hg line", {2958, 2977}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    CzFile file;
    file.start = "0";
    file.final = "100";
    file.increment = "1";
    file.points = {{c.first, 5},    {2957.9, 5}, {2958, 5}, {2977, 5}, {2977.1, 5},
                   {3332.9, 5},     {3333, 5},   {3351, 5}, {3351.1, 5}};
    Load(file);
    ASSERT_EQ(form().Cz->Series1->Count(), 2);
    EXPECT_EQ(form().Cz->Series1->XValue(0), c.kept[0]);
    EXPECT_EQ(form().Cz->Series1->XValue(1), c.kept[1]);
    ASSERT_GE(form().Cz->CZGraph->Title.Count(), 2);
    EXPECT_EQ(Title()[1], std::string("Brewer #185(dt=29ns)") + c.label);
  }
}

TEST_F(CzScanTest, OfEqualMaximaTheFirstInTheFileIsThePeak) {
  // Two maxima of 1000 with a dip of 500 between them: the dip belongs to the
  // right flank when the peak is the earlier maximum.
  std::vector<Pt> pts = {{3335, 100}, {3336, 300}, {3337, 450}, {3338, 700},  {3340, 1000},
                         {3341, 500}, {3342, 1000}, {3344, 700}, {3345, 450}, {3346, 300}, {3347, 100}};
  struct Case {
    bool descending;
    double leftLast, rightFirst;
  };
  // In a file written from long to short wavelengths the first maximum read is
  // the longer one, 3342; the chart still keeps ascending wavelengths.
  const Case cases[] = {{false, 3338, 3341}, {true, 3341, 3344}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.descending);
    CzFile file;
    file.start = "0";
    file.final = "100";
    file.increment = "1";
    file.points = pts;
    if (c.descending) std::reverse(file.points.begin(), file.points.end());
    Load(file);
    ASSERT_EQ(form().Cz->Series1->Count(), 11);
    EXPECT_EQ(form().Cz->Series1->XValue(0), 3335);
    ASSERT_EQ(form().Cz->Series5->Count(), 2);
    ASSERT_EQ(form().Cz->Series6->Count(), 2);
    EXPECT_EQ(form().Cz->Series5->XValue(1), c.leftLast);
    EXPECT_EQ(form().Cz->Series6->XValue(0), c.rightFirst);
  }
}

TEST_F(CzScanTest, FlanksTakeCountsStrictlyBetweenTwentyAndEightyPerCent) {
  CzFile file;
  file.start = "0";
  file.final = "100";
  file.increment = "1";
  // 200 and 800 are exactly 0.2 and 0.8 of the maximum 1000: neither flank.
  file.points = {{3334, 200}, {3335, 300}, {3336, 400}, {3337, 500}, {3338, 800}, {3340, 1000},
                 {3342, 800}, {3343, 700}, {3344, 600}, {3345, 201}, {3346, 200}};
  Load(file);
  ASSERT_EQ(form().Cz->Series5->Count(), 2);
  EXPECT_EQ(form().Cz->Series5->XValue(0), 3335);
  EXPECT_EQ(form().Cz->Series5->XValue(1), 3337);
  ASSERT_EQ(form().Cz->Series6->Count(), 2);
  EXPECT_EQ(form().Cz->Series6->XValue(0), 3343);
  EXPECT_EQ(form().Cz->Series6->XValue(1), 3345);
}

TEST_F(CzScanTest, TheHeaderAnnouncesTheNumberOfDataLines) {
  struct Case {
    const char* start;
    const char* final;
    const char* increment;
    int lines;
  };
  const Case cases[] = {
      {"3330", "3354", ".5", 49},   // a leading point reads as 0.5
      {"3330", "3354", "0.5", 49},
      {"3331", "3351", ".25", 81},
      {"3330", "3354", "24", 2},
      {"3354", "3330", ".5", -47},  // downwards: no line is read
      {"3330", "3354", "0", 2147483647},  // no step: read to the end of the file
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.increment);
    CzFile file;
    file.start = c.start;
    file.final = c.final;
    file.increment = c.increment;
    for (int i = 0; i < 100; ++i) file.points.push_back({3330 + 0.5 * i, 10.0 + i});
    CFile in(dir.Write("cz", file.Text()), "rb");
    const CzScan scan = ReadCzScan(in.get()).value;
    EXPECT_EQ(scan.lines, c.lines);
    EXPECT_EQ(static_cast<int>(scan.points.size()), std::clamp(c.lines, 0, 100));
    if (!scan.points.empty()) {
      EXPECT_EQ(scan.points.back().counts, 10.0 + scan.points.size() - 1);
    }
  }
}

TEST_F(CzScanTest, DeadTimeAndWidthFormats) {
  struct Case {
    const char* deadTime;
    std::vector<Pt> points;
    const char* line2;
    const char* line3;
  };
  const Case cases[] = {
      {"0", ExampleLine(), "Brewer #185(dt=ns) cz scan on 3341.48A Hg line", "Centre at 3341.55A and FHHB=6.3A"},
      // slope 2500: half height 0.2 A inside the zero points, a width of 0.6 A
      {"3.45E-08", Sample(3339, 3344, 0.05, 3341, 3342, 2500, 1000),
       "Brewer #185(dt=35ns) cz scan on 3341.48A Hg line", "Centre at 3341.50A and FHHB=.6A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deadTime);
    CzFile file;
    file.deadTime = c.deadTime;
    file.start = "0";
    file.final = "1000";
    file.increment = "1";
    file.points = c.points;
    Load(file);
    ASSERT_EQ(form().Cz->CZGraph->Title.Count(), 3);
    EXPECT_EQ(Title()[1], c.line2);
    EXPECT_EQ(Title()[2], c.line3);
  }
}

TEST_F(CzScanTest, TheLineAfterTheFilterWheelsIsAFourthTitleLine) {
  struct Case {
    std::string wheel2;
    std::string optional;
    int lines;
  };
  const Case cases[] = {
      {"(1) Neutral Density 0.494", "", 3},
      {"(1) Neutral Density 0.494", "Lamp 2 checked at 10:30", 4},
      {"", "", 3},  // an empty filter wheel #2 position, as in HL files
      // the same text as the filter wheel #2 position is not a line of its own
      {"(5) Open", "Open", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.optional);
    CzFile file;
    file.wheel2 = c.wheel2;
    file.optional = c.optional;
    file.points = ExampleLine();
    Load(file);
    ASSERT_EQ(form().Cz->CZGraph->Title.Count(), c.lines);
    EXPECT_EQ(Title()[2], "Centre at 3341.55A and FHHB=6.3A");
    if (c.lines == 4) {
      EXPECT_EQ(Title()[3], c.optional);
    }
  }
}

TEST_F(CzScanTest, YearCodesAndDatelessHeaders) {
  struct Case {
    const char* dh;
    const char* line1;
  };
  const Case cases[] = {
      {"dh\r14\r03\r49\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n", "Mar 14, 2049 in Lakeside"},
      {"dh\r14\r03\r50\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n", "Mar 14, 1950 in Lakeside"},
      {"dh 14 03 19 Lake-side.(N)\r37.1\r6.73\r2.9\rpr\r1023\r\r\n", "Mar 14, 2019 in Lake-side.(N)"},
      // A copy that lost the bare CRs: the date cannot be read, the rest can.
      {"dh140319Lakeside 37.1 6.73 2.911481pr1023\r\n", " in Lakeside "},
      {"\r\n", " in "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dh);
    CzFile file;
    file.dh = c.dh;
    file.points = ExampleLine();
    Load(file);
    EXPECT_TRUE(f.platform.messages.empty());
    ASSERT_EQ(form().Cz->CZGraph->Title.Count(), 3);
    EXPECT_EQ(Title()[0], c.line1);
    EXPECT_EQ(Title()[2], "Centre at 3341.55A and FHHB=6.3A");
  }
}

TEST_F(CzScanTest, AFlankOfFewerThanThreePointsGivesNoLineAndNoResult) {
  struct Case {
    std::vector<Pt> points;
    int left, right;
  };
  const Case cases[] = {
      // two points on the left flank
      {{{3335, 300}, {3336, 600}, {3340, 1000}, {3342, 700}, {3343, 500}, {3344, 300}}, 0, 2},
      // none on the right flank
      {{{3335, 300}, {3336, 500}, {3337, 600}, {3340, 1000}, {3342, 100}}, 2, 0},
      // a single point
      {{{3340, 1000}}, 0, 0},
      // no point in the window
      {{{3300, 1000}}, 0, 0},
      // counts that are all negative
      {{{3335, -300}, {3336, -200}, {3337, -150}, {3338, -100}}, 0, 0},
      // counts so wild that the fits overflow
      {{{3335, 3e307}, {3336, 5e307}, {3337, 6e307}, {3340, 1e308}, {3342, 7e307}, {3343, 5e307},
        {3344, 3e307}},
       0, 0},
  };
  for (const Case& c : cases) {
    CzFile file;
    file.start = "0";
    file.final = "100";
    file.increment = "1";
    file.points = c.points;
    Load(file);
    EXPECT_EQ(form().Cz->Series5->Count(), c.left);
    EXPECT_EQ(form().Cz->Series6->Count(), c.right);
    EXPECT_EQ(form().Cz->Series7->Count(), 0);
    ASSERT_EQ(form().Cz->CZGraph->Title.Count(), 3);
    EXPECT_EQ(Title()[2], "Centre and FHHB not measured: a flank gives no line");
    EXPECT_TRUE(f.platform.messages.empty());
  }
}

TEST_F(CzScanTest, FlanksOfMoreThanNinetyNinePointsUseEveryPoint) {
  CzFile file;
  file.start = "3333";
  file.final = "3351";
  file.increment = ".01";
  // Slope 200 per A: each flank has 299 points between 20 and 80 % of 1000.
  file.points = Sample(3333, 3351, 0.01, 3334, 3350, 200, 1000);
  Load(file);
  EXPECT_EQ(form().Cz->Series1->Count(), 1801);
  ASSERT_EQ(form().Cz->Series5->Count(), 2);
  EXPECT_NEAR(form().Cz->Series5->XValue(0), 3335.01, 1e-9);
  EXPECT_NEAR(form().Cz->Series5->XValue(1), 3337.99, 1e-9);
  ASSERT_EQ(form().Cz->Series6->Count(), 2);
  EXPECT_NEAR(form().Cz->Series6->XValue(0), 3346.01, 1e-9);
  EXPECT_NEAR(form().Cz->Series6->XValue(1), 3348.99, 1e-9);
  EXPECT_EQ(Title()[2], "Centre at 3342.00A and FHHB=11.0A");
}

TEST_F(CzScanTest, OverLongHeaderTextsAreCutAndTheRestStillReads) {
  CzFile file;
  file.place = std::string(300, 'L');
  file.wheel2 = "(1) " + std::string(400, 'N');
  file.optional = std::string(250, 'o');
  file.points = ExampleLine();
  Load(file);
  EXPECT_TRUE(f.platform.messages.empty());
  ASSERT_EQ(form().Cz->CZGraph->Title.Count(), 4);
  EXPECT_EQ(Title()[0], "Mar 14, 2019 in " + std::string(199, 'L'));
  EXPECT_EQ(Title()[1], "Brewer #185(dt=29ns) cz scan on 3341.48A Hg line");
  EXPECT_EQ(Title()[2], "Centre at 3341.55A and FHHB=6.3A");
  EXPECT_EQ(Title()[3], std::string(199, 'o'));
}

TEST_F(CzScanTest, DamagedDataLinesGiveNoPointAndCount) {
  CzFile file;
  file.start = "0";
  file.final = "5";
  file.increment = "1";  // six lines
  file.points = {{3340, 100}, {3341, 200}};
  std::string text = file.Text();
  // Before the first data line: a NaN count, an infinite wavelength, a short
  // line, binary junk and an over-long line; they use up five of the six.
  const size_t data = text.find("  191.72");
  text.insert(data, "  1 3339 1 1 nan\r\n  1 inf 1 1 5\r\n  1 3339 1 1\r\n" + std::string("\x01\x02\xff junk\r\n") +
                        std::string(5000, '9') + "\r\n");
  path_ = f.dir.Write("hs07319.185", text);
  f.ClickWithFile(form().Cz->LoadCZ, path_);
  ASSERT_EQ(form().Cz->Series1->Count(), 1);
  EXPECT_EQ(form().Cz->Series1->XValue(0), 3340);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(CzScanTest, AHugeCountLeavesAFiniteAxis) {
  CzFile file;
  file.start = "0";
  file.final = "100";
  file.increment = "1";
  file.points = {{3340, 100}, {3341, 1.7e308}};
  Load(file);
  ASSERT_EQ(form().Cz->Series1->Count(), 2);
  EXPECT_EQ(form().Cz->CZGraph->LeftAxis.Maximum, 1.7e308);
}

TEST_F(CzScanTest, ConversionErrorsEndTheLoadAndKeepTheTitle) {
  CzFile good;
  good.points = ExampleLine();
  Load(good);
  const std::vector<std::string> before = Title();
  struct Case {
    std::string increment;
    std::string dh;
    const char* message;
  };
  const Case cases[] = {
      {"1.2.3", good.dh, "'1.2.3' is not a valid floating point value"},
      {"abc", good.dh, "'' is not a valid floating point value"},
      {".5", "dh\r31\r02\r19\rLakeside\r37.1\r6.73\r2.9\rpr\r1023\r\r\n", "Invalid argument to date encode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    f.platform.messages.clear();
    CzFile file = good;
    file.increment = c.increment;
    file.dh = c.dh;
    Load(file);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].text, c.message);
    EXPECT_EQ(form().Cz->Series1->Count(), 0);
    EXPECT_EQ(Title(), before);
  }
}

TEST_F(CzScanTest, CancelOrAMissingFileLeavesNoDataAndTheOldTitle) {
  CzFile file;
  file.points = ExampleLine();
  Load(file);
  const std::vector<std::string> before = Title();
  const std::string dir = form().OpenDialog1->InitialDir;

  RunUserAction([this] { form().Cz->LoadCZ->Click(); });  // no answer queued: cancelled
  EXPECT_EQ(f.platform.dialogs.back().fileName, "cz?????.*;hl?????.*;hs?????.*");
  EXPECT_EQ(form().Cz->Series1->Count(), 0);
  EXPECT_EQ(form().Cz->Series5->Count(), 0);
  EXPECT_EQ(Title(), before);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);

  Load(file);
  f.ClickWithFile(form().Cz->LoadCZ, f.dir.Path() + "/missing.185");
  EXPECT_EQ(form().Cz->Series1->Count(), 0);
  EXPECT_EQ(form().Cz->Series7->Count(), 0);
  EXPECT_EQ(Title(), before);
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(CzScanTest, FolderModeTakesTheFileWithoutADialog) {
  CzFile file;
  file.points = ExampleLine();
  const std::string path = f.dir.Write("HL07319.033", file.Text());
  EXPECT_TRUE(f.RunInFolderMode(path, [this] { form().Cz->LoadCZ->Click(); }));
  EXPECT_TRUE(f.platform.dialogs.empty());
  EXPECT_EQ(form().Cz->Series1->Count(), 37);
  EXPECT_EQ(Title()[1], "Brewer #033(dt=29ns) cz scan on 3341.48A Hg line");
}

TEST_F(CzScanTest, AFileWithoutAHeaderEndsWithTheIncrementConversionError) {
  const std::string files[] = {
      "",
      "\x1a",
      std::string("\0\x01\x02\x03", 4),
      "dh",
      std::string(100000, '*'),
  };
  for (const std::string& text : files) {
    path_ = f.dir.Write("cz00000.185", text);
    f.ClickWithFile(form().Cz->LoadCZ, path_);
    // No increment could be read: the conversion error, and nothing drawn.
    ASSERT_EQ(f.platform.messages.size(), 1u) << text.size();
    EXPECT_EQ(f.platform.messages[0].text, "'' is not a valid floating point value");
    EXPECT_EQ(form().Cz->Series1->Count(), 0);
    f.platform.messages.clear();
  }
}

}  // namespace
