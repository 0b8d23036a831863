// Every chart of the window, filled from files like the instruments write,
// laid out at the sizes a report uses: no text runs into other text, band
// axes keep to their bands, and no made-up scale or component name shows.

#include <QRect>
#include <QRectF>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/chart/chart.h"
#include "app/chart/render/chart_layout.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/lamp_scan.h"
#include "tests/support/test_support.h"

namespace {

std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char line[300];
  std::snprintf(line, sizeof line, format, a, b, c);
  return line;
}

// Day codes of 2019: day of the year, then the year.
std::string DayCode(int day) { return Format("%03.0f19", day); }

// A wobble that repeats every few days, so that values spread as real ones do.
double Wobble(int day, double amplitude) { return amplitude * std::sin(day * 0.7) * std::cos(day * 0.13); }

// The daily-average files of a station over a hundred days of 2019, with CR
// LF line ends as the instrument writes them.
std::string DtFile() {
  std::string s;
  for (int d = 100; d < 200; ++d) {
    s += DayCode(d) + Format("     %.3f     %.3f  .1  .8", 28 + Wobble(d, 0.4), 27.7 + Wobble(d + 3, 0.5)) +
         Format("  %.0f  %.0f\r\n", 3500000 + Wobble(d, 9000), 1255000 + Wobble(d, 4000));
  }
  return s;
}

std::string RsFile() {
  std::string s;
  for (int d = 100; d < 200; ++d) {
    s += DayCode(d);
    for (int k = 0; k < 8; ++k) s += Format("  %.4f", 1 + Wobble(d + k, k == 1 ? 0.3 : 0.0008));
    s += "\r\n";
  }
  return s;
}

std::string SlFile() {
  std::string s;
  for (int d = 100; d < 200; ++d) {
    s += DayCode(d) + Format(" %.0f %.0f  3  1718  1177   379   397", 26 + Wobble(d, 6), 28 + Wobble(d, 5)) +
         Format("   %.0f   %.0f  826120  2  1  1  1  5  2   591\r\n", 445 + Wobble(d, 6), 311 + Wobble(d, 4));
  }
  return s;
}

std::string HgFile() {
  std::string s;
  for (int d = 100; d < 200; ++d) {
    s += DayCode(d) + Format("    %.1f   %.0f   %.0f", 300000 + Wobble(d, 60000), 27 + Wobble(d, 8), 6 + std::fabs(Wobble(d, 25)));
    s += d % 3 == 0 ? Format(" %.0f %.0f 280\r\n", std::fabs(Wobble(d, 5)), std::fabs(Wobble(d, 4))) : "\r\n";
  }
  return s;
}

std::string OpFile() {
  std::string s;
  for (int d = 7; d < 28; ++d) {
    s += "ED,228,D:\\DATA\\,icf28114,zsf,dcf28114," + Format("%02.0f", d) + ",11,14," +
         (d < 18 ? "Copenhagen" : "Davos") + Format(",55.716,-12.5615,1000, 2.695419,%.0f ,%.0f , 14636 ,", -550 - (d % 5), -9 + d % 3) +
         " 1 , 1 , 1 , 1 , 1 , 0 , 1 , 1 , 0 , 1 , 1 , 0 , 1 , 1 , 1 skc,o3,cphnov2m,22:59:08\r\n";
  }
  return s;
}

// Long-layout AP records: day code, HV, +5 V, one more value, then a block of
// 24 readings (temperatures, HV, the supplies, lamp current and voltage,
// humidity).
std::string ApFile() {
  std::string s;
  for (int d = 100; d < 200; ++d) {
    std::vector<double> block(24, 0);
    block[0] = 25 + Wobble(d, 5);         // PMT
    block[1] = 27 + Wobble(d + 1, 5);     // card rack
    block[2] = 26 + Wobble(d + 2, 5);     // case
    block[3] = 1108 + Wobble(d, 3);       // HV
    block[4] = 12.1 + Wobble(d, 0.2);     // +12 V
    block[5] = 5.02 + Wobble(d, 0.05);    // +5 V pps
    block[6] = -12.1 + Wobble(d, 0.2);    // -12 V
    block[7] = 24.2 + Wobble(d, 0.3);     // +24 V
    block[12] = 5.01 + Wobble(d, 0.05);   // +5 V sps
    block[13] = -5.1 + Wobble(d, 0.1);    // -5 V
    block[14] = 1.5 + Wobble(d, 0.05);    // lamp current
    block[15] = 10.5 + Wobble(d, 0.3);    // lamp voltage
    block[20] = 45 + Wobble(d, 20);       // humidity
    s += DayCode(d) + Format("  %.2f    %.6f   1.3043", 1108 + Wobble(d, 3), 5.04 + Wobble(d, 0.01));
    for (double v : block) s += Format(" %.4g", v);
    s += "\r\n";
  }
  return s;
}

