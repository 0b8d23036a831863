#pragma once
// Whole station folders of plausible report files, the same bytes for the
// same seed: the bundled example station and the long records of the
// benchmarks. The values hang together the way an instrument's do: one
// standard lamp drives SL, AP and FI, a lamp change shows in all of them and
// in the comments, a campaign away from home shows in OP and in the places of
// the scans, and the temperatures follow one seasonal cycle.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

enum class ReportKind {
  kSl, kDt, kHg, kRs, kAp, kOp, kO3, kSc, kFi,  // daily averages
  kCz,                                          // CZ, HL and HS mercury line scans
  kCi, kCj, kCa, kDi, kFc, kDuv, kDsp,          // single tests
  kComments,
};

// Every kind, in the order above.
const std::vector<ReportKind>& AllReportKinds();
// The short name a kind has on the command line ("sl", "duv", "comments"...).
std::string ReportKindName(ReportKind kind);

struct StationPlan {
  int instrument = 185;  // 1..999, the files' extension
  double firstDay = 0;   // serial dates of the first and last day, whole days
  double lastDay = 0;
  uint64_t seed = 1;
  std::set<ReportKind> kinds{AllReportKinds().begin(), AllReportKinds().end()};
  // The instrument's habits: CR LF line ends, a Ctrl-Z after the last line of
  // the kinds that carry one, upper-case names, bare CRs in the "dh" lines of
  // scans, numbers without a leading zero (.9989) and now and then a day of
  // the SL file whose columns run together. Off: LF only, lower-case names,
  // plain numbers, nothing extra.
  bool quirks = true;
};

// One file of a station folder.
struct ReportFile {
  std::string name;   // in the folder, no path
  std::string bytes;  // exactly as written
};

// The files of one kind (a pair of FC tests, the HL, HS and CZ scans...).
// Day codes carry two-digit years: a span of more than a century repeats
// them, which long benchmark records accept. Throws std::invalid_argument when
// `plan` has no day, days outside the years 2..9999 or an instrument number
// outside 1..999.
std::vector<ReportFile> MakeReports(const StationPlan& plan, ReportKind kind);

// Writes the files of every kind of `plan` into `folder` (made if missing)
// and returns their names. Throws as MakeReports does, and
// std::runtime_error when a file cannot be written.
std::vector<std::string> WriteStation(const StationPlan& plan, const std::string& folder);
