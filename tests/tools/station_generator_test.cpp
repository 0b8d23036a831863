#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "core/file_mask.h"
#include "core/line_reader.h"
#include "core/report_reader.h"
#include "core/serial_date.h"
#include "reports/daily/ap_avg_reader.h"
#include "reports/daily/dt_avg_reader.h"
#include "reports/daily/hg_avg_reader.h"
#include "reports/daily/op_avg_reader.h"
#include "reports/daily/rs_avg_reader.h"
#include "reports/daily/sl_avg_reader.h"
#include "reports/scans/cz_scan_reader.h"
#include "reports/scans/lamp_scan_reader.h"
#include "tests/support/test_support.h"
#include "tools/station/station_generator.h"
#include "tools/station/station_model.h"

namespace {

namespace fs = std::filesystem;

StationPlan FourMonths(bool quirks = true) {
  StationPlan plan;
  plan.instrument = 185;
  plan.firstDay = Day(2026, 8, 1);
  plan.lastDay = Day(2026, 11, 30);
  plan.seed = 7;
  plan.quirks = quirks;
  return plan;
}

ReportFile OnlyFile(const StationPlan& plan, ReportKind kind) {
  const std::vector<ReportFile> files = MakeReports(plan, kind);
  EXPECT_EQ(files.size(), 1u) << ReportKindName(kind);
  return files.at(0);
}

// A file as a reader of the program reads it: written, then opened.
template <class Read>
auto ReadFile(const ReportFile& file, Read read) {
  TempDir dir;
  CFile f = OpenReportFile(dir.Write(file.name, file.bytes));
  return read(f.get());
}

size_t Occurrences(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

size_t LineCount(const std::string& bytes) { return Occurrences(bytes, "\n"); }

std::map<std::string, std::string> FolderContents(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[entry.path().filename().string()] = bytes.str();
  }
  return files;
}

TEST(StationGeneratorTest, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers) {
  const StationPlan plan = FourMonths();
  TempDir first, second, third;
  const std::vector<std::string> names = WriteStation(plan, first.Path());
  EXPECT_EQ(WriteStation(plan, second.Path()), names);
  EXPECT_EQ(FolderContents(first.Path()), FolderContents(second.Path()));
  EXPECT_EQ(FolderContents(first.Path()).size(), names.size());

  StationPlan other = plan;
  other.seed = 8;
  WriteStation(other, third.Path());
  EXPECT_NE(FolderContents(third.Path())["SLOAVG.185"], FolderContents(first.Path())["SLOAVG.185"]);
}

TEST(StationGeneratorTest, AKindWrittenAloneIsTheSameAsInTheWholeStation) {
  StationPlan alone = FourMonths();
  alone.kinds = {ReportKind::kRs};
  TempDir all, one;
  WriteStation(FourMonths(), all.Path());
  EXPECT_EQ(WriteStation(alone, one.Path()), std::vector<std::string>{"RSOAVG.185"});
  EXPECT_EQ(FolderContents(one.Path())["RSOAVG.185"], FolderContents(all.Path())["RSOAVG.185"]);
}

TEST(StationGeneratorTest, EveryKindHasFilesThatItsLoaderAndTheFolderLoadFind) {
  struct Case {
    ReportKind kind;
    std::vector<std::string> names;
    const char* loaderPattern;  // of the kind's open dialog
    const char* folderMask;     // of the folder load, with the instrument's extension
    size_t folderLoads;         // files the folder load hands on
  };
  const Case cases[] = {
      {ReportKind::kSl, {"SLOAVG.185"}, "sl?avg*.*", "sloavg*.*", 1},
      {ReportKind::kDt, {"DTOAVG.185"}, "dtoavg*.*", "dtoavg*.*", 1},
      {ReportKind::kHg, {"HGOAVG.185"}, "hgoavg*.*", "hgoavg*.*", 1},
      {ReportKind::kRs, {"RSOAVG.185"}, "rsoavg*.*", "rsoavg*.*", 1},
      {ReportKind::kAp, {"APOAVG.185"}, "ap?avg*.*", "apoavg*.*", 1},
      {ReportKind::kOp, {"OPAVG.185"}, "opavg*.*", "opavg*.*", 1},
      {ReportKind::kO3, {"OZOAVG.185"}, "ozoavg*.*", "ozoavg*.185", 1},
      {ReportKind::kSc, {"SCOAVG.185"}, "scoavg*.*", "scoavg*.185", 1},
      {ReportKind::kFi, {"FIOAVG.185"}, "fioavg*.*", "fioavg*.185", 1},
      {ReportKind::kCz, {"HS33426.185", "HL33426.185", "CZ33426.185"}, "cz?????.*;hl?????.*;hs?????.*", "cz*.185", 1},
      {ReportKind::kCi, {"CI21326.185", "CI33426.185"}, "ci*.*;cj*.*", "ci*.185", 2},
      {ReportKind::kCj, {"CJ33426.185"}, "cj*.*;ch*.*", "", 0},
      {ReportKind::kCa, {"CA33426.185"}, "ca*.*", "", 0},
      {ReportKind::kDi, {"DI33426.185"}, "di*.*", "", 0},
      {ReportKind::kFc, {"FC21326.185", "FC33426.185"}, "fc*.*", "", 0},
      {ReportKind::kDuv, {"DUV33426.185"}, "duv*.*", "duv*.185", 1},
      {ReportKind::kComments, {"Comments.185"}, "Comment*.*", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ReportKindName(c.kind));
    std::vector<std::string> names;
    size_t folderLoads = 0;
    for (const ReportFile& file : MakeReports(FourMonths(), c.kind)) {
      names.push_back(file.name);
      EXPECT_TRUE(MatchesAnyMask(file.name, c.loaderPattern)) << file.name;
      folderLoads += MatchesAnyMask(file.name, c.folderMask);
    }
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(folderLoads, c.folderLoads);
  }
  // The old dispersion comes from a test about a year before the record.
  const std::vector<ReportFile> dispersion = MakeReports(FourMonths(), ReportKind::kDsp);
  ASSERT_EQ(dispersion.size(), 2u);
  EXPECT_TRUE(MatchesMask(dispersion[0].name, "dcf*.*"));
  EXPECT_EQ(dispersion[0].name.substr(8), ".185");
  EXPECT_EQ(dispersion[1].name, "dcf33426.185");
}

TEST(StationGeneratorTest, QuirksGiveCrLfCtrlZUpperCaseNamesAndBareCrsInScanHeaders) {
  // Files the instrument closes with a Ctrl-Z, by kind.
  const std::map<ReportKind, bool> ctrlZ = {
      {ReportKind::kSl, false}, {ReportKind::kDt, true},   {ReportKind::kHg, false}, {ReportKind::kRs, true},
      {ReportKind::kAp, true},  {ReportKind::kOp, false},  {ReportKind::kO3, false}, {ReportKind::kSc, false},
      {ReportKind::kFi, false}, {ReportKind::kCz, true},   {ReportKind::kCi, true},  {ReportKind::kCj, true},
      {ReportKind::kCa, true},  {ReportKind::kDi, false},  {ReportKind::kFc, false}, {ReportKind::kDuv, true},
      {ReportKind::kDsp, false}, {ReportKind::kComments, false},
  };
  ASSERT_EQ(ctrlZ.size(), AllReportKinds().size());
  for (ReportKind kind : AllReportKinds()) {
    for (const ReportFile& file : MakeReports(FourMonths(true), kind)) {
      SCOPED_TRACE(file.name);
      const std::string& b = file.bytes;
      EXPECT_EQ(Occurrences(b, "\r\n"), Occurrences(b, "\n"));
      EXPECT_EQ(b.back() == '\x1A', ctrlZ.at(kind));
      EXPECT_EQ(std::count(b.begin(), b.end(), '\x1A'), ctrlZ.at(kind) ? 1 : 0);
      const bool upperCase = kind != ReportKind::kDsp && kind != ReportKind::kComments;
      EXPECT_EQ(std::any_of(file.name.begin(), file.name.end(), ::islower), !upperCase);
    }
    for (const ReportFile& file : MakeReports(FourMonths(false), kind)) {
      SCOPED_TRACE(file.name);
      EXPECT_EQ(file.bytes.find_first_of("\r\x1A"), std::string::npos);
      EXPECT_TRUE(kind == ReportKind::kComments || std::none_of(file.name.begin(), file.name.end(), ::isupper));
    }
  }
  const std::string ci = MakeReports(FourMonths(true), ReportKind::kCi).at(0).bytes;
  EXPECT_EQ(ci.substr(0, 3), "dh\r");
  EXPECT_EQ(ci.find("\r\r\n"), ci.find('\n') - 2) << "the dh block ends with a bare CR, then CR LF";
}

TEST(StationGeneratorTest, QuirksChangeTheFormOfTheFilesNotTheirValues) {
  const ReportFile quirky = OnlyFile(FourMonths(true), ReportKind::kRs);
  const ReportFile plain = OnlyFile(FourMonths(false), ReportKind::kRs);
  EXPECT_NE(quirky.bytes, plain.bytes);
  const Records<RsAvgRecord> a = ReadFile(quirky, ReadRsAvg), b = ReadFile(plain, ReadRsAvg);
  ASSERT_EQ(a.value.size(), b.value.size());
  for (size_t i = 0; i < a.value.size(); ++i) {
    EXPECT_EQ(a.value[i].date, b.value[i].date);
    for (int k = 0; k < kRsRatios; ++k) EXPECT_EQ(a.value[i].ratio[k], b.value[i].ratio[k]);
  }
}

TEST(StationGeneratorTest, QuirksDropTheLeadingZeroOfNumbers) {
  const std::string quirky = OnlyFile(FourMonths(true), ReportKind::kRs).bytes;
  const std::string plain = OnlyFile(FourMonths(false), ReportKind::kRs).bytes;
  EXPECT_NE(quirky.find(" .99"), std::string::npos);
  EXPECT_EQ(quirky.find(" 0."), std::string::npos);
  EXPECT_NE(plain.find(" 0.99"), std::string::npos);
  EXPECT_EQ(plain.find(" .9"), std::string::npos);
}

TEST(StationGeneratorTest, TheSlReaderReadsEveryDayAndOneDayOfColumnsRunTogether) {
  const StationPlan plan = FourMonths();
  const ReportFile file = OnlyFile(plan, ReportKind::kSl);
  const Records<SlAvgRecord> read = ReadFile(file, ReadSlAvg);
  ASSERT_EQ(read.value.size(), LineCount(file.bytes));
  EXPECT_FALSE(read.error);
  EXPECT_EQ(read.value.front().date, plan.firstDay);
  EXPECT_EQ(read.value.back().date, plan.lastDay);
  EXPECT_EQ(std::adjacent_find(read.value.begin(), read.value.end(),
                               [](const SlAvgRecord& a, const SlAvgRecord& b) { return a.date >= b.date; }),
            read.value.end());
  int runTogether = 0;
  for (const SlAvgRecord& r : read.value) {
    EXPECT_LE(r.lowT, r.highT);
    EXPECT_GT(r.r6, 250);
    EXPECT_LT(r.r6, 400);
    // The seven digits the reader takes of an intensity run into its neighbour.
    if (r.i1 >= 1000000) ++runTogether;
  }
  EXPECT_EQ(runTogether, 1);
}

TEST(StationGeneratorTest, TheDtReaderReadsTwoRunsADayWithDeadTimesAndIntensities) {
  const ReportFile file = OnlyFile(FourMonths(), ReportKind::kDt);
  const Records<DtAvgRecord> read = ReadFile(file, ReadDtAvg);
  ASSERT_EQ(read.value.size(), LineCount(file.bytes));
  for (size_t i = 0; i < read.value.size(); ++i) {
    const DtAvgRecord& r = read.value[i];
    EXPECT_EQ(r.date, read.value[i ^ 1].date) << "runs come in pairs";
    EXPECT_GT(r.deadTimeA, 26);
    EXPECT_LT(r.deadTimeA, 31);
    EXPECT_LT(r.deadTimeB, r.deadTimeA);
    EXPECT_TRUE(r.hasIntensity);
    EXPECT_GT(r.intensity, 1e6);
  }
}

TEST(StationGeneratorTest, TheHgReaderReadsSevenWordDaysWithACalibrationStep) {
  const ReportFile file = OnlyFile(FourMonths(), ReportKind::kHg);
  const Records<HgAvgRecord> read = ReadFile(file, [](FILE* f) { return ReadHgAvg(f, [](double) { return true; }); });
  ASSERT_EQ(read.value.size(), LineCount(file.bytes));
  EXPECT_FALSE(read.error);
  for (const HgAvgRecord& r : read.value) {
    EXPECT_TRUE(r.hasIntensity && r.hasCalStep && r.hasShift);
    EXPECT_GT(r.intensity, 50000);
    EXPECT_NEAR(r.calStep, read.value.front().calStep, 2);
    EXPECT_LE(std::abs(r.maxShift), 25);
  }
}

TEST(StationGeneratorTest, TheRsReaderReadsRatiosNearOneAndAFewOutOfTolerance) {
  const ReportFile file = OnlyFile(FourMonths(), ReportKind::kRs);
  const Records<RsAvgRecord> read = ReadFile(file, ReadRsAvg);
  ASSERT_EQ(read.value.size(), LineCount(file.bytes));
  int outside = 0, ratios = 0;
  for (const RsAvgRecord& r : read.value) {
    EXPECT_GE(r.ratio[1], 0.2);
    EXPECT_LE(r.ratio[1], 5);
    for (int i = 0; i < kRsRatios; ++i) {
      if (i == 1) continue;
      EXPECT_NEAR(r.ratio[i], 1, 0.01);
      ++ratios;
      if (std::fabs(r.ratio[i] - 1) > 0.003) ++outside;
    }
  }
  EXPECT_GT(outside, 0);
  EXPECT_LT(outside, ratios / 20);
}

TEST(StationGeneratorTest, TheApReaderFindsTheLayoutOfTheInstrumentNumber) {
  struct Case {
    int instrument;
    std::vector<int> tokens;  // one block, two blocks
    double firstRowNominal;
  };
  const Case cases[] = {{185, {28, 53}, -12}, {80, {28, 53}, -12}, {123, {20, 37}, -15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instrument);
    StationPlan plan = FourMonths();
    plan.instrument = c.instrument;
    const ReportFile file = OnlyFile(plan, ReportKind::kAp);
    const Records<ApAvgRecord> read = ReadFile(file, ReadApAvg);
    ASSERT_EQ(read.value.size(), LineCount(file.bytes));
    int twoBlocks = 0;
    for (const ApAvgRecord& r : read.value) {
      ASSERT_TRUE(r.tokens == c.tokens[0] || r.tokens == c.tokens[1]) << r.tokens;
      EXPECT_EQ(r.blocks, r.tokens == c.tokens[0] ? 1 : 2);
      twoBlocks += r.blocks == 2;
      EXPECT_NEAR(r.block[0].supply[0], c.firstRowNominal, 0.5);
      EXPECT_NEAR(r.block[0].supply[5], 24, 0.5);
      EXPECT_NEAR(r.p5, 5, 0.2);
      EXPECT_NEAR(r.hv, r.block[0].hv, 0.01);
      EXPECT_GT(r.block[0].slCurrent, 1.6);
      EXPECT_LT(r.block[0].slCurrent * r.block[0].slVoltage / 10, 2.0);
      EXPECT_GT(r.block[0].humidity, 5);
      EXPECT_GT(r.block[0].caseTemp, -10);
    }
    EXPECT_GT(twoBlocks, 10);
    EXPECT_LT(twoBlocks, static_cast<int>(read.value.size()) / 4);
  }
}

// The dates of the remarks whose text starts with `start`.
std::vector<double> RemarkDates(const std::string& comments, const std::string& start) {
  std::vector<double> dates;
  std::istringstream lines(comments);
  for (std::string line; std::getline(lines, line);)
    if (line.compare(6, start.size(), start) == 0)
      dates.push_back(DayCodeToDate(line.substr(0, 3).c_str(), line.substr(3, 2).c_str()));
  return dates;
}

TEST(StationGeneratorTest, TheOpReaderFollowsTheInstrumentToItsCampaignAndBack) {
  const StationPlan plan = FourMonths();
  const ReportFile file = OnlyFile(plan, ReportKind::kOp);
  const Records<OpAvgRecord> read = ReadFile(file, ReadOpAvg);
  ASSERT_EQ(read.value.size(), LineCount(file.bytes));
  const std::string comments = OnlyFile(plan, ReportKind::kComments).bytes;
  const std::vector<double> installed = RemarkDates(comments, "Installed at Hillcrest");
  const std::vector<double> packed = RemarkDates(comments, "Packed at Hillcrest");
  ASSERT_EQ(installed.size(), 1u);
  ASSERT_EQ(packed.size(), 1u);
  int away = 0;
  for (const OpAvgRecord& r : read.value) {
    const double date = EncodeDate(2000 + r.year, r.month, r.day);
    const bool atCampaign = date >= installed[0] && date <= packed[0];
    EXPECT_EQ(r.location, atCampaign ? "Hillcrest" : "Lakeside");
    EXPECT_EQ(r.north, atCampaign ? -617 : -552);
    EXPECT_EQ(r.stepsPerRevolution, read.value.front().stepsPerRevolution);
    away += atCampaign;
  }
  EXPECT_GT(away, 0);
  EXPECT_LE(away, packed[0] - installed[0] + 1);
  // No file has a day on the road.
  const Records<SlAvgRecord> sl = ReadFile(OnlyFile(plan, ReportKind::kSl), ReadSlAvg);
  for (const SlAvgRecord& r : sl.value) EXPECT_FALSE(r.date > installed[0] - 3 && r.date < installed[0]);
}

TEST(StationGeneratorTest, TheCzReaderFindsTheMercuryLineOfEachScan) {
  const StationPlan plan = FourMonths();
  const std::map<std::string, double> lines = {{"HS", 2967.28}, {"HL", 3341.48}, {"CZ", 2967.28}};
  for (const ReportFile& file : MakeReports(plan, ReportKind::kCz)) {
    SCOPED_TRACE(file.name);
    const ReadResult<CzScan> read = ReadFile(file, ReadCzScan);
    ASSERT_FALSE(read.error);
    const CzScan& scan = read.value;
    EXPECT_EQ(scan.date, plan.lastDay);
    EXPECT_EQ(scan.place, "Lakeside");
    EXPECT_NEAR(scan.deadTime, 2.85e-8, 0.2e-8);
    ASSERT_GT(scan.lines, 40);
    EXPECT_EQ(static_cast<int>(scan.points.size()), scan.lines);
    const CzScanPoint top = *std::max_element(
        scan.points.begin(), scan.points.end(),
        [](const CzScanPoint& a, const CzScanPoint& b) { return a.counts < b.counts; });
    EXPECT_NEAR(top.wavelength, lines.at(file.name.substr(0, 2)), 0.6);
  }
}

TEST(StationGeneratorTest, TheLampScanReaderReadsCiAndCjScans) {
  const StationPlan plan = FourMonths();
  struct Case {
    ReportFile file;
    size_t points;
    bool darkBlock;
    double date;
  };
  const std::vector<ReportFile> ci = MakeReports(plan, ReportKind::kCi);
  const Case cases[] = {
      {ci.at(0), 154, false, plan.firstDay},
      {ci.at(1), 154, false, plan.lastDay},
      {OnlyFile(plan, ReportKind::kCj), 308, true, plan.lastDay},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.name);
    const ReadResult<TLampScan> read = ReadFile(c.file, ReadLampScan);
    ASSERT_FALSE(read.error);
    const TLampScan& scan = read.value;
    EXPECT_EQ(scan.Wavelength.size(), c.points);
    EXPECT_EQ(scan.HasDarkBlock, c.darkBlock);
    EXPECT_EQ(scan.Date, c.date);
    EXPECT_EQ(scan.Location, "Lakeside");
    EXPECT_EQ(scan.BrewerNo, "#185");
    EXPECT_NEAR(scan.DeadTime, 2.85e-8, 0.2e-8);
    EXPECT_EQ(scan.Wavelength.front(), 2865);
    // The lamp is far brighter at the long wavelengths.
    EXPECT_GT(scan.Counts[153], 8 * scan.Counts[0]);
  }
}

