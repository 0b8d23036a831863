#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/line_reader.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/ap_avg_reader.h"
#include "reports/folder/composite.h"
#include "tests/support/test_support.h"

namespace {

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

// One block of readings as the instrument writes it.
struct Block {
  double pmt = 20, cardRack = 21, caseTemp = 22, hv = 1500;
  double supply[kApSupplyRows] = {-15, -8, 5, 5, 15, 24};  // by row of the voltage chart
  double humidity = 7, current = 1.8, volts = 11;
};

// The words of a block; the last block of a record is one word shorter than
// the stride (17 short, 25 long). Fields the charts do not use are 0.
std::vector<std::string> BlockWords(const Block& b, bool longLayout, bool last) {
  const int stride = longLayout ? 25 : 17;
  std::vector<std::string> w(static_cast<size_t>(stride - (last ? 1 : 0)), "0");
  auto set = [&w](int k, double v) { w[static_cast<size_t>(k)] = Num(v); };
  set(0, b.pmt);
  set(1, b.cardRack);
  set(2, b.caseTemp);
  set(3, b.hv);
  const int supplyOffset[kApSupplyRows] = {6, 13, 5, 12, 4, 7};
  for (int row = 0; row < kApSupplyRows; ++row) set(supplyOffset[row], b.supply[row]);
  set(longLayout ? 20 : 9, b.humidity);
  set(14, b.current);
  set(15, b.volts);
  return w;
}

// The words of a record: day code, HV, +5 V, one more value, the blocks, and
// `extra` trailing words (a negative count drops words from the end).
std::vector<std::string> RecordWords(const std::string& day, double hv, double p5,
                                     const std::vector<Block>& blocks = {}, bool longLayout = false,
                                     int extra = 0) {
  std::vector<std::string> w{day, Num(hv), Num(p5), "1.3"};
  for (size_t i = 0; i < blocks.size(); ++i) {
    const std::vector<std::string> b = BlockWords(blocks[i], longLayout, i + 1 == blocks.size());
    w.insert(w.end(), b.begin(), b.end());
  }
  for (int i = 0; i < extra; ++i) w.push_back("9");
  for (int i = 0; i > extra && !w.empty(); --i) w.pop_back();
  return w;
}

std::string Join(const std::vector<std::string>& words, size_t from = 0, size_t to = std::string::npos) {
  std::string line;
  for (size_t i = from; i < std::min(to, words.size()); ++i) line += (line.empty() ? "" : " ") + words[i];
  return line;
}

std::string Record(const std::string& day, double hv, double p5, const std::vector<Block>& blocks = {},
                   bool longLayout = false, int extra = 0) {
  return Join(RecordWords(day, hv, p5, blocks, longLayout, extra)) + "\r\n";
}

class ApAvgTest : public ::testing::Test {
 protected:
  void Load(const std::string& contents, const std::string& name = "apoavg19.185") {
    path_ = f.dir.Write(name, contents);
    f.ClickWithFile(f.form->Ap->LoadApavg, path_);
  }
  TMainForm& form() { return *f.form; }
  std::vector<TChartSeries*> FirstBlockSupplies() {
    return {form().Ap->LineSeries10, form().Ap->LineSeries11, form().Ap->Series47,
            form().Ap->Series48,     form().Ap->Series49,     form().Ap->Series50};
  }
  std::vector<TChartSeries*> OffBlockSupplies() {
    return {form().Ap->Series59, form().Ap->Series58, form().Ap->Series57,
            form().Ap->Series56, form().Ap->Series55, form().Ap->Series54};
  }
  FormFixture f;
  std::string path_;
};

TEST_F(ApAvgTest, HighVoltageAndFiveVoltsAreClampedAndGraded) {
  struct Case {
    double hv, p5;
    double hvShown;
    TColor hvColour;
    double p5Shown;
    TColor p5Colour;
  };
  const Case cases[] = {
      {450, 4.8, 500, clRed, 4.8, clGreen},        {1700, 4.79, 1700, clBlue, 4.79, clRed},
      {1700.1, 6.0, 1700.1, clRed, 5.5, clRed},    {2000, 4.4, 1900, clRed, 4.5, clRed},
      {999.9, 5.2, 999.9, clRed, 5.2, clGreen},    {1000, 5.21, 1000, clBlue, 5.21, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hv);
    Load(Record("00119", c.hv, c.p5));
    ASSERT_EQ(form().Ap->LineSeries2->Count(), 1);
    ASSERT_EQ(form().Ap->LineSeries3->Count(), 1);
    const TChartPoint& hv = form().Ap->LineSeries2->Point(0);
    EXPECT_EQ(hv.X, Day(2019, 1, 1));
    EXPECT_DOUBLE_EQ(hv.Y, c.hvShown);
    EXPECT_EQ(hv.Color, c.hvColour);
    EXPECT_EQ(hv.Label, "");
    EXPECT_DOUBLE_EQ(form().Ap->LineSeries3->YValue(0), c.p5Shown);
    EXPECT_EQ(form().Ap->LineSeries3->Point(0).Color, c.p5Colour);
  }
}

TEST_F(ApAvgTest, LampVoltageCurrentAndPowerAreGradedPowerFromTheReadings) {
  struct Case {
    double volts, current;
    double voltsShown;
    TColor voltsColour;
    double currentShown;
    TColor currentColour;
    double power;
    TColor powerColour;
  };
  const Case cases[] = {
      // Power/10 is computed before the limits: 15 V x 2.5 A / 10.
      {15, 2.5, 14, clRed, 2.1, clRed, 3.75, clMaroon},
      {11, 1.8, 11, clBlue, 1.8, clGreen, 1.98, clTeal},
      {6, 1.0, 7, clRed, 1.2, clRed, 1.2, clMaroon},
      {12, 2.0, 12, clBlue, 2.0, clGreen, 2.4, clMaroon},
      {10, 1.5, 10, clBlue, 1.5, clGreen, 1.5, clTeal},
      {12.01, 1.49, 12.01, clRed, 1.49, clRed, 1.78949, clTeal},
      {9.99, 2.01, 9.99, clRed, 2.01, clRed, 2.00799, clMaroon},
      {10, 1.45, 10, clBlue, 1.45, clRed, 1.45, clMaroon},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.volts);
    Block b;
    b.volts = c.volts;
    b.current = c.current;
    Load(Record("00119", 1500, 5, {b}));
    ASSERT_EQ(form().Ap->LineSeries8->Count(), 1);
    EXPECT_DOUBLE_EQ(form().Ap->LineSeries8->YValue(0), c.voltsShown);
    EXPECT_EQ(form().Ap->LineSeries8->Point(0).Color, c.voltsColour);
    EXPECT_DOUBLE_EQ(form().Ap->LineSeries9->YValue(0), c.currentShown);
    EXPECT_EQ(form().Ap->LineSeries9->Point(0).Color, c.currentColour);
    ASSERT_EQ(form().Ap->Series61->Count(), 1);
    EXPECT_DOUBLE_EQ(form().Ap->Series61->YValue(0), c.power);
    EXPECT_EQ(form().Ap->Series61->Point(0).Color, c.powerColour);
  }
}

