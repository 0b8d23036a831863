#pragma once
// What the benchmarks share: generated station folders of long records, the
// plain parse every reader is measured against, and the peak memory of a step.

#include <string>
#include <vector>

#include "tools/station/station_generator.h"

namespace benchmark {
class State;
}

// Years of the long records: a station's usual archive and ten times that.
inline constexpr int kShortRecord = 20;
inline constexpr int kLongRecord = 200;

// The folder of a generated station of `years` years (every report kind,
// with the instrument's quirks) ending on 31 December 2019. Written once per
// run into a temporary folder that goes when the run ends.
const std::string& StationFolder(int years);
// The path of the file of `kind` in that folder; for a kind of several files
// (the scans of the first and the last day), the last one.
std::string StationFile(int years, ReportKind kind);
// Every report file of that folder.
std::vector<std::string> StationFiles(int years);
double FileMegabytes(const std::string& path);

// The least work reading a report can do: each line by std::getline, every
// number in it by strtod. Returns the sum of the numbers, so nothing is
// optimised away.
double PlainParse(const std::string& path);

// Peak resident memory of one step beyond what was resident before it. Start
// hands freed memory back to the system and resets the kernel's high-water
// mark (run it with the timing paused); Stop records the rise since then in
// the counter "peak_MB" (the largest of the iterations). Counts 0 where the
// kernel keeps no such mark.
class PeakMemory {
 public:
  explicit PeakMemory(benchmark::State& state) : state_(state) {}
  void Start();
  void Stop();

 private:
  benchmark::State& state_;
  double startKb_ = 0;
  double peakMb_ = 0;
};

// Sets the counters that the ratios of scripts/bench.sh read: the file's size
// and the bytes read per second.
void CountFile(benchmark::State& state, const std::string& path);
