// Loading a DT average file of many years through the real handler.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/Mainunit.h"
#include "reports/daily/dt_avg.h"
#include "app/cli/scripted_platform.h"
#include "core/serial_date.h"

namespace {

std::string WriteDtFile(int lines) {
  const std::string path = (std::filesystem::temp_directory_path() / "lumograph-bench-dtoavg.185").string();
  std::ofstream out(path, std::ios::binary);
  char line[128];
  for (int i = 0; i < lines; ++i) {
    std::snprintf(line, sizeof line, "%03d%02d %10.3f %10.3f  .1  .8  %d  1255615\r\n", 1 + i % 365,
                  (i / 365) % 100, 28.0 + (i % 7) * 0.1, 27.5 + (i % 5) * 0.1, 3480000 + i % 1000);
    out << line;
  }
  return path;
}

void BM_LoadDtAvg(benchmark::State& state) {
  const std::string path = WriteDtFile(static_cast<int>(state.range(0)));
  ScriptedPlatform platform;
  TMainForm form(platform);
  form.StartingDate->SetDateTime(EncodeDate(1900, 1, 1));
  form.EndDate->SetDateTime(EncodeDate(2100, 1, 1));
  for (auto _ : state) {
    platform.fileAnswers.push_back(path);
    form.Dt->LoadDtAvg->Click();
    benchmark::DoNotOptimize(form.Dt->Series12->Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadDtAvg)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
