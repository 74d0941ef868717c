#pragma once

#include "base/TextFile.h"
#include "calendar/DayColumn.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace plandeck {

// A month of a year as the day columns show it; a value of 0 stands for a caption that is not a plain number.
struct ShownMonth {
    int year = 0;
    int month = 0;
    friend bool operator==(const ShownMonth&, const ShownMonth&) = default;
};

// The months the given columns show, each once.
std::vector<ShownMonth> ShownMonthsOf(std::span<const DayColumn> columns);

// The lines of the notes file sorted by the month they are dated in, so that the notes of a few shown days are
// found without looking at the others. A line repeating every year or every month sits with the lines of all
// years or all months; a line whose date fields are not plain numbers is always looked at, and a line dated in
// a month that does not exist (00, 13..99) is never.
class NotesIndex {
public:
    // Indexes every line of `lines`.
    void build(const TextLines& lines);
    // Indexes the lines from `first` on (lines appended since the last build).
    void addFrom(const TextLines& lines, std::size_t first);

    // The lines (0-based, ascending) that may fall on a day of the given months: the others cannot.
    std::vector<std::uint32_t> candidates(std::span<const ShownMonth> months) const;
    // Lines of 2 to 16 characters, too short to be a note (0-based, ascending).
    const std::vector<std::uint32_t>& damaged() const { return m_damaged; }
    std::size_t lineCount() const { return m_lineCount; }

private:
    // The lines of one year (or of every year), by month: 0 for every month, 1..12.
    using Months = std::array<std::vector<std::uint32_t>, 13>;
    static constexpr int YearCount = 10000; // four-digit years
    void add(std::string_view line, std::uint32_t index);
    const std::vector<std::uint32_t>* bucket(int year, int month) const;

    std::vector<std::int32_t> m_yearSlot; // year -> index in m_years, or -1
    std::vector<Months> m_years;
    Months m_everyYear;
    std::vector<std::uint32_t> m_unsorted; // dates that are neither numbers nor wildcards: always looked at
    std::vector<std::uint32_t> m_damaged;
    std::size_t m_lineCount = 0;
};

} // namespace plandeck
