// Benchmarks of the paths a user waits for: loading a long report and drawing
// a chart full of points. Run: build/bench/lumograph_bench
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <clocale>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
