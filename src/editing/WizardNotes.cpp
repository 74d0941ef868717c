#include "editing/WizardNotes.h"

#include <vector>

namespace plandeck {

namespace {

bool HoldsNote(const NotesRead& lines, const EditedNote& edited) {
    return edited.line >= 1 && static_cast<std::size_t>(edited.line) <= lines.size() &&
           lines.line(static_cast<std::size_t>(edited.line - 1)) == edited.text;
}

std::vector<std::string> LinesWithout(const NotesRead& lines, int skipped) {
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
    // A file that exists but cannot be read whole is never replaced by less.
    const NotesRead read = store.read();
    if (!read.ok()) {
        result.unreadable = true;
        return result;
    }
    int skipped = 0;
    if (edited) {
        if (HoldsNote(read, *edited))
            skipped = edited->line;
        else
            result.noteMoved = true;
    }
    std::vector<std::string> kept = LinesWithout(read, skipped);
    kept.emplace_back(line);
    result.write = store.rewrite(read, kept);
    result.written = result.write.ok;
    return result;
}

WizardWrite DeleteWizardNote(const NotesStore& store, const EditedNote& edited) {
    WizardWrite result;
    // A file that exists but cannot be read whole is never replaced by less.
    const NotesRead read = store.read();
    if (!read.ok()) {
        result.unreadable = true;
        return result;
    }
    if (!HoldsNote(read, edited)) {
        result.noteMoved = true;
        return result;
    }
    result.write = store.rewrite(read, LinesWithout(read, edited.line));
    result.written = result.write.ok;
    return result;
}

} // namespace plandeck
