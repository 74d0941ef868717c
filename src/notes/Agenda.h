#pragma once

#include "base/Date.h"
#include "notes/Note.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

class LanguageTable;

// How a note repeats, by its date fields: a weekly mask is weekly, "yy" days daily, a day of every month
// monthly, a day of a month of every year yearly; a day of a month of one year happens once.
enum class Repeats { Once, Daily, Weekly, Monthly, Yearly };
Repeats RepeatsOf(const NoteHeader& note);
std::string_view RepeatsName(Repeats repeats); // "once", "daily", …

// One note on one day of an agenda.
struct AgendaEntry {
    Date date;
    int startHour = 0; // the readers' values, as the today list and the tiles take them
    int startMinute = 0;
    int endHour = 0;
    int endMinute = 0;
    int category = 0;      // code - 100; may lie outside 0..100 in a file edited by hand
    std::string_view text; // the note's text as stored, in the bytes the agenda was built from
    Repeats repeats = Repeats::Once;
    std::size_t lineNumber = 0; // 1-based line of the notes file

    friend bool operator==(const AgendaEntry&, const AgendaEntry&) = default;
};

// The notes of a run of days: every note on every day it falls on by `FallsOn` (whatever the category
// filter or the shown hours), ordered by day, then start time, then file order.
struct Agenda {
    std::vector<AgendaEntry> entries;
    std::vector<std::size_t> damagedLines; // 1-based; lines of 2 to 16 characters, skipped
};

// The agenda of a notes file's bytes for `dayCount` days from `first`. The entries point into the bytes,
// which must outlive the agenda.
Agenda BuildAgenda(std::string_view notesBytes, const Date& first, int dayCount);

// The category table's texts as the category file holds them: names and colour lines of categories 0..100.
struct AgendaCategories {
    std::array<std::string, NoteHeader::CategoryCount> names{};
    std::array<std::string, NoteHeader::CategoryCount> colours{};
};

// "09:05".
std::string TimeText(int hour, int minute);
// "Tue 8 Dec 2026" in UTF-8, the weekday and month short names from the language table.
std::string ShortDateText(const Date& date, const LanguageTable& language);

// One line a note: "Tue 8 Dec 2026 09:00–10:00 [Work] Team stand-up", the weekday and month short names
// from the language table. A note whose category has no name has no brackets. UTF-8; control characters of
// a text are blanks, so every note stays on its line.
std::string FormatAgendaPlain(const Agenda& agenda, const AgendaCategories& categories, const LanguageTable& language);

// A JSON array of objects {"date", "start", "end", "category", "colour", "text", "repeats"}, one a line.
std::string FormatAgendaJson(const Agenda& agenda, const AgendaCategories& categories);

// One entry of that array: its object on one line, without a separator.
std::string AgendaJsonObject(const AgendaEntry& entry, const AgendaCategories& categories);

// A text as a JSON string, quotes included. `utf8` must be valid UTF-8.
std::string JsonString(std::string_view utf8);

} // namespace plandeck
