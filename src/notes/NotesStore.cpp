#include "notes/NotesStore.h"

#include "notes/Note.h"
#include "base/NumberForm.h"

namespace plandeck {

TextLines NotesStore::read() const {
    return TextLines(ReadWholeFile(m_path).bytes);
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

WriteResult NotesStore::rewrite(const std::vector<std::string>& kept) const {
    return RewriteFile(m_path, JoinForRewrite(kept));
}

WriteResult NotesStore::append(std::string_view line) const {
    std::string bytes;
    ReadResult current = ReadWholeFile(m_path);
    if (current.exists && !current.bytes.empty() && current.bytes.back() != '\n')
        bytes = "\r\n";
    bytes += line;
    bytes += "\r\n";
    return AppendToFile(m_path, bytes);
}

WriteResult RemoveNoteLines(const NotesStore& store, std::string_view line) {
    TextLines lines = store.read();
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines.line(i) != line)
            kept.emplace_back(lines.line(i));
    return store.rewrite(kept);
}

bool IsPastNote(std::string_view line, const Date& today) {
    if (line.size() < 16)
        return false;
    std::string month = DecodeField(line.substr(4, 2));
    if (month == "yy")
        return false;
    std::string day = DecodeField(line.substr(6, 2));
    if (day == "yy")
        return false;
    std::int64_t dayValue = HexToNumber(day);
    if (dayValue > 31)
        return false;
    std::string_view year = line.substr(0, 4);
    if (year == "yyyy")
        return false;
    double y = NumericValue(year);
    double m = NumericValue(month);
    if (today.year > y)
        return true;
    if (today.year == y && today.month > m)
        return true;
    return today.year == y && today.month == m && today.day > dayValue;
}

PurgeResult RemovePastNotes(const NotesStore& store, const Date& today) {
    // Removing every past line at once gives the same file as removing them one by one (each removal also
    // takes every identical copy), with one rewrite instead of one per line.
    TextLines lines = store.read();
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    PurgeResult result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsPastNote(lines.line(i), today))
            ++result.removed;
        else
            kept.emplace_back(lines.line(i));
    }
    if (result.removed > 0)
        result.write = store.rewrite(kept);
    return result;
}

} // namespace plandeck
