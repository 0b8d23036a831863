#include "app/qt/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cmath>
#include <functional>

#include "app/Mainunit.h"
#include "app/chart/render/colors.h"
#include "app/controls/application.h"
#include "app/qt/about.h"
#include "app/qt/chart_view.h"
#include "app/report/station_report.h"
#include "core/serial_date.h"
#include "core/text.h"

namespace {

QString Text(const std::string& s) { return QString::fromStdString(DisplayText(s)); }

// Runs `update` whenever the model changes, for as long as the widget lives.
template <class W, class F>
void Follow(TComponent* model, W* widget, F update) {
  QPointer<W> guard(widget);
  model->AddObserver([guard, update] {
    if (guard) update(guard.data());
  });
  update(widget);
}

QDate ToQDate(double serial) {
  int y = 0, m = 0, d = 0;
  DecodeDate(serial, y, m, d);
  return QDate(y, m, d);
}

double FromQDate(const QDate& date) { return EncodeDate(date.year(), date.month(), date.day()); }

// A container whose size Qt decides (the window, a tab page): it tells its
// model, which then lays out the children.
class ModelContainer : public QWidget {
 public:
  ModelContainer(TWinControl* model, bool sizedByQt, QWidget* parent)
      : QWidget(parent), model_(model), sizedByQt_(sizedByQt) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    if (sizedByQt_) model_->SetBounds(model_->Left, model_->Top, event->size().width(), event->size().height());
  }

 private:
  TWinControl* model_;
  bool sizedByQt_;
};

// Dragging the splitter moves the bottom edge of the control aligned above it.
class SplitterWidget : public QWidget {
 public:
  SplitterWidget(TSplitter* model, QWidget* parent) : QWidget(parent), model_(model) {
    setCursor(Qt::SplitVCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { lastY_ = e->globalPosition().y(); }
  void mouseMoveEvent(QMouseEvent* e) override {
    TControl* above = ControlAbove();
    if (!above || !(e->buttons() & Qt::LeftButton)) return;
    const double y = e->globalPosition().y();
    above->SetHeight(std::max(20, above->Height + static_cast<int>(std::lround(y - lastY_))));
    lastY_ = y;
  }

 private:
  TControl* ControlAbove() const {
    TControl* above = nullptr;
    for (TControl* c : model_->Parent()->Controls()) {
      if (c == model_) break;
      if (c->Align == TAlign::alTop) above = c;
    }
    return above;
  }
  TSplitter* model_;
  double lastY_ = 0;
};

TUpDown* UpDownOf(const TEdit* edit) {
  for (TControl* c : edit->Parent()->Controls())
    if (auto* upDown = dynamic_cast<TUpDown*>(c); upDown && upDown->Associate == edit) return upDown;
  return nullptr;
}

QWidget* BuildButton(TButton* model, Workspace& workspace, QWidget* parent) {
  QAbstractButton* button = nullptr;
  if (dynamic_cast<TSpeedButton*>(model)) {
    auto* tool = new QToolButton(parent);
    tool->setIcon(tool->style()->standardIcon(QStyle::SP_DialogSaveButton));
    button = tool;
  } else {
    button = new QPushButton(parent);
  }
  Follow(model, button, [model](QAbstractButton* b) {
    if (!model->Caption.empty() || !dynamic_cast<TSpeedButton*>(model)) b->setText(Text(model->Caption));
    b->setToolTip(Text(model->Hint));
  });
  QObject::connect(button, &QAbstractButton::clicked, [model, &workspace] { workspace.Press(model); });
  return button;
}

QWidget* BuildCheckBox(TCheckBox* model, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  Follow(model, box, [model](QCheckBox* b) {
    const QSignalBlocker block(b);
    b->setText(Text(model->Caption));
    b->setToolTip(Text(model->Hint));
    b->setChecked(model->Checked);
  });
  QObject::connect(box, &QCheckBox::clicked, [model](bool checked) {
    RunUserAction([model, checked] { model->UserSetChecked(checked); });
  });
  return box;
}

QWidget* BuildRadioButton(TRadioButton* model, QWidget* parent) {
  auto* radio = new QRadioButton(parent);
  Follow(model, radio, [model](QRadioButton* r) {
    const QSignalBlocker block(r);
    r->setText(Text(model->Caption));
    r->setChecked(model->Checked);
  });
  QObject::connect(radio, &QRadioButton::clicked, [model] {
    RunUserAction([model] { model->UserSelect(); });
  });
  return radio;
}

QWidget* BuildEdit(TEdit* model, QWidget* parent) {
  if (TUpDown* upDown = UpDownOf(model)) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(upDown->Min, upDown->Max);
    Follow(model, spin, [upDown](QSpinBox* s) {
      const QSignalBlocker block(s);
      s->setValue(upDown->GetPosition());
    });
    QObject::connect(spin, qOverload<int>(&QSpinBox::valueChanged), [model](int v) {
      RunUserAction([model, v] { model->SetText(std::to_string(v)); });
    });
    return spin;
  }
  auto* line = new QLineEdit(parent);
  Follow(model, line, [model](QLineEdit* l) {
    if (l->text() != Text(model->Text)) l->setText(Text(model->Text));
  });
  QObject::connect(line, &QLineEdit::textEdited, [model](const QString& t) {
    RunUserAction([model, t] { model->SetText(t.toLatin1().toStdString()); });
  });
  return line;
}

QWidget* BuildDatePicker(TDateTimePicker* model, QWidget* parent) {
  auto* edit = new QDateEdit(parent);
  edit->setCalendarPopup(true);
  edit->setDisplayFormat("dd/MM/yyyy");
  Follow(model, edit, [model](QDateEdit* e) {
    const QSignalBlocker block(e);
    e->setDate(ToQDate(model->DateTime));
    QPalette palette = e->palette();
    palette.setColor(QPalette::Base, ToQColor(model->Color));
    palette.setColor(QPalette::Text, ToQColor(model->FontColor));
    e->setPalette(palette);
  });
  QObject::connect(edit, &QDateEdit::dateChanged, [model](const QDate& date) {
    const double timeOfDay = model->DateTime - std::floor(model->DateTime);
    RunUserAction([model, date, timeOfDay] { model->UserSetDateTime(FromQDate(date) + timeOfDay); });
  });
  return edit;
}

QWidget* BuildList(TListBoxBase* model, QWidget* parent) {
  auto* list = new QListWidget(parent);
  Follow(model, list, [model](QListWidget* l) {
    l->clear();
    for (const std::string& item : model->Items) l->addItem(Text(item));
  });
  return list;
}

// The local files and folders a drag carries, as the loaders name them.
std::vector<std::string> LocalPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return paths;
}

