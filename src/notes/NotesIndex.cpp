#include "notes/NotesIndex.h"

#include "base/NumberForm.h"
#include "notes/Note.h"

#include <algorithm>

namespace plandeck {

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// The date fields of a note as the index sorts it: a year 0..9999 or -1 for every year, a month 1..12 or 0 for
// every month, or -1 for a month that cannot be. Not sorted: fields that are neither numbers nor wildcards.
struct Place {
    bool sorted = false;
    int year = 0;
    int month = 0;
};

Place PlaceOf(std::string_view line) {
    const NoteHeader header(line);
    const std::string_view year = header.yearText();
    const std::string_view month = header.monthText();
    Place place;
    if (header.everyYear()) {
        place.year = -1;
    } else if (Digit(year[0]) && Digit(year[1]) && Digit(year[2]) && Digit(year[3])) {
        place.year = ((year[0] - '0') * 10 + (year[1] - '0')) * 100 + (year[2] - '0') * 10 + (year[3] - '0');
    } else {
        return place;
    }
    if (header.everyMonth()) {
        place.month = 0;
    } else if (Digit(month[0]) && Digit(month[1])) {
        const int m = (month[0] - '0') * 10 + (month[1] - '0');
        place.month = m >= 1 && m <= 12 ? m : -1;
    } else {
        return place;
    }
    place.sorted = true;
    return place;
}

} // namespace

std::vector<ShownMonth> ShownMonthsOf(std::span<const DayColumn> columns) {
    std::vector<ShownMonth> months;
    for (const DayColumn& c : columns) {
        const ShownMonth m{PlainDecimal(c.year, 4), PlainDecimal(c.month, 2)};
        if (std::find(months.begin(), months.end(), m) == months.end())
            months.push_back(m);
    }
    return months;
}

void NotesIndex::build(const TextLines& lines) {
    m_yearSlot.assign(YearCount, -1);
    m_years.clear();
    m_everyYear = {};
    m_unsorted.clear();
    m_damaged.clear();
    m_lineCount = 0;
    addFrom(lines, 0);
}

void NotesIndex::addFrom(const TextLines& lines, std::size_t first) {
    if (m_yearSlot.empty())
        m_yearSlot.assign(YearCount, -1);
    for (std::size_t i = first; i < lines.size(); ++i)
        add(lines.line(i), static_cast<std::uint32_t>(i));
    m_lineCount = lines.size();
}

void NotesIndex::add(std::string_view line, std::uint32_t index) {
    switch (ClassifyLine(line)) {
    case LineKind::Ignored:
        return;
    case LineKind::Malformed:
        m_damaged.push_back(index);
        return;
    case LineKind::Note:
        break;
    }
    const Place place = PlaceOf(line);
    if (!place.sorted) {
        m_unsorted.push_back(index);
        return;
    }
    if (place.month < 0)
        return; // no column shows such a month
    Months* months = &m_everyYear;
    if (place.year >= 0) {
        std::int32_t& slot = m_yearSlot[static_cast<std::size_t>(place.year)];
        if (slot < 0) {
            slot = static_cast<std::int32_t>(m_years.size());
            m_years.emplace_back();
        }
        months = &m_years[static_cast<std::size_t>(slot)];
    }
    (*months)[static_cast<std::size_t>(place.month)].push_back(index);
}

const std::vector<std::uint32_t>* NotesIndex::bucket(int year, int month) const {
    if (year < 0)
        return &m_everyYear[static_cast<std::size_t>(month)];
    if (year >= YearCount || m_yearSlot.empty() || m_yearSlot[static_cast<std::size_t>(year)] < 0)
        return nullptr;
    return &m_years[static_cast<std::size_t>(m_yearSlot[static_cast<std::size_t>(year)])]
                   [static_cast<std::size_t>(month)];
}

std::vector<std::uint32_t> NotesIndex::candidates(std::span<const ShownMonth> months) const {
    std::vector<const std::vector<std::uint32_t>*> buckets{&m_unsorted, &m_everyYear[0]};
    auto take = [&](const std::vector<std::uint32_t>* b) {
        if (b && std::find(buckets.begin(), buckets.end(), b) == buckets.end())
            buckets.push_back(b);
    };
    for (const ShownMonth& m : months) {
        // A caption that is no plain year or month matches only the notes that repeat over it.
        const bool year = m.year >= 0 && m.year < YearCount;
        const bool month = m.month >= 1 && m.month <= 12;
        if (year)
            take(bucket(m.year, 0));
        if (month)
            take(bucket(-1, m.month));
        if (year && month)
            take(bucket(m.year, m.month));
    }
    // Each line sits in one bucket and each bucket is in file order: merging keeps the file order.
    std::vector<std::uint32_t> lines;
    for (const std::vector<std::uint32_t>* b : buckets) {
        const std::size_t middle = lines.size();
        lines.insert(lines.end(), b->begin(), b->end());
        std::inplace_merge(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(middle), lines.end());
    }
    return lines;
}

} // namespace plandeck
