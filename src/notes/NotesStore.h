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

// The notes file: one note per line, identified by its 1-based physical line number (every line counts,
// empty ones too). Every operation opens, reads or writes, and closes the file; nothing is held between
// calls.
class NotesStore {
public:
    explicit NotesStore(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // All physical lines, and whether the read found the whole file.
    NotesRead read() const;

    // Replaces the file with the kept lines, joined by the rewrite rule: empty lines before the first
    // non-empty line are dropped, the rest are joined by CR LF, and one CR LF ends the file (so a file with
    // nothing kept holds a single CR LF). `basis` is the read the kept lines came from: when it failed the
    // file is left alone and the failure is returned. On failure the old file is left as it was.
    WriteResult rewrite(const NotesRead& basis, const std::vector<std::string>& kept) const;

    // Adds one line at the end. A file whose last line has no line end gets one first, so the new note
    // never joins the last one; a file with lone CR line ends keeps them. A file that cannot be read is
    // not touched.
    WriteResult append(std::string_view line) const;

    // The text a rewrite writes for the kept lines.
    static std::string JoinForRewrite(const std::vector<std::string>& kept);

private:
    std::string m_path;
};

// Why a write was refused: the file it would replace could not be read.
WriteResult RefusedAfterFailedRead(const NotesRead& basis);

// Rewrites the notes file without every line equal to `line` (exact, case-sensitive comparison). Nothing is
// written when the file cannot be read.
WriteResult RemoveNoteLines(const NotesStore& store, std::string_view line);

// Whether a line is a one-time note dated before `today`. Notes with any wildcard, weekly notes and lines
// shorter than 16 characters are never past.
bool IsPastNote(std::string_view line, const Date& today);

struct PurgeResult {
    WriteResult write;
    int removed = 0;
};

// Removes every one-time note dated before `today` in one rewrite. The file is not touched when nothing
// is past or when it cannot be read.
PurgeResult RemovePastNotes(const NotesStore& store, const Date& today);

} // namespace plandeck
