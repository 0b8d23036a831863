#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "core/serial_date.h"

namespace {

namespace fs = std::filesystem;

struct Station {
  std::string folder;
  std::map<ReportKind, std::vector<std::string>> names;
};

// The temporary folder of this run's stations, removed when the run ends.
class StationRoot {
 public:
  StationRoot() {
    const auto now = fs::file_time_type::clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("lumograph-bench-" + std::to_string(now));
  }
  ~StationRoot() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const Station& StationOf(int years) {
  static StationRoot root;
  static std::map<int, Station> stations;
  auto found = stations.find(years);
  if (found != stations.end()) return found->second;
  StationPlan plan;
  plan.lastDay = EncodeDate(2019, 12, 31);
  plan.firstDay = EncodeDate(2019 - years + 1, 1, 1);
  Station station;
  station.folder = (root.Path() / ("station" + std::to_string(years))).string();
  // One kind at a time, so that each kind's files are known by name.
  for (ReportKind kind : AllReportKinds()) {
    plan.kinds = {kind};
    station.names[kind] = WriteStation(plan, station.folder);
  }
  return stations.emplace(years, std::move(station)).first->second;
}

double ResidentKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string key = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.compare(0, key.size(), key) == 0) return std::strtod(line.c_str() + key.size(), nullptr);
  return 0;
}

}  // namespace

const std::string& StationFolder(int years) { return StationOf(years).folder; }

std::string StationFile(int years, ReportKind kind) {
  const Station& station = StationOf(years);
  const std::vector<std::string>& names = station.names.at(kind);
  if (names.empty()) throw std::runtime_error("the station has no file of kind " + ReportKindName(kind));
  return (fs::path(station.folder) / names.back()).string();
}

std::vector<std::string> StationFiles(int years) {
  const Station& station = StationOf(years);
  std::vector<std::string> paths;
  for (const auto& [kind, names] : station.names)
    for (const std::string& name : names) paths.push_back((fs::path(station.folder) / name).string());
  return paths;
}

double FileMegabytes(const std::string& path) { return static_cast<double>(fs::file_size(path)) / 1e6; }

double PlainParse(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  double sum = 0;
  while (std::getline(in, line)) {
    const char* p = line.c_str();
    while (*p) {
      char* end = nullptr;
      const double v = std::strtod(p, &end);
      if (end == p) {
        ++p;  // not a number here: one character on
        continue;
      }
      sum += v;
      p = end;
    }
  }
  return sum;
}

void PeakMemory::Start() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
  // "5" resets the high-water mark of the resident set to what is resident now.
  std::ofstream("/proc/self/clear_refs") << "5";
  startKb_ = ResidentKb("VmRSS");
}

void PeakMemory::Stop() {
  peakMb_ = std::max(peakMb_, (ResidentKb("VmHWM") - startKb_) * 1024 / 1e6);
  state_.counters["peak_MB"] = peakMb_;
}

void CountFile(benchmark::State& state, const std::string& path) {
  const double megabytes = FileMegabytes(path);
  state.counters["file_MB"] = megabytes;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * megabytes * 1e6));
}
