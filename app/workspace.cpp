#include "app/workspace.h"

#include <algorithm>
#include <functional>

#include "app/Mainunit.h"
#include "app/controls/application.h"
#include "app/controls/platform.h"
#include "core/file_mask.h"
#include "core/paths.h"

namespace {

void Collect(const TWinControl& parent, const std::function<void(TControl*)>& each) {
  for (TControl* c : parent.Controls()) {
    each(c);
    if (auto* inner = dynamic_cast<TWinControl*>(c)) Collect(*inner, each);
  }
}

bool Usable(const TControl* c) { return c->Visible && c->Enabled; }

class PlatformScope {
 public:
  explicit PlatformScope(Platform& platform) : previous_(SetCurrentPlatform(&platform)) {}
  ~PlatformScope() { SetCurrentPlatform(previous_); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  Platform* previous_;
};

}  // namespace

struct Workspace::Answer {
  std::string path;
  bool folder;
  // A drop is refused by a dialog that would not offer the file; a reload
  // reads again what that button read before.
  bool checkName;
};

// The platform during one click: answers the click's first open dialog for a
// drop or a reload, or leaves it to the user, and notes what was chosen.
class Workspace::ClickPlatform : public Platform {
 public:
  ClickPlatform(Platform& base, const Answer* answer) : base_(base), answer_(answer) {}

  bool RunOpenDialog(const FileDialogRequest& request, std::string& chosen) override {
    if (answer_ && !asked_) {
      asked_ = true;
      const bool offered = answer_->checkName ? DialogOffers(request, answer_->path, answer_->folder)
                                              : request.pickFolder == answer_->folder;
      if (!offered) {
        refused_ = true;
        pattern_ = request.fileName;
        return false;
      }
      // As a folder dialog gives it: with its separator.
      chosen = answer_->folder ? IncludeTrailingPathDelimiter(answer_->path) : answer_->path;
    } else if (!base_.RunOpenDialog(request, chosen)) {
      return false;
    }
    chose_ = true;
    if (!request.pickFolder) file_ = chosen;
    return true;
  }
  bool RunSaveDialog(const FileDialogRequest& request, std::string& chosen) override {
    return base_.RunSaveDialog(request, chosen);
  }
  void ShowMessage(const std::string& caption, const std::string& text) override { base_.ShowMessage(caption, text); }
  void ShowException(const std::string& message) override { base_.ShowException(message); }
  void ProcessMessages() override { base_.ProcessMessages(); }
  double Today() override { return base_.Today(); }

  bool Chose() const { return chose_; }
  const std::string& File() const { return file_; }
  bool Refused() const { return refused_; }
  const std::string& Pattern() const { return pattern_; }

