#include "app/controls/controls.h"

#include <algorithm>
#include <cmath>

#include "core/file_mask.h"
#include "core/serial_date.h"
#include "core/text.h"

void TComponent::Changed() const {
  for (const auto& observer : observers_) observer();
}

TControl::TControl(std::string name, TWinControl* parent)
    : TComponent(std::move(name)), parent_(parent) {
  if (parent_) parent_->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool resized = width != Width || height != Height;
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  if (resized) Resized();
  if (parent_ && Align != TAlign::alNone && resized) parent_->Realign();
  Changed();
}

void TControl::SetVisible(bool v) {
  Visible = v;
  if (parent_ && Align != TAlign::alNone) parent_->Realign();
  Changed();
}

void TControl::SetEnabled(bool v) {
  Enabled = v;
  Changed();
}

void TControl::SetCaption(const std::string& v) {
  Caption = v;
  Changed();
}

void TControl::SetColor(TColor v) {
  Color = v;
  Changed();
}

void TControl::SetFontColor(TColor v) {
  FontColor = v;
  Changed();
}

void TWinControl::ClientRect(int& left, int& top, int& width, int& height) const {
  left = 0;
  top = 0;
  width = Width;
  height = Height;
}

void TWinControl::Realign() {
  int left, top, width, height;
  ClientRect(left, top, width, height);
  const int clientBottom = top + height;
  int right = left + width, bottom = clientBottom;
  // Each aligned child takes its strip off the remaining area, edges first,
  // then the client-aligned ones share what is left.
  auto place = [](TControl* c, int l, int t, int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (c->Left == l && c->Top == t && c->Width == w && c->Height == h) return;
    const TAlign keep = c->Align;
    c->Align = TAlign::alNone;  // no realign of this container from inside
    c->SetBounds(l, t, w, h);
    c->Align = keep;
  };
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight}) {
    for (TControl* c : controls_) {
      if (!c->Visible || c->Align != pass) continue;
      switch (pass) {
        case TAlign::alTop:
          place(c, left, top, right - left, c->Height);
          top += c->Height;
          break;
        case TAlign::alBottom:
          place(c, left, bottom - c->Height, right - left, c->Height);
          bottom -= c->Height;
          break;
        case TAlign::alLeft:
          place(c, left, top, c->Width, bottom - top);
          left += c->Width;
          break;
        default:
          place(c, right - c->Width, top, c->Width, bottom - top);
          right -= c->Width;
          break;
      }
    }
  }
  for (TControl* c : controls_)
    if (c->Visible && c->Align == TAlign::alClient) place(c, left, top, right - left, bottom - top);
  for (TControl* c : controls_)
    if (c->Align == TAlign::alNone && c->BottomMargin >= 0)
      place(c, c->Left, clientBottom - c->BottomMargin - c->Height, c->Width, c->Height);
}

void TGroupBox::ClientRect(int& left, int& top, int& width, int& height) const {
  // Room for the caption above and the frame around.
  left = 4;
  top = 16;
  width = std::max(Width - 8, 0);
  height = std::max(Height - 20, 0);
}

void TCheckBox::SetChecked(bool v) {
  Checked = v;
  Changed();
}

void TRadioButton::SetChecked(bool v) {
  Checked = v;
  if (v && Parent()) {
    for (TControl* c : Parent()->Controls()) {
      auto* other = dynamic_cast<TRadioButton*>(c);
      if (other && other != this && other->Checked) {
        other->Checked = false;
        other->Changed();
      }
    }
  }
  Changed();
}

void TEdit::SetText(const std::string& v) {
  Text = v;
  Changed();
  if (OnChange) OnChange(this);
}

void TUpDown::SetPosition(int v) {
  position_ = std::clamp(v, Min, Max);
  Changed();
  if (Associate) Associate->SetText(std::to_string(position_));
}

int TUpDown::GetPosition() const {
  int v = 0;
  if (Associate && TryStrToInt(Trim(Associate->Text), v) && v >= Min && v <= Max) return v;
  return position_;
}

TDateTimePicker::TDateTimePicker(std::string name, TWinControl* parent)
    : TControl(std::move(name), parent) {
  DateTime = EncodeDate(1980, 1, 1);
  Color = clWhite;
}

void TDateTimePicker::SetDateTime(double v) {
  DateTime = v;
  Changed();
}

void TDateTimePicker::SetDate(double v) {
  const double timeOfDay = DateTime - std::floor(DateTime);
  SetDateTime(std::floor(v) + timeOfDay);
}

double TDateTimePicker::GetDate() const { return std::floor(DateTime); }

void TListBoxBase::Clear() {
  Items.clear();
  Changed();
}

void TListBoxBase::Add(const std::string& item) {
  Items.push_back(item);
  Changed();
}

void TFileListBox::SetDirectory(const std::string& dir) {
  Directory = dir;
  Update();
}

void TFileListBox::SetMask(const std::string& mask) {
  Mask = mask;
  Update();
}

void TFileListBox::Update() {
  Items = Directory.empty() ? std::vector<std::string>{} : ListMatchingFiles(Directory, Mask);
  Changed();
}

void TTabSheet::Resized() {
  TWinControl::Resized();
  if (OnResize) OnResize(this);
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(Pages.size())) return;
  ActivePageIndex = index;
  Changed();
}

void TPageControl::ClientRect(int& left, int& top, int& width, int& height) const {
  left = 2;
  top = TabsAtBottom ? 2 : kTabRowHeight;
  width = std::max(Width - 4, 0);
  height = std::max(Height - kTabRowHeight - 4, 0);
}
