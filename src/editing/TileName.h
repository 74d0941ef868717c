#pragma once

#include "calendar/DayColumn.h"
#include "calendar/NoteTile.h"
#include "editing/CategoryTable.h"
#include "settings/LanguageTable.h"

#include <string>

namespace plandeck {

// What a screen reader says of a tile, in the language shown: "Tuesday 8 December, 9:00 to 10:00, Work: Team
// stand-up". The day comes from the tile's column, the times and the text from its note line, the category
// name from the table (a category without a name is left out).
std::string TileSpokenName(const NoteTile& tile, const DayColumn& column, const LanguageTable& language,
                           const CategoryTable& categories);

} // namespace plandeck