TEST_F(ApAvgTest, TheWordCountChoosesLayoutAndBlocks) {
  Block b;
  b.humidity = 44;
  b.hv = 1600;
  struct Case {
    const char* what;
    std::vector<std::string> words;
    int head, firstBlock, offBlock;
  };
  const Case cases[] = {
      {"3 words", {"00119", "1500", "5"}, 0, 0, 0},
      {"4 words", RecordWords("00119", 1500, 5), 1, 0, 0},
      {"20: short, one block", RecordWords("00119", 1500, 5, {b}), 1, 1, 0},
      {"21: no blocks", RecordWords("00119", 1500, 5, {b}, false, 1), 1, 0, 0},
      {"37: short, two blocks", RecordWords("00119", 1500, 5, {b, b}), 1, 1, 1},
      {"39: short, two blocks", RecordWords("00119", 1500, 5, {b, b}, false, 2), 1, 1, 1},
      {"38: no blocks", RecordWords("00119", 1500, 5, {b, b}, false, 1), 1, 0, 0},
      {"28: long, one block", RecordWords("00119", 1500, 5, {b}, true), 1, 1, 0},
      {"30: long, one block", RecordWords("00119", 1500, 5, {b}, true, 2), 1, 1, 0},
      {"53: long, two blocks", RecordWords("00119", 1500, 5, {b, b}, true), 1, 1, 1},
      {"55: long, two blocks", RecordWords("00119", 1500, 5, {b, b}, true, 2), 1, 1, 1},
      {"52: no blocks", RecordWords("00119", 1500, 5, {b, b}, true, -1), 1, 0, 0},
      {"54: no blocks", RecordWords("00119", 1500, 5, {b, b}, true, 1), 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(Join(c.words) + "\r\n");
    EXPECT_EQ(form().Ap->LineSeries2->Count(), c.head);
    EXPECT_EQ(form().Ap->LineSeries3->Count(), c.head);
    for (TChartSeries* s : {static_cast<TChartSeries*>(form().Ap->Series78), static_cast<TChartSeries*>(form().Ap->Series81),
                            static_cast<TChartSeries*>(form().Ap->LineSeries8), static_cast<TChartSeries*>(form().Ap->Series61),
                            static_cast<TChartSeries*>(form().Ap->LineSeries10)}) {
      EXPECT_EQ(s->Count(), c.firstBlock) << s->Name;
    }
    EXPECT_EQ(form().Ap->Series59->Count(), c.offBlock);
    EXPECT_EQ(form().Ap->Series60->Count(), c.offBlock);
    if (c.firstBlock) {
      EXPECT_DOUBLE_EQ(form().Ap->Series81->YValue(0), 44);  // humidity at its layout's place
      EXPECT_EQ(form().Ap->Series81->Point(0).Color, clTeeColor);
      EXPECT_DOUBLE_EQ(form().Ap->Series78->YValue(0), 20);
      EXPECT_DOUBLE_EQ(form().Ap->Series79->YValue(0), 21);
      EXPECT_DOUBLE_EQ(form().Ap->Series80->YValue(0), 22);
    }
  }
}

TEST_F(ApAvgTest, ARecordOf22WordsGoesOnInTheNextLine) {
  Block first, off;
  off.hv = 2600;  // the "off" block's HV is clamped at 2500
  const std::vector<std::string> words = RecordWords("00119", 1500, 5, {first, off}, false, 2);
  ASSERT_EQ(words.size(), 39u);
  const std::string head = Join(words, 0, 22), rest = Join(words, 22);

  // The first line ends with a blank, as the instrument writes it.
  Load(head + "  \r\n" + rest + "\r\n" + Record("00219", 1400, 5));
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 2);
  ASSERT_EQ(form().Ap->Series60->Count(), 1);
  EXPECT_EQ(form().Ap->Series60->YValue(0), 2500);
  EXPECT_EQ(form().Ap->Series60->Point(0).Color, clRed);
  EXPECT_EQ(form().Ap->Series59->Count(), 1);
  EXPECT_EQ(form().Ap->LineSeries2->XValue(1), Day(2019, 1, 2));

  // Joined without a blank, the two lines' edge words run together: 38 words.
  Load(head + "\r\n" + rest + "\r\n");
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 1);
  EXPECT_EQ(form().Ap->Series78->Count(), 0);

  // Nothing follows: a record of 22 words is a one-block record.
  Load(head);
  EXPECT_EQ(form().Ap->Series78->Count(), 1);
  EXPECT_EQ(form().Ap->Series60->Count(), 0);
}

