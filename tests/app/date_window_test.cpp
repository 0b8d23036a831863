#include <gtest/gtest.h>

#include <QDateEdit>
#include <QPalette>

#include "app/controls/application.h"
#include "app/qt/main_window.h"
#include "core/serial_date.h"
#include "reports/daily/dt_avg.h"
#include "tests/support/test_support.h"

namespace {

TEST(DateWindow, BothEndsAreInclusiveAndTheFullValuesAreCompared) {
  struct Case {
    double start, end, date;
    bool inside;
  };
  const double jan2 = Day(2019, 1, 2), jan4 = Day(2019, 1, 4);
  const Case cases[] = {
      // pickers at midnight
      {jan2, jan4, jan2, true},
      {jan2, jan4, jan4, true},
      {jan2, jan4, jan2 - 0.001, false},
      {jan2, jan4, jan4 + 0.5, false},  // later on the last day
      {jan2, jan4, Day(2019, 1, 3), true},
      // pickers holding a time of day: 06:00 and 12:00
      {jan2 + 0.25, jan4 + 0.5, jan2, false},
      {jan2 + 0.25, jan4 + 0.5, jan2 + 0.25, true},
      {jan2 + 0.25, jan4 + 0.5, jan4, true},
      {jan2 + 0.25, jan4 + 0.5, jan4 + 0.5, true},
      {jan2 + 0.25, jan4 + 0.5, jan4 + 0.75, false},
      // start after end: nothing passes
      {jan4, jan2, Day(2019, 1, 3), false},
      {jan4, jan2, jan2, false},
      {jan4, jan2, jan4, false},
  };
  FormFixture f;
  for (const Case& c : cases) {
    f.SetWindow(c.start, c.end);
    EXPECT_EQ(f.form->InDateWindow(c.date), c.inside)
        << "window " << c.start << " .. " << c.end << ", date " << c.date;
  }
}

TEST(DateWindow, StrictLimitsForceAnAxisOnlyWhenTicked) {
  FormFixture f;
  f.SetWindow(Day(2018, 1, 1) + 0.25, Day(2020, 1, 1) + 0.5);
  TChartAxis& axis = f.form->Dt->DTGraph->BottomAxis;
  axis.SetAutomatic(true);

  f.form->ApplyStrictDate(axis);
  EXPECT_TRUE(axis.Automatic);

  f.form->StrictDate->SetChecked(true);
  f.form->ApplyStrictDate(axis);
  EXPECT_FALSE(axis.Automatic);
  EXPECT_EQ(axis.Minimum, Day(2018, 1, 1) + 0.25);
  EXPECT_EQ(axis.Maximum, Day(2020, 1, 1) + 0.5);

  // start after end is passed on as it is, without an error
  f.SetWindow(Day(2021, 1, 1), Day(2019, 1, 1));
  EXPECT_TRUE(RunUserAction([&] { f.form->ApplyStrictDate(axis); }));
  EXPECT_EQ(axis.Minimum, Day(2021, 1, 1));
  EXPECT_EQ(axis.Maximum, Day(2019, 1, 1));
}

TEST(DateWindow, AStartOtherThanTheFirstOf1980IsMarkedRed) {
  struct Case {
    double start;
    TColor color, font;
  };
  const double design = Day(1980, 1, 1);
  const Case cases[] = {
      {design, clWhite, clBlack},
      {design + 0.5, clRed, clWhite},  // same day, another time
      {design + 1, clRed, clWhite},
      {design - 1, clRed, clWhite},
      {Day(2018, 7, 21), clRed, clWhite},
  };
  FormFixture f;
  TDateTimePicker* start = f.form->StartingDate;
  for (const Case& c : cases) {
    start->SetDateTime(c.start);
    f.form->StartingDateChange(start);
    EXPECT_EQ(start->Color, c.color) << c.start;
    EXPECT_EQ(start->FontColor, c.font) << c.start;
  }
}

TEST(DateWindow, ChangingTheEndDateLooksOnlyAtTheStartDate) {
  FormFixture f;
  TDateTimePicker* start = f.form->StartingDate;
  TDateTimePicker* end = f.form->EndDate;
  ASSERT_TRUE(end->OnChange);
  start->SetDateTime(Day(2000, 1, 1));
  end->SetDateTime(Day(1980, 1, 1));
  end->OnChange(end);
  EXPECT_EQ(start->Color, clRed);
  EXPECT_EQ(end->Color, clWhite);  // the end picker itself is never coloured

  start->SetDateTime(Day(1980, 1, 1));
  end->SetDateTime(Day(2030, 1, 1));
  end->OnChange(end);
  EXPECT_EQ(start->Color, clWhite);
  EXPECT_EQ(start->FontColor, clBlack);
}

// The Qt date edit showing `date`; null unless exactly one does.
QDateEdit* EditShowing(const QWidget& window, const QDate& date) {
  QDateEdit* found = nullptr;
  for (QDateEdit* edit : window.findChildren<QDateEdit*>()) {
    if (edit->date() != date) continue;
    if (found) return nullptr;
    found = edit;
  }
  return found;
}

TEST(DateWindow, TheWindowShowsTheStartPickersColours) {
  FormFixture f;
  f.form->StartingDate->SetDateTime(Day(1999, 9, 9));
  MainWindow window(*f.form);
  QDateEdit* edit = EditShowing(window, QDate(1999, 9, 9));
  ASSERT_NE(edit, nullptr);

  // The user picks days: the model follows and the edit shows its colours.
  edit->setDate(QDate(2019, 3, 1));
  EXPECT_EQ(f.form->StartingDate->DateTime, Day(2019, 3, 1));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::red));
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::white));

  edit->setDate(QDate(1980, 1, 1));
  EXPECT_EQ(f.form->StartingDate->DateTime, Day(1980, 1, 1));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
}

}  // namespace
