// Outlier removal on a series that a composite band follows, as every SL
// load runs it: 73,000 points (200 years of days) and ten times that, one in
// twenty of them far off.
#include <benchmark/benchmark.h>

#include <string>

#include "app/chart/chart.h"
#include "app/chart/series_numeric.h"

namespace {

constexpr int kDaysOfLongRecord = 73000;
constexpr int kOutlierEvery = 20;

void RemoveOutliersBench(benchmark::State& state, int times) {
  const int points = times * kDaysOfLongRecord;
  TChart chart("Chart", nullptr);
  auto* source = chart.AddSeries<TPointSeries>("Source");
  auto* follower = chart.AddSeries<TPointSeries>("Follower");
  follower->SetDataSource(source);
  for (auto _ : state) {
    state.PauseTiming();
    source->Clear();
    for (int i = 0; i < points; ++i)
      source->AddXY(40000 + i, i % kOutlierEvery == 0 ? 1000 : 100 + i % 7, "", clRed);
    state.ResumeTiming();
    RemoveOutliers(*source);
  }
  if (follower->Count() != points - (points + kOutlierEvery - 1) / kOutlierEvery)
    state.SkipWithError("the outliers were not removed");
  state.SetItemsProcessed(state.iterations() * points);
}
const bool kRegistered = [] {
  for (int times : {1, 10})
    benchmark::RegisterBenchmark(("OutlierRemoval/" + std::to_string(times) + "x").c_str(), RemoveOutliersBench,
                                 times)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
