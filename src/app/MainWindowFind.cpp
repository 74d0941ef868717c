#include "app/MainWindow.h"

#include "calendar/DayColumns.h"

namespace plandeck {

void MainWindow::openFindBox() {
    if (!m_findBox) {
        m_findBox = new FindBox(
            m_session->language(),
            [this](const std::string& query, std::size_t limit) { return m_session->findNotes(query, limit); }, this);
        connect(m_findBox, &FindBox::noteChosen, this, [this](int line) {
            apply(m_session->showFoundNote(line, now()));
            // The keys of the notes (Enter, Space, Delete) act on the note found.
            activateWindow();
            m_keys->setFocus();
        });
        centreOverWindow(m_findBox);
    } else {
        m_findBox->searchAgain(); // the notes may have changed since
    }
    // The texts are taken now, while the box opens, so that the first keystroke only scans them too.
    m_session->findNotes({}, 0);
    m_findBox->show();
    m_findBox->raise();
    m_findBox->activateWindow();
    auto* field = m_findBox->findChild<QLineEdit*>(QStringLiteral("FindText"));
    field->setFocus();
    field->selectAll();
}

void MainWindow::openGoToDate() {
    delete m_goToDateBox;
    m_goToDateBox = new GoToDateBox(m_session->language(), ColumnDate(m_session->navigation().columns()[0]), this);
    m_goToDateBox->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_goToDateBox, &GoToDateBox::dateChosen, this, [this](const Date& date) {
        apply(m_session->goToDate(date, now()));
        activateWindow();
        m_keys->setFocus();
    });
    centreOverWindow(m_goToDateBox);
    m_goToDateBox->show();
    m_goToDateBox->raise();
    m_goToDateBox->activateWindow();
    m_goToDateBox->findChild<QLineEdit*>(QStringLiteral("DateText"))->setFocus();
}

} // namespace plandeck
