#pragma once

#include "base/Date.h"
#include "base/TextFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// The notes file as one read found it. A missing file reads as empty and may be created; a file that could
// not be read whole keeps what was read (the week shows it) but must never be rewritten or appended to
// from that read, or the notes that were not read would be lost.
struct NotesRead {
    TextLines lines;
    ReadStatus status = ReadStatus::Missing;
    std::string path;
    std::string reason; // why the read failed, for the user

    bool ok() const { return status != ReadStatus::Failed; }
    bool missing() const { return status == ReadStatus::Missing; }
    std::size_t size() const { return lines.size(); }
    bool empty() const { return lines.empty(); }
    std::string_view line(std::size_t i) const { return lines.line(i); }
    std::vector<std::string> toStrings() const { return lines.toStrings(); }
};

// Reads the notes file: one note per line, identified by its 1-based physical line number (every line counts,
// empty ones too). Every write goes through the file's owner (NotesFile).
class NotesStore {
public:
    explicit NotesStore(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // All physical lines, and whether the read found the whole file.
    NotesRead read() const;

    // The text a rewrite writes for the kept lines.
    static std::string JoinForRewrite(const std::vector<std::string>& kept);

private:
    std::string m_path;
};

// Whether a line is a one-time note dated before `today`. Notes with any wildcard, weekly notes and lines
// shorter than 16 characters are never past.
bool IsPastNote(std::string_view line, const Date& today);

} // namespace plandeck
