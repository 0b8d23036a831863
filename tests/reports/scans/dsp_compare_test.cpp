#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "reports/scans/dsp_compare.h"
#include "tests/support/test_support.h"

namespace {

using Slit = std::vector<double>;

// As the instrument writes it: one number a line, CR LF, more after the
// coefficients the loader reads.
std::string DcfFile(const std::vector<Slit>& slits) {
  std::string s;
  char line[64];
  for (const Slit& slit : slits)
    for (double c : slit) {
      std::snprintf(line, sizeof line, "%.17g\r\n", c);
      s += line;
    }
  return s + "jue, jun 28/18\r\n1733\r\n";
}

std::vector<Slit> Quadratic() {
  return {{2856.91, 0.0769557, -7.63376e-07}, {2896.85, 0.0760721, -7.65742e-07},
          {2934.27, 0.0748781, -7.24234e-07}, {2969.06, 0.0743256, -7.55095e-07},
          {3003.09, 0.0736588, -7.84554e-07}};
}

class DspCompareTest : public ::testing::Test {
 protected:
  void Load(TButton* button, const std::string& name, const std::vector<Slit>& slits) {
    f.ClickWithFile(button, f.dir.Write(name, DcfFile(slits)));
  }
  void LoadOld(const std::string& name, const std::vector<Slit>& slits) { Load(tab().LoadOldDSP, name, slits); }
  void LoadNew(const std::string& name, const std::vector<Slit>& slits) { Load(tab().LoadNewDSP, name, slits); }
  DspCompareTab& tab() { return *f.form->Dsp; }
  std::vector<TLineSeries*> Slits() {
    return {tab().Series84, tab().Series85, tab().Series86, tab().Series87, tab().Series88};
  }
  std::vector<int> Counts() {
    std::vector<int> n;
    for (const TLineSeries* s : Slits()) n.push_back(s->Count());
    return n;
  }
  std::vector<std::string> Title() { return tab().Chart2->Title.Lines(); }
  FormFixture f;
};

TEST_F(DspCompareTest, TheButtonDecidesWhichRelationAFileIs) {
  LoadNew("dcfold.185", Quadratic());
  EXPECT_EQ(Title(), std::vector<std::string>{"  -  dcfold.185"});
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  LoadOld("dcf17818.185", Quadratic());
  EXPECT_EQ(Title(), std::vector<std::string>{"dcf17818.185  -  dcfold.185"});
  // Identical relations: five lines at 0 from lambda(0) to lambda(9450).
  const TColor colours[] = {clBlue, 8421504, clGreen, clRed, clBlack};
  const std::vector<Slit> slits = Quadratic();
  for (size_t i = 0; i < 5; ++i) {
    const Slit& c = slits[i];
    const TLineSeries& s = *Slits()[i];
    ASSERT_EQ(s.Count(), 190);
    EXPECT_DOUBLE_EQ(s.XValue(0), c[0]);
    EXPECT_NEAR(s.XValue(189), c[0] + c[1] * 9450 + c[2] * 9450 * 9450, 1e-9);
    for (const TChartPoint& p : s.Points()) {
      EXPECT_EQ(p.Y, 0);
      EXPECT_EQ(p.Color, colours[i]);
    }
  }
  // A relation 0.5 A lower with a slope of 0.1 A a step is 5 steps off.
  LoadOld("dcf1.185", std::vector<Slit>(5, Slit{2999.5, 0.1, 0}));
  LoadNew("dcf2.185", std::vector<Slit>(5, Slit{3000, 0.1, 0}));
  EXPECT_NEAR(tab().Series88->YValue(189), 5, 1e-9);
  EXPECT_NEAR(tab().Series88->XValue(189), 3945, 1e-9);
}

TEST_F(DspCompareTest, OnlyTheExtensionCubicReadsFourTermsASlit) {
  // Four numbers a slit, the fourth 0: read as cubic, the new relation is the old one.
  std::vector<Slit> cubic = Quadratic();
  for (Slit& s : cubic) s.push_back(0);
  struct Case {
    const char* name;
    bool same;
  };
  for (const Case& c : {Case{"dcf17818.cubic", true}, Case{"dcf17818.CUBIC", false}, Case{"dcf17818.185", false}}) {
    SCOPED_TRACE(c.name);
    LoadOld("dcf20206.183", Quadratic());
    LoadNew(c.name, cubic);
    EXPECT_EQ(tab().Series85->Count() == 190 && tab().Series85->YValue(100) == 0, c.same);
  }
}

TEST_F(DspCompareTest, EachRelationKeepsItsOwnDegree) {
  const std::vector<Slit> quadratic(5, Slit{3000, 0.1, 0});
  const std::vector<Slit> cubic(5, Slit{3000, 0.1, 0, 1e-12});
  for (bool cubicLast : {true, false}) {
    SCOPED_TRACE(cubicLast);
    if (cubicLast) LoadNew("dcfnew.185", quadratic);
    LoadOld("dcfold.cubic", cubic);
    if (!cubicLast) LoadNew("dcfnew.185", quadratic);
    // The shift is the old cubic term over the new slope.
    for (int k = 0; k < 190; k += 63)
      EXPECT_NEAR(tab().Series84->YValue(k), -1e-12 * std::pow(50.0 * k, 3) / 0.1, 1e-9);
  }
  // A quadratic file loaded over the cubic one leaves no cubic term behind.
  LoadOld("dcfold.185", quadratic);
  EXPECT_EQ(tab().Series84->YValue(189), 0);
}

TEST_F(DspCompareTest, StepsWithoutSlopeOrFiniteShiftGiveNoPoint) {
  // Slit 1's new slope 25 * 2^-11 - 2 * 2^-20 * s is exactly 0 at step 6400;
  // slit 2's quadratic term overflows the wavelength past step 0; slits 4 and
  // 5 are missing from the short file and have no slope at all.
  std::vector<Slit> now = Quadratic();
  now[0] = {3000, 0.01220703125, -9.5367431640625e-07};
  now[1][2] = 1e308;
  LoadOld("dcfold.185", Quadratic());
  LoadNew("dcffull.185", Quadratic());
  ASSERT_EQ(Counts(), (std::vector<int>{190, 190, 190, 190, 190}));
  LoadNew("dcfshort.185", {now[0], now[1], now[2]});
  EXPECT_EQ(Counts(), (std::vector<int>{189, 1, 190, 0, 0}));
  for (const TLineSeries* s : Slits())
    for (const TChartPoint& p : s->Points()) EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
  // Without slit 1's linear term in one of them nothing is compared.
  now[0][1] = 0;
  LoadNew("dcfnolinear.185", now);
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_TRUE(f.platform.messages.empty());
}

}  // namespace
