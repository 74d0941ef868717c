#pragma once

#include "base/Date.h"
#include "base/TextFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace plandeck {


// The notes file: one note per line, identified by its 1-based physical line number (every line counts,
// empty ones too). Every operation opens, reads or writes, and closes the file; nothing is held between
// calls.
class NotesStore {
public:
    explicit NotesStore(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // All physical lines. A missing file reads as an empty one.
    TextLines read() const;

    // Replaces the file with the kept lines, joined by the rewrite rule: empty lines before the first
    // non-empty line are dropped, the rest are joined by CR LF, and one CR LF ends the file (so a file with
    // nothing kept holds a single CR LF). On failure the old file is left as it was.
    WriteResult rewrite(const std::vector<std::string>& kept) const;

    // Adds one line at the end. A file whose last line has no line end gets one first, so the new note
    // never joins the last one.
    WriteResult append(std::string_view line) const;

    // The text a rewrite writes for the kept lines.
    static std::string JoinForRewrite(const std::vector<std::string>& kept);

private:
    std::string m_path;
};

// Rewrites the notes file without every line equal to `line` (exact, case-sensitive comparison).
WriteResult RemoveNoteLines(const NotesStore& store, std::string_view line);

// Whether a line is a one-time note dated before `today`. Notes with any wildcard, weekly notes and lines
// shorter than 16 characters are never past.
bool IsPastNote(std::string_view line, const Date& today);

struct PurgeResult {
    WriteResult write;
    int removed = 0;
};

// Removes every one-time note dated before `today` in one rewrite. The file is not touched when nothing
// is past.
PurgeResult RemovePastNotes(const NotesStore& store, const Date& today);

} // namespace plandeck
