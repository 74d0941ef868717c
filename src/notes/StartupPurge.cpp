#include "notes/StartupPurge.h"

namespace plandeck {

std::optional<PurgeResult> PurgeAtStartup(const MainOptions& options, const NotesStore& store, const Date& today) {
    if (!options.purgePastNotes)
        return std::nullopt;
    return RemovePastNotes(store, today);
}

} // namespace plandeck
