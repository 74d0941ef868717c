#pragma once

#include "base/TextFile.h"

#include <string>
#include <string_view>

namespace plandeck {

// Whether a file the user picks can become the notes file.
enum class NotesFileVerdict {
    Usable,     // every line is a note, or empty, or a single character the readers skip
    Unreadable, // missing, a folder, or not readable
    NotNotes,   // holds binary bytes or lines that are not notes
};

// A line is a note when its first 17 characters form a note header: a four-digit year or "yyyy", a
// two-digit month or "yy", a two-digit hexadecimal day code or "yy", four two-digit times and a category
// character.
bool IsNoteHeader(std::string_view line);

// Checked before the file is taken, so that a wrong pick never sends the week refresh offering to delete
// every line of someone's document as a malformed note.
NotesFileVerdict CheckNotesFile(const ReadResult& file);
NotesFileVerdict CheckNotesFile(const std::string& path);

} // namespace plandeck