TEST_F(ApAvgTest, SuppliesSitOnTheirRowsAgainstTheNominalOfTheLayoutFlag) {
  Block b;
  const double readings[kApSupplyRows] = {-14.8, -8.3, 5.1, 4.9, 15.2, 23.5};
  std::copy(readings, readings + kApSupplyRows, b.supply);
  Load(Record("00119", 1500, 5, {b}));
  const double shortRows[kApSupplyRows] = {1.2, 1.7, 3.1, 3.9, 5.2, 5.5};
  const TColor shortColours[kApSupplyRows] = {clNavy, clGray, clYellow, clBlack, clRed, 16416517};
  for (int row = 0; row < kApSupplyRows; ++row) {
    TChartSeries* s = FirstBlockSupplies()[static_cast<size_t>(row)];
    ASSERT_EQ(s->Count(), 1) << s->Name;
    EXPECT_NEAR(s->YValue(0), shortRows[row], 1e-9) << s->Name;
    EXPECT_EQ(s->Point(0).Color, shortColours[row]) << s->Name;
  }

  Block l;
  const double longReadings[kApSupplyRows] = {-12.3, -5.2, 5.1, 4.9, 12.4, 23.5};
  std::copy(longReadings, longReadings + kApSupplyRows, l.supply);
  Load(Record("00119", 1500, 5, {l}, true));
  const double longRows[kApSupplyRows] = {0.7, 1.8, 3.1, 3.9, 5.4, 5.5};
  const TColor longColours[kApSupplyRows] = {clBlue, clTeeColor, clYellow, clBlack, clRed, 16416517};
  for (int row = 0; row < kApSupplyRows; ++row) {
    TChartSeries* s = FirstBlockSupplies()[static_cast<size_t>(row)];
    ASSERT_EQ(s->Count(), 1) << s->Name;
    EXPECT_NEAR(s->YValue(0), longRows[row], 1e-9) << s->Name;
    EXPECT_EQ(s->Point(0).Color, longColours[row]) << s->Name;
  }
}

