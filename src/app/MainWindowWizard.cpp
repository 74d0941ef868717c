#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "editing/ui/EventWizard.h"
#include "settings/Skin.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

namespace plandeck {

using namespace window;

// ---- The note wizard

void MainWindow::openNewNoteWizard() {
    showWizard(m_session->openWizardForNewNote(), WizardStep::Year, 0);
}

void MainWindow::openWizardAt(QPointF twips) {
    showWizard(m_session->openWizardAt(twips.x(), twips.y()), WizardStep::Category, 0);
}

void MainWindow::openWizardForLine(int line) {
    // The open wizard goes first: its close ends its own edit in the session.
    closeWizard(true);
    const std::optional<WizardForm> form = m_session->openWizardForLine(line);
    if (form)
        showWizard(*form, WizardStep::Year, line);
}

void MainWindow::showWizard(const WizardForm& form, WizardStep step, int editLine) {
    if (m_wizard && (editLine > 0 || m_wizard->editMode()))
        closeWizard(true);
    if (m_wizard) {
        // A new-note wizard keeps what the user chose and typed; the date and time follow the new start.
        WizardForm reused = m_wizard->form();
        if (step == WizardStep::Category) {
            reused.month = form.month;
            reused.everyMonth = false;
            reused.dayChoice = DayChoice::DayOfMonth;
            reused.dayText = form.dayText;
            reused.yearText = form.yearText;
            reused.everyYear = false;
            reused.timeTexts = form.timeTexts;
        } else {
            reused.yearText = form.yearText;
        }
        m_wizard->startNew(reused, step);
    } else {
        m_wizard = createWizard(editLine > 0);
        if (editLine > 0)
            m_wizard->startEdit(form, editLine);
        else
            m_wizard->startNew(form, step);
        centreOverWindow(m_wizard);
    }
    m_wizard->show();
    m_wizard->raise();
    m_wizard->activateWindow();
}

EventWizard* MainWindow::createWizard(bool editMode) {
    std::vector<EventWizard::CategoryItem> categories;
    for (auto& [index, name] : m_session->wizardCategories())
        categories.push_back({index, name, m_session->categories().tileColour(index)});
    auto* wizard = new EventWizard(m_session->language(), std::move(categories), this);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    QPixmap header = editMode ? m_store.picture(Picture::EditWizardHeader) : QPixmap();
    if (header.isNull())
        header = QPixmap::fromImage(
            LoadSkinPicture(Skin(m_session->dataDirectory(), m_session->shownSkin()), kWizardPicture));
    wizard->setHeaderPicture(header);
    wizard->setTitleColour(Colour(m_colours.label4Text, QColor(40, 48, 60)));
    wizard->setWindowIcon(windowIcon());
    connect(wizard, &EventWizard::saveRequested, this, [this, wizard](const std::string& line) {
        const WizardResult result = m_session->saveWizardNote(line);
        apply(result.changes);
        if (result.closeWizard)
            wizard->close();
    });
    connect(wizard, &EventWizard::deleteRequested, this, [this, wizard](int) {
        const WizardResult result = m_session->deleteWizardNote();
        apply(result.changes);
        if (result.closeWizard)
            wizard->close();
    });
    connect(wizard, &EventWizard::closed, this, [this, wizard] {
        if (m_wizard == wizard)
            m_wizard = nullptr;
        apply(m_session->wizardClosed());
    });
    return wizard;
}

void MainWindow::closeWizard(bool showWeek) {
    if (!m_wizard)
        return;
    if (!showWeek)
        m_wizard->disconnect(this);
    m_wizard->close();
    // The window is deleted later; it is no longer the open wizard from here on.
    m_wizard = nullptr;
}

} // namespace plandeck
