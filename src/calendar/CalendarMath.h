#pragma once

#include "base/Date.h"

#include <array>
#include <string_view>

namespace plandeck {

// Gregorian leap years: every fourth year, except centuries that are not a multiple of 400.
bool IsLeapYear(int year);

// Days in a month of a year; 0 for a month outside 1..12.
int MonthLength(int month, int year);

// The same for a month held as text, the way the captions hold it: "1".."12" or "01".."09". Any other
// text is no month and gives 0.
int MonthLength(std::string_view month, int year);

// The day after a date (a date of the calendar: month 1..12, day within the month).
Date NextDay(const Date& date);

// Weekday of a date in the Gregorian calendar: 1 = Monday .. 7 = Sunday. Any numbers give a weekday: a
// month outside 1..12 counts on into the neighbouring years, a day outside the month into the next or
// previous months.
int WeekdayNumber(int day, int month, int year);

// The date `days` days after `date` (before it when negative); `date` is a date of the calendar.
Date AddDays(const Date& date, int days);

// A week as ISO 8601 counts it: weeks run Monday to Sunday and week 1 is the one that holds the year's first
// Thursday, so 1-3 January may belong to week 52 or 53 of the year before and 29-31 December to week 1 of
// the year after; `year` is the year the week belongs to.
struct IsoWeek {
    int year = 0;
    int week = 0;
    friend bool operator==(const IsoWeek&, const IsoWeek&) = default;
};
IsoWeek IsoWeekOf(const Date& date);
// 52 or 53: a year has 53 weeks when it starts on a Thursday, or on a Wednesday in a leap year.
int IsoWeeksInYear(int year);

// Public holidays marked red in the month calendar: the day as the calendar cell shows it ("1") and the
// month as the calendar header holds it ("01").
struct Holiday {
    std::string_view day;
    std::string_view month;
};
extern const std::array<Holiday, 9> HolidayTable;

// Whether a day is in the holiday table, comparing the texts as they are.
bool IsHoliday(std::string_view day, std::string_view month);

} // namespace plandeck
