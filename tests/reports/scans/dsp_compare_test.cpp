#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls/application.h"
#include "core/line_reader.h"
#include "reports/scans/dsp_compare.h"
#include "reports/scans/dsp_compare_reader.h"
#include "tests/support/test_support.h"

namespace {

using Slit = std::vector<double>;

// A dispersion file as the instrument writes it: one number a line, CR LF,
// more lines after the coefficients the loader reads.
std::string DcfFile(const std::vector<Slit>& slits) {
  std::string s;
  char line[64];
  for (const Slit& slit : slits)
    for (double c : slit) {
      std::snprintf(line, sizeof line, "%.17g\r\n", c);
      s += line;
    }
  return s + "jue, jun 28/18\r\n1733\r\n1020\r\n2425\r\n";
}

// Five quadratic slits near the instrument's own.
std::vector<Slit> Quadratic() {
  return {{2856.91, 0.0769557, -7.63376e-07},
          {2896.85, 0.0760721, -7.65742e-07},
          {2934.27, 0.0748781, -7.24234e-07},
          {2969.06, 0.0743256, -7.55095e-07},
          {3003.09, 0.0736588, -7.84554e-07}};
}

double Lambda(const Slit& c, double s) {
  double sum = 0;
  for (size_t j = 0; j < c.size(); ++j) sum += c[j] * std::pow(s, j);
  return sum;
}

ReadResult<DispersionTable> Read(const std::string& text, bool cubic) {
  TempDir dir;
  CFile file(dir.Write("dcf", text), "rb");
  return ReadDispersion(file.get(), cubic);
}

class DspCompareTest : public ::testing::Test {
 protected:
  void Load(TButton* button, const std::string& name, const std::string& text) {
    f.ClickWithFile(button, f.dir.Write(name, text));
  }
  void LoadOld(const std::string& name, const std::vector<Slit>& slits) { Load(tab().LoadOldDSP, name, DcfFile(slits)); }
  void LoadNew(const std::string& name, const std::vector<Slit>& slits) { Load(tab().LoadNewDSP, name, DcfFile(slits)); }
  DspCompareTab& tab() { return *f.form->Dsp; }
  std::vector<TLineSeries*> Slits() {
    return {tab().Series84, tab().Series85, tab().Series86, tab().Series87, tab().Series88};
  }
  std::vector<int> Counts() {
    std::vector<int> n;
    for (const TLineSeries* s : Slits()) n.push_back(s->Count());
    return n;
  }
  std::string Title() { return tab().Chart2->Title.Count() == 1 ? tab().Chart2->Title[0] : "(not one line)"; }
  FormFixture f;
};

TEST(DspCompareReader, TheDegreeSetsHowManyNumbersEachSlitTakes) {
  std::string text;
  for (int i = 1; i <= 24; ++i) text += std::to_string(i) + (i % 3 ? " " : "\r\n");
  struct Case {
    bool cubic;
    std::vector<double> slit2;
    double lastRead;  // slit 5's highest term
  };
  for (const Case& c : {Case{false, {4, 5, 6, 0}, 15}, Case{true, {5, 6, 7, 8}, 20}}) {
    SCOPED_TRACE(c.cubic);
    const DispersionTable t = Read(text, c.cubic).value;
    EXPECT_EQ(std::vector<double>(t[1].begin(), t[1].end()), c.slit2);
    EXPECT_EQ(t[4][c.cubic ? 3 : 2], c.lastRead);
  }
}

TEST(DspCompareReader, WhatTheFileDoesNotHoldStaysZero) {
  const DispersionTable t = Read("2856.91\r\n0.0769557\r\n-7.6e-07\r\n2896.85\r\nslit\r\n3\r\n", false).value;
  EXPECT_EQ(t[0][1], 0.0769557);
  EXPECT_EQ(t[1][0], 2896.85);
  EXPECT_EQ(t[1][1], 0);
  for (int i = 2; i < kDspSlits; ++i)
    for (double c : t[static_cast<size_t>(i)]) EXPECT_EQ(c, 0);
}

TEST_F(DspCompareTest, AnOldFileAloneGivesOnlyTheTitle) {
  LoadOld("dcf17818.185", Quadratic());
  EXPECT_EQ(Title(), "dcf17818.185  -  ");
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(f.platform.dialogs.back().fileName, "dcf*.*");
}

TEST_F(DspCompareTest, IdenticalRelationsGiveFiveLinesAtZero) {
  LoadOld("dcf17818.185", Quadratic());
  LoadNew("dcf20206.183", Quadratic());
  EXPECT_EQ(Title(), "dcf17818.185  -  dcf20206.183");
  const TColor colours[] = {clBlue, 8421504, clGreen, clRed, clBlack};
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const TLineSeries& s = *Slits()[i];
    ASSERT_EQ(s.Count(), 190);
    EXPECT_NEAR(s.XValue(0), Quadratic()[i][0], 1e-9);
    EXPECT_NEAR(s.XValue(189), Lambda(Quadratic()[i], 9450), 1e-9);
    EXPECT_NEAR(s.XValue(1), Lambda(Quadratic()[i], 50), 1e-9);
    for (const TChartPoint& p : s.Points()) {
      EXPECT_EQ(p.Y, 0);
      EXPECT_EQ(p.Color, colours[i]);
      EXPECT_EQ(p.Label, "");
    }
  }
}

