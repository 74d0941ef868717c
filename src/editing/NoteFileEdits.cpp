#include "editing/NoteFileEdits.h"

#include "base/NumberForm.h"
#include "base/TextFile.h"
#include "notes/Note.h"

namespace plandeck {

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
