#include "app/report/station_report.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/report/chart_csv.h"
#include "core/errors.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/folder/composite.h"
#include "reports/scans/di_motor.h"
#include "tests/support/test_support.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

size_t PdfPages(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page(?![s\\w])");
  return static_cast<size_t>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// Points on two charts, given in the reverse of their tab order. The date
// arrows also reach the composite chart, and a new form already holds points
// on AP_T and longfw1Chart (a band and a frame drawn at design time).
void FillTwoCharts(FormFixture& f) {
  f.form->Dt->Series12->AddArrow(Day(2020, 3, 1), 1, Day(2020, 3, 1), 2);
  auto* gantt = f.form->Ap->Series52;
  gantt->AddGanttColor(Day(2020, 3, 1), Day(2020, 3, 2), 1, "lamp");
}

TEST(StationReport, ChartsWithPointsGetAPageInTabOrderTheOthersAreListedWithoutData) {
  FormFixture f;
  FillTwoCharts(f);
  const StationReport report = PlanStationReport(*f.form, Day(2020, 6, 1) + 0.5);
  std::vector<const TChart*> charts;
  for (const ReportChartPage& page : report.pages) charts.push_back(page.chart);
  const std::vector<const TChart*> expected = {f.form->Ap->VoltagesGraph, f.form->Ap->AP_T, f.form->Dt->DTGraph,
                                               f.form->Di->longfw1Chart, f.form->Composite->CompositeChart};
  EXPECT_EQ(charts, expected);
  ASSERT_EQ(report.pages.size(), expected.size());
  EXPECT_EQ(report.pages[2].heading, "DT \u2013 DTGraph");
  EXPECT_EQ(report.pages.size() + report.noData.size(), f.form->Charts().size());
  EXPECT_TRUE(Contains(report.noData, "High Voltage and +5V \u2013 APGraph"));
  EXPECT_FALSE(Contains(report.noData, "DT \u2013 DTGraph"));
  EXPECT_EQ(report.made, "2020-06-01 12:00");
}

TEST(StationReport, ANewFormHasPagesOnlyForItsDesignTimePoints) {
  FormFixture f;
  const StationReport report = PlanStationReport(*f.form, Day(2020, 6, 1));
  ASSERT_EQ(report.pages.size(), 2u);
  EXPECT_EQ(report.pages[0].chart, f.form->Ap->AP_T);
  EXPECT_EQ(report.pages[1].chart, f.form->Di->longfw1Chart);
  EXPECT_TRUE(report.files.empty());
  EXPECT_EQ(report.instrument, "");
  EXPECT_EQ(report.noData.size(), f.form->Charts().size() - 2);
}

TEST(StationReport, TheFirstPageListsEveryLoadAndNamesTheStationAfterTheLastFile) {
  FormFixture f;
  f.SetWindow(Day(2020, 1, 1), Day(2020, 12, 31));
  f.form->ShowLoadSummary("/data/st/DTOAVG.185", f.form->WindowSummary(10, 4));
  f.form->ShowLoadSummary("/data/st/OPAVG.186", "3 records");
  const StationReport report = PlanStationReport(*f.form, Day(2020, 6, 1));
  ASSERT_EQ(report.files.size(), 2u);
  EXPECT_EQ(report.files[0].path, "/data/st/DTOAVG.185");
  EXPECT_EQ(report.files[0].what, "10 records, 4 in the date window 01/01/2020\u201331/12/2020");
  EXPECT_EQ(report.files[1].what, "3 records");
  EXPECT_EQ(report.instrument, "186");
  EXPECT_EQ(report.folder, "/data/st/");
  EXPECT_EQ(report.window, "01/01/2020 \u2013 31/12/2020");
}

TEST(StationReport, ChoosingAFolderStartsANewListOfLoads) {
  FormFixture f;
  f.form->ShowLoadSummary("/old/DTOAVG.185", "1 record");
  const std::string folder = f.dir.Path() + "/";
  f.platform.fileAnswers.push_back(folder);
  f.form->Button2->Click();
  EXPECT_TRUE(f.form->Loads.empty());
}

TEST(StationReport, FiveChartsWithPointsGiveAValidPdfOfSixPagesOnEitherPaper) {
  FormFixture f;
  FillTwoCharts(f);
  struct Case {
    const char* name;
    Paper paper;
  };
  for (const Case& c : {Case{"a4", Paper::A4}, Case{"letter", Paper::Letter}}) {
    const std::string path = f.dir.Path() + "/" + c.name + ".pdf";
    WriteStationReport(*f.form, path, c.paper);
    const std::string pdf = Slurp(path);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << c.name;
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos) << c.name;
    EXPECT_EQ(PdfPages(pdf), 6u) << c.name;
    // Landscape: the media box is wider than high (A4 842 by 595, Letter 792 by 612 points).
    const std::string box = c.paper == Paper::A4 ? "/MediaBox [0 0 842" : "/MediaBox [0 0 792";
    EXPECT_NE(pdf.find(box), std::string::npos) << c.name;
  }
}

