#pragma once

#include "base/Date.h"
#include "settings/LanguageTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// Why a typed date was not taken.
enum class DateEntryError {
    None,
    Empty,          // nothing was typed
    NotADate,       // the text has no form of a date
    UnknownMonth,   // a word that names no month
    NoSuchDay,      // the month has no such day, or there is no such month number
    YearOutOfRange, // the year is not four digits (1000..9999) or two (2000..2099)
};

struct DateEntry {
    std::optional<Date> date;
    DateEntryError error = DateEntryError::None;
};

// A date as the user types it: day first with numbers ("8.12.2026", "8/12/2026", "8-12-26") or with a month
// name ("8 Dec 2026", "8 декабря 2026", "8 December"), or year first ("2026-12-08"). A month name is any of the
// language's names of the month (as it stands alone, after a day number, and short) or the English ones, in
// any letter case, or the first three letters or more of one of them when no other month starts so. A year
// left out is `shownYear`; a two-digit year is in 2000..2099.
DateEntry ParseDateEntry(std::string_view text, const LanguageTable& language, int shownYear);

} // namespace plandeck
