#include "app/cli/headless.h"

#include <QIODevice>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <fstream>
#include <stdexcept>

#include "app/Mainunit.h"
#include "app/chart/render/chart_export.h"
#include "app/chart/render/file_writer.h"
#include "app/cli/form_dump.h"
#include "app/cli/scripted_platform.h"
#include "app/report/chart_csv.h"
#include "app/report/station_report.h"
#include "app/controls/application.h"
#include "core/errors.h"
#include "app/open_path.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ActionKind { Set, Click, Save, Size, Dump, Report, ExportCsv };

struct Action {
  explicit Action(ActionKind k, TComponent* t = nullptr, std::string v = {})
      : kind(k), target(t), text(std::move(v)) {}
  ActionKind kind;
  TComponent* target = nullptr;
  std::string text;    // the value set, the dialog answer, or the output file
  double number = 0;   // a date or a whole number, checked while parsing
  int width = 0, height = 0;
  Paper paper = Paper::A4;
};

// "NAME=VALUE" split at the first "=".
void SplitAssignment(const std::string& word, const std::string& option, bool valueRequired,
                     std::string& name, std::string& value) {
  const size_t eq = word.find('=');
  name = word.substr(0, eq);
  value = eq == std::string::npos ? "" : word.substr(eq + 1);
  if (name.empty() || (valueRequired && eq == std::string::npos))
    throw UsageError(option + " wants NAME=VALUE, got \"" + word + "\"");
}

bool Clickable(const TComponent* c) {
  return dynamic_cast<const TButton*>(c) || dynamic_cast<const TCheckBox*>(c) ||
         dynamic_cast<const TRadioButton*>(c);
}

// A control by its component name, or else by its caption, which must be unique.
TComponent* ClickTarget(const TMainForm& form, const std::string& name) {
  if (TComponent* c = form.FindComponent(name)) {
    if (!Clickable(c)) throw UsageError(name + " cannot be clicked");
    return c;
  }
  TComponent* found = nullptr;
  int matches = 0;
  for (TComponent* c : form.Components()) {
    const auto* control = dynamic_cast<const TControl*>(c);
    if (control && Clickable(c) && control->Caption == name) {
      found = c;
      ++matches;
    }
  }
  if (matches == 0) throw UsageError("no control is named \"" + name + "\"");
  if (matches > 1) throw UsageError("the caption \"" + name + "\" names " + std::to_string(matches) + " controls");
  return found;
}

TChart* ChartTarget(const TMainForm& form, const std::string& name) {
  auto* chart = dynamic_cast<TChart*>(form.FindComponent(name));
  if (!chart) throw UsageError("no chart is named \"" + name + "\"");
  return chart;
}

// Exactly YYYY-MM-DD: a short year such as "19-1-1" would silently mean the year 19.
bool IsIsoDateShape(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

double ParseIsoDate(const std::string& text) {
  double serial = 0;
  if (!IsIsoDateShape(text) ||
      !TryEncodeDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2)), serial))
    throw UsageError("\"" + text + "\" is not a date (YYYY-MM-DD)");
  return serial;
}

int ParseInt(const std::string& text) {
  int v = 0;
  if (!TryStrToInt(text, v)) throw UsageError("\"" + text + "\" is not a whole number");
  return v;
}

bool ParseFlag(const std::string& text) {
  if (text == "1") return true;
  if (text == "0") return false;
  throw UsageError("\"" + text + "\" is not 1 or 0");
}

Action ParseSet(const TMainForm& form, const std::string& word) {
  Action action(ActionKind::Set);
  std::string name;
  SplitAssignment(word, "--set", true, name, action.text);
  action.target = form.FindComponent(name);
  TComponent* c = action.target;
  if (!c) throw UsageError("no control is named \"" + name + "\"");
  if (dynamic_cast<TDateTimePicker*>(c)) {
    action.number = ParseIsoDate(action.text);
  } else if (dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
    action.number = ParseFlag(action.text);
  } else if (dynamic_cast<TUpDown*>(c)) {
    action.number = ParseInt(action.text);
  } else if (auto* pages = dynamic_cast<TPageControl*>(c)) {
    action.number = ParseInt(action.text);
    if (action.number < 0 || action.number >= static_cast<double>(pages->Pages.size()))
      throw UsageError(name + " has no page " + action.text);
  } else if (!dynamic_cast<TEdit*>(c)) {
    throw UsageError(name + " cannot be set");
  }
  return action;
}