TEST(StationReport, AFailedWriteLeavesTheOlderReportWhole) {
  FormFixture f;
  const std::string path = f.dir.Path() + "/station.pdf";
  WriteStationReport(*f.form, path, Paper::A4);
  const std::string before = Slurp(path);
  ASSERT_GT(before.size(), 100u);
  FillTwoCharts(f);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = before.size() + 16;  // the larger report cannot be written whole
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool thrown = false;
  try {
    WriteStationReport(*f.form, path, Paper::A4);
  } catch (const EFCreateError&) {
    thrown = true;
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(thrown);
  EXPECT_EQ(Slurp(path), before);
}

TEST(StationReport, SaveReportAsWritesThePdfTheDialogNamesAndNothingWhenCancelled) {
  FormFixture f;
  f.platform.fileAnswers.push_back(f.dir.Path() + "/station");
  SaveStationReportAs(*f.form);
  EXPECT_EQ(Slurp(f.dir.Path() + "/station.pdf").substr(0, 5), "%PDF-");
  std::filesystem::remove(f.dir.Path() + "/station.pdf");
  SaveStationReportAs(*f.form);  // no answer: the dialog is cancelled
  EXPECT_TRUE(std::filesystem::is_empty(f.dir.Path()));
}

TEST(ChartCsv, RowsHoldTheColumnsOfTheirSeriesKind) {
  TChart chart("Chart", nullptr);
  auto* line = chart.AddSeries<TLineSeries>("Line");
  line->SetColor(clRed);
  line->AddXY(0.1, 2.5);
  line->AddXY(3, 1e300, "", 0x336699);
  auto* arrows = chart.AddSeries<TArrowSeries>("Arrows");
  arrows->AddArrow(1, 2, 3, 4.25);
  auto* bars = chart.AddSeries<TGanttSeries>("Bars");
  bars->AddGanttColor(5, 7, 1);
  EXPECT_EQ(ChartCsv(chart),
            "series,title,x,y,x1,y1,label,color\r\n"
            "Line,,0.1,2.5,,,,#FF0000\r\n"
            "Line,,3,1e+300,,,,#996633\r\n"
            "Arrows,,1,2,3,4.25,,#FF0000\r\n"
            "Bars,,5,1,7,,,#FF0000\r\n");
}

TEST(ChartCsv, TextsAreQuotedWhereTheyMustBeAndWrittenAsUtf8) {
  struct Case {
    const char* name;
    std::string label;
    std::string field;
  };
  const Case cases[] = {
      {"plain", "lamp", "lamp"},
      {"comma", "a,b", "\"a,b\""},
      {"quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"newline", "one\ntwo", "\"one\ntwo\""},
      {"carriage return", "one\rtwo", "\"one\rtwo\""},
      {"latin-1", "25\xB0" "C", "25\xC2\xB0" "C"},
  };
  for (const Case& c : cases) {
    TChart chart("Chart", nullptr);
    chart.AddSeries<TPointSeries>("S")->AddXY(1, 2, c.label);
    const std::string csv = ChartCsv(chart);
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), "S,,1,2,,," + c.field + ",#FF0000\r\n") << c.name;
  }
}

TEST(ChartCsv, ADateAxisGivesIsoDatesAndNonFiniteValuesStayEmpty) {
  TChart chart("Chart", nullptr);
  chart.BottomAxis.DateTime = true;
  auto* arrows = chart.AddSeries<TArrowSeries>("A");
  arrows->AddArrow(Day(2019, 12, 31), 1, Day(2020, 1, 1) + 0.25, std::nan(""));
  const std::string csv = ChartCsv(chart);
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), "A,,2019-12-31,1,2020-01-01T06:00:00,,,#FF0000\r\n");
}

TEST(ChartCsv, ExportWritesOneFileForEachChartWithPointsAndMakesTheFolder) {
  FormFixture f;
  FillTwoCharts(f);
  const std::string dir = f.dir.Path() + "/csv/new";
  ExportChartsCsv(*f.form, dir);
  EXPECT_EQ(Slurp(dir + "/DTGraph.csv"), ChartCsv(*f.form->Dt->DTGraph));
  EXPECT_EQ(Slurp(dir + "/VoltagesGraph.csv"), ChartCsv(*f.form->Ap->VoltagesGraph));
  EXPECT_EQ(Slurp(dir + "/APGraph.csv"), "");
}

}  // namespace
