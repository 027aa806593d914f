// Day numbers and the date picker with its calendar, driven by synthetic
// mouse input.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/combo_box.h"
#include "gui/date.h"
#include "gui/menu.h"
#include "gui/table.h"
#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;
using kit_test::SeenEvent;

TEST(DayNumber, CountsFromTheFirstOfJanuary1900) {
    EXPECT_EQ(kit_DayNumber(1, 1, 1900), 0);
    EXPECT_EQ(kit_DayNumber(2, 1, 1900), 1);
    EXPECT_EQ(kit_DayNumber(31, 12, 1899), -1);
    EXPECT_EQ(kit_DayNumber(1, 3, 2008), 39506);
    EXPECT_EQ(kit_DayNumber(1, 1, 2000), 36524);
    // Out-of-range days roll over into the next month.
    EXPECT_EQ(kit_DayNumber(30, 2, 2001), kit_DayNumber(2, 3, 2001));
    EXPECT_EQ(kit_Weekday(0), 1) << "1 January 1900 was a Monday";
    EXPECT_EQ(kit_Weekday(39506), 6) << "1 March 2008 was a Saturday";
    EXPECT_EQ(kit_Weekday(-1), 0) << "31 December 1899 was a Sunday";
    EXPECT_EQ(kit_MonthName(1), "January");
    EXPECT_EQ(kit_MonthName(12), "December");
    EXPECT_EQ(kit_MonthName(13), "");
}

TEST(DayNumber, LeapYearsFollowTheGregorianRule) {
    EXPECT_EQ(kit_DaysInMonth(2, 1900), 28) << "a century";
    EXPECT_EQ(kit_DaysInMonth(2, 2000), 29) << "a fourth century";
    EXPECT_EQ(kit_DaysInMonth(2, 2008), 29);
    EXPECT_EQ(kit_DaysInMonth(2, 2007), 28);
    EXPECT_EQ(kit_DaysInMonth(2, 2100), 28);
    EXPECT_EQ(kit_DaysInMonth(12, 2007), 31);
    EXPECT_EQ(kit_DaysInMonth(4, 2007), 30);
    EXPECT_EQ(kit_DayNumber(1, 1, 2001) - kit_DayNumber(1, 1, 2000), 366);
    EXPECT_EQ(kit_DayNumber(1, 1, 1901) - kit_DayNumber(1, 1, 1900), 365);
}

TEST(DayNumber, EveryDayFrom1900To2100RoundTripsAndFollowsTheDayBefore) {
    const int last = kit_DayNumber(31, 12, 2100);
    int prevDay = 31, prevMonth = 12, prevYear = 1899;
    for (int n = 0; n <= last; ++n) {
        int d = 0, m = 0, y = 0;
        kit_DayNumberToDMY(n, d, m, y);
        ASSERT_EQ(kit_DayNumber(d, m, y), n) << d << "." << m << "." << y;
        // Each day is the day after the one before: the next day of the
        // month, or the first of the next month or year.
        if (d == 1) {
            ASSERT_EQ(prevDay, kit_DaysInMonth(prevMonth, prevYear)) << n;
            ASSERT_EQ(m, prevMonth == 12 ? 1 : prevMonth + 1) << n;
            ASSERT_EQ(y, prevMonth == 12 ? prevYear + 1 : prevYear) << n;
        } else {
            ASSERT_EQ(d, prevDay + 1) << n;
            ASSERT_EQ(m, prevMonth) << n;
            ASSERT_EQ(y, prevYear) << n;
        }
        ASSERT_EQ(kit_Weekday(n), (n + 1) % 7);
        prevDay = d;
        prevMonth = m;
        prevYear = y;
    }
    EXPECT_EQ(prevYear, 2100);
    EXPECT_EQ(last, 73413);
}