TEST(StationGeneratorTest, TheBundledExampleStationIsWhatItsScriptMakes) {
  // The options of scripts/make-example-station.sh.
  StationPlan plan;
  plan.instrument = 185;
  plan.firstDay = Day(2026, 8, 1);
  plan.lastDay = Day(2026, 11, 30);
  plan.seed = 1;
  TempDir made;
  WriteStation(plan, made.Path());
  const std::string bundled = std::string(LUMOGRAPH_TEST_DATA) + "/../../examples/station185";
  EXPECT_EQ(FolderContents(bundled), FolderContents(made.Path()))
      << "run scripts/make-example-station.sh after changing the generator";
}

TEST(StationGeneratorTest, APlanWithoutADayOrWithAWrongInstrumentIsRefused) {
  struct Case {
    const char* name;
    int instrument;
    double first, last;
  };
  const Case cases[] = {
      {"last day before the first", 185, Day(2026, 2, 1), Day(2026, 1, 31)},
      {"instrument 0", 0, Day(2026, 1, 1), Day(2026, 1, 31)},
      {"instrument 1000", 1000, Day(2026, 1, 1), Day(2026, 1, 31)},
      {"in the year 1", 185, Day(1, 6, 1), Day(1, 7, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StationPlan plan;
    plan.instrument = c.instrument;
    plan.firstDay = c.first;
    plan.lastDay = c.last;
    EXPECT_THROW(MakeReports(plan, ReportKind::kSl), std::invalid_argument);
  }
  StationPlan oneDay;
  oneDay.firstDay = oneDay.lastDay = Day(2026, 1, 1);
  EXPECT_EQ(OnlyFile(oneDay, ReportKind::kSl).bytes.substr(0, 5), "00126");
  EXPECT_EQ(MakeReports(oneDay, ReportKind::kFc).size(), 1u);
}

TEST(StationGeneratorTest, ThePolynomialsAgreeWithTheMathLibrary) {
  for (double x = -20; x <= 20; x += 0.37) {
    SCOPED_TRACE(x);
    EXPECT_NEAR(Cosine(x), std::cos(x), 1e-9);
    EXPECT_NEAR(Sine(x), std::sin(x), 1e-9);
    EXPECT_NEAR(Exp(x) / std::exp(x), 1, 1e-12);
  }
}

}  // namespace
