#include "notes/StartupPurge.h"

#include "notes/NotesStore.h"

namespace plandeck {

LineChange PastNotes(const TextLines& lines, const Date& today) {
    LineChange past;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (IsPastNote(lines.line(i), today))
            past.removed.push_back({i, std::string(lines.line(i))});
    return past;
}

} // namespace plandeck