TEST_F(DspCompareTest, TheShiftIsTheWavelengthChangeOverTheNewSlope) {
  // Old: the new relation 0.5 A lower everywhere; new slope 0.1 A a step.
  std::vector<Slit> now(5, Slit{3000, 0.1, 0}), old(5, Slit{2999.5, 0.1, 0});
  LoadOld("dcfold.185", old);
  LoadNew("dcfnew.185", now);
  for (const TLineSeries* s : Slits()) {
    ASSERT_EQ(s->Count(), 190);
    EXPECT_NEAR(s->YValue(0), 5, 1e-9);
    EXPECT_NEAR(s->YValue(189), 5, 1e-9);
    EXPECT_NEAR(s->XValue(189), 3945, 1e-9);
  }
}

TEST_F(DspCompareTest, OnlyTheExactExtensionCubicReadsFourTerms) {
  // The cubic file holds the quadratic relation with cubic terms of 0: read
  // with four terms a slit it equals the old one.
  std::vector<Slit> cubic;
  for (Slit s : Quadratic()) {
    s.push_back(0);
    cubic.push_back(s);
  }
  struct Case {
    const char* name;
    bool equal;
  };
  for (const Case& c : {Case{"dcf17818.cubic", true}, Case{"dcf17818.CUBIC", false}, Case{"dcf17818.185", false}}) {
    SCOPED_TRACE(c.name);
    LoadOld("dcf20206.183", Quadratic());
    LoadNew(c.name, cubic);
    // Slit 1 reads alike either way; slit 2 does not.
    EXPECT_EQ(tab().Series84->YValue(100), 0);
    EXPECT_EQ(tab().Series85->Count() == 190 && tab().Series85->YValue(100) == 0, c.equal);
  }
}

TEST_F(DspCompareTest, EachRelationKeepsItsOwnDegree) {
  // A cubic old relation against a quadratic new one: the difference is the
  // old cubic term, whichever file was loaded last.
  const std::vector<Slit> now(5, Slit{3000, 0.1, 0});
  const std::vector<Slit> old(5, Slit{3000, 0.1, 0, 1e-12});
  for (bool oldLast : {true, false}) {
    SCOPED_TRACE(oldLast);
    if (oldLast) {
      LoadNew("dcfnew.185", now);
      LoadOld("dcfold.cubic", old);
    } else {
      LoadOld("dcfold.cubic", old);
      LoadNew("dcfnew.185", now);
    }
    for (const TLineSeries* s : Slits()) {
      ASSERT_EQ(s->Count(), 190);
      for (int k = 0; k < 190; k += 63) {
        const double step = 50.0 * k;
        EXPECT_NEAR(s->YValue(k), -1e-12 * step * step * step / 0.1, 1e-9);
      }
    }
  }
  // A quadratic file loaded over the cubic one drops its cubic term.
  LoadOld("dcfold.185", now);
  EXPECT_EQ(tab().Series84->YValue(189), 0);
}

