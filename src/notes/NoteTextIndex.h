#pragma once

#include "base/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// The note texts of the notes file, decoded as the windows decode them and case-folded once, so that a search
// only scans: every keystroke of the find box asks `find` and nothing is decoded or folded again until the
// notes change.
class NoteTextIndex {
public:
    // Takes the texts of every note line (17 characters or more) of `lines`.
    void build(const TextLines& lines);

    // The lines (0-based, ascending) whose text holds `query` in any letter case; at most `limit` of them,
    // and in `total` how many there are in all. An empty query finds nothing.
    std::vector<std::uint32_t> find(std::string_view query, std::size_t limit, std::size_t& total) const;

    std::size_t noteCount() const { return m_lines.size(); }

private:
    std::string m_folded;                // the folded texts, each followed by a line end
    std::vector<std::uint32_t> m_starts; // where each text starts in m_folded
    std::vector<std::uint32_t> m_lines;  // the line of each text
};

} // namespace plandeck