Action ParseSize(const TMainForm& form, const std::string& word) {
  Action action(ActionKind::Size);
  std::string name, size;
  SplitAssignment(word, "--size", true, name, size);
  action.target = ChartTarget(form, name);
  int used = 0;
  if (std::sscanf(size.c_str(), "%dx%d%n", &action.width, &action.height, &used) != 2 ||
      used != static_cast<int>(size.size()) || action.width < 1 || action.height < 1 ||
      action.width > 20000 || action.height > 20000)
    throw UsageError("\"" + size + "\" is not a size WxH (1 to 20000 pixels)");
  return action;
}

std::vector<Action> ParseActions(const TMainForm& form, const std::vector<std::string>& args) {
  std::vector<Action> actions;
  Paper paper = Paper::A4;  // for the reports that follow
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--set" && option != "--click" && option != "--load-dir" && option != "--save" &&
        option != "--size" && option != "--dump" && option != "--report" && option != "--paper" &&
        option != "--export-csv")
      throw UsageError("unknown option \"" + option + "\"");
    if (i + 1 >= args.size()) throw UsageError(option + " needs a value");
    const std::string& word = args[++i];
    std::string name, value;
    if (option == "--set") {
      actions.push_back(ParseSet(form, word));
    } else if (option == "--click") {
      SplitAssignment(word, option, false, name, value);
      actions.emplace_back(ActionKind::Click, ClickTarget(form, name), value);
    } else if (option == "--load-dir") {
      actions.emplace_back(ActionKind::Click, form.Button2, word);
    } else if (option == "--save") {
      SplitAssignment(word, option, true, name, value);
      actions.emplace_back(ActionKind::Save, ChartTarget(form, name), value);
    } else if (option == "--size") {
      actions.push_back(ParseSize(form, word));
    } else if (option == "--paper") {
      if (word != "a4" && word != "letter") throw UsageError("--paper wants a4 or letter, got \"" + word + "\"");
      paper = word == "letter" ? Paper::Letter : Paper::A4;
    } else if (option == "--report") {
      actions.emplace_back(ActionKind::Report, nullptr, word);
      actions.back().paper = paper;
    } else if (option == "--export-csv") {
      actions.emplace_back(ActionKind::ExportCsv, nullptr, word);
    } else {
      actions.emplace_back(ActionKind::Dump, nullptr, word);
    }
  }
  return actions;
}

// As a user's change: the new state, then the control's event.
bool RunSet(const Action& a) {
  TComponent* c = a.target;
  if (auto* picker = dynamic_cast<TDateTimePicker*>(c)) {
    return RunUserAction([picker, &a] { picker->UserSetDateTime(a.number); });
  }
  if (auto* box = dynamic_cast<TCheckBox*>(c)) {
    if (box->Checked == (a.number != 0)) return true;
    return RunUserAction([box, &a] { box->UserSetChecked(a.number != 0); });
  }
  if (auto* radio = dynamic_cast<TRadioButton*>(c)) {
    if (a.number != 0) return RunUserAction([radio] { radio->UserSelect(); });
    radio->SetChecked(false);
    return true;
  }
  if (auto* upDown = dynamic_cast<TUpDown*>(c))
    return RunUserAction([upDown, &a] { upDown->SetPosition(static_cast<int>(a.number)); });
  if (auto* pages = dynamic_cast<TPageControl*>(c)) {
    pages->SetActivePageIndex(static_cast<int>(a.number));
    return true;
  }
  auto* edit = static_cast<TEdit*>(c);
  return RunUserAction([edit, &a] { edit->SetText(a.text); });
}

bool RunClick(const Action& a, ScriptedPlatform& platform) {
  if (!a.text.empty()) platform.fileAnswers.push_back(DialogAnswerFor(a.text));
  bool ok = true;
  if (auto* box = dynamic_cast<TCheckBox*>(a.target)) {
    ok = RunUserAction([box] { box->UserSetChecked(!box->Checked); });
  } else if (auto* radio = dynamic_cast<TRadioButton*>(a.target)) {
    ok = RunUserAction([radio] { radio->UserSelect(); });
  } else {
    auto* button = static_cast<TButton*>(a.target);
    ok = RunUserAction([button] { button->Click(); });
  }
  // An answer the handler did not ask for must not answer a later dialog.
  platform.fileAnswers.clear();
  return ok;
}

