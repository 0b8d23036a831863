#include "core/file_mask.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/text.h"

namespace {

// Wildcard match in O(name x mask) at worst: on a mismatch only the last '*'
// is retried one character further, never the earlier ones (a later star can
// absorb whatever an earlier one would have), so adversarial masks stay fast.
bool WildcardMatch(const std::string& name, const std::string& mask) {
  size_t n = 0, m = 0;
  size_t starMask = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || AnsiUpperChar(mask[m]) == AnsiUpperChar(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (WildcardMatch(name, mask)) return true;
  // DOS: "name.*" also stands for the name without an extension.
  if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 && name.find('.') == std::string::npos)
    return WildcardMatch(name, mask.substr(0, mask.size() - 2));
  return false;
}

bool MatchesAnyMask(const std::string& name, const std::string& masks) {
  size_t start = 0;
  while (start <= masks.size()) {
    size_t end = masks.find(';', start);
    if (end == std::string::npos) end = masks.size();
    const std::string mask = Trim(masks.substr(start, end - start));
    if (!mask.empty() && MatchesMask(name, mask)) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::string> ListMatchingFiles(const std::string& dir, const std::string& masks) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code statEc;
    if (!it->is_regular_file(statEc) || statEc) continue;
    std::string name = it->path().filename().string();
    if (MatchesAnyMask(name, masks)) names.push_back(std::move(name));
  }
  // Sort on upper-case keys computed once.
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.emplace_back(AnsiUpperCase(name), std::move(name));
  std::sort(keyed.begin(), keyed.end());  // std::string compares bytes as unsigned
  names.clear();
  for (auto& entry : keyed) names.push_back(std::move(entry.second));
  return names;
}