TEST_F(ApAvgTest, TheOffBlockKeepsItsColoursWithTheFlagClearOrSet) {
  Block first, off;
  const double readings[kApSupplyRows] = {-12.5, -5.5, 5.2, 4.8, 12.1, 24.3};
  std::copy(readings, readings + kApSupplyRows, off.supply);
  off.hv = 400;
  const TColor colours[kApSupplyRows] = {clNavy, clGray, clYellow, clBlack, clRed, 16416517};
  struct Case {
    bool longLayout;
    double rows[kApSupplyRows];
  };
  const Case cases[] = {
      {false, {3.5, 4.5, 3.2, 3.8, 2.1, 6.3}},  // against -15, -8, 5, 5, 15, 24
      {true, {0.5, 1.5, 3.2, 3.8, 5.1, 6.3}},   // against -12, -5, 5, 5, 12, 24
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.longLayout);
    Load(Record("00119", 1500, 5, {first, off}, c.longLayout));
    for (int row = 0; row < kApSupplyRows; ++row) {
      TChartSeries* s = OffBlockSupplies()[static_cast<size_t>(row)];
      ASSERT_EQ(s->Count(), 1) << s->Name;
      EXPECT_NEAR(s->YValue(0), c.rows[row], 1e-9) << s->Name;
      EXPECT_EQ(s->Point(0).Color, colours[row]) << s->Name;
    }
    ASSERT_EQ(form().Ap->Series60->Count(), 1);
    EXPECT_EQ(form().Ap->Series60->YValue(0), 500);
    EXPECT_EQ(form().Ap->Series60->Point(0).Color, clRed);
  }
}

TEST_F(ApAvgTest, AShortRecordAfterALongOnePlotsItsOwnReadings) {
  Block shortBefore, longOne, shortAfter;
  shortBefore.supply[1] = -8.3;
  longOne.supply[1] = -5.5;
  shortAfter.supply[1] = -7.9;
  shortAfter.supply[0] = -14.9;
  Load(Record("00119", 1500, 5, {shortBefore}) + Record("00219", 1500, 5, {longOne}, true) +
       Record("00319", 1500, 5, {shortAfter}));
  TChartSeries* rowTwo = form().Ap->LineSeries11;
  ASSERT_EQ(rowTwo->Count(), 3);
  EXPECT_NEAR(rowTwo->YValue(0), 1.7, 1e-9);   // -8.3 against -8, flag still clear
  EXPECT_NEAR(rowTwo->YValue(1), 1.5, 1e-9);   // -5.5 against -5
  EXPECT_NEAR(rowTwo->YValue(2), -0.9, 1e-9);  // its own -7.9, against the flag's -5
  EXPECT_EQ(rowTwo->Point(2).Color, clTeeColor);
  EXPECT_NEAR(form().Ap->LineSeries10->YValue(2), -1.9, 1e-9);  // -14.9 against -12
  // The humidity of each record is read at its own layout's place.
  EXPECT_EQ(form().Ap->Series81->Count(), 3);
  EXPECT_EQ(form().Ap->Series52->Point(0).Label, "-12V");
}

