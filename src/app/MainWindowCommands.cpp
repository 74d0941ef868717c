#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "platform/Shell.h"
#include "settings/LanguageEntries.h"
#include "settings/Skin.h"
#include "settings/ui/AboutBox.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

namespace plandeck {

using namespace window;

namespace {

// The main window's keys, taken on the hidden key field. The first row whose key matches and whose modifiers
// are all held gives the command: a key with more modifiers goes before the same key with fewer. Ctrl alone
// is no command: it marks drops as copies while it is held.
struct KeyBinding {
    int key;
    Qt::KeyboardModifiers modifiers;
    Command command;
};
constexpr KeyBinding KeyBindings[] = {
    {Qt::Key_Escape, {}, Command::Minimise},
    {Qt::Key_Delete, {}, Command::DeleteNote},
    {Qt::Key_Return, {}, Command::EditInWizard},
    {Qt::Key_Enter, {}, Command::EditInWizard},
    {Qt::Key_Space, {}, Command::EditText},
    // The first match wins: Ctrl+Shift+Z before Ctrl+Z.
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, Command::Redo},
    {Qt::Key_Z, Qt::ControlModifier, Command::Undo},
    {Qt::Key_Y, Qt::ControlModifier, Command::Redo},
};

// The note menu's items, top to bottom.
struct NoteMenuRow {
    const char* objectName;
    int caption; // language entry
    Command command;
};
constexpr NoteMenuRow NoteMenuRows[] = {
    {"Label15", Entry::MenuEditInWizard, Command::EditInWizard},
    {"Label18", Entry::MenuEditText, Command::EditText},
    {"Label19", Entry::MenuDelete, Command::DeleteNote},
    {"UndoItem", Entry::History::UndoCaption, Command::Undo},
    {"RestoreItem", Entry::Alerts::RestoreCommand, Command::RestoreBackup},
};

std::optional<Command> KeyCommand(int key, Qt::KeyboardModifiers held) {
    for (const KeyBinding& binding : KeyBindings)
        if (binding.key == key && (held & binding.modifiers) == binding.modifiers)
            return binding.command;
    return std::nullopt;
}

} // namespace

void MainWindow::run(Command command) {
    switch (command) {
    case Command::NewNote:
        openNewNoteWizard();
        break;
    case Command::Options:
        openOptions();
        break;
    case Command::Help:
        OpenHelp(this, m_session->dataDirectory(), m_session->language());
        break;
    case Command::Exit:
        close();
        break;
    case Command::About:
        openAbout();
        break;
    case Command::CopyWebAddress:
        CopyWebAddress(this, m_session->language());
        break;
    case Command::ShowOrHideWindow:
        hideOrRestore();
        break;
    case Command::ShowOrHideToday:
        showOrHideTodayWindow();
        break;
    case Command::Minimise:
        showMinimized();
        break;
    case Command::EditInWizard:
        editInWizard();
        break;
    case Command::EditText:
        beginInlineEdit();
        break;
    case Command::DeleteNote:
        deleteSelectedNote();
        break;
    case Command::Undo:
        undoOrRedo(false);
        break;
    case Command::Redo:
        undoOrRedo(true);
        break;
    case Command::RestoreBackup:
        openRestoreBackup();
        break;
    }
}

std::optional<Command> MainWindow::commandAt(const QObject* control) const {
    // The commands answer a click on their caption; the icons only highlight.
    for (const CommandItem& item : m_commands)
        if (control == item.label)
            return item.command;
    if (control == m_about || control == m_aboutCaption)
        return Command::About;
    if (control == m_web)
        return Command::CopyWebAddress;
    return std::nullopt;
}

bool MainWindow::keyCommand(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        m_session->setCopyFlag(true);
        return true;
    }
    const std::optional<Command> command = KeyCommand(event->key(), event->modifiers());
    if (!command)
        return false;
    // Enter and Space belong to the editor while it is open.
    const bool editorKey = *command == Command::EditInWizard || *command == Command::EditText;
    if (!(editorKey && m_editor->isVisible()))
        run(*command);
    return true;
}

std::vector<NoteMenu::Item> MainWindow::noteMenuItems() {
    std::vector<NoteMenu::Item> items;
    for (const NoteMenuRow& row : NoteMenuRows)
        items.push_back({QString::fromLatin1(row.objectName), row.command});
    return items;
}

std::vector<QString> MainWindow::noteMenuCaptions() const {
    std::vector<QString> captions;
    for (const NoteMenuRow& row : NoteMenuRows)
        captions.push_back(entry(row.caption));
    return captions;
}

// ---- The options window and the about box

void MainWindow::openOptions() {
    // Always a fresh window, so it shows the option files as they are now.
    delete m_optionsWindow;
    OptionsWindowSetup setup;
    setup.dataDir = m_session->dataDirectory();
    setup.language = m_session->language();
    setup.current = m_session->options();
    setup.shownSkin = m_session->shownSkin();
    setup.notesPath = m_session->notesPath();
    setup.features = m_session->features();
    setup.titleColour = Colour(m_colours.label4Text, setup.titleColour);
    m_optionsWindow = new OptionsWindow(std::move(setup), this);
    m_optionsWindow->setSaveHandler([this](const OptionsChoice& choice) { return saveOptions(choice); });
    connect(m_optionsWindow, &OptionsWindow::closed, this,
            [this](int snapMinutes) { apply(m_session->optionsClosed(snapMinutes, now())); });
    centreOverWindow(m_optionsWindow);
    m_optionsWindow->show();
}

std::optional<OptionsWindowFields> MainWindow::saveOptions(const OptionsChoice& choice) {
    // The session writes both option files and applies them; this window shows the outcome.
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    const OptionsSaveResult result =
        m_session->saveOptions(choice, {isMaximized(), size.width(), size.height()}, now());
    apply(result.changes);
    if (!result.saved)
        return std::nullopt;
    applyTileFont();
    if (result.options.language && m_aboutBox)
        m_aboutBox->setLanguage(m_session->language());
    return result.fields;
}

void MainWindow::centreOverWindow(QWidget* window) const {
    // A window of ours opens over the middle of the main window, not wherever the window manager likes.
    window->adjustSize();
    window->move(geometry().center() - window->rect().center());
}

void MainWindow::openAbout() {
    if (!m_aboutBox) {
        m_aboutBox = new AboutBox(m_session->dataDirectory(), m_session->language(), this);
        centreOverWindow(m_aboutBox);
    }
    m_aboutBox->show();
    m_aboutBox->raise();
    m_aboutBox->activateWindow();
}

} // namespace plandeck
