#pragma once

#include "base/TrackedFile.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace plandeck {

// The files a step of the history changed.
enum class EditedFile {
    Notes,
    Categories,
};

// What kind of change a step was, for the hint line.
enum class EditKind {
    EditText,
    Delete,
    Move,
    Copy,
    Stretch,
    NewNote,
    WizardSave,
    WizardDelete,
    RemoveDamaged,
    RemovePast,
    CategoryAdd,
    CategoryRename,
    CategoryDelete,
    ImportCalendar, // the events of a calendar file added as notes
    RestoreBackup,  // the notes put back from a backup
};

struct EditStep {
    EditedFile file = EditedFile::Notes;
    EditKind kind = EditKind::EditText;
    LineChange change; // as it was done
};

// Undo and redo of the changes this program made to its files. Each step keeps the lines a change took out
// and put in, never a copy of a file.
class EditHistory {
public:
    static constexpr std::size_t Depth = 100;

    // A change was made: it can be undone, and what was undone before can no longer be redone.
    void record(EditStep step);
    const EditStep* nextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const EditStep* nextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }
    // The last change was undone (`applied` as the undo did it): it can be redone.
    void undone(const LineChange& applied);
    // The last undone change was done again.
    void redone(const LineChange& applied);
    // The next undo or redo could not be done: it is dropped, so the older steps stay within reach.
    void dropUndo();
    void dropRedo();
    // Another program changed `file`: positions of its lines moved.
    void shift(EditedFile file, const LineShift& shift);
    void clear();

private:
    std::deque<EditStep> m_undo;
    std::deque<EditStep> m_redo;
};

} // namespace plandeck
