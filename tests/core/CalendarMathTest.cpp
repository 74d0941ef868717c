#include "calendar/CalendarMath.h"

#include <climits>
#include <gtest/gtest.h>

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