TEST_F(ApAvgTest, RowLabelsFollowTheLayoutFlagAcrossTheDates) {
  struct Case {
    std::string file;
    const char* labels[kApSupplyRows];
  };
  Block b;
  const Case cases[] = {
      {Record("00119", 1500, 5, {b}) + Record("01019", 1500, 5, {b}),
       {"-15V", "-8V", "+5V pps", "+5V sps", "+15V", "+24V"}},
      // A 52-word record sets the flag though it has no blocks.
      {Join(RecordWords("00519", 1500, 5, {b, b}, true, -1)) + "\n" + Record("00119", 1500, 5, {b}) +
           Record("01019", 1500, 5, {b}),
       {"-12V", "-5V", "+5V", "+5V", "+12V", "+24V"}},
  };
  for (const Case& c : cases) {
    Load(c.file, "apoavg19.079");
    ASSERT_EQ(form().Ap->Series52->Count(), kApSupplyRows);
    for (int row = 0; row < kApSupplyRows; ++row) {
      const TChartPoint& bar = form().Ap->Series52->Point(row);
      EXPECT_EQ(bar.Label, c.labels[row]);
      EXPECT_EQ(bar.Y, row + 1);
      EXPECT_EQ(bar.X, Day(2019, 1, 1));
      EXPECT_EQ(bar.X1, Day(2019, 1, 10));
      EXPECT_EQ(bar.Color, clBlack);
    }
    EXPECT_TRUE(form().Ap->VoltagesGraph->BottomAxis.Automatic);
  }
}

TEST_F(ApAvgTest, ALongRecordOutsideTheWindowLeavesTheFlagClear) {
  Block b;
  f.SetWindow(Day(2019, 1, 2), Day(2019, 12, 31));
  Load(Record("00119", 1500, 5, {b}, true) + Record("00219", 1500, 5, {b}));
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 1);
  EXPECT_EQ(form().Ap->Series52->Point(0).Label, "-15V");
  EXPECT_NEAR(form().Ap->LineSeries10->YValue(0), 1, 1e-9);
}

TEST_F(ApAvgTest, SupplyTitlesAndColoursFollowTheInstrumentNumber) {
  const char* const low[kApSupplyRows] = {"-12V", "-5V", "+5V", "+5V", "+12V", "+24V"};
  const char* const high[kApSupplyRows] = {"-15V", "-8V", "+5Vpps", "+5Vsps", "+15V", "+24V"};
  const TColor colours[kApSupplyRows] = {clBlue, clGreen, clYellow, clBlack, clRed, 16416517};
  struct Case {
    const char* name;
    const char* const* titles;
  };
  const Case cases[] = {{"apoavg19.080", low},  {"apoavg19.160", low},  {"APOAVG.185", low},
                        {"apoavg19.079", high}, {"apoavg19.159", high}, {"apoavg19.081", high}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(Record("00119", 1500, 5), c.name);
    for (int row = 0; row < kApSupplyRows; ++row) {
      TChartSeries* s = FirstBlockSupplies()[static_cast<size_t>(row)];
      EXPECT_EQ(s->Title, c.titles[row]);
      EXPECT_EQ(s->SeriesColor, colours[row]);
    }
    EXPECT_EQ(form().Ap->Series59->Title, "-15V off");
  }
}

TEST_F(ApAvgTest, AnInstrumentNumberThatIsNotANumberEndsTheLoad) {
  Block b;
  Load(Record("00119", 1500, 5, {b, b}));
  Load(Record("00119", 1500, 5, {b, b}), "apoavg19.b85");
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "'b85' is not a valid integer value");
  for (TChart* chart : {form().Ap->APGraph, form().Ap->SLVoltsGraph, form().Ap->VoltagesGraph, form().Ap->AP_T}) {
    for (const TChartSeries* s : chart->Series()) {
      if (s == form().Ap->Series83) continue;
      EXPECT_EQ(s->Count(), 0) << s->Name;
    }
  }
  EXPECT_EQ(form().Ap->AP_T->Title.Lines(), (std::vector<std::string>{path_, "Temperatures"}));
  EXPECT_EQ(form().Ap->APGraph->Title.Lines(), std::vector<std::string>{path_});
  EXPECT_EQ(form().Ap->SLVoltsGraph->Title.Lines(), std::vector<std::string>{path_});
  EXPECT_FALSE(form().Ap->Series83->Active);
}

