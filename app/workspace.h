#pragma once
// What the window adds to the form for a user at the screen, on the form's
// models: zoomed views of the charts, files dropped on the window, the file
// each button read last (to read it again with F5, or when it grows on disk
// while files are followed), and in the status bar the value under the mouse
// and why a drop was refused. The loaders, the headless driver and the dump
// know nothing of it.

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/chart/chart_view_state.h"

class TButton;
class TChart;
class TControl;
class TMainForm;
class TPageControl;
class TSpeedButton;
class TTabSheet;
struct FileDialogRequest;

// The load buttons of a tab: its enabled buttons whose caption begins with
// "Load", in creation order.
std::vector<TButton*> LoadButtons(const TTabSheet& tab);
// The tab's save button (the one with the disk glyph), or null.
TSpeedButton* SaveButton(const TTabSheet& tab);
// The button that loads a path dropped on `tab`: "Load DIR" for a folder, the
// tab's first load button for a file; null when the tab has no loader.
TButton* ButtonForPath(const TMainForm& form, const TTabSheet& tab, bool isFolder);
// Whether a user could pick `path` in the dialog of `request`: a folder in a
// folder dialog, a file whose name matches the dialog's patterns in a file
// dialog.
bool DialogOffers(const FileDialogRequest& request, const std::string& path, bool isFolder);
// The page that Ctrl+n selects: the n-th tab of the tab row, counting from 1;
// -1 when there is none or it is disabled.
int TabForShortcut(const TPageControl& pages, int n);

// A followed file that changed is read again once it has stayed unchanged
// this long: the instrument may still be writing.
inline constexpr double kSettleSeconds = 1.0;

class Workspace {
 public:
  explicit Workspace(TMainForm& form);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  TMainForm& Form() const { return form_; }

  // ---- buttons and files
  // A user's click. When a dialog of the click chose a file or a folder, the
  // charts the click changed show the model's limits again (new data, a new
  // picture), and a chosen file is remembered for the button.
  void Press(TButton* button);
  // Loads a dropped file with the current tab's loader as if chosen in its
  // dialog, or runs "Load DIR" on a dropped folder. A file the tab's dialog
  // would not offer is not loaded, and the status bar says so.
  void Drop(const std::string& path);
  // Ctrl+O and Ctrl+S: the current tab's first load button, its save button
  // (nothing on a tab without one).
  void LoadOnCurrentTab();
  void SaveCurrentTab();
  // F5: reads the current tab's last file again with the button that read
  // it, keeping the zoom; nothing before the tab has read a file.
  void ReloadCurrentTab();
  // Ctrl+1..9.
  void SelectTab(int n);

  // ---- following files
  void SetFollowing(bool on) { following_ = on; }
  bool Following() const { return following_; }
  // Called now and then with the time in seconds: reads again, as F5 does,
  // every remembered file that changed on disk and has settled. Files that
  // are away are left until they are back. Does nothing while files are not
  // followed or a user action runs.
  void Poll(double now);

  // ---- views
  ChartViewState& View(const TChart& chart) { return views_[&chart]; }
  // Escape: the charts of the current tab show the model's limits again.
  void ResetZoomOnCurrentTab();

  // ---- status bar
  // Why a drop was refused; the note goes with the next click.
  void ShowNote(const std::string& text);
  // The value under the mouse, until EndReading puts back what the bar said
  // before (unless something else wrote the bar since).
  void ShowReading(const std::string& text);
  void EndReading();

 private:
  struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const FileStamp& o) const { return exists == o.exists && size == o.size && time == o.time; }
  };
  struct LoadedFile {
    TButton* button;
    std::string path;
    FileStamp loaded;   // as it was read
    FileStamp pending;  // a change seen, waiting to settle
    double since = 0;
  };
  // The charts that changed while a click ran; shared with the charts'
  // observers, which may outlive this workspace.
  struct ChangeLog {
    bool watching = false;
    std::set<TChart*> charts;
  };
  struct Answer;
  class ClickPlatform;
  struct Outcome {
    bool refused = false;
    std::string pattern;  // of the dialog that refused
  };

  static FileStamp StampOf(const std::string& path);
  Outcome Run(TButton* button, const Answer* answer, bool keepZoom);
  void Reload(TButton* button, const std::string& path);
  void Remember(TButton* button, const std::string& path);
  void ShowText(const std::string& text);
  TTabSheet* CurrentTab() const;
  const TTabSheet* TabOf(const TControl* control) const;

  TMainForm& form_;
  std::map<const TChart*, ChartViewState> views_;
  std::vector<LoadedFile> files_;  // one per button, the latest last
  std::shared_ptr<ChangeLog> changes_;
  bool following_ = false;
  bool reading_ = false;
  std::string note_;
  std::string beforeReading_, readingText_;
};