// A 1024 x 768 kit with a full-screen panel holding the date "birthday" at
// (100, 100), 150 x 24, for the years 2008 to 2012.
class DateTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        panel = FullScreenPanel();
        date = kit_CreateDate("birthday", 100, 100, 150, 24, 2008, 2012, panel);
        calendar = date->Panel;
        kit_SetScreen("S");
        Drain();
    }
    /// Screen position of the middle of a day cell of the open calendar.
    int CellX(int column) const { return static_cast<int>(calendar->X) + 5 + 25 * column + 11; }
    int CellY(int row) const { return static_cast<int>(calendar->Y) + 30 + 20 + 20 * row + 9; }
    /// Makes the calendar show a month of the year range and lets it refill.
    void ShowMonth(int month, int year) {
        calendar->MonthBox->Select(month - 1);
        calendar->YearBox->Select(year - calendar->FirstYear);
        Frame(700, 20, false);
    }

    std::shared_ptr<kit_TPanel> panel;
    std::shared_ptr<kit_TDate> date;
    std::shared_ptr<kit_TDatePanel> calendar;
};

TEST_F(DateTest, SettingADateGivesItsNumberAndText) {
    EXPECT_EQ(date->DateText, "");
    EXPECT_EQ(date->GetDate(), 0);
    date->SetDateDMY(1, 3, 2008);
    EXPECT_EQ(date->GetDate(), 39506);
    EXPECT_EQ(date->DateText, "1 March 2008");
    date->SetDateDMY(1, 1, 1900);
    EXPECT_EQ(date->GetDate(), 0);
    EXPECT_EQ(date->DateText, "1 January 1900");
    date->SetDateDMY(30, 2, 2001);
    EXPECT_EQ(date->DateText, "2 March 2001") << "the text shows the day the number means";
    date->SetDate(kit_DayNumber(5, 7, 999));
    EXPECT_EQ(date->DateText, "5 July 0999") << "four-digit years";
    EXPECT_EQ(kit_CreateDate("", 0, 0, 10, 10, 2000, 2001), nullptr);
}

TEST_F(DateTest, TheCalendarIsBuiltWithItsBoxesAndDayTable) {
    EXPECT_EQ(calendar->Hidden, 1);
    EXPECT_EQ(calendar->W, 180);
    EXPECT_EQ(calendar->H, 180);
    EXPECT_EQ(calendar->MonthBox->ItemCount(), 12);
    EXPECT_EQ(calendar->MonthBox->ItemText(8), "September");
    ASSERT_EQ(calendar->YearBox->ItemCount(), 5);
    EXPECT_EQ(calendar->YearBox->ItemText(0), "2008");
    EXPECT_EQ(calendar->YearBox->ItemText(4), "2012");
    EXPECT_EQ(calendar->MonthBox->GetSelectedText(), "January");
    EXPECT_EQ(calendar->YearBox->GetSelectedText(), "2008");
    const auto& days = calendar->Days;
    ASSERT_EQ(days->ColumnTitles.size(), 7u);
    EXPECT_EQ(days->ColumnTitles[0], "S");
    EXPECT_EQ(days->ColumnTitles[6], "S");
    EXPECT_EQ(days->W, 7 * 25 - 3);
    EXPECT_EQ(days->BackAlphas[2], 0.5f);
    EXPECT_EQ(days->ScrollBar->Hidden, 1) << "six weeks fit";
    // January 2008 began on a Tuesday.
    EXPECT_EQ(days->CellText(0, 1), "");
    EXPECT_EQ(days->CellText(0, 2), "1");

    // A range given backwards holds one year.
    calendar->SetYearRange(2010, 2001);
    EXPECT_EQ(calendar->LastYear, 2010);
    EXPECT_EQ(calendar->YearBox->ItemCount(), 1);
}

TEST_F(DateTest, AMonthStartingOnSaturdayNeedsSixWeeks) {
    ShowMonth(3, 2008);
    EXPECT_EQ(calendar->MonthIndex, 2);
    EXPECT_EQ(calendar->YearIndex, 0);
    const auto& days = calendar->Days;
    ASSERT_EQ(days->RowCount(), 6);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(days->CellText(0, c), "") << c;
    EXPECT_EQ(days->CellText(0, 6), "1");
    EXPECT_EQ(days->CellText(1, 0), "2");
    EXPECT_EQ(days->CellText(5, 0), "30");
    EXPECT_EQ(days->CellText(5, 1), "31");
    EXPECT_EQ(days->CellText(5, 2), "");

    // A leap February: 29 days, the 29th on a Friday; the rest is cleared.
    ShowMonth(2, 2008);
    EXPECT_EQ(days->CellText(0, 5), "1");
    EXPECT_EQ(days->CellText(4, 5), "29");
    EXPECT_EQ(days->CellText(4, 6), "");
    EXPECT_EQ(days->CellText(5, 0), "");
}