TEST_F(ApAvgTest, AxesAreRoundedToTheirSteps) {
  Block low, high;
  low.volts = 10;
  low.current = 1.63;  // the power is the current at 10 V
  high.volts = 10;
  high.current = 1.87;
  Load(Record("00119", 1352, 5, {low}) + Record("00219", 1788, 5, {high}));
  struct Case {
    const TChartAxis* axis;
    double min, max;
  };
  const Case cases[] = {
      {&form().Ap->APGraph->LeftAxis, 1340, 1800},
      {&form().Ap->APGraph->RightAxis, 4.5, 5.5},
      {&form().Ap->SLVoltsGraph->LeftAxis, 9, 11},
      {&form().Ap->SLVoltsGraph->RightAxis, 1.5, 2.0},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.axis->Automatic);
    EXPECT_NEAR(c.axis->Minimum, c.min, 1e-9);
    EXPECT_NEAR(c.axis->Maximum, c.max, 1e-9);
  }
}

TEST_F(ApAvgTest, StrictDateLimitsThreeChartsAndNotTheTemperatures) {
  f.SetWindow(Day(2018, 1, 1), Day(2020, 1, 1));
  form().StrictDate->SetChecked(true);
  Block b;
  Load(Record("01019", 1500, 5, {b}) + Record("02019", 1500, 5, {b}));
  for (TChart* chart : {form().Ap->SLVoltsGraph, form().Ap->APGraph, form().Ap->VoltagesGraph}) {
    EXPECT_FALSE(chart->BottomAxis.Automatic) << chart->Name;
    EXPECT_EQ(chart->BottomAxis.Minimum, Day(2018, 1, 1)) << chart->Name;
    EXPECT_EQ(chart->BottomAxis.Maximum, Day(2020, 1, 1)) << chart->Name;
  }
  // The temperatures' date axis ends at the data, and the shading below 0 C
  // that spans far dates does not widen it.
  const TChartAxis& dates = form().Ap->AP_T->BottomAxis;
  EXPECT_FALSE(dates.Automatic);
  EXPECT_EQ(dates.Minimum, Day(2019, 1, 10));
  EXPECT_EQ(dates.Maximum, Day(2019, 1, 20));
  EXPECT_TRUE(form().Ap->Series83->Active);
  ASSERT_EQ(form().Ap->Series83->Count(), 2);
  EXPECT_EQ(form().Ap->Series83->XValue(0), 30000.0);
  EXPECT_EQ(form().Ap->Series83->XValue(1), 50000.0);
}

TEST_F(ApAvgTest, ShadingBelowZeroIsHiddenUntilALoadFixesTheDates) {
  EXPECT_FALSE(form().Ap->Series83->Active);
  EXPECT_FALSE(form().Ap->Series83->ShowInLegend);
  EXPECT_EQ(form().Ap->AP_T->Title.Lines(), std::vector<std::string>{"Temperatures from AP"});
  f.ClickWithFile(form().Ap->LoadApavg, f.dir.Path() + "/apoavg19.185");  // no such file
  EXPECT_FALSE(form().Ap->Series83->Active);
  EXPECT_EQ(form().Ap->AP_T->Title[0], f.dir.Path() + "/apoavg19.185");
  EXPECT_EQ(form().Ap->APGraph->Title.Lines(), std::vector<std::string>{"APOAVG"});
  EXPECT_EQ(form().Ap->VoltagesGraph->Title.Lines(), std::vector<std::string>{"apavg"});
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST_F(ApAvgTest, ShowBoxesShowAndHideThreeTemperatures) {
  struct Case {
    TCheckBox* box;
    TChartSeries* series;
    const char* caption;
  };
  const Case cases[] = {{form().Ap->ShowPMT, form().Ap->Series78, "ShowPMT"},
                        {form().Ap->ShowCardRack, form().Ap->Series79, "ShowCardRack"},
                        {form().Ap->ShowCase, form().Ap->Series80, "ShowCase"}};
  Block b;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(c.box->Caption, c.caption);
    EXPECT_TRUE(c.box->Checked);
    c.box->SetChecked(false);
    c.box->Click();
    EXPECT_FALSE(c.series->Active);
    Load(Record("00119", 1500, 5, {b}));  // a load leaves the choice alone
    EXPECT_FALSE(c.series->Active);
    EXPECT_EQ(c.series->Count(), 1);
    c.box->SetChecked(true);
    c.box->Click();
    EXPECT_TRUE(c.series->Active);
  }
  EXPECT_TRUE(form().Ap->Series81->Active);
}

