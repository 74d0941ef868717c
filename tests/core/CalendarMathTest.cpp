#include "calendar/CalendarMath.h"

#include <climits>
#include <gtest/gtest.h>

using namespace plandeck;

TEST(CalendarMath, MonthLengthsFollowTheGregorianLeapRule) {
    for (int month : {1, 3, 5, 7, 8, 10, 12})
        EXPECT_EQ(MonthLength(month, 2005), 31) << month;
    for (int month : {4, 6, 9, 11})
        EXPECT_EQ(MonthLength(month, 2005), 30) << month;
    struct Case {
        int year;
        int february;
    };
    for (Case c : {Case{2004, 29}, Case{2008, 29}, Case{2005, 28}, Case{2000, 29}, Case{1900, 28}, Case{2100, 28},
                   Case{3004, 29}, Case{3008, 29}, Case{1000, 28}, Case{1600, 29}, Case{1004, 29}, Case{2400, 29}})
        EXPECT_EQ(MonthLength(2, c.year), c.february) << c.year;
    for (int month : {0, 13, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(MonthLength(month, 2005), 0) << month;
}

TEST(CalendarMath, MonthTextsAreTheCaptionsForms) {
    struct Case {
        const char* month;
        int length;
    };
    for (Case c : {Case{"2", 29}, Case{"02", 29}, Case{"12", 31}, Case{"9", 30}, Case{"09", 30}, Case{"13", 0},
                   Case{"00", 0}, Case{"0", 0}, Case{"", 0}, Case{" 2", 0}, Case{"2 ", 0}, Case{"002", 0},
                   Case{"+2", 0}, Case{"-2", 0}, Case{"yy", 0}})
        EXPECT_EQ(MonthLength(c.month, 2004), c.length) << '"' << c.month << '"';
}

TEST(CalendarMath, WeekdaysOfKnownDates) {
    struct Case {
        int day, month, year, weekday;
    };
    const Case cases[] = {
        {6, 12, 2026, 7}, {1, 1, 2005, 6}, {29, 2, 2004, 7}, {15, 3, 2006, 3},  {1, 1, 2000, 6},   {1, 1, 1900, 1},
        {28, 2, 1900, 3}, {1, 3, 1900, 4}, {1, 3, 2100, 1},  {31, 12, 2099, 4}, {1, 1, 1, 1},      {15, 10, 1582, 5},
        {4, 7, 1776, 4},  {1, 1, 3000, 3}, {29, 2, 3004, 3}, {1, 1, -1, 5},     {31, 12, 9999, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeekdayNumber(c.day, c.month, c.year), c.weekday) << c.day << '.' << c.month << '.' << c.year;
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

TEST(CalendarMath, DaysAndMonthsOutsideTheirRangeCountOn) {
    EXPECT_EQ(WeekdayNumber(0, 3, 2004), WeekdayNumber(29, 2, 2004));
    EXPECT_EQ(WeekdayNumber(32, 12, 2005), WeekdayNumber(1, 1, 2006));
    EXPECT_EQ(WeekdayNumber(1, 13, 2005), WeekdayNumber(1, 1, 2006));
    EXPECT_EQ(WeekdayNumber(1, 0, 2006), WeekdayNumber(1, 12, 2005));
    EXPECT_EQ(WeekdayNumber(1, -11, 2006), WeekdayNumber(1, 1, 2005));
    for (int extreme : {INT_MIN, INT_MAX}) {
        const int w = WeekdayNumber(extreme, extreme, extreme);
        EXPECT_TRUE(w >= 1 && w <= 7);
    }
}

TEST(CalendarMath, HolidaysMatchTheCalendarsTexts) {
    for (const Holiday& h : HolidayTable)
        EXPECT_TRUE(IsHoliday(h.day, h.month));
    struct Case {
        const char* day;
        const char* month;
        bool holiday;
    };
    for (Case c : {Case{"1", "01", true}, Case{"8", "03", true}, Case{"12", "06", true}, Case{"7", "11", true},
                   Case{"3", "01", false}, Case{"9", "03", false}, Case{"1", "1", false}, Case{"01", "01", false},
                   Case{"", "", false}, Case{"-1", "01", false}})
        EXPECT_EQ(IsHoliday(c.day, c.month), c.holiday) << c.day << '/' << c.month;
}
