#include "calendar/Navigation.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

TodayStamp At(int year, int month, int day) {
    return TodayStamp{Date{year, month, day}, 10, 0};
}

struct Nav : ::testing::Test {
    LanguageTable language;
    Navigation nav{language, 3};

    Date first() const { return ColumnDate(nav.columns()[0]); }
    std::pair<int, int> gridMonth() const { return {nav.grid().month(), nav.grid().year()}; }
};

} // namespace

TEST_F(Nav, StartsOnTodayWithTheConfiguredDays) {
    nav.GoToToday(At(2026, 12, 7));
    EXPECT_EQ(first(), (Date{2026, 12, 7}));
    EXPECT_EQ(nav.days(), 3);
    EXPECT_EQ(nav.columns()[1].day, "8");
    EXPECT_EQ(nav.columns()[0].weekday, 1);
    EXPECT_EQ(gridMonth(), (std::pair{12, 2026}));
}

TEST_F(Nav, BackStepsAcrossMonthsAndYears) {
    nav.ShowWeek(At(2005, 1, 3)); // a Monday
    EXPECT_EQ(first(), (Date{2005, 1, 3}));
    nav.Back();
    EXPECT_EQ(first(), (Date{2004, 12, 27}));
    EXPECT_EQ(gridMonth(), (std::pair{12, 2004}));

    for (auto [year, lastDay] : {std::pair{2008, 29}, std::pair{2009, 28}}) {
        nav.ShowDay(At(year, 3, 1));
        nav.Back();
        EXPECT_EQ(first(), (Date{year, 2, lastDay}));
        EXPECT_EQ(gridMonth(), (std::pair{2, year}));
    }
}

TEST_F(Nav, ForwardStepsAcrossMonthsAndYears) {
    nav.ShowWeek(At(2005, 12, 26));
    nav.Forward();
    EXPECT_EQ(first(), (Date{2006, 1, 2}));
    EXPECT_EQ(gridMonth(), (std::pair{1, 2006}));
    EXPECT_EQ(nav.days(), 7);

    nav.ShowDays(At(2026, 1, 31));
    nav.Forward();
    EXPECT_EQ(first(), (Date{2026, 2, 1}));
    EXPECT_EQ(gridMonth(), (std::pair{2, 2026}));
    // Every column of a week across the year end carries its own year.
    nav.ShowWeek(At(2005, 12, 29));
    EXPECT_EQ(first(), (Date{2005, 12, 26}));
    EXPECT_EQ(nav.columns()[6].year, "2006");
}

TEST_F(Nav, WeekViewOnASundayFirstStartsInThePreviousMonth) {
    nav.ShowWeek(At(2026, 2, 1)); // Sunday 1 February 2026
    EXPECT_EQ(first(), (Date{2026, 1, 26}));
    EXPECT_EQ(nav.columns()[6].day, "1");
    EXPECT_EQ(gridMonth(), (std::pair{2, 2026}));
    EXPECT_TRUE(nav.weekMode());
    // Today's cell is marked; today is in the shown week.
    const int todayCell = 6;
    EXPECT_EQ(nav.grid().cell(todayCell).value, 1);
    EXPECT_EQ(nav.grid().cell(todayCell).background, GridColour::LightBlue);
}

TEST_F(Nav, CalendarClicksAndArrows) {
    nav.ShowDay(At(2026, 12, 7));
    nav.NextMonthArrow();
    EXPECT_EQ(gridMonth(), (std::pair{1, 2027}));
    EXPECT_EQ(first(), (Date{2026, 12, 7})); // the columns stay
    // A click in the day view makes the clicked day the first column; the calendar stays on its month.
    int cell = 0;
    while (nav.grid().cell(cell).value != 15)
        ++cell;
    nav.ClickCell(cell);
    EXPECT_EQ(first(), (Date{2027, 1, 15}));
    EXPECT_EQ(gridMonth(), (std::pair{1, 2027}));
    // In the week view a click shows the clicked day's week.
    nav.ShowWeek(At(2026, 12, 7));
    cell = 0;
    while (nav.grid().cell(cell).value != 17)
        ++cell;
    nav.ClickCell(cell); // Thursday 17 December
    EXPECT_EQ(first(), (Date{2026, 12, 14}));
    // A click on the 2nd of January 2027 (a Saturday) shows the week from Monday 28 December.
    nav.NextMonthArrow();
    cell = 0;
    while (nav.grid().cell(cell).value != 2)
        ++cell;
    nav.ClickCell(cell);
    EXPECT_EQ(first(), (Date{2026, 12, 28}));
    EXPECT_EQ(gridMonth(), (std::pair{1, 2027}));
}

TEST_F(Nav, StepsBringTheCalendarBackToTheColumnsFirst) {
    nav.ShowDay(At(2008, 3, 1));
    nav.NextMonthArrow();
    nav.NextMonthArrow(); // the calendar shows May
    nav.Back();
    EXPECT_EQ(first(), (Date{2008, 2, 29}));
    EXPECT_EQ(gridMonth(), (std::pair{2, 2008}));

    nav.ShowDay(At(2026, 1, 31));
    nav.PrevMonthArrow();
    nav.Forward();
    EXPECT_EQ(first(), (Date{2026, 2, 1}));
    EXPECT_EQ(gridMonth(), (std::pair{2, 2026}));
    // The weekday names follow the columns whatever the calendar shows.
    nav.NextMonthArrow();
    nav.Forward();
    EXPECT_EQ(nav.columns()[0].weekday, 1); // Monday 2 February 2026
}

TEST_F(Nav, ANewDayCountAppliesToTheNDayViewOnlyEvenWhenItShowsOneDay) {
    struct Case {
        int configured;
        void (Navigation::*show)(const TodayStamp&);
        int newCount;
        int days;
    };
    const Case cases[] = {
        {1, &Navigation::ShowDays, 3, 3}, // the N-day view of one day is no day view
        {3, &Navigation::ShowDays, 1, 1}, {3, &Navigation::ShowDay, 5, 1},
        {1, &Navigation::ShowDay, 5, 1},  {3, &Navigation::ShowWeek, 2, 7},
    };
    for (const Case& c : cases) {
        Navigation n{language, c.configured};
        (n.*c.show)(At(2026, 12, 9));
        n.setConfiguredDays(c.newCount);
        EXPECT_EQ(n.days(), c.days) << c.configured << " -> " << c.newCount;
        EXPECT_EQ(n.configuredDays(), c.newCount);
    }
}

TEST_F(Nav, PageStepsByTheViewsLength) {
    struct Case {
        void (Navigation::*view)(const TodayStamp&);
        Date today, back, forward;
    };
    const Case cases[] = {
        // Three days across a month end, one day across a year end, a week across both.
        {&Navigation::ShowDays, {2026, 3, 2}, {2026, 2, 27}, {2026, 3, 5}},
        {&Navigation::ShowDay, {2026, 1, 1}, {2025, 12, 31}, {2026, 1, 2}},
        {&Navigation::ShowWeek, {2026, 1, 1}, {2025, 12, 22}, {2026, 1, 5}},
    };
    for (const Case& c : cases) {
        (nav.*c.view)(At(c.today.year, c.today.month, c.today.day));
        const Date start = first();
        nav.PageBack();
        EXPECT_EQ(first(), c.back);
        EXPECT_EQ(gridMonth(), (std::pair{c.back.month, c.back.year}));
        nav.PageForward();
        EXPECT_EQ(first(), start);
        nav.PageForward();
        EXPECT_EQ(first(), c.forward);
        EXPECT_EQ(gridMonth(), (std::pair{c.forward.month, c.forward.year}));
    }
}
