#pragma once
// Control models: the state handlers read and write, and their events. No Qt
// here; the front end binds widgets to these models through their observers.

#include <functional>
#include <string>
#include <vector>

using TColor = int;
inline constexpr TColor clBlack = 0;
inline constexpr TColor clMaroon = 128;
inline constexpr TColor clGreen = 32768;
inline constexpr TColor clOlive = 32896;
inline constexpr TColor clNavy = 8388608;
inline constexpr TColor clPurple = 8388736;
inline constexpr TColor clTeal = 8421376;
inline constexpr TColor clGray = 8421504;
inline constexpr TColor clSilver = 12632256;
inline constexpr TColor clRed = 255;
inline constexpr TColor clLime = 65280;
inline constexpr TColor clYellow = 65535;
inline constexpr TColor clBlue = 16711680;
inline constexpr TColor clFuchsia = 16711935;
inline constexpr TColor clAqua = 16776960;
inline constexpr TColor clWhite = 16777215;
inline constexpr TColor clOrange = 42495;  // 0x00A5FF
// Given as a point's colour: draw the point in its series' colour.
inline constexpr TColor clTeeColor = 536870912;
// A control that takes the colour of the window.
inline constexpr TColor clBtnFace = -16777201;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TWinControl;

// A named part of the form. Observers are told of every change so that a
// bound widget can follow; they never change the model back.
class TComponent : public TObject {
 public:
  explicit TComponent(std::string name) : Name(std::move(name)) {}
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string Name;

  using Observer = std::function<void()>;
  void AddObserver(Observer observer) { observers_.push_back(std::move(observer)); }
  void Changed() const;

 private:
  std::vector<Observer> observers_;
};

class TControl : public TComponent {
 public:
  TControl(std::string name, TWinControl* parent);

  TWinControl* Parent() const { return parent_; }

  int Left = 0, Top = 0, Width = 0, Height = 0;
  TAlign Align = TAlign::alNone;
  // An unaligned control with a bottom margin keeps that distance to the
  // bottom of its parent when the parent is resized.
  int BottomMargin = -1;
  bool Visible = true;
  bool Enabled = true;
  std::string Caption;
  std::string Hint;
  TColor Color = clBtnFace;
  TColor FontColor = clBlack;

  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top, Width, Height); }
  void SetTop(int v) { SetBounds(Left, v, Width, Height); }
  void SetWidth(int v) { SetBounds(Left, Top, v, Height); }
  void SetHeight(int v) { SetBounds(Left, Top, Width, v); }
  void SetVisible(bool v);
  void SetEnabled(bool v);
  void SetCaption(const std::string& v);
  void SetColor(TColor v);
  void SetFontColor(TColor v);

 protected:
  // The size changed: containers lay out their children again.
  virtual void Resized() {}

 private:
  TWinControl* parent_;
};

// A control that holds others and lays them out by their Align.
class TWinControl : public TControl {
 public:
  using TControl::TControl;
  const std::vector<TControl*>& Controls() const { return controls_; }
  void InsertControl(TControl* child) { controls_.push_back(child); }
  // Places the aligned children in the client area, in creation order.
  void Realign();
  // The area children are laid out in; a page control leaves room for its tabs.
  virtual void ClientRect(int& left, int& top, int& width, int& height) const;

 protected:
  void Resized() override { Realign(); }

 private:
  std::vector<TControl*> controls_;
};

class TPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;
};

class TGroupBox : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void ClientRect(int& left, int& top, int& width, int& height) const override;
};

class TLabel : public TControl {
 public:
  using TControl::TControl;
};

class TButton : public TControl {
 public:
  using TControl::TControl;
  TNotifyEvent OnClick;
  void Click() { if (OnClick) OnClick(this); }
};

// A flat tool button; on this form the save buttons, drawn with a disk glyph.
class TSpeedButton : public TButton {
 public:
  using TButton::TButton;
};

class TCheckBox : public TControl {
 public:
  using TControl::TControl;
  bool Checked = false;
  TNotifyEvent OnClick;
  // Setting the state from code does not run OnClick; a user's click does both.
  void SetChecked(bool v);
  void Click() { if (OnClick) OnClick(this); }
  // What a user's click does: the new state, then OnClick.
  void UserSetChecked(bool v) {
    SetChecked(v);
    Click();
  }
};

class TRadioButton : public TControl {
 public:
  using TControl::TControl;
  bool Checked = false;
  TNotifyEvent OnClick;
  // Checking one radio button clears the others of the same parent.
  void SetChecked(bool v);
  void Click() { if (OnClick) OnClick(this); }
  // What a user's click does: selected, then OnClick.
  void UserSelect() {
    SetChecked(true);
    Click();
  }
};

class TEdit : public TControl {
 public:
  using TControl::TControl;
  std::string Text;
  TNotifyEvent OnChange;
  // Like the platform's edit, every assignment runs OnChange, even of the same text.
  void SetText(const std::string& v);
};

// A spin control bound to an edit: its position is the edit's number.
class TUpDown : public TControl {
 public:
  using TControl::TControl;
  int Min = 0, Max = 100;
  TEdit* Associate = nullptr;
  // Clamped to Min..Max; writes the edit's text, which runs the edit's OnChange.
  void SetPosition(int v);
  // What the edit shows when that is a whole number in range, else the last position.
  int GetPosition() const;

 private:
  int position_ = 0;
};

class TDateTimePicker : public TControl {
 public:
  TDateTimePicker(std::string name, TWinControl* parent);
  double DateTime = 0;  // serial date
  TNotifyEvent OnChange;
  // Setting from code does not run OnChange; a user's edit does.
  void SetDateTime(double v);
  void UserSetDateTime(double v) {
    SetDateTime(v);
    if (OnChange) OnChange(this);
  }
  void SetDate(double v);  // keeps the time of day the picker holds
  double GetDate() const;  // midnight of the held day
};

class TListBoxBase : public TControl {
 public:
  using TControl::TControl;
  std::vector<std::string> Items;
  void Clear();
  void Add(const std::string& item);
};

class TCheckListBox : public TListBoxBase {
 public:
  using TListBoxBase::TListBoxBase;
  std::vector<bool> CheckedItems;
};

// Lists the files of a folder that match a mask, sorted case-insensitively.
class TFileListBox : public TListBoxBase {
 public:
  using TListBoxBase::TListBoxBase;
  std::string Directory;
  std::string Mask = "*.*";
  void SetDirectory(const std::string& dir);
  void SetMask(const std::string& mask);

 private:
  void Update();
};

class TTabSheet : public TWinControl {
 public:
  using TWinControl::TWinControl;
  bool TabVisible = true;
  // Runs after the sheet has laid out its aligned children at a new size.
  TNotifyEvent OnResize;

 protected:
  void Resized() override;
};

class TPageControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  bool TabsAtBottom = false;
  std::vector<TTabSheet*> Pages;
  int ActivePageIndex = 0;
  void SetActivePageIndex(int index);
  void ClientRect(int& left, int& top, int& width, int& height) const override;
};

class TSplitter : public TControl {
 public:
  using TControl::TControl;
};

class TStatusBar : public TControl {
 public:
  using TControl::TControl;
  std::string SimpleText;
};

// Height of the tab row of a page control in the form's layout.
inline constexpr int kTabRowHeight = 24;
