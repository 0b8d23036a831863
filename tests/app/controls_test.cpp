#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/controls/controls.h"
#include "app/controls/platform.h"
#include "tests/support/test_support.h"

namespace {

TEST(Controls, AlignedChildrenShareTheParentInCreationOrder) {
  TPanel form("form", nullptr);
  TPanel top("top", &form);
  top.Align = TAlign::alTop;
  top.Height = 30;
  TPanel bottom("bottom", &form);
  bottom.Align = TAlign::alBottom;
  bottom.Height = 20;
  TPanel left("left", &form);
  left.Align = TAlign::alLeft;
  left.Width = 100;
  TPanel client("client", &form);
  client.Align = TAlign::alClient;
  TPanel loose("loose", &form);
  loose.SetBounds(5, 6, 7, 8);

  form.SetBounds(0, 0, 400, 300);
  struct Rect {
    const TControl& c;
    int l, t, w, h;
  };
  const Rect expected[] = {
      {top, 0, 0, 400, 30},     {bottom, 0, 280, 400, 20}, {left, 0, 30, 100, 250},
      {client, 100, 30, 300, 250}, {loose, 5, 6, 7, 8},
  };
  for (const Rect& r : expected) {
    SCOPED_TRACE(r.c.Name);
    EXPECT_EQ(r.c.Left, r.l);
    EXPECT_EQ(r.c.Top, r.t);
    EXPECT_EQ(r.c.Width, r.w);
    EXPECT_EQ(r.c.Height, r.h);
  }
  top.SetHeight(50);  // the others make room
  EXPECT_EQ(client.Top, 50);
  EXPECT_EQ(client.Height, 230);
  top.SetVisible(false);
  EXPECT_EQ(client.Top, 0);
}

TEST(Controls, RadioButtonsOfOneParentExcludeEachOther) {
  TPanel group1("g1", nullptr), group2("g2", nullptr);
  TRadioButton a("a", &group1), b("b", &group1), c("c", &group2);
  a.SetChecked(true);
  c.SetChecked(true);
  b.SetChecked(true);
  EXPECT_FALSE(a.Checked);
  EXPECT_TRUE(b.Checked);
  EXPECT_TRUE(c.Checked);
}

TEST(Controls, UpDownWritesItsEditAndReadsItBack) {
  TPanel parent("p", nullptr);
  TEdit edit("edit", &parent);
  TUpDown upDown("upDown", &parent);
  upDown.Min = 0;
  upDown.Max = 200;
  upDown.Associate = &edit;
  std::vector<std::string> seen;
  edit.OnChange = [&](TObject*) { seen.push_back(edit.Text); };

  upDown.SetPosition(250);
  upDown.SetPosition(-5);
  upDown.SetPosition(-5);  // the same text still announces a change
  EXPECT_EQ(seen, (std::vector<std::string>{"200", "0", "0"}));

  struct Case {
    const char* text;
    int position;
  };
  const Case cases[] = {{"42", 42}, {" 17 ", 17}, {"300", 0}, {"abc", 0}, {"", 0}};
  for (const Case& c : cases) {
    edit.SetText(c.text);
    EXPECT_EQ(upDown.GetPosition(), c.position) << c.text;
  }
}

TEST(Controls, DatePickerKeepsTheTimeOfDayWhenTheDateIsSet) {
  TPanel parent("p", nullptr);
  TDateTimePicker picker("picker", &parent);
  EXPECT_EQ(picker.DateTime, Day(1980, 1, 1));
  picker.SetDateTime(Day(2019, 1, 1) + 0.25);
  picker.SetDate(Day(2020, 2, 2));
  EXPECT_DOUBLE_EQ(picker.DateTime, Day(2020, 2, 2) + 0.25);
  EXPECT_EQ(picker.GetDate(), Day(2020, 2, 2));
}

TEST(Controls, FileListShowsMatchesInCaseInsensitiveOrder) {
  TempDir dir;
  for (const char* name : {"sloavg19.185", "SLOAVG.185", "Sloavg18.185", "dtoavg19.185", "slxavg.1"})
    dir.Write(name, "");
  TFileListBox list("list", nullptr);
  list.SetDirectory(dir.Path());
  list.SetMask("sloavg*.*");
  EXPECT_EQ(list.Items, (std::vector<std::string>{"SLOAVG.185", "Sloavg18.185", "sloavg19.185"}));
  list.SetMask("*.185");
  EXPECT_EQ(list.Items.size(), 4u);
  list.SetDirectory(dir.Path() + "/missing");
  EXPECT_TRUE(list.Items.empty());
}

}  // namespace

namespace {

TEST(Controls, AUserActionSetsTheStateBeforeItsEventRuns) {
  TPanel form("form", nullptr);
  TCheckBox box("box", &form);
  TRadioButton first("first", &form), second("second", &form);
  TDateTimePicker picker("picker", &form);
  std::vector<std::string> seen;
  box.OnClick = [&](TObject*) { seen.push_back(box.Checked ? "box on" : "box off"); };
  second.OnClick = [&](TObject*) { seen.push_back(first.Checked ? "first" : "second"); };
  picker.OnChange = [&](TObject*) { seen.push_back(std::to_string(static_cast<int>(picker.DateTime))); };

  first.SetChecked(true);
  box.UserSetChecked(true);
  box.UserSetChecked(false);
  second.UserSelect();
  picker.UserSetDateTime(43000);
  const std::vector<std::string> expected = {"box on", "box off", "second", "43000"};
  EXPECT_EQ(seen, expected);
}

TEST(Controls, AFormInstallsItsPlatformUntilItGoes) {
  {
    FormFixture f;
    EXPECT_EQ(&CurrentPlatform(), &f.platform);
    EXPECT_EQ(Date(), Day(2020, 6, 1));
  }
  EXPECT_THROW(CurrentPlatform(), std::logic_error);
}

}  // namespace
