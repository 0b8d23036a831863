// Every reader on the files of a generated station, against the plain parse
// of the same file: "Read/SL/20y" and "PlainParse/SL/20y". The daily files and
// the comment log grow with the record (20 and 200 years); a single test does
// not, so each scan reader reads its file of the 20-year station once ("/test").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/comments_reader.h"
#include "bench/bench_support.h"
#include "reports/daily/ap_avg_reader.h"
#include "reports/daily/dt_avg_reader.h"
#include "reports/daily/fi_avg_reader.h"
#include "reports/daily/hg_avg_reader.h"
#include "reports/daily/o3_avg_reader.h"
#include "reports/daily/op_avg_reader.h"
#include "reports/daily/rs_avg_reader.h"
#include "reports/daily/sc_avg_reader.h"
#include "reports/daily/sl_avg_reader.h"
#include "reports/scans/ca_laser_reader.h"
#include "reports/scans/cz_scan_reader.h"
#include "reports/scans/di_motor_reader.h"
#include "reports/scans/dsp_compare_reader.h"
#include "reports/scans/duv_scan_reader.h"
#include "reports/scans/fc_wheel_reader.h"
#include "reports/scans/lamp_scan_reader.h"

namespace {

// A reader run on an open file; returns something of what it read.
using Reader = std::function<size_t(FILE*)>;

struct ReaderCase {
  const char* name;
  ReportKind kind;
  Reader read;
  bool growsWithRecord;
};

const ReaderCase kReaders[] = {
    {"SL", ReportKind::kSl, [](FILE* f) { return ReadSlAvg(f).value.size(); }, true},
    {"DT", ReportKind::kDt, [](FILE* f) { return ReadDtAvg(f).value.size(); }, true},
    {"HG", ReportKind::kHg, [](FILE* f) { return ReadHgAvg(f, [](double) { return true; }).value.size(); }, true},
    {"RS", ReportKind::kRs, [](FILE* f) { return ReadRsAvg(f).value.size(); }, true},
    {"AP", ReportKind::kAp, [](FILE* f) { return ReadApAvg(f).value.size(); }, true},
    {"OP", ReportKind::kOp, [](FILE* f) { return ReadOpAvg(f).value.size(); }, true},
    {"O3", ReportKind::kO3, [](FILE* f) { return ReadO3Avg(f).value.size(); }, true},
    {"SC", ReportKind::kSc, [](FILE* f) { return ReadScAvg(f).value.size(); }, true},
    {"FI", ReportKind::kFi, [](FILE* f) { return ReadFiAvg(f).value.size(); }, true},
    {"Comments", ReportKind::kComments, [](FILE* f) { return ReadComments(f).size(); }, true},
    {"CZ", ReportKind::kCz, [](FILE* f) { return ReadCzScan(f).value.points.size(); }, false},
    {"CI", ReportKind::kCi, [](FILE* f) { return ReadLampScan(f).value.Counts.size(); }, false},
    {"CA", ReportKind::kCa, [](FILE* f) { return ReadCaScan(f, false).value.blocks.size(); }, false},
    {"DI", ReportKind::kDi, [](FILE* f) { return ReadDiTest(f).slWarmUp.size(); }, false},
    {"FC", ReportKind::kFc, [](FILE* f) { return ReadFcScan(f).steps.size(); }, false},
    {"DUV", ReportKind::kDuv, [](FILE* f) { return ReadDuvScan(f).value.size(); }, false},
    {"DSP", ReportKind::kDsp, [](FILE* f) { return ReadDispersion(f, false).value.size(); }, false},
};

void Read(benchmark::State& state, const ReaderCase& reader, int years) {
  const std::string path = StationFile(years, reader.kind);
  PeakMemory memory(state);
  for (auto _ : state) {
    state.PauseTiming();
    memory.Start();
    state.ResumeTiming();
    CFile file = OpenReportFile(path);
    benchmark::DoNotOptimize(reader.read(file.get()));
    state.PauseTiming();
    memory.Stop();
    state.ResumeTiming();
  }
  CountFile(state, path);
}

void Parse(benchmark::State& state, ReportKind kind, int years) {
  const std::string path = StationFile(years, kind);
  for (auto _ : state) benchmark::DoNotOptimize(PlainParse(path));
  CountFile(state, path);
}

void Register(const std::string& suffix, const ReaderCase& reader, int years) {
  benchmark::RegisterBenchmark(("Read/" + std::string(reader.name) + suffix).c_str(), Read, reader, years)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("PlainParse/" + std::string(reader.name) + suffix).c_str(), Parse, reader.kind,
                               years)
      ->Unit(benchmark::kMillisecond);
}

const bool kRegistered = [] {
  for (const ReaderCase& reader : kReaders) {
    if (!reader.growsWithRecord) {
      Register("/test", reader, kShortRecord);
      continue;
    }
    for (int years : {kShortRecord, kLongRecord}) Register("/" + std::to_string(years) + "y", reader, years);
  }
  return true;
}();

}  // namespace