// A lamp scan: the "dh" line split by bare CRs, the scan line, then
// wavelength and counts per second.
std::string CiFile() {
  std::string s = "dh\r21\r06\r19\rElArenosillo\r37.1\r6.73\r2.965129\rpr\r1023\r\r\n"
                  "CI SCAN-INST #185 dt  2.7E-08  cy 4 DARK =     8.100 \r\n";
  for (double w = 2865; w <= 3630; w += 5) {
    s += Format(" 163.69  %.0f    105    62415.00   %.1f\r\n", w, 4e6 * std::pow((w - 2800) / 830, 2.5));
  }
  return s + "end\r\n\x1a";
}

// A mercury-line scan with its header, a peak at 3341.5 A.
std::string HlFile() {
  std::string s =
      "************************************************************\r\n"
      "  HL Scan of (1) Internal mercury lamp\r\n"
      "************************************************************\r\n"
      "Integration time is 0.2294 seconds per sample\r\n"
      "dh\r21\r06\r19\rElArenosillo\r37.1\r6.73\r2.911481\rpr\r1023\r\r\n"
      "************************************************************\r\n"
      "Dead Time -------------------------  2.7E-08 \r\n"
      "Number of Cycles Used -------------  4 \r\n"
      "Starting Wavelength (Angstroms) ---  3331 \r\n"
      "Final Wavelength (Angstoms) -------  3351 \r\n"
      "Wavelength Increment (Angstroms) --  .25 \r\n"
      "Filter Wheel #1 Position ---------- (1) Ground quartz diffuser (ND=2.32)\r\n"
      "Filter Wheel #2 Position ---------- \r\n"
      "\r\n\r\n"
      "************************************************************\r\n"
      "HL scan start time = 03:11:14\r\n"
      "Dark Count =  6.9 \r\n\r\n\r\n"
      "Time (GMT)  Wavelength (Ang)  Step Number  Raw Counts  Counts/Second\r\n\r\n";
  for (double w = 3331; w <= 3351; w += 0.25) {
    const double peak = 107000 * std::exp(-std::pow((w - 3341.5) / 3.2, 2));
    s += Format("  191.72        %.2f           6593          44.00       %.2f\r\n", w, 150 + peak);
  }
  return s;
}

std::vector<TChart*> Charts(const TMainForm& form) {
  std::vector<TChart*> charts;
  for (TComponent* c : form.Components()) {
    if (auto* chart = dynamic_cast<TChart*>(c)) charts.push_back(chart);
  }
  return charts;
}

// Rectangles shrunk by a quarter pixel: labels may touch where they were
// rounded to whole pixels, never overlap.
bool Overlap(const QRectF& a, const QRectF& b) { return a.adjusted(0.25, 0.25, -0.25, -0.25).intersects(b); }

