#pragma once

#include "base/TextFile.h"

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace plandeck {

// A month of a year as the day columns show it; a value of 0 stands for a caption that is not a plain number.
struct ShownMonth {
    int year = 0;
    int month = 0;
    friend bool operator==(const ShownMonth&, const ShownMonth&) = default;
};

// The lines of the notes file sorted by the month they are dated in, so that the notes of a few shown days are
// found without looking at the others. A line repeating every year or every month sits with the lines of all
// years or all months; a line whose date fields are not plain numbers is always looked at.
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
    void add(std::string_view line, std::uint32_t index);

    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_buckets;
    std::vector<std::uint32_t> m_damaged;
    std::size_t m_lineCount = 0;
};

} // namespace plandeck
