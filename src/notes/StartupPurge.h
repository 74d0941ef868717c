#pragma once

#include "base/Date.h"
#include "base/TrackedFile.h"
#include "notes/NotesStore.h"
#include "settings/Options.h"

#include <optional>

namespace plandeck {

// The purge of past notes at start-up: done only when the options ask for it (line 11). No value when the
// options do not ask; otherwise how the purge went.
std::optional<PurgeResult> PurgeAtStartup(const MainOptions& options, const NotesStore& store, const Date& today);

// The past notes of the file's lines (one-time notes dated before `today`), as lines to take out.
LineChange PastNotes(const TextLines& lines, const Date& today);

} // namespace plandeck
