#include "editing/TileName.h"

#include "notes/WeekRefresh.h"
#include "settings/LanguageEntries.h"

#include <charconv>

namespace plandeck {

std::string TileSpokenName(const NoteTile& tile, const DayColumn& column, const LanguageTable& language,
                           const CategoryTable& categories) {
    int month = 0;
    std::from_chars(column.month.data(), column.month.data() + column.month.size(), month);
    const std::string& category =
        tile.category >= 0 && tile.category < CategoryTable::Count ? categories.name(tile.category) : std::string();
    std::string name = language.entry(category.empty() ? Entry::Keys::TileNameNoCategory : Entry::Keys::TileName);
    // A language file from before these entries still names every part.
    if (name.empty())
        name = category.empty() ? "{weekday} {day} {month}, {start}\xE2\x80\x93{end}: {text}"
                                : "{weekday} {day} {month}, {start}\xE2\x80\x93{end}, {category}: {text}";
    FillNamed(name, "{weekday}", language.weekdayName(column.weekday));
    FillNamed(name, "{day}", column.day);
    FillNamed(name, "{month}", language.monthNameAfterDay(month));
    FillNamed(name, "{start}", TileStartTime(tile.line));
    FillNamed(name, "{end}", TileEndTime(tile.line));
    FillNamed(name, "{category}", category);
    // The note's own text last, so that braces the user typed are never taken for parts.
    FillNamed(name, "{text}", tile.text);
    return name;
}

} // namespace plandeck
