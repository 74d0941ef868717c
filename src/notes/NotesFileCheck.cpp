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
    if (line.size() < static_cast<std::size_t>(Note::HeaderLength))
        return false;
    const std::string_view year = line.substr(0, 4);
    const std::string_view month = line.substr(4, 2);
    const std::string_view day = line.substr(6, 2);
    return (year == "yyyy" || Digits(year)) && (month == "yy" || Digits(month)) && (day == "yy" || HexDigits(day)) &&
           Digits(line.substr(8, 8));
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
