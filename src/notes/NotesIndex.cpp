#include "notes/NotesIndex.h"

#include "notes/Note.h"

#include <algorithm>

namespace plandeck {

namespace {

constexpr std::uint32_t EveryYear = 10000;
constexpr std::uint32_t EveryMonth = 0;
// Lines whose year or month is neither a number nor a wildcard: always looked at.
constexpr std::uint32_t Unsorted = 0xFFFFFFFF;

constexpr std::uint32_t Key(std::uint32_t year, std::uint32_t month) {
    return year * 128 + month;
}

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

std::uint32_t KeyOf(std::string_view line) {
    const NoteHeader header(line);
    const std::string_view year = header.yearText();
    const std::string_view month = header.monthText();
    std::uint32_t y = 0;
    if (year == "yyyy") {
        y = EveryYear;
    } else if (std::all_of(year.begin(), year.end(), Digit)) {
        for (char c : year)
            y = y * 10 + static_cast<std::uint32_t>(c - '0');
    } else {
        return Unsorted;
    }
    if (month == "yy")
        return Key(y, EveryMonth);
    if (!Digit(month[0]) || !Digit(month[1]))
        return Unsorted;
    const auto m = static_cast<std::uint32_t>((month[0] - '0') * 10 + (month[1] - '0'));
    // A month field of 00 is no month; keep it apart from "every month".
    return m == 0 ? Unsorted : Key(y, m);
}

} // namespace

void NotesIndex::build(const TextLines& lines) {
    m_buckets.clear();
    m_damaged.clear();
    m_lineCount = 0;
    addFrom(lines, 0);
}

void NotesIndex::addFrom(const TextLines& lines, std::size_t first) {
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
        m_buckets[KeyOf(line)].push_back(index);
        return;
    }
}

std::vector<std::uint32_t> NotesIndex::candidates(std::span<const ShownMonth> months) const {
    std::vector<std::uint32_t> keys{Unsorted, Key(EveryYear, EveryMonth)};
    bool lookAtAll = false;
    for (const ShownMonth& m : months) {
        if (m.year <= 0 || m.year >= static_cast<int>(EveryYear) || m.month <= 0 || m.month >= 100) {
            lookAtAll = true;
            break;
        }
        const auto y = static_cast<std::uint32_t>(m.year);
        const auto mo = static_cast<std::uint32_t>(m.month);
        for (std::uint32_t k : {Key(y, mo), Key(y, EveryMonth), Key(EveryYear, mo)})
            if (std::find(keys.begin(), keys.end(), k) == keys.end())
                keys.push_back(k);
    }
    std::vector<std::uint32_t> lines;
    if (lookAtAll) {
        for (const auto& [key, bucket] : m_buckets)
            lines.insert(lines.end(), bucket.begin(), bucket.end());
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    // Each line sits in one bucket and each bucket is in file order: merging keeps the file order.
    for (std::uint32_t k : keys) {
        const auto it = m_buckets.find(k);
        if (it == m_buckets.end())
            continue;
        const std::size_t middle = lines.size();
        lines.insert(lines.end(), it->second.begin(), it->second.end());
        std::inplace_merge(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(middle), lines.end());
    }
    return lines;
}

} // namespace plandeck
