#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// The notes file as one command read it.
struct NotesContent {
    std::string_view bytes;
    bool complete = true; // false when the read stopped short: such a file is never written back
};

// The note a command acts on: its line number and the line its tile was built from.
struct NoteRef {
    int lineNumber = 0;
    std::string_view line;
};

enum class EditStatus {
    Changed,    // `bytes` holds the new file
    Stale,      // the file no longer holds that note at that line: nothing may be written
    Unreadable, // the file was not read in full: nothing may be written
};

struct NotesEdit {
    EditStatus status = EditStatus::Changed;
    std::string bytes; // the whole new file
    int noteLine = 0;  // the new line number of the written note (0 when none was written)
    std::string line;  // the note line written
};

// The line with the given 1-based number (every physical line counts), without its line end.
std::optional<std::string_view> LineAt(std::string_view bytes, int lineNumber);

// Where a note is after a rewrite: its old number when the line is still there, else the number of the one
// line equal to it; 0 when it is gone or stands on more than one line.
int FindNoteLine(std::string_view bytes, const NoteRef& note);

// The file without the note.
NotesEdit DeleteNoteLine(const NotesContent& file, const NoteRef& note);

// The file with the note's text replaced by `typed`; the note keeps its header and moves to the end.
NotesEdit ReplaceNoteText(const NotesContent& file, const NoteRef& note, std::string_view typed);

// The file with `newLine` at its end; the old note is taken out, or kept when copying.
NotesEdit PlaceNoteLine(const NotesContent& file, const NoteRef& note, std::string_view newLine, bool keepOld);

// The file with `newLine` added at its end, and in `appended` the bytes to append for it: a file whose last
// line has no line end gets one first, so the new note never joins the last one.
struct NotesAppend {
    EditStatus status = EditStatus::Changed;
    std::string bytes;
    std::string appended;
    int noteLine = 0;
};
NotesAppend AppendNoteLine(const NotesContent& file, std::string_view newLine);

// Typed text as it may stand in a note: a line break (pasted, say) would split the note into two lines, so
// every CR, LF or CR LF becomes one space.
std::string NoteTextFromTyped(std::string_view typed);

} // namespace plandeck