bool WriteDumpFile(const std::string& path, const std::string& bytes) {
  try {
    WriteFileSafely(path, [&](QIODevice& file) {
      return file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
    });
    return true;
  } catch (const EFCreateError&) {
    return false;
  }
}

bool RunDump(const Action& a, const TMainForm& form, const ScriptedPlatform& platform,
             std::ostream& out, std::ostream& err) {
  std::ostringstream json;
  DumpForm(form, platform.messages, json);
  bool written = false;
  if (a.text == "-") {
    out << json.str();
    out.flush();
    written = static_cast<bool>(out);
  } else {
    written = WriteDumpFile(a.text, json.str());
  }
  if (!written) err << "lumograph: cannot write " << a.text << "\n";
  return written;
}

bool Run(const Action& a, TMainForm& form, ScriptedPlatform& platform, std::ostream& out, std::ostream& err) {
  switch (a.kind) {
    case ActionKind::Set:
      return RunSet(a);
    case ActionKind::Click:
      return RunClick(a, platform);
    case ActionKind::Save: {
      auto* chart = static_cast<TChart*>(a.target);
      return RunUserAction([chart, &a] { SaveChartImage(*chart, a.text); });
    }
    case ActionKind::Size: {
      auto* chart = static_cast<TChart*>(a.target);
      chart->Align = TAlign::alNone;  // the size given holds, whatever the tab's layout
      chart->SetBounds(chart->Left, chart->Top, a.width, a.height);
      return true;
    }
    case ActionKind::Dump:
      return RunDump(a, form, platform, out, err);
    case ActionKind::Report:
      return RunUserAction([&form, &a] { WriteStationReport(form, a.text, a.paper); });
    case ActionKind::ExportCsv:
      return RunUserAction([&form, &a] { ExportChartsCsv(form, a.text); });
  }
  return true;
}

}  // namespace

void PrintUsage(std::ostream& out) {
  out << "Usage: lumograph [FILE|FOLDER]...      open the window; load files on their tabs,\n"
         "                                       folders with \"Load DIR\" (F1: About)\n"
         "       lumograph --headless ACTION...  run the window's handlers without a window\n"
         "       lumograph --version             show the version and the Qt in use\n"
         "       lumograph --help                show this text\n"
         "\n"
         "Actions, run in the order given:\n"
         "  --set NAME=VALUE     set a control as a user would and run its change event:\n"
         "                       date pickers YYYY-MM-DD, check boxes and radio buttons 1 or 0,\n"
         "                       up-downs and edits their number or text, page controls a tab index\n"
         "  --click NAME[=PATH]  click a button, check box or radio button, named by its component\n"
         "                       name or its caption; PATH answers the next file dialog (for\n"
         "                       \"Load DIR\" a file in the folder, or the folder); a dialog with\n"
         "                       no answer is cancelled, a message box is answered OK\n"
         "  --load-dir DIR       load every report of a folder, as \"Load DIR\" does, writing\n"
         "                       the daily charts' bitmaps next to the reports\n"
         "  --save CHART=FILE    save a chart at its current size as a picture (.bmp or .png)\n"
         "                       or a vector drawing (.svg or .pdf)\n"
         "  --size CHART=WxH     set a chart's size in pixels\n"
         "  --dump FILE          write the messages, controls and charts as JSON (- for stdout)\n"
         "  --report FILE        write the station report as a PDF: what was loaded, then a page\n"
         "                       per chart holding data, in tab order\n"
         "  --paper a4|letter    the paper of the reports that follow (landscape; A4 at first)\n"
         "  --export-csv DIR     write DIR/CHART.csv with the points of every chart holding data\n"
         "\n"
         "Exit status: 0 when every action ran, 1 when a handler raised an error (the run goes\n"
         "on with the next action), 2 for a usage error.\n";
}

int RunHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ScriptedPlatform platform;
  TMainForm form(platform);
  std::vector<Action> actions;
  try {
    actions = ParseActions(form, args);
  } catch (const UsageError& e) {
    err << "lumograph: " << e.what() << "\n";
    return kHeadlessUsageError;
  }
  int status = kHeadlessOk;
  size_t reported = 0;
  for (const Action& action : actions) {
    if (!Run(action, form, platform, out, err)) status = kHeadlessHandlerError;
    // No one sees the boxes: tell standard error what they said.
    for (; reported < platform.messages.size(); ++reported)
      err << platform.messages[reported].caption << ": " << platform.messages[reported].text << "\n";
  }
  return status;
}
