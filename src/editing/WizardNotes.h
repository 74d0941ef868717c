#pragma once

#include "notes/NotesStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// The note a wizard in edit mode works on: its 1-based line number and the line as it read when the wizard
// opened, so that a file changed since then never loses another note.
struct EditedNote {
    int line = 0;
    std::string text;
    friend bool operator==(const EditedNote&, const EditedNote&) = default;
};

// What a save or a delete of the wizard did to the notes file.
struct WizardWrite {
    bool written = false;    // the file was rewritten
    bool noteMoved = false;  // the edited line no longer held the note, so it was left where it was
    bool unreadable = false; // the file exists but could not be read; nothing was written
    WriteResult write;       // how the rewrite went
};

// Writes the wizard's note line at the end of the notes file. In edit mode the edited note's line is left
// out, but only while it still holds the note; otherwise every line stays and the new one is added.
WizardWrite SaveWizardNote(const NotesStore& store, const std::optional<EditedNote>& edited, std::string_view line);

// Removes the edited note's line, but only while it still holds the note; otherwise nothing is written.
WizardWrite DeleteWizardNote(const NotesStore& store, const EditedNote& edited);

} // namespace plandeck
