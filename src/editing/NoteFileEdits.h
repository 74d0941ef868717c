#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// Typed text as it may stand in a note: a line break (pasted, say) would split the note into two lines, so
// every CR, LF or CR LF becomes one space.
std::string NoteTextFromTyped(std::string_view typed);

// What the delete command does by the confirm setting (the numeric value of option line 12).
enum class DeleteConfirmation {
    DeleteAtOnce, // 0
    Ask,          // 1
    Never,        // anything else
};
DeleteConfirmation DeleteConfirmationFromSetting(double value);
// Line 12 of the main option file, read when a delete is asked for; nothing when the file exists but could
// not be read (a missing file reads as empty: 0).
std::optional<DeleteConfirmation> ReadDeleteConfirmation(const std::string& optionsPath);

} // namespace plandeck
