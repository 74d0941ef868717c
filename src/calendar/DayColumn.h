#pragma once

#include <string>

namespace plandeck {

// The date of one day column, held as the texts the column shows: day and month without leading zeros, a
// four-digit year. Notes are matched to columns by comparing these texts.
struct DayColumn {
    std::string day;
    std::string month;
    std::string year;
    std::string weekdayName;
    int weekday = 0; // 1 = Monday .. 7 = Sunday

    friend bool operator==(const DayColumn&, const DayColumn&) = default;
};

} // namespace plandeck
