#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// Typed text as it may stand in a note: a line break (pasted, say) would split the note into two lines, so
// every CR, LF or CR LF becomes one space.
std::string NoteTextFromTyped(std::string_view typed);

} // namespace plandeck
