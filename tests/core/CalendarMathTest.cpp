#include "calendar/CalendarMath.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using namespace plandeck;

TEST(CalendarMath, MonthLengthsFollowTheGregorianLeapRule) {
    const int lengths2005[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(MonthLength(month, 2005), lengths2005[month - 1]) << month;
    for (int year : {2004, 2008, 2000, 1600, 3004, 3008})
        EXPECT_EQ(MonthLength(2, year), 29) << year;
    for (int year : {2005, 1900, 2100, 1000})
        EXPECT_EQ(MonthLength(2, year), 28) << year;
    // Months as the captions hold them; anything else is no month.
    for (const char* feb : {"2", "02"})
        EXPECT_EQ(MonthLength(feb, 2004), 29);
    EXPECT_EQ(MonthLength("12", 2004), 31);
    for (const char* bad : {"13", "00", "0", "", " 2", "2 ", "002", "+2", "yy"})
        EXPECT_EQ(MonthLength(bad, 2004), 0) << '"' << bad << '"';
    for (int bad : {0, 13, INT_MIN, INT_MAX})
        EXPECT_EQ(MonthLength(bad, 2004), 0) << bad;
}

TEST(CalendarMath, WeekdaysOfKnownDates) {
    struct Case {
        int day, month, year, weekday;
    };
    for (Case c : {Case{6, 12, 2026, 7}, Case{1, 1, 2005, 6}, Case{29, 2, 2004, 7}, Case{1, 1, 1900, 1},
                   Case{1, 3, 2100, 1}, Case{29, 2, 3004, 3}, Case{15, 10, 1582, 5}, Case{1, 1, 1, 1}})
        EXPECT_EQ(WeekdayNumber(c.day, c.month, c.year), c.weekday) << c.day << '.' << c.month << '.' << c.year;
    // Days and months outside their range count on into the neighbouring months and years.
    EXPECT_EQ(WeekdayNumber(0, 3, 2004), WeekdayNumber(29, 2, 2004));
    EXPECT_EQ(WeekdayNumber(32, 12, 2005), WeekdayNumber(1, 1, 2006));
    EXPECT_EQ(WeekdayNumber(1, 0, 2006), WeekdayNumber(1, 12, 2005));
    const int extreme = WeekdayNumber(INT_MIN, INT_MAX, INT_MIN);
    EXPECT_TRUE(extreme >= 1 && extreme <= 7);
}

TEST(CalendarMath, WeekdaysAdvanceOneADayAcrossEveryMonthEnd) {
    int expected = WeekdayNumber(1, 1, 1582);
    for (int year = 1582; year <= 3100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= MonthLength(month, year); ++day) {
                ASSERT_EQ(WeekdayNumber(day, month, year), expected) << day << '.' << month << '.' << year;
                expected = expected % 7 + 1;
            }
        }
    }
}

TEST(CalendarMath, IsoWeeksAtTheTurnOfTheYear) {
    struct Case {
        Date date;
        IsoWeek week;
    };
    const Case cases[] = {
        {{2026, 12, 8}, {2026, 50}},
        {{2026, 12, 14}, {2026, 51}},
        {{2026, 1, 1}, {2026, 1}},
        // 1 January in week 53 or 52 of the year before.
        {{2027, 1, 1}, {2026, 53}},
        {{2027, 1, 3}, {2026, 53}},
        {{2027, 1, 4}, {2027, 1}},
        {{2005, 1, 1}, {2004, 53}},
        {{2010, 1, 3}, {2009, 53}},
        {{2021, 1, 1}, {2020, 53}},
        {{2006, 1, 1}, {2005, 52}},
        {{2022, 1, 1}, {2021, 52}},
        {{2017, 1, 1}, {2016, 52}},
        // 29-31 December in week 1 of the year after.
        {{2008, 12, 29}, {2009, 1}},
        {{2008, 12, 31}, {2009, 1}},
        {{2019, 12, 30}, {2020, 1}},
        {{2025, 12, 29}, {2026, 1}},
        {{2007, 12, 31}, {2008, 1}},
        {{2024, 12, 30}, {2025, 1}},
        // The last days of a year of 53 weeks, and of a leap year of 52.
        {{2020, 12, 31}, {2020, 53}},
        {{2015, 12, 31}, {2015, 53}},
        {{2016, 12, 31}, {2016, 52}},
        {{2000, 2, 29}, {2000, 9}},
        {{2100, 3, 1}, {2100, 9}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsoWeekOf(c.date), c.week) << c.date.day << '.' << c.date.month << '.' << c.date.year;

    std::vector<int> longYears;
    for (int year = 2000; year <= 2099; ++year)
        if (IsoWeeksInYear(year) == 53)
            longYears.push_back(year);
    EXPECT_EQ(longYears, (std::vector<int>{2004, 2009, 2015, 2020, 2026, 2032, 2037, 2043, 2048, 2054, 2060, 2065, 2071,
                                           2076, 2082, 2088, 2093, 2099}));

    // Day by day the week changes on Mondays only, by one, or from the year's last week to week 1.
    Date day{1999, 12, 27};
    IsoWeek week = IsoWeekOf(day);
    for (int n = 0; n < 366 * 40; ++n) {
        const Date next = AddDays(day, 1);
        ASSERT_EQ(next, NextDay(day));
        const IsoWeek after = IsoWeekOf(next);
        if (WeekdayNumber(next.day, next.month, next.year) != 1)
            ASSERT_EQ(after, week) << next.day << '.' << next.month << '.' << next.year;
        else if (week.week == IsoWeeksInYear(week.year))
            ASSERT_EQ(after, (IsoWeek{week.year + 1, 1})) << next.day << '.' << next.month << '.' << next.year;
        else
            ASSERT_EQ(after, (IsoWeek{week.year, week.week + 1})) << next.day << '.' << next.month << '.' << next.year;
        day = next;
        week = after;
    }
    EXPECT_EQ(AddDays({2026, 3, 1}, -1), (Date{2026, 2, 28}));
    EXPECT_EQ(AddDays({2027, 1, 10}, -400), (Date{2025, 12, 6}));
}
