#include "editing/NoteFileEdits.h"

#include "base/NumberForm.h"
#include "base/TextFile.h"
#include "notes/Note.h"

namespace plandeck {

namespace {

constexpr std::string_view CrLf = "\r\n";

// Joins the file's lines the way every rewrite joins them, leaving out line `skip` (1-based; 0 keeps all),
// then adds `last` as the final line. Empty lines before the first kept non-empty line are dropped; every
// other kept line is copied byte for byte and ends in CR LF. Fails (Stale) when line `skip` is not `expected`.
NotesEdit Rebuild(const NotesContent& file, int skip, std::string_view expected, std::string_view last) {
    NotesEdit edit;
    if (!file.complete) {
        edit.status = EditStatus::Unreadable;
        return edit;
    }
    const char* data = file.bytes.data();
    const std::size_t size = file.bytes.size();
    std::string& out = edit.bytes;
    out.reserve(size + last.size() + 4);
    // Lines that already end in CR LF are copied in runs, straight from the bytes read.
    std::size_t runStart = 0;
    std::size_t runEnd = 0;
    auto flush = [&] {
        out.append(data + runStart, runEnd - runStart);
        runStart = runEnd = 0;
    };
    int number = 0;
    int written = 0;
    bool found = skip == 0;
    ForEachLine(file.bytes, [&](std::string_view line) {
        ++number;
        const std::size_t begin = static_cast<std::size_t>(line.data() - data);
        const std::size_t after = begin + line.size();
        if (number == skip) {
            found = line == expected;
            flush();
            return found;
        }
        if (written == 0 && line.empty())
            return true;
        ++written;
        if (after + 1 < size && data[after] == '\r' && data[after + 1] == '\n') {
            if (runEnd != begin) {
                flush();
                runStart = begin;
            }
            runEnd = after + 2;
        } else {
            flush();
            out += line;
            out += CrLf;
        }
        return true;
    });
    if (!found) {
        edit = {};
        edit.status = EditStatus::Stale;
        return edit;
    }
    flush();
    if (!last.empty()) {
        out += last;
        out += CrLf;
        edit.noteLine = written + 1;
        edit.line = std::string(last);
    } else if (written == 0) {
        out += CrLf; // a file emptied completely holds one line end
    }
    return edit;
}

} // namespace

std::optional<std::string_view> LineAt(std::string_view bytes, int lineNumber) {
    std::optional<std::string_view> found;
    int number = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        if (++number == lineNumber)
            found = line;
        return number < lineNumber;
    });
    return found;
}

int FindNoteLine(std::string_view bytes, const NoteRef& note) {
    int number = 0;
    int found = 0;
    int matches = 0;
    bool atOldNumber = false;
    ForEachLine(bytes, [&](std::string_view line) {
        ++number;
        if (line == note.line) {
            atOldNumber = atOldNumber || number == note.lineNumber;
            found = number;
            ++matches;
        }
        return true;
    });
    if (atOldNumber)
        return note.lineNumber;
    return matches == 1 ? found : 0;
}

NotesEdit DeleteNoteLine(const NotesContent& file, const NoteRef& note) {
    if (note.lineNumber < 1)
        return {EditStatus::Stale, {}, 0, {}};
    return Rebuild(file, note.lineNumber, note.line, {});
}

NotesEdit ReplaceNoteText(const NotesContent& file, const NoteRef& note, std::string_view typed) {
    if (note.lineNumber < 1 || note.line.size() < static_cast<std::size_t>(Note::HeaderLength))
        return {EditStatus::Stale, {}, 0, {}};
    std::string newLine(note.line.substr(0, Note::HeaderLength));
    newLine += NoteTextFromTyped(typed);
    return Rebuild(file, note.lineNumber, note.line, newLine);
}

NotesEdit PlaceNoteLine(const NotesContent& file, const NoteRef& note, std::string_view newLine, bool keepOld) {
    if (note.lineNumber < 1)
        return {EditStatus::Stale, {}, 0, {}};
    if (!keepOld)
        return Rebuild(file, note.lineNumber, note.line, newLine);
    // A copy leaves the file as it is, but only when the note is still there to be copied.
    const std::optional<std::string_view> current = LineAt(file.bytes, note.lineNumber);
    if (file.complete && current != note.line)
        return {EditStatus::Stale, {}, 0, {}};
    return Rebuild(file, 0, {}, newLine);
}

NotesAppend AppendNoteLine(const NotesContent& file, std::string_view newLine) {
    NotesAppend result;
    if (!file.complete) {
        result.status = EditStatus::Unreadable;
        return result;
    }
    if (!file.bytes.empty() && file.bytes.back() != '\n')
        result.appended = CrLf;
    result.appended += newLine;
    result.appended += CrLf;
    int lines = 0;
    ForEachLine(file.bytes, [&](std::string_view) {
        ++lines;
        return true;
    });
    result.noteLine = lines + 1;
    result.bytes.reserve(file.bytes.size() + result.appended.size());
    result.bytes += file.bytes;
    result.bytes += result.appended;
    return result;
}

std::string NoteTextFromTyped(std::string_view typed) {
    std::string text;
    text.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\r' || c == '\n') {
            text += ' ';
            if (c == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace plandeck
