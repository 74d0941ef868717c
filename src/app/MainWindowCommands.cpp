#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "calendar/ui/MonthGridWidget.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "settings/Skin.h"
#include "settings/ui/AboutBox.h"

#include <QApplication>
#include <QKeySequence>
#include <QWheelEvent>
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
    {Qt::Key_F, Qt::ControlModifier, Command::Find},
    {Qt::Key_G, Qt::ControlModifier, Command::GoToDate},
    {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, Command::SavePdf},
    {Qt::Key_P, Qt::ControlModifier, Command::Print},
    {Qt::Key_N, Qt::ControlModifier, Command::NewNote},
    {Qt::Key_Q, Qt::ControlModifier, Command::Exit},
    {Qt::Key_F1, {}, Command::Help},
    {Qt::Key_PageUp, {}, Command::PageBack},
    {Qt::Key_PageDown, {}, Command::PageForward},
    // Alt with an arrow before the arrow alone.
    {Qt::Key_Left, Qt::AltModifier, Command::PageBack},
    {Qt::Key_Right, Qt::AltModifier, Command::PageForward},
    {Qt::Key_Home, {}, Command::Today},
    {Qt::Key_T, {}, Command::Today},
    {Qt::Key_1, {}, Command::DayView},
    {Qt::Key_2, {}, Command::DaysView},
    {Qt::Key_3, {}, Command::WeekView},
    {Qt::Key_Left, {}, Command::SelectLeft},
    {Qt::Key_Right, {}, Command::SelectRight},
    {Qt::Key_Up, {}, Command::SelectUp},
    {Qt::Key_Down, {}, Command::SelectDown},
    {Qt::Key_Tab, {}, Command::SelectNext},
    {Qt::Key_Backtab, {}, Command::SelectPrevious},
};

// The keys and the wheel that do what a control does, for its tooltip: the keys of `keys`, then the entry
// that says how the wheel does it (0 for none).
struct ControlKeys {
    const char* objectName;
    std::optional<Command> keys;
    int wheel;
};
constexpr ControlKeys ControlKeyRows[] = {
    {"Image20", Command::PageBack, Entry::Keys::WheelDays},
    {"Image22", Command::PageForward, Entry::Keys::WheelDays},
    {"Image21", Command::Today, 0},
    {"Image19", Command::Today, 0},
    {"Image11", Command::DayView, 0},
    {"Image12", Command::DaysView, 0},
    {"Image13", Command::WeekView, 0},
    {"Image18", std::nullopt, Entry::Keys::WheelHours},
    {"Image33", std::nullopt, Entry::Keys::WheelHours},
    {"Label23", Command::NewNote, 0},
    {"Label24", Command::Help, 0},
    {"Label25", Command::Exit, 0},
};

// A turn of the wheel by one notch, in eighths of a degree.
constexpr int WheelNotch = 120;

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

// The keys bound to a command as the keyboard names them: "PgUp, Alt+Left".
QString KeysOf(Command command) {
    QStringList keys;
    for (const KeyBinding& binding : KeyBindings)
        if (binding.command == command && binding.key != Qt::Key_Enter)
            keys << QKeySequence(static_cast<int>(binding.modifiers) | binding.key).toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral(", "));
}

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
    case Command::CalendarFiles:
        openCalendarMenu();
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
    case Command::Find:
        openFindBox();
        break;
    case Command::GoToDate:
        openGoToDate();
        break;
    case Command::Print:
        printShownDays(false);
        break;
    case Command::SavePdf:
        printShownDays(true);
        break;
    case Command::Back:
        apply(m_session->back(now()));
        break;
    case Command::Forward:
        apply(m_session->forward(now()));
        break;
    case Command::PageBack:
        apply(m_session->pageBack(now()));
        break;
    case Command::PageForward:
        apply(m_session->pageForward(now()));
        break;
    case Command::Today:
        apply(m_session->goToToday(now()));
        break;
    case Command::DayView:
        apply(m_session->showDay(now()));
        break;
    case Command::DaysView:
        apply(m_session->showDays(now()));
        break;
    case Command::WeekView:
        apply(m_session->showWeek(now()));
        break;
    case Command::HourEarlier:
        apply(m_session->hourEarlier());
        break;
    case Command::HourLater:
        apply(m_session->hourLater());
        break;
    case Command::SelectLeft:
        selectTile(TileStep::Left);
        break;
    case Command::SelectRight:
        selectTile(TileStep::Right);
        break;
    case Command::SelectUp:
        selectTile(TileStep::Up);
        break;
    case Command::SelectDown:
        selectTile(TileStep::Down);
        break;
    case Command::SelectNext:
        selectTile(TileStep::Next);
        break;
    case Command::SelectPrevious:
        selectTile(TileStep::Previous);
        break;
    }
}

bool MainWindow::selectTile(TileStep step) {
    if (!m_session->selectNeighbour(step))
        return false;
    m_menu->hide();
    m_grid->setSelectedSlot(m_session->selectedSlot());
    showHint(Entry::Keys::HintSelected);
    return true;
}

QString MainWindow::keysTooltip(const QObject* control) const {
    for (const ControlKeys& row : ControlKeyRows) {
        if (control->objectName() != QLatin1String(row.objectName))
            continue;
        QStringList ways;
        if (row.keys)
            ways << KeysOf(*row.keys);
        if (row.wheel)
            ways << entry(row.wheel);
        return FromFileText(
            ReplacePlaceholder(m_session->entry(Entry::Keys::Tooltip), ToFileText(ways.join(QStringLiteral("; ")))));
    }
    return {};
}

bool MainWindow::wheelCommand(QObject* watched, QWheelEvent* event) {
    // Nothing moves under a drag or the open editor.
    event->accept();
    if (m_grid->dragging() || m_categoryDrag || m_editor->isVisible())
        return true;
    // A touchpad turns in small steps: they add up to whole notches.
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / WheelNotch;
    m_wheelRest %= WheelNotch;
    // Turned away from the user: earlier hours, earlier days.
    const bool days = watched == m_month || event->modifiers().testFlag(Qt::ControlModifier);
    const Command command = days ? (notches > 0 ? Command::Back : Command::Forward)
                                 : (notches > 0 ? Command::HourEarlier : Command::HourLater);
    for (int i = std::abs(notches); i > 0; --i)
        run(command);
    return true;
}

std::optional<Command> MainWindow::commandAt(const QObject* control) const {
    // The commands answer a click on their caption; the icons only highlight, unless the bar had no room for
    // the caption, and the icon stands alone.
    for (const CommandItem& item : m_commands)
        if (control == item.label || (control == item.icon && item.label->isHidden()))
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
    if (*command == Command::SelectNext || *command == Command::SelectPrevious) {
        const bool next = *command == Command::SelectNext;
        if (!selectTile(next ? TileStep::Next : TileStep::Previous)) {
            // Past the last note Tab goes on to the next control, as everywhere; coming back, it starts at the
            // first note again.
            m_session->clearSelection();
            m_grid->setSelectedSlot(std::nullopt);
            focusNextPrevChild(next);
        }
        return true;
    }
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
    // A window of ours opens over the middle of the main window, not wherever the window manager likes, at
    // the size it chose for itself, or else at the size its contents ask for.
    if (!window->testAttribute(Qt::WA_Resized))
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