// How often followed files are looked at, in milliseconds.
constexpr int kFollowInterval = 500;

}  // namespace

MainWindow::MainWindow(TMainForm& form) : form_(form), workspace_(form) {
  setWindowTitle(Text(form.Caption));
  setAcceptDrops(true);
  clock_.start();
  BuildChildren(&form, this);
  // The About box hangs on the desktop's help key: a menu bar or a button
  // would move what the form places.
  auto* about = new QAction(QStringLiteral("About Lumograph"), this);
  about->setShortcut(QKeySequence::HelpContents);
  connect(about, &QAction::triggered, this, [this] { ShowAbout(this); });
  addAction(about);
  auto* report = new QAction(QStringLiteral("Save report\u2026"), this);
  report->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  connect(report, &QAction::triggered, this, [this] { RunUserAction([this] { SaveStationReportAs(form_); }); });
  addAction(report);
  BindKeys();
  resize(form.Width, form.Height);
  setMinimumSize(820, 480);  // the shared strip shows whole, up to "Load DIR"
  move(form.Left, form.Top);
}

void MainWindow::BindKeys() {
  auto bind = [this](const QKeySequence& keys, std::function<void()> action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, std::move(action));
  };
  bind(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { workspace_.LoadOnCurrentTab(); });
  bind(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { workspace_.SaveCurrentTab(); });
  bind(QKeySequence(Qt::Key_F5), [this] { workspace_.ReloadCurrentTab(); });
  bind(QKeySequence(Qt::Key_Escape), [this] { workspace_.ResetZoomOnCurrentTab(); });
  for (int n = 1; n <= 9; ++n)
    bind(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + n)), [this, n] { workspace_.SelectTab(n); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalPaths(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  for (const std::string& path : paths) workspace_.Drop(path);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  form_.SetBounds(form_.Left, form_.Top, event->size().width(), event->size().height());
}

void MainWindow::BuildChildren(TWinControl* container, QWidget* widget) {
  for (TControl* child : container->Controls()) Build(child, widget);
}

QWidget* MainWindow::Build(TControl* control, QWidget* parent) {
  QWidget* widget = nullptr;
  if (auto* pages = dynamic_cast<TPageControl*>(control)) {
    widget = BuildPageControl(pages, parent);
  } else if (auto* chart = dynamic_cast<TChart*>(control)) {
    widget = new ChartView(*chart, workspace_, parent);
    BuildChildren(chart, widget);
  } else if (auto* group = dynamic_cast<TGroupBox*>(control)) {
    auto* box = new QGroupBox(Text(group->Caption), parent);
    BuildChildren(group, box);
    widget = box;
  } else if (auto* container = dynamic_cast<TWinControl*>(control)) {
    widget = new ModelContainer(container, false, parent);
    BuildChildren(container, widget);
  } else {
    widget = BuildLeaf(control, parent);
  }
  if (widget) BindGeometry(control, widget);
  return widget;
}

QWidget* MainWindow::BuildLeaf(TControl* control, QWidget* parent) {
  if (auto* button = dynamic_cast<TButton*>(control)) return BuildButton(button, workspace_, parent);
  if (auto* box = dynamic_cast<TCheckBox*>(control)) return BuildCheckBox(box, parent);
  if (auto* radio = dynamic_cast<TRadioButton*>(control)) return BuildRadioButton(radio, parent);
  if (auto* edit = dynamic_cast<TEdit*>(control)) return BuildEdit(edit, parent);
  if (auto* picker = dynamic_cast<TDateTimePicker*>(control)) return BuildDatePicker(picker, parent);
  if (auto* list = dynamic_cast<TListBoxBase*>(control)) return BuildList(list, parent);
  if (auto* splitter = dynamic_cast<TSplitter*>(control)) return new SplitterWidget(splitter, parent);
  if (auto* bar = dynamic_cast<TStatusBar*>(control)) return BuildStatusBar(bar, parent);
  if (dynamic_cast<TLabel*>(control)) {
    auto* label = new QLabel(parent);
    Follow(control, label, [control](QLabel* l) { l->setText(Text(control->Caption)); });
    return label;
  }
  return nullptr;  // an up-down is part of its edit's spin box
}

// The status bar's text, and at its right end the switch for following files,
// which the form does not place.
QWidget* MainWindow::BuildStatusBar(TStatusBar* model, QWidget* parent) {
  auto* bar = new QWidget(parent);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 0, 4, 0);
  auto* text = new QLabel(bar);
  Follow(model, text, [model](QLabel* l) { l->setText(Text(model->SimpleText)); });
  row->addWidget(text, 1);
  auto* follow = new QCheckBox("Follow files", bar);
  follow->setToolTip("Load a file again when it changes on disk");
  connect(follow, &QCheckBox::toggled, this, [this](bool on) { workspace_.SetFollowing(on); });
  row->addWidget(follow);
  auto* timer = new QTimer(bar);
  connect(timer, &QTimer::timeout, this, [this] { workspace_.Poll(clock_.elapsed() / 1000.0); });
  timer->start(kFollowInterval);
  return bar;
}

QWidget* MainWindow::BuildPageControl(TPageControl* pages, QWidget* parent) {
  auto* tabs = new QTabWidget(parent);
  if (pages->TabsAtBottom) tabs->setTabPosition(QTabWidget::South);
  for (TTabSheet* sheet : pages->Pages) {
    auto* page = new ModelContainer(sheet, true, nullptr);
    BuildChildren(sheet, page);
    const int index = tabs->addTab(page, Text(sheet->Caption));
    tabs->setTabVisible(index, sheet->TabVisible);
    tabs->setTabEnabled(index, sheet->Enabled);
  }
  Follow(pages, tabs, [pages](QTabWidget* t) {
    const QSignalBlocker block(t);
    t->setCurrentIndex(pages->ActivePageIndex);
  });
  QObject::connect(tabs, &QTabWidget::currentChanged, [pages](int index) { pages->SetActivePageIndex(index); });
  return tabs;
}

void MainWindow::BindGeometry(TControl* control, QWidget* widget) {
  Follow(control, widget, [control](QWidget* w) {
    w->setGeometry(control->Left, control->Top, control->Width, control->Height);
    w->setVisible(control->Visible);
    w->setEnabled(control->Enabled);
  });
}
