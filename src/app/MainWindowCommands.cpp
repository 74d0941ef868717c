#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "platform/Shell.h"
#include "settings/Skin.h"
#include "settings/ui/AboutBox.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

namespace plandeck {

using namespace window;

bool MainWindow::runCommand(QObject* control) {
    // The commands answer a click on their caption; the icons only highlight.
    if (control == m_commands[0].label) {
        openNewNoteWizard();
    } else if (control == m_commands[1].label) {
        openOptions();
    } else if (control == m_commands[2].label) {
        OpenHelp(this, m_session->dataDirectory(), m_session->language());
    } else if (control == m_commands[3].label) {
        close();
    } else if (control == m_about || control == m_aboutCaption) {
        openAbout();
    } else if (control == m_web) {
        CopyWebAddress(this, m_session->language());
    } else {
        return false;
    }
    return true;
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
