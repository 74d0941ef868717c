#include "session/Session.h"

#include "base/NumberForm.h"
#include "editing/NewNoteAt.h"
#include "notes/Note.h"
#include "settings/LanguageEntries.h"

namespace plandeck {

std::vector<std::pair<int, std::string>> Session::wizardCategories() const {
    std::vector<std::pair<int, std::string>> items;
    for (int i = 0; i < CategoryTable::Count; ++i)
        if (!m_categories.name(i).empty())
            items.emplace_back(i, m_categories.name(i));
    return items;
}

WizardForm Session::openWizardForNewNote() {
    m_wizardEdit.reset();
    return NewWizardForm(m_nav.grid().year(), m_language.entry(Entry::WizardText::NotePromptText));
}

WizardForm Session::openWizardAt(double x, double y) {
    m_wizardEdit.reset();
    const GridPressTime time = NewNoteAt(m_grid.view, x, y, snapMinutes());
    const DayColumn& column = m_nav.columns()[static_cast<std::size_t>(time.column)];
    return WizardFormAt(time, column, m_language.entry(Entry::WizardText::NotePromptText));
}

std::optional<WizardForm> Session::openWizardForLine(int line) {
    m_wizardEdit.reset();
    if (m_notes.refresh())
        m_history.shift(EditedFile::Notes, m_notes.lastShift());
    // The note of the tile that asked, found by its text: another program may have moved it since.
    LineChange find;
    for (const NoteTile& t : m_grid.tiles)
        if (t.tag == line) {
            find.removed.push_back({static_cast<std::size_t>(line - 1), t.line});
            break;
        }
    if (find.removed.empty() && line >= 1 && static_cast<std::size_t>(line) <= m_notes.lines().size())
        find.removed.push_back({static_cast<std::size_t>(line - 1), std::string(m_notes.lines().line(line - 1))});
    if (find.removed.empty() || !ResolveChange(m_notes.lines(), find))
        return std::nullopt;
    const LineChange::Line& note = find.removed.front();
    if (ClassifyLine(note.text) != LineKind::Note)
        return std::nullopt;
    m_wizardEdit = EditedNote{static_cast<int>(note.index) + 1, note.text};
    return WizardFormFromNote(note.text, m_categories);
}

WizardResult Session::saveWizardNote(const std::string& line) {
    WizardResult result;
    LineChange change;
    if (m_wizardEdit)
        change.removed.push_back({static_cast<std::size_t>(m_wizardEdit->line - 1), m_wizardEdit->text});
    change.added.push_back({LineChange::AtEnd, line});
    bool refusedChange = false;
    result.changes = changeNotes(change, EditKind::WizardSave, &refusedChange);
    // Refused (the note changed meanwhile, or the file cannot be read): the wizard stays open with what the
    // user entered, and the message says why.
    result.closeWizard = !refusedChange;
    return result;
}

WizardResult Session::deleteWizardNote() {
    WizardResult result;
    if (!m_wizardEdit)
        return result;
    if (!deleteConfirmed())
        return result;
    LineChange change;
    change.removed.push_back({static_cast<std::size_t>(m_wizardEdit->line - 1), m_wizardEdit->text});
    bool refusedChange = false;
    result.changes = changeNotes(change, EditKind::WizardDelete, &refusedChange);
    result.closeWizard = !refusedChange;
    return result;
}

Changes Session::wizardClosed() {
    m_wizardEdit.reset();
    return refreshNotes();
}

} // namespace plandeck
