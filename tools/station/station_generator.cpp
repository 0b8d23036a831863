#include "tools/station/station_generator.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/station/station_model.h"
#include "tools/station/station_reports.h"

namespace {

struct KindEntry {
  ReportKind kind;
  const char* name;
  std::vector<ReportFile> (*files)(const Station&);
};

const KindEntry kKinds[] = {
    {ReportKind::kSl, "sl", SlAvgFiles},          {ReportKind::kDt, "dt", DtAvgFiles},
    {ReportKind::kHg, "hg", HgAvgFiles},          {ReportKind::kRs, "rs", RsAvgFiles},
    {ReportKind::kAp, "ap", ApAvgFiles},          {ReportKind::kOp, "op", OpAvgFiles},
    {ReportKind::kO3, "o3", O3AvgFiles},          {ReportKind::kSc, "sc", ScAvgFiles},
    {ReportKind::kFi, "fi", FiAvgFiles},          {ReportKind::kCz, "cz", MercuryScanFiles},
    {ReportKind::kCi, "ci", CiScanFiles},         {ReportKind::kCj, "cj", CjScanFiles},
    {ReportKind::kCa, "ca", CaScanFiles},         {ReportKind::kDi, "di", DiTestFiles},
    {ReportKind::kFc, "fc", FcTestFiles},         {ReportKind::kDuv, "duv", DuvFiles},
    {ReportKind::kDsp, "dsp", DispersionFiles},   {ReportKind::kComments, "comments", CommentFiles},
};

const KindEntry& EntryOf(ReportKind kind) {
  for (const KindEntry& entry : kKinds)
    if (entry.kind == kind) return entry;
  throw std::invalid_argument("unknown report kind");
}

}  // namespace

const std::vector<ReportKind>& AllReportKinds() {
  static const std::vector<ReportKind> kinds = [] {
    std::vector<ReportKind> all;
    for (const KindEntry& entry : kKinds) all.push_back(entry.kind);
    return all;
  }();
  return kinds;
}

std::string ReportKindName(ReportKind kind) { return EntryOf(kind).name; }

std::vector<ReportFile> MakeReports(const StationPlan& plan, ReportKind kind) {
  return EntryOf(kind).files(Station(plan));
}

std::vector<std::string> WriteStation(const StationPlan& plan, const std::string& folder) {
  const Station station(plan);
  std::filesystem::create_directories(folder);
  std::vector<std::string> names;
  for (ReportKind kind : plan.kinds) {
    for (const ReportFile& file : EntryOf(kind).files(station)) {
      const std::filesystem::path path = std::filesystem::path(folder) / file.name;
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
      out.close();
      if (!out) throw std::runtime_error("cannot write " + path.string());
      names.push_back(file.name);
    }
  }
  return names;
}
