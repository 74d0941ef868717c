#include "calendar/CalendarMath.h"
#include "calendar/DayNumber.h"

#include "base/NumberForm.h"

namespace plandeck {

namespace {

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1 January 1970 to a date of the proleptic Gregorian calendar (month 1..12).
long long DaysFromCivil(long long year, long long month, long long day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = FloorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date of a day number of DaysFromCivil.
Date CivilFromDays(long long days) {
    days += 719468;
    const long long era = FloorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153; // March = 0
    const long long day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const long long month = shifted < 10 ? shifted + 3 : shifted - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

// "7" -> 7, "07" -> 7; anything but one or two decimal digits -> -1.
int SmallNumber(std::string_view text) {
    return PlainDecimal(text, 2);
}

} // namespace

const std::array<Holiday, 9> HolidayTable = {{
    {"1", "01"},
    {"2", "01"},
    {"8", "03"},
    {"1", "05"},
    {"2", "05"},
    {"9", "05"},
    {"12", "06"},
    {"7", "11"},
    {"12", "12"},
}};

Date NextDay(const Date& date) {
    if (date.day < MonthLength(date.month, date.year))
        return {date.year, date.month, date.day + 1};
    if (date.month < 12)
        return {date.year, date.month + 1, 1};
    return {date.year + 1, 1, 1};
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int month, int year) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

int MonthLength(std::string_view month, int year) {
    return MonthLength(SmallNumber(month), year);
}

int WeekdayNumber(int day, int month, int year) {
    const long long monthIndex = static_cast<long long>(month) - 1;
    const long long y = year + FloorDiv(monthIndex, 12);
    const long long m = monthIndex - FloorDiv(monthIndex, 12) * 12 + 1;
    const long long days = DaysFromCivil(y, m, 1) + (static_cast<long long>(day) - 1);
    // 1 January 1970 was a Thursday, weekday 4.
    const long long mondayBased = days + 3 - FloorDiv(days + 3, 7) * 7;
    return static_cast<int>(mondayBased) + 1;
}

std::int64_t DayNumber(const Date& date) {
    return DaysFromCivil(date.year, date.month, date.day);
}

Date DateOfDayNumber(std::int64_t days) {
    return CivilFromDays(days);
}

Date AddDays(const Date& date, int days) {
    return CivilFromDays(DaysFromCivil(date.year, date.month, date.day) + days);
}

IsoWeek IsoWeekOf(const Date& date) {
    // A week belongs to the year of its Thursday, and counts from the week of that year's first Thursday.
    const Date thursday = AddDays(date, 4 - WeekdayNumber(date.day, date.month, date.year));
    const long long dayOfYear =
        DaysFromCivil(thursday.year, thursday.month, thursday.day) - DaysFromCivil(thursday.year, 1, 1);
    return {thursday.year, static_cast<int>(dayOfYear / 7) + 1};
}

int IsoWeeksInYear(int year) {
    // 28 December is always in the year's last week.
    return IsoWeekOf({year, 12, 28}).week;
}

bool IsHoliday(std::string_view day, std::string_view month) {
    for (const Holiday& holiday : HolidayTable) {
        if (holiday.day == day && holiday.month == month)
            return true;
    }
    return false;
}

} // namespace plandeck
