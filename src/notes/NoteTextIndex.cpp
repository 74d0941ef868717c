#include "notes/NoteTextIndex.h"

#include "base/CaseFold.h"
#include "base/FileText.h"
#include "notes/Note.h"

#include <algorithm>

namespace plandeck {

void NoteTextIndex::build(const TextLines& lines) {
    m_folded.clear();
    m_starts.clear();
    m_lines.clear();
    m_folded.reserve(lines.bytes().size());
    m_starts.reserve(lines.size());
    m_lines.reserve(lines.size());
    // Most files are UTF-8 throughout: then no line needs a look of its own.
    const bool utf8 = IsValidUtf8(lines.bytes());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines.line(i);
        if (ClassifyLine(line) != LineKind::Note)
            continue;
        m_starts.push_back(static_cast<std::uint32_t>(m_folded.size()));
        m_lines.push_back(static_cast<std::uint32_t>(i));
        const std::string_view text = NoteHeader(line).text();
        if (utf8 || IsValidUtf8(text))
            AppendFolded(m_folded, text);
        else
            AppendFolded(m_folded, FileTextAsUtf8(text));
        // A line end cannot be inside a text, so no match runs from one text into the next.
        m_folded += '\n';
    }
}

std::vector<std::uint32_t> NoteTextIndex::find(std::string_view query, std::size_t limit, std::size_t& total) const {
    total = 0;
    std::vector<std::uint32_t> found;
    const std::string folded = FoldCase(FileTextAsUtf8(query));
    if (folded.empty() || folded.find('\n') != std::string::npos)
        return found;
    const std::string_view texts(m_folded);
    for (std::size_t at = texts.find(folded); at != std::string_view::npos;) {
        // The text the match lies in; the search goes on from the next one, so each note counts once.
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), static_cast<std::uint32_t>(at));
        const auto text = static_cast<std::size_t>(next - m_starts.begin()) - 1;
        ++total;
        if (found.size() < limit)
            found.push_back(m_lines[text]);
        if (next == m_starts.end())
            break;
        at = texts.find(folded, *next);
    }
    return found;
}

} // namespace plandeck
