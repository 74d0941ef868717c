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