 private:
  Platform& base_;
  const Answer* answer_;
  bool asked_ = false;
  bool chose_ = false;
  bool refused_ = false;
  std::string file_, pattern_;
};

std::vector<TButton*> LoadButtons(const TTabSheet& tab) {
  std::vector<TButton*> buttons;
  Collect(tab, [&](TControl* c) {
    auto* b = dynamic_cast<TButton*>(c);
    if (b && !dynamic_cast<TSpeedButton*>(b) && Usable(b) && b->Caption.rfind("Load", 0) == 0) buttons.push_back(b);
  });
  return buttons;
}

TSpeedButton* SaveButton(const TTabSheet& tab) {
  TSpeedButton* found = nullptr;
  Collect(tab, [&](TControl* c) {
    auto* b = dynamic_cast<TSpeedButton*>(c);
    if (!found && b && Usable(b)) found = b;
  });
  return found;
}

TButton* ButtonForPath(const TMainForm& form, const TTabSheet& tab, bool isFolder) {
  if (isFolder) return form.Button2;
  const std::vector<TButton*> loaders = LoadButtons(tab);
  return loaders.empty() ? nullptr : loaders.front();
}

bool DialogOffers(const FileDialogRequest& request, const std::string& path, bool isFolder) {
  if (request.pickFolder || isFolder) return request.pickFolder && isFolder;
  return MatchesAnyMask(ExtractFileName(path), request.fileName);
}

int TabForShortcut(const TPageControl& pages, int n) {
  int shown = 0;
  for (size_t i = 0; i < pages.Pages.size(); ++i) {
    const TTabSheet* tab = pages.Pages[i];
    if (!tab->TabVisible) continue;
    if (++shown == n) return tab->Enabled ? static_cast<int>(i) : -1;
  }
  return -1;
}

Workspace::Workspace(TMainForm& form) : form_(form), changes_(std::make_shared<ChangeLog>()) {
  for (TChart* chart : form.Charts()) {
    chart->AddObserver([log = std::weak_ptr<ChangeLog>(changes_), chart] {
      if (auto l = log.lock(); l && l->watching) l->charts.insert(chart);
    });
  }
}

void Workspace::Press(TButton* button) { Run(button, nullptr, false); }

void Workspace::Drop(const std::string& path) {
  TTabSheet* tab = CurrentTab();
  const bool folder = IsDirectory(path);
  const std::string name = folder ? path : ExtractFileName(path);
  TButton* button = ButtonForPath(form_, *tab, folder);
  if (!button) {
    ShowNote(name + " not loaded: nothing on the " + tab->Caption + " tab loads files");
    return;
  }
  const Answer answer{path, folder, true};
  const Outcome outcome = Run(button, &answer, false);
  if (outcome.refused) ShowNote(name + " not loaded: the " + tab->Caption + " tab reads " + outcome.pattern);
}

void Workspace::LoadOnCurrentTab() {
  const std::vector<TButton*> loaders = LoadButtons(*CurrentTab());
  if (!loaders.empty()) Press(loaders.front());
}

void Workspace::SaveCurrentTab() {
  if (TSpeedButton* save = SaveButton(*CurrentTab())) Press(save);
}

void Workspace::ReloadCurrentTab() {
  const TTabSheet* tab = CurrentTab();
  const LoadedFile* last = nullptr;
  for (const LoadedFile& f : files_)
    if (TabOf(f.button) == tab) last = &f;
  if (last) Reload(last->button, last->path);
}

void Workspace::SelectTab(int n) {
  const int index = TabForShortcut(*form_.PageControl1, n);
  if (index >= 0) form_.PageControl1->SetActivePageIndex(index);
}

void Workspace::Poll(double now) {
  if (!following_ || UserActionRunning()) return;
  std::vector<std::pair<TButton*, std::string>> due;
  for (LoadedFile& f : files_) {
    const FileStamp stamp = StampOf(f.path);
    // A file that is away may be being written anew: wait until it is back.
    if (!stamp.exists || stamp == f.loaded) {
      f.pending = {};
      continue;
    }
    if (!(stamp == f.pending)) {
      f.pending = stamp;
      f.since = now;
      continue;
    }
    if (now - f.since < kSettleSeconds) continue;
    // Counted as read even if the reload fails, so that it is not retried
    // on every call.
    f.loaded = stamp;
    f.pending = {};
    due.emplace_back(f.button, f.path);
  }
  for (const auto& [button, path] : due) Reload(button, path);
}

void Workspace::ResetZoomOnCurrentTab() {
  const TTabSheet* tab = CurrentTab();
  for (TChart* chart : form_.Charts()) {
    if (TabOf(chart) != tab) continue;
    View(*chart).Reset();
    chart->Repaint();
  }
}

void Workspace::ShowNote(const std::string& text) {
  note_ = text;
  ShowText(text);
}

void Workspace::ShowReading(const std::string& text) {
  const std::string& shown = form_.StatusBar1->SimpleText;
  if (!reading_ || shown != readingText_) beforeReading_ = shown;
  reading_ = true;
  readingText_ = text;
  ShowText(text);
}

void Workspace::EndReading() {
  if (!reading_) return;
  reading_ = false;
  if (form_.StatusBar1->SimpleText == readingText_) ShowText(beforeReading_);
}

void Workspace::ShowText(const std::string& text) {
  form_.StatusBar1->SimpleText = text;
  form_.StatusBar1->Changed();
}

Workspace::FileStamp Workspace::StampOf(const std::string& path) {
  std::error_code error;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(path, error);
  if (error) return {};
  stamp.time = std::filesystem::last_write_time(path, error);
  if (error) return {};
  stamp.exists = true;
  return stamp;
}

Workspace::Outcome Workspace::Run(TButton* button, const Answer* answer, bool keepZoom) {
  // The event loop turns inside a load (a dialog, a repaint): a click then
  // waits for no one and is dropped, so that loads never run inside each other.
  if (UserActionRunning()) return {};
  // A note on what went wrong before does not outlive the next action.
  if (!note_.empty() && form_.StatusBar1->SimpleText == note_) ShowText("");
  note_.clear();
  if (keepZoom)
    for (auto& [chart, view] : views_) view.ForgetReplaced();
  ClickPlatform platform(CurrentPlatform(), answer);
  changes_->charts.clear();
  changes_->watching = true;
  {
    const PlatformScope scope(platform);
    RunUserAction([button] { button->Click(); });
  }
  changes_->watching = false;
  if (!platform.File().empty()) Remember(button, platform.File());
  if (!platform.Chose()) return {platform.Refused(), platform.Pattern()};
  for (TChart* chart : changes_->charts) {
    if (keepZoom) {
      View(*chart).KeepAcrossReload();
    } else {
      View(*chart).Reset();
    }
  }
  return {};
}

void Workspace::Reload(TButton* button, const std::string& path) {
  const Answer answer{path, false, false};
  Run(button, &answer, true);
}

void Workspace::Remember(TButton* button, const std::string& path) {
  files_.erase(std::remove_if(files_.begin(), files_.end(), [&](const LoadedFile& f) { return f.button == button; }),
               files_.end());
  files_.push_back({button, path, StampOf(path), {}, 0});
}

TTabSheet* Workspace::CurrentTab() const {
  const TPageControl& pages = *form_.PageControl1;
  return pages.Pages.at(static_cast<size_t>(pages.ActivePageIndex));
}

const TTabSheet* Workspace::TabOf(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent()) {
    if (c->Parent() == form_.PageControl1) return dynamic_cast<const TTabSheet*>(c);
  }
  return nullptr;
}
