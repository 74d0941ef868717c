#pragma once

#include "base/Date.h"
#include "calendar/DayColumn.h"
#include "settings/LanguageTable.h"

#include <array>
#include <string>

namespace plandeck {

// A column showing a date: day and month without leading zeros, the year as its digits.
DayColumn DayColumnFromDate(const Date& date);
// The numbers a column's texts stand for (a text that is no number reads 0).
Date ColumnDate(const DayColumn& column);

// Column slots 0..7. Slot 0 is set by navigation; slots 1..7 follow from it. Slot 7 holds the day after
// the seventh column, which the week step forward needs.
constexpr int DayColumnCount = 8;
using DayColumns = std::array<DayColumn, DayColumnCount>;

// Derives the dates of slots 1..7 from slot 0, one day apart, and gives every slot its weekday and the
// weekday's heading.
void FillColumnDates(DayColumns& columns, const LanguageTable& language);

// The date captions that follow the column months and the clock.
struct DateCaptions {
    std::string aboutCaption;                             // the fixed caption by today's date
    std::array<std::string, DayColumnCount> columnMonths; // short month name over each column
    std::string todayMonth;                               // today's month name
    std::string todayWeekday;                             // today's weekday name

    friend bool operator==(const DateCaptions&, const DateCaptions&) = default;
};
DateCaptions ShowDateCaptions(const DayColumns& columns, const LanguageTable& language, const Date& now);

// The heading over a day column: its weekday heading, the day and the month's short name ("Mon, 7 Dec").
std::string DayHeader(const DayColumn& column, const std::string& monthShortName);

// The dates of the shown columns 0..days-1 in words, naming each month and year once:
// "7 – 13 Dec 2026", "28 Dec 2026 – 3 Jan 2027", "9 Dec 2026".
std::string ShownRangeCaption(const DayColumns& columns, int days, const LanguageTable& language);

// The ISO weeks of the shown columns 0..days-1 in words: "Week 50", or "Weeks 50–51" for days that reach into
// a second week (the most a run of eight days can).
std::string ShownWeeksCaption(const DayColumns& columns, int days, const LanguageTable& language);

} // namespace plandeck
