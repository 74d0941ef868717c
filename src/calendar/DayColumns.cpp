#include "calendar/DayColumns.h"

#include "base/NumberForm.h"
#include "calendar/CalendarMath.h"
#include "settings/LanguageEntries.h"

#include <algorithm>

namespace plandeck {

DayColumn DayColumnFromDate(const Date& date) {
    DayColumn column;
    column.day = std::to_string(date.day);
    column.month = std::to_string(date.month);
    column.year = std::to_string(date.year);
    return column;
}

Date ColumnDate(const DayColumn& column) {
    return {IntegerValue(column.year), IntegerValue(column.month), IntegerValue(column.day)};
}

void FillColumnDates(DayColumns& columns, const LanguageTable& language) {
    const Date first = ColumnDate(columns[0]);
    const int length = MonthLength(columns[0].month, first.year);
    // Wide integers: a hand-made slot 0 may hold numbers at the edge of int.
    long long day = first.day;
    long long month = first.month;
    long long year = first.year;
    for (std::size_t i = 1; i < columns.size(); ++i) {
        if (day + 1 > length) {
            day = 1;
            month = first.month + 1LL;
        } else {
            ++day;
        }
        if (month == 13)
            month = 1;
        if (day == 1 && month == 1)
            ++year;
        columns[i] = DayColumn{};
        columns[i].day = std::to_string(day);
        columns[i].month = std::to_string(month);
        columns[i].year = std::to_string(year);
    }
    // Each heading comes from the slot's own date, so it is right whatever month the calendar shows.
    for (DayColumn& column : columns) {
        const Date date = ColumnDate(column);
        column.weekday = WeekdayNumber(date.day, date.month, date.year);
        column.weekdayName = language.columnWeekdayName(column.weekday);
    }
}

DateCaptions ShowDateCaptions(const DayColumns& columns, const LanguageTable& language, const Date& now) {
    DateCaptions captions;
    captions.aboutCaption = language.entry(Entry::About);
    for (std::size_t i = 0; i < columns.size(); ++i)
        captions.columnMonths[i] = language.monthShortName(IntegerValue(columns[i].month));
    captions.todayMonth = language.monthNameAfterDay(now.month); // it stands under the day number
    captions.todayWeekday = language.weekdayName(WeekdayNumber(now.day, now.month, now.year));
    return captions;
}

std::string DayHeader(const DayColumn& column, const std::string& monthShortName) {
    return column.weekdayName + ", " + column.day + " " + monthShortName;
}

std::string ShownRangeCaption(const DayColumns& columns, int days, const LanguageTable& language) {
    const Date from = ColumnDate(columns[0]);
    const Date to = ColumnDate(columns[static_cast<std::size_t>(std::clamp(days, 1, DayColumnCount) - 1)]);
    std::string range = std::to_string(from.day);
    if (from.month != to.month || from.year != to.year)
        range += " " + language.monthShortName(from.month);
    if (from.year != to.year)
        range += " " + std::to_string(from.year);
    if (!(from == to))
        range += " \u2013 " + std::to_string(to.day);
    return range + " " + language.monthShortName(to.month) + " " + std::to_string(to.year);
}

std::string ShownWeeksCaption(const DayColumns& columns, int days, const LanguageTable& language) {
    const int first = IsoWeekOf(ColumnDate(columns[0])).week;
    const int last =
        IsoWeekOf(ColumnDate(columns[static_cast<std::size_t>(std::clamp(days, 1, DayColumnCount) - 1)])).week;
    if (first == last)
        return ReplacePlaceholder(language.entry(Entry::Print::OneWeek), std::to_string(first));
    return ReplacePlaceholder(language.entry(Entry::Print::TwoWeeks),
                              std::to_string(first) + "\u2013" + std::to_string(last));
}

} // namespace plandeck
