// Drawing a chart of many points, as the window does on every repaint.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/chart/chart.h"
#include "app/chart/render/chart_renderer.h"

namespace {

void BM_RenderPoints(benchmark::State& state) {
  TChart chart("Big", nullptr);
  chart.BottomAxis.DateTime = true;
  auto* line = chart.AddSeries<TLineSeries>("Line");
  auto* points = chart.AddSeries<TPointSeries>("Points");
  auto* arrows = chart.AddSeries<TArrowSeries>("Arrows");
  arrows->SetVertAxis(TVertAxis::aRightAxis);
  for (int i = 0; i < state.range(0); ++i) {
    const double x = 40000 + i * 0.01;
    line->AddXY(x, std::sin(i * 0.01) * 100);
    points->AddXY(x, std::cos(i * 0.01) * 100, "", i % 2 ? clRed : clBlue);
    arrows->AddArrow(x, 27, x, 28 + std::sin(i * 0.1), "", clGreen);
  }
  for (auto _ : state) benchmark::DoNotOptimize(RenderChartImage(chart, 1000, 600));
  state.SetItemsProcessed(state.iterations() * state.range(0) * 3);
}
BENCHMARK(BM_RenderPoints)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