TEST_F(ApAvgTest, DamagedFilesAreReadSafely) {
  const std::string good = "00119 1500 5.0 1.3";
  const std::string overLong = "00219 1500 5 " + std::string(600, '7');
  const std::string files[] = {
      "\r\n\r\n" + good + "\r\n",                           // empty lines first
      good + "\r\n\x1a",                                    // a Ctrl-Z at the end
      good,                                                 // no final line end
      good + "\n" + overLong + "\n",                        // a line longer than its buffer
      overLong + "\n" + good + "\n",                        // and one before
      std::string("\0\x01\x02 junk\n", 9) + good + "\n",    // binary junk
      good + "\n00219 nan 5.0 1.3\n",                       // no HV point for a broken number
  };
  for (const std::string& file : files) {
    Load(file);
    ASSERT_EQ(form().Ap->LineSeries2->Count(), 1) << "file of " << file.size() << " bytes";
    EXPECT_EQ(form().Ap->LineSeries2->XValue(0), Day(2019, 1, 1));
  }
  EXPECT_EQ(form().Ap->LineSeries3->Count(), 2);  // the +5 V of the broken line

  // A continuation line longer than its buffer spoils its record only.
  const std::vector<std::string> words = RecordWords("00119", 1500, 5, {Block(), Block()}, false, 2);
  Load(Join(words, 0, 22) + " \n" + Join(words, 22) + std::string(300, '1') + "\n00219 1500 5 1\n");
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 1);
  EXPECT_EQ(form().Ap->LineSeries2->XValue(0), Day(2019, 1, 2));
}

TEST_F(ApAvgTest, DateWindowAndYearCodes) {
  f.SetWindow(Day(1900, 1, 1), Day(2100, 1, 1));
  Load("00149 1500 5 1\n00150 1500 5 1\n");
  ASSERT_EQ(form().Ap->LineSeries2->Count(), 2);
  EXPECT_EQ(form().Ap->LineSeries2->XValue(0), Day(2049, 1, 1));
  EXPECT_EQ(form().Ap->LineSeries2->XValue(1), Day(1950, 1, 1));

  f.SetWindow(Day(2019, 1, 2), Day(2019, 1, 3));
  Load("00119 1500 5 1\n00219 1500 5 1\n00319 1500 5 1\n00419 1500 5 1\n");
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 2);
}

TEST_F(ApAvgTest, CompositeFollowsHighVoltageFiveVoltsAndLampVoltage) {
  Block b;
  b.volts = 11.25;
  Load(Record("00119", 1234, 5.05, {b}));
  ASSERT_EQ(form().Composite->PointSeries5->Count(), 1);
  EXPECT_EQ(form().Composite->PointSeries5->YValue(0), 1234);
  ASSERT_EQ(form().Composite->Series25->Count(), 1);
  EXPECT_EQ(form().Composite->Series25->YValue(0), 5.05);
  ASSERT_EQ(form().Composite->Series77->Count(), 1);
  EXPECT_EQ(form().Composite->Series77->YValue(0), 11.25);
}

TEST_F(ApAvgTest, CancelChangesNothing) {
  Load(Record("00119", 1500, 5));
  const std::string dir = form().OpenDialog1->InitialDir;
  RunUserAction([this] { form().Ap->LoadApavg->Click(); });  // no answer queued
  EXPECT_EQ(f.platform.dialogs.back().fileName, "ap?avg*.*");
  EXPECT_EQ(form().Ap->LineSeries2->Count(), 1);
  EXPECT_EQ(form().OpenDialog1->InitialDir, dir);
  EXPECT_TRUE(form().Ap->Series83->Active);
}

TEST_F(ApAvgTest, SaveButtonWritesTheHighVoltageChart) {
  Load(Record("00119", 1500, 5));
  form().SaveDialog1->Filter = "";
  const std::string bmp = f.dir.Path() + "/hv";
  f.platform.fileAnswers.push_back(bmp);
  RunUserAction([this] { form().Ap->SpeedButton5->Click(); });
  const FileDialogRequest& request = f.platform.dialogs.back();
  EXPECT_EQ(request.fileName, "*.bmp");
  EXPECT_EQ(request.filter, "BMP files (*.bmp)|*.bmp");
  EXPECT_EQ(request.defaultExt, "bmp");
  EXPECT_TRUE(std::filesystem::exists(bmp + ".bmp"));
}

