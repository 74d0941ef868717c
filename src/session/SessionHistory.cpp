#include "session/Session.h"

#include "settings/LanguageEntries.h"

namespace plandeck {

namespace {

// What a step was, in the hint line's words. The kinds after the first thirteen have entries of their own.
int KindEntry(EditKind kind) {
    if (kind == EditKind::ImportCalendar)
        return Entry::Calendar::UndoName;
    if (kind == EditKind::RestoreBackup)
        return Entry::Alerts::RestoreKind;
    return Entry::History::FirstKind + static_cast<int>(kind);
}

} // namespace

Changes Session::undo() {
    return undoOrRedo(false);
}

Changes Session::redo() {
    return undoOrRedo(true);
}

Changes Session::undoOrRedo(bool redo) {
    Changes changes;
    // A change still waiting for its write is written first: it is the step an undo takes back.
    changes |= finishWrites();
    const EditStep* step = redo ? m_history.nextRedo() : m_history.nextUndo();
    if (!step) {
        changes.hint = entry(redo ? Entry::History::NothingToRedo : Entry::History::NothingToUndo);
        return changes;
    }
    const EditStep taken = *step;
    const LineChange change = redo ? taken.change : taken.change.inverse();
    const bool notes = taken.file == EditedFile::Notes;
    if (notes && m_notes.path() != m_notesPath) {
        m_notes.setPath(m_notesPath);
        m_history.clear();
        changes.hint = entry(redo ? Entry::History::NothingToRedo : Entry::History::NothingToUndo);
        return changes;
    }
    // Applied only when every line it takes out is still there; it never writes over another program's lines.
    const ChangeOutcome outcome = notes ? m_notes.apply(change) : m_categoryFile.apply(change);
    if (!outcome.done()) {
        redo ? m_history.dropRedo() : m_history.dropUndo();
        if (outcome.status == ChangeStatus::Stale)
            changes.notices.push_back(entry(redo ? Entry::History::CannotRedo : Entry::History::CannotUndo));
        else
            changes.failures.push_back({notes ? m_notesPath : m_dataDir.categoryFile(), outcome.error});
    } else if (redo) {
        m_history.redone(outcome.applied);
    } else {
        m_history.undone(outcome.applied);
    }
    if (outcome.done()) {
        const std::string what = entry(KindEntry(taken.kind));
        changes.hint = ReplacePlaceholder(entry(redo ? Entry::History::Redone : Entry::History::Undone), what);
    }
    changes |= takeBackupNotice();
    if (notes) {
        followInlineEdit();
        changes |= refreshNotes();
    } else {
        changes |= categoriesChanged();
    }
    return changes;
}

} // namespace plandeck
