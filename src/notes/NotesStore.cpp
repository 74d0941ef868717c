#include "notes/NotesStore.h"

#include "notes/Note.h"

namespace plandeck {

NotesRead NotesStore::read() const {
    ReadResult file = ReadWholeFile(m_path);
    NotesRead result;
    result.status = file.status;
    result.path = m_path;
    result.reason = std::move(file.error);
    result.lines = TextLines(std::move(file.bytes));
    return result;
}

std::string NotesStore::JoinForRewrite(const std::vector<std::string>& kept) {
    std::string result;
    for (const auto& line : kept) {
        if (result.empty())
            result = line;
        else
            (result += "\r\n") += line;
    }
    result += "\r\n";
    return result;
}

bool IsPastNote(std::string_view line, const Date& today) {
    const NoteHeader note(line);
    if (!note.holdsTimes() || note.everyYear() || note.everyMonth() || note.everyDay())
        return false;
    // Weekly notes, and day codes no writer makes, are never past; a day 0 is a day before the 1st.
    const int day = note.dayValue();
    if (day > NoteHeader::LastDayOfMonthCode)
        return false;
    const double y = note.yearNumericValue();
    const double m = note.monthNumericValue();
    if (today.year > y)
        return true;
    if (today.year == y && today.month > m)
        return true;
    return today.year == y && today.month == m && today.day > day;
}

} // namespace plandeck