TEST_F(ApAvgTest, FolderModeSavesThreeChartsNextToTheReport) {
  const std::string path = f.dir.Write("apoavg19.185", Record("00119", 1500, 5, {Block()}));
  const bool ran = f.RunInFolderMode(path, [this] { form().Ap->LoadApavgClick(nullptr); });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(f.platform.dialogs.empty());
  for (const char* name : {"185_apavgHV5_19-19.bmp", "185_apavgSL_19-19.bmp", "185_apavgVoltages_19-19.bmp"})
    EXPECT_TRUE(std::filesystem::exists(f.dir.Path() + "/" + name)) << name;
}

TEST_F(ApAvgTest, LayoutOfTheTab) {
  EXPECT_EQ(form().Ap->LoadApavg->Caption, "Load ap avg file");
  const auto& pages = form().Ap->PageControl3->Pages;
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0]->Caption, "High Voltage and +5V");
  EXPECT_EQ(pages[1]->Caption, "SL");
  EXPECT_EQ(pages[2]->Caption, "Voltages");
  EXPECT_EQ(pages[3]->Caption, "Temperatures");
  EXPECT_EQ(form().Ap->PageControl3->ActivePageIndex, 3);
  EXPECT_EQ(form().Ap->APGraph->Parent(), pages[0]);
  EXPECT_EQ(form().Ap->AP_T->Parent(), pages[3]);
  EXPECT_EQ(form().Ap->SLVoltsGraph->LeftAxis.Minimum, 8);
  EXPECT_EQ(form().Ap->SLVoltsGraph->LeftAxis.Maximum, 13);
  EXPECT_EQ(form().Ap->SLVoltsGraph->RightAxis.Minimum, 1.2);
  EXPECT_EQ(form().Ap->SLVoltsGraph->RightAxis.Maximum, 2.1);
  EXPECT_FALSE(form().Ap->VoltagesGraph->LeftAxis.LabelsVisible);
  EXPECT_EQ(form().Ap->VoltagesGraph->LeftAxis.Title, "deviation, (1 division = 1V)");
  EXPECT_EQ(form().Ap->Series60->Pointer.OutlineColor, clBlue);
  EXPECT_TRUE(form().Ap->Series57->LineVisible);
  EXPECT_FALSE(form().Ap->Series47->LineVisible);
  EXPECT_EQ(form().Ap->Series61->Pointer.Style, TPointerStyle::psStar);
}

TEST(ApAvgReader, ReadsTheHeadAndBothBlocks) {
  TempDir dir;
  Block first, off;
  first.pmt = 31.5;
  first.supply[3] = 4.95;
  off.hv = 1234;
  off.supply[1] = -5.25;
  const std::string path = dir.Write(
      "APOAVG.185", "27017  1108.14    5.042823   1.3043   \r\n" +
                        Record("00219", 1500, .9989, {first, off}, true) + "\x1a");
  CFile file(path, "rb");
  const std::vector<ApAvgRecord> records = ReadApAvg(file.get()).value;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].tokens, 4);
  EXPECT_EQ(records[0].blocks, 0);
  EXPECT_EQ(records[0].date, Day(2017, 9, 27));
  EXPECT_DOUBLE_EQ(records[0].hv, 1108.14);
  EXPECT_DOUBLE_EQ(records[0].p5, 5.042823);
  EXPECT_EQ(records[1].tokens, 53);
  EXPECT_EQ(records[1].blocks, 2);
  EXPECT_DOUBLE_EQ(records[1].p5, .9989);
  EXPECT_DOUBLE_EQ(records[1].block[0].pmt, 31.5);
  EXPECT_DOUBLE_EQ(records[1].block[0].supply[3], 4.95);
  EXPECT_DOUBLE_EQ(records[1].block[1].hv, 1234);
  EXPECT_DOUBLE_EQ(records[1].block[1].supply[1], -5.25);
  EXPECT_TRUE(ApMarksLongLayout(records[1].tokens));
  EXPECT_FALSE(ApMarksLongLayout(37));
}

}  // namespace