// Checks the layout of `chart` in `area` against the rules every chart keeps.
void CheckFit(const TChart& chart, const QRect& area) {
  SCOPED_TRACE(chart.Name + " at " + std::to_string(area.width()) + "x" + std::to_string(area.height()));
  const ChartLayout L = LayoutChart(chart, area);
  std::vector<QRectF> left, right;
  for (const AxisLayout& v : L.axes) {
    if (!v.shown) continue;
    const bool vertical = !v.axis->Horizontal();
    for (size_t i = 0; i < v.labels.size(); ++i) {
      const QRectF& r = v.labels[i].rect;
      const std::string text = v.labels[i].text.toStdString();
      for (size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, v.labels[j].rect)) << text << " / " << v.labels[j].text.toStdString();
      if (vertical) {
        EXPECT_GE(r.top(), v.from - 0.5) << text << ": above its band";
        EXPECT_LE(r.bottom(), v.to + 1.5) << text << ": below its band";
        std::vector<QRectF>& side = v.axis->AtRight() ? right : left;
        for (const QRectF& other : side) EXPECT_FALSE(Overlap(r, other)) << text << ": covers a label of another axis";
        side.push_back(r);
      }
      EXPECT_TRUE(QRectF(L.area).contains(r)) << text << ": off the chart";
    }
    // A tall automatic scale reads at a glance: no more than a label every
    // 40 pixels or so.
    if (vertical && v.axis->Increment <= 0 && v.to - v.from >= 200 && v.labels.size() >= 2) {
      const double pitch = (v.to - v.from) / (v.labels.size() - 1);
      EXPECT_GE(pitch, 40) << v.labels.size() << " labels in " << v.to - v.from << " pixels";
    }
    if (v.axis->DateTime) {
      for (double t : v.ticks) EXPECT_GE(t, 2) << "a date before 1900";
    }
    if (vertical && !v.title.text.isEmpty()) {
      EXPECT_GE(v.title.rect.top(), v.from - 0.5) << v.axis->Title << ": title above its band";
      EXPECT_LE(v.title.rect.bottom(), v.to + 1.5) << v.axis->Title << ": title below its band";
    }
  }
  // Stacked bands keep a visible gap between them.
  for (const AxisLayout& v : L.axes) {
    for (const AxisLayout& w : L.axes) {
      if (!v.shown || !w.shown || v.axis->Horizontal() || w.axis->Horizontal() || v.to > w.from) continue;
      EXPECT_GE(w.from - v.to, 4) << v.axis->Title << " touches " << w.axis->Title;
    }
  }
  for (const LegendLayout::Entry& e : L.legend.entries) {
    if (e.series->Title.empty()) {
      EXPECT_NE(e.text.toStdString(), e.series->Name) << "a component name in the legend";
    }
  }
  for (const TControl* c : chart.Controls()) {
    if (!c->Visible) continue;
    const QRect control(area.left() + c->Left, area.top() + c->Top, c->Width, c->Height);
    for (const auto& line : L.title.lines) EXPECT_FALSE(control.intersects(line.rect)) << c->Name << " covers the title";
  }
}

const QRect kSizes[] = {QRect(0, 0, 600, 400), QRect(0, 0, 1400, 800)};

TEST(ChartFit, EveryChartFilledFromReportFilesFitsItsText) {
  FormFixture f;
  TMainForm& form = *f.form;
  f.SetWindow(Day(2014, 1, 1), Day(2020, 1, 1));
  struct Load {
    TButton* button;
    const char* name;
    std::string text;
  };
  const Load loads[] = {
      {form.Ap->LoadApavg, "APOAVG.185", ApFile()},        {form.Rs->LoadRSavg, "RSOAVG.185", RsFile()},
      {form.Dt->LoadDtAvg, "DTOAVG.185", DtFile()},        {form.Sl->LoadSLavgFile, "SLOAVG.185", SlFile()},
      {form.Hg->LoadHGavg, "HGOAVG.185", HgFile()},        {form.Op->LoadOPavg, "OPAVG.228", OpFile()},
      {form.Ci->LoadCI, "CI17219.185", CiFile()},          {form.Cz->LoadCZ, "HL17219.185", HlFile()},
  };
  for (const Load& load : loads) f.ClickWithFile(load.button, f.dir.Write(load.name, load.text));
  EXPECT_TRUE(f.platform.messages.empty());
  // Every tab drew something, so that the checks below see real scales.
  for (const TChartSeries* s : {static_cast<TChartSeries*>(form.Ap->Series78), static_cast<TChartSeries*>(form.Rs->Series14),
                                static_cast<TChartSeries*>(form.Dt->Series12), static_cast<TChartSeries*>(form.Sl->Series8),
                                static_cast<TChartSeries*>(form.Hg->Series65), static_cast<TChartSeries*>(form.Op->Series33),
                                static_cast<TChartSeries*>(form.Ci->Series2)}) {
    EXPECT_GT(s->Count(), 0) << s->Name;
  }
  for (const TChart* chart : Charts(form)) {
    for (const QRect& area : kSizes) CheckFit(*chart, area);
    CheckFit(*chart, QRect(0, 0, chart->Width, chart->Height));
  }
}

TEST(ChartFit, EmptyChartsOfTheWindowShowNoMadeUpScales) {
  FormFixture f;
  for (const TChart* chart : Charts(*f.form)) {
    for (const QRect& area : kSizes) {
      CheckFit(*chart, area);
      const ChartLayout L = LayoutChart(*chart, area);
      for (const AxisLayout& v : L.axes) {
        double min = 0, max = 0;
        if (v.axis->Automatic && !v.axis->DataRange(min, max)) {
          EXPECT_TRUE(v.labels.empty()) << chart->Name << ": an automatic axis without data is labelled";
        }
      }
    }
  }
}

}  // namespace