TEST_F(DateTest, ClickingADayChoosesItAndClosesTheCalendar) {
    Click(150, 110);
    EXPECT_EQ(calendar->Hidden, 0);
    EXPECT_EQ(calendar->X, 100);
    EXPECT_EQ(calendar->Y, 126) << "2 pixels below the date";
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    auto seen = Reports();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, kit_EventGadgetOpen);
    EXPECT_EQ(seen[0].source, "birthday:Panel");
    EXPECT_EQ(seen[1].id, kit_EventGadgetOpen);
    EXPECT_EQ(seen[1].source, "birthday");
    EXPECT_EQ(seen[1].data, 1);

    ShowMonth(3, 2010);
    Drain();
    // 1 March 2010 was a Monday: the 17th is a Wednesday of the third week.
    Click(CellX(3), CellY(2));
    EXPECT_EQ(calendar->Hidden, 1);
    EXPECT_EQ(date->GetDate(), kit_DayNumber(17, 3, 2010));
    EXPECT_EQ(date->DateText, "17 March 2010");
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0) << "choosing a date posts no GadgetSelect";
    ASSERT_EQ(Count(seen, kit_EventGadgetClose), 2);
    EXPECT_EQ(seen[0].source, "birthday");
    EXPECT_EQ(seen[1].source, "birthday:Panel");

    // An empty cell closes the calendar and changes nothing.
    Click(150, 110);
    ShowMonth(3, 2010);
    Click(CellX(0), CellY(0));
    EXPECT_EQ(calendar->Hidden, 1);
    EXPECT_EQ(date->DateText, "17 March 2010");
}

TEST_F(DateTest, TheMonthBoxInsideTheCalendarWorksAndOutsidePressesClose) {
    Click(150, 110);
    ASSERT_EQ(calendar->Hidden, 0);
    // The month box opens its menu; a row chooses March and the days follow.
    const auto& month = calendar->MonthBox;
    Click(static_cast<int>(calendar->X) + 40, static_cast<int>(calendar->Y) + 15);
    ASSERT_EQ(month->Menu->Hidden, 0);
    EXPECT_EQ(calendar->Hidden, 0) << "a press on a box of the calendar keeps it open";
    Click(static_cast<int>(month->Menu->X) + 40, static_cast<int>(month->Menu->Y) + 5 + 2 * 20 + 9);
    EXPECT_EQ(month->Menu->Hidden, 1);
    EXPECT_EQ(month->GetSelectedText(), "March");
    Frame(700, 20, false);
    EXPECT_EQ(calendar->Days->CellText(0, 6), "1") << "March 2008 shown";

    // A press on the calendar's background keeps it open.
    Click(static_cast<int>(calendar->X) + 102, static_cast<int>(calendar->Y) + 177);
    EXPECT_EQ(calendar->Hidden, 0);
    // A press outside closes it without a choice; the date ignores it.
    Drain();
    Click(150, 110);
    EXPECT_EQ(calendar->Hidden, 1);
    EXPECT_EQ(date->DateText, "");
    const auto seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetOpen), 0) << "the press that closed did not reopen";
    EXPECT_EQ(Count(seen, kit_EventGadgetClose), 1);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
}

TEST_F(DateTest, NearTheBottomTheCalendarOpensAbove) {
    date->SetPosition(100, 700);
    Click(150, 710);
    EXPECT_EQ(calendar->Hidden, 0);
    EXPECT_EQ(calendar->Y, 700 - 2 - 180);
    date->ClosePanel();
    EXPECT_EQ(calendar->Hidden, 1);
    EXPECT_EQ(Count(Reports(), kit_EventGadgetClose), 2);
}

}  // namespace
