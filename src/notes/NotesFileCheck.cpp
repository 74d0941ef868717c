#include "notes/NotesFileCheck.h"

#include "notes/Note.h"

#include <algorithm>
#include <cctype>

namespace plandeck {

namespace {

bool Digits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool HexDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

} // namespace

bool IsNoteHeader(std::string_view line) {
    const NoteHeader note(line);
    if (!note.complete())
        return false;
    return (note.everyYear() || Digits(note.yearText())) && (note.everyMonth() || Digits(note.monthText())) &&
           (note.everyDay() || HexDigits(note.dayCodeText())) && Digits(note.startHourText()) &&
           Digits(note.startMinuteText()) && Digits(note.endHourText()) && Digits(note.endMinuteText());
}

NotesFileVerdict CheckNotesFile(const ReadResult& file) {
    if (!file.exists)
        return NotesFileVerdict::Unreadable;
    if (file.bytes.find('\0') != std::string::npos)
        return NotesFileVerdict::NotNotes;
    bool notes = true;
    ForEachLine(file.bytes, [&](std::string_view line) {
        notes = ClassifyLine(line) == LineKind::Ignored || IsNoteHeader(line);
        return notes;
    });
    return notes ? NotesFileVerdict::Usable : NotesFileVerdict::NotNotes;
}

NotesFileVerdict CheckNotesFile(const std::string& path) {
    return CheckNotesFile(ReadWholeFile(path));
}

} // namespace plandeck
