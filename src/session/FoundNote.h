#pragma once

#include "base/Date.h"
#include "editing/CategoryTable.h"
#include "notes/Note.h"
#include "settings/LanguageTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// A note the find box lists, in UTF-8.
struct FoundNote {
    int line = 0;         // 1-based line of the notes file
    std::string when;     // "Tue 8 Dec 2026", or how it repeats ("Every Tuesday and Thursday")
    std::string time;     // "09:00–10:00"
    std::string category; // the category's name
    std::string text;
    long colour = 0xFFFFFF; // the category's tile colour
    bool hidden = false;    // its category is hidden in the panel: the week shows no tile of it
};

// What a search of the note texts found: the first notes in file order, and how many there are in all.
struct FindResult {
    std::vector<FoundNote> notes;
    std::size_t total = 0;
};

// The note on a line of the notes file as the find box lists it.
FoundNote DescribeFoundNote(std::string_view line, int lineNumber, const CategoryTable& categories,
                            const LanguageTable& language);

// The day a found note is shown on: a repeating note's first date on or after `from`; a note of one year its
// first date from `from` in that year, or its first date of that year when `from` is past it. Nothing for a
// note that falls on no day at all.
std::optional<Date> FoundNoteDate(const NoteHeader& note, const Date& from);

} // namespace plandeck
