#pragma once

#include "base/Date.h"
#include "base/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// Calendar files (iCalendar, .ics): the notes written out as events and events read in as notes. Every read
// and write of the format goes through libical; this file only decides which note is which event.
//
// A note's three date fields map to one event each: a fixed date is a single event, a wildcard or a weekday
// mask a rule (yearly on a month and day, monthly on a day, daily, daily within a month, weekly on some
// weekdays), a fixed year with a rule ends the rule on that year's last second. Times are floating local
// times; the note's header rides along in an X- property so that this program reads its own events back as
// the very same lines.

// Why a note was left out of a calendar file.
enum class ExportProblem {
    DamagedLine,     // too short to hold a note
    ImpossibleDate,  // its fields name no date at all (31 April, a year that is no year)
    NoDay,           // a day code of 0 or above 158
    EndBeforeStart,  // the end time lies before the start
    UnreadableHours, // an hour or minute field that is no time of day
    UnknownCategory, // a category character outside 100..200
};

struct LeftOutNote {
    std::size_t line = 0; // 1-based line number in the notes file
    std::string text;     // the line, as stored
    ExportProblem problem = ExportProblem::DamagedLine;
};

struct CalendarExport {
    std::string bytes; // the .ics file
    std::size_t exported = 0;
    std::vector<LeftOutNote> leftOut;
};

// The days a partial export covers: the notes that fall on at least one of them are written, whole.
struct ExportDays {
    Date first;
    int dayCount = 1;
};

// The property that carries the note's 17-character header (read as Latin-1, so it stays 17 characters
// whatever the category byte).
inline constexpr char HeaderProperty[] = "X-PLANDECK-HEADER";

// The notes (every line of the notes file) as an iCalendar file. `categoryNames` are the names of categories
// 0..100 as the category file holds them. `stampUtc` (seconds since 1970, UTC) is the DTSTAMP of every event.
CalendarExport ExportCalendar(const TextLines& notes, std::span<const std::string> categoryNames, std::int64_t stampUtc,
                              std::optional<ExportDays> days = std::nullopt);

// Why an event was not made into a note.
enum class ImportProblem {
    NoStart,         // no DTSTART
    AllDay,          // a date without a time
    CrossesMidnight, // it ends on a later day than it starts
    EndBeforeStart,  // DTEND before DTSTART
    Seconds,         // a start or end that is not on a whole minute
    UnknownTimeZone, // a TZID that neither the file nor libical knows
    ZoneMoves,       // a repeating event whose local time or day moves (daylight saving in its zone)
    Count,           // a rule with COUNT
    Interval,        // a rule with INTERVAL above 1
    ExceptionDates,  // EXDATE or EXRULE
    ExtraDates,      // RDATE
    SetPosition,     // BYSETPOS
    SeveralRules,    // more than one RRULE
    UnusualRule,     // a rule part a note cannot hold (BYHOUR, BYWEEKNO, an ordinal weekday, several months…)
    MidYearStart,    // an open-ended rule that starts after its first day of the year
    DaysDiffer,      // the rule's days are not those of any note
};

struct ImportedEvent {
    std::string summary;       // UTF-8, as the event has it
    std::string start;         // "2026-12-08 09:00", the event's start as the file writes it
    std::string line;          // the note line it became
    std::string categoryAsked; // the first CATEGORIES value, when none names a category (then category 0)
};

struct RefusedEvent {
    std::string summary;
    std::string start;
    ImportProblem problem = ImportProblem::UnusualRule;
};

struct CalendarImport {
    std::string error;                     // libical's reason when the file is refused; nothing else is set then
    std::vector<ImportedEvent> imported;   // new notes, in the file's order
    std::vector<ImportedEvent> duplicates; // lines the notes file already holds
    std::vector<RefusedEvent> refused;

    bool fileRefused() const { return !error.empty(); }
    std::vector<std::string> newLines() const;
};

// Reads an iCalendar file against the notes it would be added to: which events become which new lines,
// which are already there, and which fit no note and why. Times in a zone are converted to the local time
// of this process (TZ). A category is picked by name; none is created.
CalendarImport ImportCalendar(std::string_view ics, const TextLines& notes, std::span<const std::string> categoryNames);

} // namespace plandeck
