#pragma once
// What every tab of the form shares: its sheet, and builders that register
// the tab's components with the form under their form names, so that the
// headless driver, the dump and the Qt front end find them by name.

#include <initializer_list>
#include <string>
#include <vector>

#include "app/Mainunit.h"

class ReportTab {
 public:
  ReportTab(TMainForm& form, TTabSheet* sheet) : form_(form), sheet_(sheet) {}
  virtual ~ReportTab() = default;
  ReportTab(const ReportTab&) = delete;
  ReportTab& operator=(const ReportTab&) = delete;

  TTabSheet* Sheet() const { return sheet_; }
  // The form that holds the tab: its date window, dialogs and other tabs.
  TMainForm& Form() const { return form_; }

 protected:
  template <class T>
  T* Make(const std::string& name, TWinControl* parent) {
    return form_.Make<T>(name, parent);
  }
  template <class T>
  T* MakeSeries(TChart* chart, const std::string& name) {
    return form_.MakeSeries<T>(chart, name);
  }
  // A chart filling the rest of `parent`.
  TChart* MakeChart(const std::string& name, TWinControl* parent);
  // A sheet of a page control of the tab, filling it.
  TTabSheet* MakeSheet(const std::string& name, TPageControl* pages, const std::string& caption);
  // The row of buttons along the top of a tab.
  TPanel* MakeButtonStrip(const std::string& name, TWinControl* parent);
  // A button of a tab's strip, `left` pixels from the strip's left edge.
  TButton* MakeButton(const std::string& name, TWinControl* parent, const std::string& caption, int left,
                      TNotifyEvent onClick, int width = 120);
  // A save button of a tab's strip: a small button with a disk glyph.
  TSpeedButton* MakeSaveButton(const std::string& name, TWinControl* parent, int left, TNotifyEvent onClick);

  // Folder loading's save of a daily chart next to its report, named after the
  // instrument, `base` and the years of `dateAxis` (the chart's own date axis
  // unless another is given), or of the date window when that shows no data.
  void AutoSaveChart(TChart* chart, const std::string& reportPath, const std::string& base,
                     const TChartAxis* dateAxis = nullptr) const;

  // The status line after a load of daily records, each with a `date`: how
  // many were read and how many lay in the date window.
  template <class Record>
  void SummarizeDays(const std::string& path, const std::vector<Record>& records) const {
    size_t inWindow = 0;
    for (const Record& r : records) inWindow += form_.InDateWindow(r.date);
    form_.ShowLoadSummary(path, form_.WindowSummary(records.size(), inWindow));
  }
  // The status line after a load of a single test: the points now on `charts`.
  void SummarizePoints(const std::string& path, std::initializer_list<const TChart*> charts) const;

  // An event that runs a handler of this tab.
  template <class Tab>
  TNotifyEvent Handler(void (Tab::*method)(TObject*)) {
    Tab* self = static_cast<Tab*>(this);
    return [self, method](TObject* sender) { (self->*method)(sender); };
  }

  TMainForm& form_;
  TTabSheet* const sheet_;
};
