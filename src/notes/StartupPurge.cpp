#include "notes/StartupPurge.h"

namespace plandeck {

std::optional<PurgeResult> PurgeAtStartup(const MainOptions& options, const NotesStore& store, const Date& today) {
    if (!options.purgePastNotes)
        return std::nullopt;
    return RemovePastNotes(store, today);
}

LineChange PastNotes(const TextLines& lines, const Date& today) {
    LineChange past;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (IsPastNote(lines.line(i), today))
            past.removed.push_back({i, std::string(lines.line(i))});
    return past;
}

} // namespace plandeck
