#pragma once

#include "base/Date.h"
#include "base/TrackedFile.h"

namespace plandeck {

// The past notes of the file's lines (one-time notes dated before `today`), as lines to take out: the purge at
// start-up when the options ask for it.
LineChange PastNotes(const TextLines& lines, const Date& today);

} // namespace plandeck
