#include "app/open_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/Mainunit.h"
#include "core/file_mask.h"
#include "core/paths.h"

namespace {

bool IsFolder(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_directory(path, ignored);
}

struct Loader {
  const char* button;
  const char* patterns;  // as the loader presets its open dialog
};

// The first row whose patterns match a name loads it. CJ comes before CI:
// the CI loader accepts CJ files too, but a CJ file has a tab of its own. A
// dispersion file starts a comparison: it is the old one.
const Loader kLoaders[] = {
    {"LoadSLavgFile", "sl?avg*.*"},
    {"LoadDtAvg", "dtoavg*.*"},
    {"LoadHGavg", "hgoavg*.*"},
    {"LoadRSavg", "rsoavg*.*"},
    {"LoadApavg", "ap?avg*.*"},
    {"LoadOPavg", "opavg*.*"},
    {"LoadO3avg", "ozoavg*.*"},
    {"LoadSCavg", "scoavg*.*"},
    {"LoadFIavg", "fioavg*.*"},
    {"LoadCZ", "cz?????.*;hl?????.*;hs?????.*"},
    {"LoadCJ", "cj*.*;ch*.*"},
    {"LoadCI", "ci*.*;cj*.*"},
    {"LoadDUV", "duv*.*"},
    {"LoadDI", "di*.*"},
    {"LoadFC", "fc*.*"},
    {"LoadCA", "ca*.*"},
    {"LoadOldDSP", "dcf*.*"},
    {"Button1", "mi*.*"},
    {"LoadComments", "Comment*.*"},
};

}  // namespace

TButton* LoaderFor(const TMainForm& form, const std::string& path) {
  if (IsFolder(path)) return form.Button2;
  const std::string name = ExtractFileName(path);
  for (const Loader& loader : kLoaders)
    if (MatchesAnyMask(name, loader.patterns))
      if (auto* button = dynamic_cast<TButton*>(form.FindComponent(loader.button))) return button;
  return nullptr;
}

std::string DialogAnswerFor(const std::string& path) {
  return IsFolder(path) ? IncludeTrailingPathDelimiter(path) : path;
}

void ShowTabOf(TMainForm& form, const TControl* control) {
  const std::vector<TTabSheet*>& pages = form.PageControl1->Pages;
  for (; control; control = control->Parent()) {
    const auto page = std::find(pages.begin(), pages.end(), control);
    if (page != pages.end()) {
      form.PageControl1->SetActivePageIndex(static_cast<int>(page - pages.begin()));
      return;
    }
  }
}
