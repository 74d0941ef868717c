#include "notes/TodayList.h"

#include "base/NumberForm.h"
#include "base/TextFile.h"
#include "calendar/CalendarMath.h"
#include "notes/Note.h"

#include <algorithm>
#include <cstdio>

namespace plandeck {

namespace {

// The two characters of a header field with the readers' rule applied: a leading "0" is dropped.
std::string_view Decoded(std::string_view field) {
    return (!field.empty() && field[0] == '0') ? field.substr(1, 1) : field;
}

// Today's texts and numbers, worked out once per build instead of once per line.
struct Today {
    std::string year;  // "2026"
    std::string month; // "7"
    int day = 0;
    int weekdayBit = 0;

    explicit Today(const Date& date) {
        char text[16];
        std::snprintf(text, sizeof text, "%04d", date.year);
        year = text;
        month = std::to_string(date.month);
        day = date.day;
        weekdayBit = 1 << (WeekdayNumber(date.day, date.month, date.year) - 1);
    }

    // Whether a note line falls on today; only its first eight characters are looked at.
    bool holds(std::string_view line) const {
        const std::string_view noteYear = line.substr(0, 4);
        if (noteYear != "yyyy" && noteYear != year)
            return false;
        const std::string_view noteMonth = Decoded(line.substr(4, 2));
        if (noteMonth != "yy" && noteMonth != month)
            return false;
        const std::string_view dayCode = Decoded(line.substr(6, 2));
        if (dayCode == "yy")
            return true;
        const std::int64_t value = HexToNumber(dayCode);
        if (value >= 1 && value <= 31)
            return value == day;
        if (value >= Note::FirstWeeklyCode && value <= Note::LastWeeklyCode)
            return ((value - 31) & weekdayBit) != 0;
        return false; // day 0, or a code no writer produces
    }
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A two-character time field's numeric value; the common two-digit case without the general reader.
int FieldValue(std::string_view field) {
    if (field.size() == 2 && IsDigit(field[0]) && IsDigit(field[1]))
        return (field[0] - '0') * 10 + (field[1] - '0');
    return IntegerValue(field);
}

// Hours are small unsigned numbers, read after the leading-zero rule; anything else reads as hour 0.
int HourField(std::string_view field) {
    const int v = FieldValue(Decoded(field));
    return (v < 0 || v > 255) ? 0 : v;
}

struct NextEntry {
    int hour = 0;
    int minute = 0;
    std::string entry;
};

// "9:30 Text": the start hour without a leading zero, the start minute as stored, the text.
std::string Entry(std::string_view line, int startHour) {
    std::string entry = std::to_string(startHour);
    entry += ':';
    entry += line.substr(10, 2);
    entry += ' ';
    entry += line.substr(Note::HeaderLength);
    return entry;
}

} // namespace

TodayList BuildTodayList(std::string_view notesBytes, const TodayStamp& now) {
    const Today today(now.date);
    const int hour = now.hour;
    const int minute = now.minute;
    TodayList list;
    std::vector<NextEntry> next;
    ForEachLine(notesBytes, [&](std::string_view line) {
        if (line.size() < static_cast<std::size_t>(Note::HeaderLength) || !today.holds(line))
            return true;
        const int startHour = HourField(line.substr(8, 2));
        const int startMinute = FieldValue(line.substr(10, 2));
        const int endHour = HourField(line.substr(12, 2));
        const int endMinute = FieldValue(line.substr(14, 2));
        const bool started = startHour < hour || (startHour == hour && startMinute <= minute);
        const bool ended = endHour < hour || (endHour == hour && minute > endMinute);
        if (started && !ended)
            list.running.push_back(Entry(line, startHour));
        if (!started && next.size() < static_cast<std::size_t>(TodayList::NextSlotCount))
            next.push_back({startHour, startMinute, Entry(line, startHour)});
        return true;
    });
    // Equal starts keep their file order.
    std::stable_sort(next.begin(), next.end(), [](const NextEntry& a, const NextEntry& b) {
        return a.hour != b.hour ? a.hour < b.hour : a.minute < b.minute;
    });
    if (!next.empty())
        list.firstNext = std::move(next[0].entry);
    if (next.size() > 1)
        list.secondNext = std::move(next[1].entry);
    return list;
}

std::string TodayTimeCaption(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", hour, minute);
    return text;
}

bool ReminderDue(std::string_view firstNext, std::string_view caption) {
    return !caption.empty() && firstNext.size() > caption.size() && firstNext.substr(0, caption.size()) == caption &&
           firstNext[caption.size()] == ' ';
}

} // namespace plandeck