TEST_F(DspCompareTest, TheButtonNotTheFileNameDecides) {
  LoadNew("dcfold.185", Quadratic());
  EXPECT_EQ(Title(), "  -  dcfold.185");
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  LoadOld("dcfnew.185", Quadratic());
  EXPECT_EQ(Title(), "dcfnew.185  -  dcfold.185");
  EXPECT_EQ(Counts(), (std::vector<int>{190, 190, 190, 190, 190}));
  // Either table is replaced alone: a new new file is compared with the old one.
  std::vector<Slit> shifted = Quadratic();
  shifted[0][0] += 1;
  LoadNew("dcfnext.185", shifted);
  EXPECT_EQ(Title(), "dcfnew.185  -  dcfnext.185");
  EXPECT_GT(tab().Series84->YValue(0), 0);
  EXPECT_EQ(tab().Series85->YValue(0), 0);
}

TEST_F(DspCompareTest, StepsWithoutSlopeGiveNoPoint) {
  // Slit 1's new slope 25 * 2^-11 - 2 * 2^-20 * s is exactly 0 at step 6400;
  // slits 4 and 5 are missing from a short file and have no slope at all.
  std::vector<Slit> now = Quadratic();
  now[0] = {3000, 0.01220703125, -9.5367431640625e-07};
  LoadOld("dcfold.185", Quadratic());
  LoadNew("dcffull.185", Quadratic());
  ASSERT_EQ(Counts(), (std::vector<int>{190, 190, 190, 190, 190}));
  Load(tab().LoadNewDSP, "dcfshort.185", DcfFile({now[0], now[1], now[2]}));
  EXPECT_EQ(Counts(), (std::vector<int>{189, 190, 190, 0, 0}));
  for (const TLineSeries* s : Slits())
    for (const TChartPoint& p : s->Points()) {
      EXPECT_TRUE(std::isfinite(p.X));
      EXPECT_TRUE(std::isfinite(p.Y));
    }
  // With no linear term for slit 1 in one of the relations there is nothing to compare.
  now[0][1] = 0;
  LoadNew("dcfnolinear.185", now);
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Title(), "dcfold.185  -  dcfnolinear.185");
}

TEST_F(DspCompareTest, NumbersThatAreNotFiniteGiveNoPoint) {
  std::vector<Slit> now = Quadratic();
  now[1][2] = 1e308;  // overflows at the larger steps
  LoadOld("dcfold.185", Quadratic());
  Load(tab().LoadNewDSP, "dcfnan.185", DcfFile(now));
  const int overflowing = tab().Series85->Count();
  EXPECT_GT(overflowing, 0);
  EXPECT_LT(overflowing, 190);
  std::string text = DcfFile(Quadratic());
  text.replace(text.find("2934.27"), 7, "nan");
  Load(tab().LoadNewDSP, "dcfnan.185", text);
  EXPECT_EQ(Counts(), (std::vector<int>{190, 190, 0, 190, 190}));
  for (const TLineSeries* s : Slits())
    for (const TChartPoint& p : s->Points()) EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
}

TEST_F(DspCompareTest, CancelOrAnUnopenableFileClearsTheCurvesOnly) {
  LoadOld("dcfold.185", Quadratic());
  LoadNew("dcfnew.185", Quadratic());
  RunUserAction([this] { tab().LoadNewDSP->Click(); });  // cancelled
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Title(), "dcfold.185  -  dcfnew.185");
  f.ClickWithFile(tab().LoadOldDSP, f.dir.Path() + "/dcfmissing.185");
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Title(), "dcfold.185  -  dcfnew.185");
  EXPECT_TRUE(f.platform.messages.empty());
  // The tables are kept: the next load compares again.
  LoadOld("dcfold.185", Quadratic());
  EXPECT_EQ(Counts(), (std::vector<int>{190, 190, 190, 190, 190}));
}

}  // namespace
