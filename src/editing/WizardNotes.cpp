#include "editing/WizardNotes.h"

#include <vector>

namespace plandeck {

namespace {

// The file's lines; nothing when it exists but cannot be read, so that it is never replaced by less.
std::optional<TextLines> ReadNotes(const NotesStore& store) {
    ReadResult file = ReadWholeFile(store.path());
    if (!file.exists && FileExists(store.path()))
        return std::nullopt;
    return TextLines(std::move(file.bytes));
}

bool HoldsNote(const TextLines& lines, const EditedNote& edited) {
    return edited.line >= 1 && static_cast<std::size_t>(edited.line) <= lines.size() &&
           lines.line(static_cast<std::size_t>(edited.line - 1)) == edited.text;
}

std::vector<std::string> LinesWithout(const TextLines& lines, int skipped) {
    std::vector<std::string> kept;
    kept.reserve(lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (static_cast<int>(i) + 1 != skipped)
            kept.emplace_back(lines.line(i));
    return kept;
}

} // namespace

WizardWrite SaveWizardNote(const NotesStore& store, const std::optional<EditedNote>& edited, std::string_view line) {
    WizardWrite result;
    const std::optional<TextLines> lines = ReadNotes(store);
    if (!lines) {
        result.unreadable = true;
        return result;
    }
    int skipped = 0;
    if (edited) {
        if (HoldsNote(*lines, *edited))
            skipped = edited->line;
        else
            result.noteMoved = true;
    }
    std::vector<std::string> kept = LinesWithout(*lines, skipped);
    kept.emplace_back(line);
    result.write = store.rewrite(kept);
    result.written = result.write.ok;
    return result;
}

WizardWrite DeleteWizardNote(const NotesStore& store, const EditedNote& edited) {
    WizardWrite result;
    const std::optional<TextLines> lines = ReadNotes(store);
    if (!lines) {
        result.unreadable = true;
        return result;
    }
    if (!HoldsNote(*lines, edited)) {
        result.noteMoved = true;
        return result;
    }
    result.write = store.rewrite(LinesWithout(*lines, edited.line));
    result.written = result.write.ok;
    return result;
}

} // namespace plandeck
