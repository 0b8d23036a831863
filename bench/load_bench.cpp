// What a user waits for when loading: a daily report through its tab's button
// into a fresh window ("Load/SL/20y"), and "Load DIR" over a whole station
// folder ("FolderLoad/20y", bitmaps written), each against the plain parse of
// the same files.
#include <benchmark/benchmark.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Mainunit.h"
#include "app/cli/scripted_platform.h"
#include "bench/bench_support.h"
#include "core/serial_date.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/fi_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/o3_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sc_avg.h"
#include "reports/daily/sl_avg.h"

namespace {

// A window as a user's first load finds it, with a date window that holds
// every day of the record.
struct FreshWindow {
  FreshWindow() : form(std::make_unique<TMainForm>(platform)) {
    form->StartingDate->SetDateTime(EncodeDate(1900, 1, 1));
    form->EndDate->SetDateTime(EncodeDate(2100, 1, 1));
  }
  ScriptedPlatform platform;
  std::unique_ptr<TMainForm> form;
};

// Presses `button` of a fresh window with `answer` queued for its dialog: the
// window is made and destroyed with the timing paused.
template <class Button>
void TimedClick(benchmark::State& state, Button button, const std::string& answer) {
  PeakMemory memory(state);
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<FreshWindow>();
    window->platform.fileAnswers.push_back(answer);
    TButton* pressed = button(*window->form);
    memory.Start();
    state.ResumeTiming();
    try {
      pressed->Click();
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    state.PauseTiming();
    memory.Stop();
    window.reset();
    state.ResumeTiming();
  }
}

struct TabCase {
  const char* name;
  ReportKind kind;
  TButton* (*button)(TMainForm&);
};

const TabCase kTabs[] = {
    {"SL", ReportKind::kSl, [](TMainForm& f) { return f.Sl->LoadSLavgFile; }},
    {"DT", ReportKind::kDt, [](TMainForm& f) { return f.Dt->LoadDtAvg; }},
    {"HG", ReportKind::kHg, [](TMainForm& f) { return f.Hg->LoadHGavg; }},
    {"RS", ReportKind::kRs, [](TMainForm& f) { return f.Rs->LoadRSavg; }},
    {"AP", ReportKind::kAp, [](TMainForm& f) { return f.Ap->LoadApavg; }},
    {"OP", ReportKind::kOp, [](TMainForm& f) { return f.Op->LoadOPavg; }},
    {"O3", ReportKind::kO3, [](TMainForm& f) { return f.O3->LoadO3avg; }},
    {"SC", ReportKind::kSc, [](TMainForm& f) { return f.Sc->LoadSCavg; }},
    {"FI", ReportKind::kFi, [](TMainForm& f) { return f.Fi->LoadFIavg; }},
};

void Load(benchmark::State& state, const TabCase& tab, int years) {
  const std::string path = StationFile(years, tab.kind);
  TimedClick(state, tab.button, path);
  CountFile(state, path);
}

void FolderLoad(benchmark::State& state, int years) {
  TimedClick(state, [](TMainForm& f) { return f.Button2; }, StationFolder(years));
}

void ParseFolder(benchmark::State& state, int years) {
  const std::vector<std::string> files = StationFiles(years);
  for (auto _ : state)
    for (const std::string& path : files) benchmark::DoNotOptimize(PlainParse(path));
}

const bool kRegistered = [] {
  for (const TabCase& tab : kTabs)
    for (int years : {kShortRecord, kLongRecord})
      benchmark::RegisterBenchmark(("Load/" + std::string(tab.name) + "/" + std::to_string(years) + "y").c_str(),
                                   Load, tab, years)
          ->Unit(benchmark::kMillisecond);
  const std::string folder = "/" + std::to_string(kShortRecord) + "y";
  benchmark::RegisterBenchmark(("FolderLoad" + folder).c_str(), FolderLoad, kShortRecord)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("PlainParse/folder" + folder).c_str(), ParseFolder, kShortRecord)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
