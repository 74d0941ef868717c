#include "notes/TodayList.h"

#include "base/TextFile.h"
#include "calendar/DayNumber.h"
#include "notes/Note.h"

#include <algorithm>
#include <cstdio>

namespace plandeck {

namespace {

struct NextEntry {
    int hour = 0;
    int minute = 0;
    std::string entry;
};

// "9:30 Text": the start hour without a leading zero, the start minute as stored, the text.
std::string Entry(const NoteHeader& note) {
    std::string entry = std::to_string(note.startHour());
    entry += ':';
    entry += note.startMinuteText();
    entry += ' ';
    entry += note.text();
    return entry;
}

} // namespace

TodayList BuildTodayList(std::string_view notesBytes, const TodayStamp& now) {
    const NoteDate today(now.date);
    const int hour = now.hour;
    const int minute = now.minute;
    TodayList list;
    std::vector<NextEntry> next;
    ForEachLine(notesBytes, [&](std::string_view line) {
        const NoteHeader note(line);
        if (!note.complete() || !FallsOn(note, today))
            return true;
        const int startHour = note.startHour();
        const int startMinute = note.startMinute();
        const int endHour = note.endHour();
        const int endMinute = note.endMinute();
        const bool started = startHour < hour || (startHour == hour && startMinute <= minute);
        const bool ended = endHour < hour || (endHour == hour && minute > endMinute);
        if (started && !ended)
            list.running.push_back(Entry(note));
        if (!started && next.size() < static_cast<std::size_t>(TodayList::NextSlotCount))
            next.push_back({startHour, startMinute, Entry(note)});
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

std::vector<std::string> MissedReminders(std::string_view notesBytes, const TodayStamp& last, const TodayStamp& now) {
    const std::int64_t to = MinuteNumber(now) - 1;
    const std::int64_t from = std::max(MinuteNumber(last) + 1, MinuteNumber(now) - MissedReminderMinutes);
    if (from > to)
        return {};
    // The gap is a few hours: one or two dates.
    std::vector<NoteDate> dates;
    for (std::int64_t day = from / 1440; day <= to / 1440; ++day)
        dates.emplace_back(DateOfDayNumber(day));
    struct Missed {
        std::int64_t start = 0;
        std::string entry;
    };
    std::vector<Missed> missed;
    ForEachLine(notesBytes, [&](std::string_view line) {
        const NoteHeader note(line);
        if (!note.complete())
            return true;
        for (const NoteDate& date : dates) {
            const std::int64_t start = DayNumber(date.date()) * 1440 + note.startHour() * 60 + note.startMinute();
            if (start >= from && start <= to && FallsOn(note, date))
                missed.push_back({start, Entry(note)});
        }
        return true;
    });
    std::stable_sort(missed.begin(), missed.end(), [](const Missed& a, const Missed& b) { return a.start < b.start; });
    std::vector<std::string> entries;
    for (Missed& m : missed)
        entries.push_back(std::move(m.entry));
    return entries;
}

} // namespace plandeck
