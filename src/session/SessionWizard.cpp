#include "session/Session.h"

#include "base/NumberForm.h"
#include "editing/NewNoteAt.h"
#include "notes/Note.h"
#include "settings/LanguageEntries.h"

namespace plandeck {

namespace {

// The language files hold no words for a note that another program moved while the wizard was open.
constexpr const char* SavedAsNewNote =
    "The note had changed in the notes file since the wizard opened. Your note was added as a new note and the "
    "note in the file was left as it is.";
constexpr const char* NotDeleted =
    "The note had changed in the notes file since the wizard opened, so nothing was deleted.";

constexpr int ConfirmDeleteLine = 12;

// Line 12 of the main option file as it reads now: 0 deletes at once, 1 asks first, anything else keeps
// the note.
double ConfirmDeleteSetting(const std::string& path) {
    const ReadResult start = ReadFileStart(path, 64 * 1024);
    const TextLines lines(start.bytes);
    return lines.size() >= ConfirmDeleteLine ? NumericValue(lines.line(ConfirmDeleteLine - 1)) : 0;
}

} // namespace

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
    const NotesRead lines = NotesStore(m_notesPath).read();
    if (line < 1 || static_cast<std::size_t>(line) > lines.size())
        return std::nullopt;
    const std::string_view text = lines.line(static_cast<std::size_t>(line - 1));
    if (ClassifyLine(text) != LineKind::Note)
        return std::nullopt;
    m_wizardEdit = EditedNote{line, std::string(text)};
    return WizardFormFromNote(text, m_categories);
}

WizardResult Session::saveWizardNote(const std::string& line) {
    WizardResult result;
    const WizardWrite write = SaveWizardNote(NotesStore(m_notesPath), m_wizardEdit, line);
    if (write.unreadable) {
        result.changes.failures.push_back({m_notesPath, "The notes file cannot be read."});
        return result;
    }
    if (!write.written) {
        result.changes.failures.push_back({m_notesPath, write.write.error});
        return result;
    }
    if (write.noteMoved)
        result.changes.notices.emplace_back(SavedAsNewNote);
    result.closeWizard = true;
    return result;
}

WizardResult Session::deleteWizardNote() {
    WizardResult result;
    if (!m_wizardEdit)
        return result;
    const double setting = ConfirmDeleteSetting(m_dataDir.mainOptionsFile());
    if (setting == 1) {
        const UserQuestions::Answer answer =
            m_questions.ask(m_language.entry(Entry::ConfirmDelete), m_language.entry(Entry::ConfirmDeleteTitle),
                            UserQuestions::Buttons::YesNo, UserQuestions::Answer::Yes);
        if (answer != UserQuestions::Answer::Yes)
            return result;
    } else if (setting != 0) {
        return result;
    }
    const WizardWrite write = DeleteWizardNote(NotesStore(m_notesPath), *m_wizardEdit);
    if (write.unreadable) {
        result.changes.failures.push_back({m_notesPath, "The notes file cannot be read."});
        return result;
    }
    if (write.noteMoved) {
        result.changes.notices.emplace_back(NotDeleted);
    } else if (!write.written) {
        result.changes.failures.push_back({m_notesPath, write.write.error});
        return result;
    }
    result.closeWizard = true;
    return result;
}

Changes Session::wizardClosed() {
    m_wizardEdit.reset();
    return refreshNotes();
}

} // namespace plandeck
