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

WriteResult RefusedAfterFailedRead(const NotesRead& basis) {
    return WriteResult::Failure((basis.reason.empty() ? "Could not read \"" + basis.path + "\"" : basis.reason) +
                                ". The notes file was left unchanged so that no note is lost.");
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

WriteResult NotesStore::rewrite(const NotesRead& basis, const std::vector<std::string>& kept) const {
    if (!basis.ok())
        return RefusedAfterFailedRead(basis);
    return RewriteFile(m_path, JoinForRewrite(kept));
}

WriteResult NotesStore::append(std::string_view line) const {
    ReadResult current = ReadWholeFile(m_path);
    if (current.failed()) {
        NotesRead basis;
        basis.status = current.status;
        basis.path = m_path;
        basis.reason = current.error;
        return RefusedAfterFailedRead(basis);
    }
    // A file that ends its lines with lone CRs is read by those; an LF added now would make the whole
    // file before it read as one line.
    const bool loneCr = HasLoneCarriageReturnLineEnds(current.bytes);
    const std::string lineEnd = loneCr ? "\r" : "\r\n";
    const char lastOfLineEnd = loneCr ? '\r' : '\n';
    std::string bytes;
    if (!current.bytes.empty() && current.bytes.back() != lastOfLineEnd)
        bytes = lineEnd;
    bytes += line;
    bytes += lineEnd;
    return AppendToFile(m_path, bytes);
}

WriteResult RemoveNoteLines(const NotesStore& store, std::string_view line) {
    NotesRead lines = store.read();
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines.line(i) != line)
            kept.emplace_back(lines.line(i));
    return store.rewrite(lines, kept);
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

PurgeResult RemovePastNotes(const NotesStore& store, const Date& today) {
    // Removing every past line at once gives the same file as removing them one by one (each removal also
    // takes every identical copy), with one rewrite instead of one per line.
    NotesRead lines = store.read();
    PurgeResult result;
    if (!lines.ok()) {
        result.write = RefusedAfterFailedRead(lines);
        return result;
    }
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsPastNote(lines.line(i), today))
            ++result.removed;
        else
            kept.emplace_back(lines.line(i));
    }
    if (result.removed > 0)
        result.write = store.rewrite(lines, kept);
    return result;
}

} // namespace plandeck
