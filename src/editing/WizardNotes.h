#pragma once

#include <string>

namespace plandeck {

// The note a wizard in edit mode works on: its 1-based line number and the line as it read when the wizard
// opened, so that a file changed since then never loses another note.
struct EditedNote {
    int line = 0;
    std::string text;
    friend bool operator==(const EditedNote&, const EditedNote&) = default;
};

} // namespace plandeck
