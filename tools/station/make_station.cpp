// lumograph_make_station: writes a generated station folder.
//
//   lumograph_make_station --out DIR --from YYYY-MM-DD --to YYYY-MM-DD
//                          [--instrument 185] [--seed 1] [--kinds sl,dt,...] [--no-quirks]
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <set>
#include <string>
#include <vector>

#include "core/serial_date.h"
#include "core/text.h"
#include "tools/station/station_generator.h"

namespace {

const char* const kUsage =
    "usage: lumograph_make_station --out DIR --from YYYY-MM-DD --to YYYY-MM-DD\n"
    "                              [--instrument N] [--seed N] [--kinds LIST] [--no-quirks]\n"
    "Writes a station folder of generated report files, the same bytes for the same options.\n"
    "  --instrument N  instrument number, 1..999 (default 185): the files' extension\n"
    "  --seed N        seed of the generator (default 1)\n"
    "  --kinds LIST    comma-separated kinds to write (default all):\n"
    "                  sl dt hg rs ap op o3 sc fi cz ci cj ca di fc duv dsp comments\n"
    "  --no-quirks     LF line ends, lower-case names, plain numbers, no Ctrl-Z\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double ParseDay(const std::string& text) {
  int year = 0, month = 0, day = 0;
  char rest = 0;
  double serial = 0;
  if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3 ||
      !TryEncodeDate(year, month, day, serial))
    throw UsageError("\"" + text + "\" is not a date (YYYY-MM-DD)");
  return serial;
}

std::set<ReportKind> ParseKinds(const std::string& list) {
  std::set<ReportKind> kinds;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = AnsiLowerCase(list.substr(start, comma - start));
    bool known = false;
    for (ReportKind kind : AllReportKinds())
      if (ReportKindName(kind) == name) kinds.insert(kind), known = true;
    if (!known) throw UsageError("unknown kind \"" + name + "\"");
    start = comma + 1;
  }
  return kinds;
}

StationPlan ParseArguments(int argc, char** argv, std::string& folder) {
  StationPlan plan;
  bool haveFrom = false, haveTo = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--no-quirks") {
      plan.quirks = false;
      continue;
    }
    if (i + 1 >= argc) throw UsageError("missing value after " + option);
    const std::string value = argv[++i];
    if (option == "--out") {
      folder = value;
    } else if (option == "--from") {
      plan.firstDay = ParseDay(value), haveFrom = true;
    } else if (option == "--to") {
      plan.lastDay = ParseDay(value), haveTo = true;
    } else if (option == "--instrument") {
      if (!TryStrToInt(value, plan.instrument)) throw UsageError("\"" + value + "\" is not a whole number");
    } else if (option == "--seed") {
      char* end = nullptr;
      plan.seed = std::strtoull(value.c_str(), &end, 10);
      if (value.empty() || !std::isdigit(static_cast<unsigned char>(value[0])) || *end != '\0')
        throw UsageError("\"" + value + "\" is not a seed");
    } else if (option == "--kinds") {
      plan.kinds = ParseKinds(value);
    } else {
      throw UsageError("unknown option " + option);
    }
  }
  if (folder.empty() || !haveFrom || !haveTo) throw UsageError("--out, --from and --to are needed");
  return plan;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::string folder;
  try {
    const StationPlan plan = ParseArguments(argc, argv, folder);
    const std::vector<std::string> names = WriteStation(plan, folder);
    std::printf("%zu files written to %s\n", names.size(), folder.c_str());
    return 0;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "lumograph_make_station: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumograph_make_station: %s\n", e.what());
    return 1;
  }
}
