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

DeleteConfirmation DeleteConfirmationFromSetting(double value) {
    if (value == 0)
        return DeleteConfirmation::DeleteAtOnce;
    if (value == 1)
        return DeleteConfirmation::Ask;
    return DeleteConfirmation::Never;
}

std::optional<DeleteConfirmation> ReadDeleteConfirmation(const std::string& optionsPath) {
    // Twelve option lines are short; a few kilobytes hold them in any file the program wrote.
    ReadResult read = ReadFileStart(optionsPath, 64 * 1024);
    if (read.failed())
        return std::nullopt;
    const TextLines lines(std::move(read.bytes));
    const std::string_view line12 = lines.size() >= 12 ? lines.line(11) : std::string_view();
    return DeleteConfirmationFromSetting(NumericValue(line12));
}

} // namespace plandeck
