// Benchmarks of the paths a user waits for: loading a long report and drawing
// a chart full of points. Run: build/bench/lumograph_bench
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
