#pragma once

#include "calendar/TodayStamp.h"

#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// What the today window lists: the notes running now and the two earliest still to come today. An entry
// reads "9:30 Text": the start hour without a leading zero, the start minute as stored, the note's text.
struct TodayList {
    // Only this many notes still to come are looked at, in file order; later ones are left out.
    static constexpr int NextSlotCount = 21;

    std::vector<std::string> running; // in file order
    std::string firstNext;            // empty when nothing is still to come
    std::string secondNext;

    friend bool operator==(const TodayList&, const TodayList&) = default;
};

// The today list of a notes file's bytes at the moment `now`. Every-day, every-month, every-year and weekly
// notes count on the days they fall on. Lines too short to hold a note header are passed over. The bytes are
// scanned in place: only the lines that fall on today are decoded.
TodayList BuildTodayList(std::string_view notesBytes, const TodayStamp& now);

// The time caption of the today window: "9:05".
std::string TodayTimeCaption(int hour, int minute);

// Whether the reminder sounds when the time caption has just turned to `caption`: the earliest note still
// to come (as listed before this minute) starts right now.
bool ReminderDue(std::string_view firstNext, std::string_view caption);

// How far back the reminders a sleeping computer or a stopped program skipped are caught up.
inline constexpr int MissedReminderMinutes = 4 * 60;

// The reminders skipped when the clock jumped from the minute `last` to the minute `now`: the notes that
// started after `last` and before `now`, no more than MissedReminderMinutes before `now`, as entries in the
// order of their start (file order for equal starts). Nothing when `now` follows `last` by a minute or less,
// or lies before it.
std::vector<std::string> MissedReminders(std::string_view notesBytes, const TodayStamp& last, const TodayStamp& now);

} // namespace plandeck
