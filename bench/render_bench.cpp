// Drawing a chart of many points at 1400 by 800, as the window does on every
// repaint: a point series, a line series and arrows, each alone, of noisy
// daily values over 20 years (a point a day at 10^4, many a day beyond), and
// of a year of records repeated over and over, as a damaged file may hold.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"

namespace {

constexpr int kWidth = 1400, kHeight = 800;
constexpr double kFirstDay = 40000, kDays = 7300;

// Deterministic noise in [-1, 1).
double Noise(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return (state >> 8) / double(1 << 23) - 1;
}

template <class Series>
void RenderBench(benchmark::State& state, int points, bool repeated) {
  TChart chart("Big", nullptr);
  chart.BottomAxis.DateTime = true;
  auto* series = chart.AddSeries<Series>("Series");
  if constexpr (std::is_same_v<Series, TLineSeries>) series->Pointer.Visible = false;  // the line alone
  uint32_t seed = 1;
  series->Reserve(points);
  for (int i = 0; i < points; ++i) {
    const double x = repeated ? kFirstDay + i % 365 : kFirstDay + kDays * i / points;
    const double y = repeated ? 100 + i % 7 : 100 + 10 * std::sin(x / 58.1) + 5 * Noise(seed);
    // Points in two colours, as most point series of the program; lines and
    // repeated records in one.
    const TColor colour = std::is_same_v<Series, TLineSeries> || repeated || i % 3 ? clBlue : clRed;
    if constexpr (std::is_same_v<Series, TArrowSeries>) {
      series->AddArrow(x, y, x + 3, y + (repeated ? 2 : 2 * Noise(seed)), "", colour);
    } else {
      series->AddXY(x, y, "", colour);
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(RenderChartImage(chart, kWidth, kHeight));
  state.SetItemsProcessed(state.iterations() * points);
}

const bool kRegistered = [] {
  const auto add = [](const std::string& size, int points, bool repeated) {
    benchmark::RegisterBenchmark(("Draw/points" + size).c_str(), RenderBench<TPointSeries>, points, repeated)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Draw/line" + size).c_str(), RenderBench<TLineSeries>, points, repeated)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Draw/arrows" + size).c_str(), RenderBench<TArrowSeries>, points, repeated)
        ->Unit(benchmark::kMillisecond);
  };
  for (int points : {10000, 100000, 1000000}) add("/" + std::to_string(points), points, false);
  add("/1000000/repeated-year", 1000000, true);
  return true;
}();

}  // namespace
