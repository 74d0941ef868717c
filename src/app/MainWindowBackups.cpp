#include "app/MainWindow.h"

#include "notes/ui/RestoreBackupDialog.h"

namespace plandeck {

// ---- Backups of the notes file

void MainWindow::openRestoreBackup() {
    // Always a fresh list, as the folder holds it now.
    delete m_restoreDialog;
    m_restoreDialog = new RestoreBackupDialog(m_session->notesBackups(), m_session->language(), this);
    m_restoreDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_restoreDialog, &RestoreBackupDialog::restoreRequested, this, [this](const QString& path) {
        apply(m_session->restoreBackup(path.toStdString()));
        if (m_lateAppends)
            m_lateAppends->start();
    });
    centreOverWindow(m_restoreDialog);
    m_restoreDialog->show();
    m_restoreDialog->raise();
    m_restoreDialog->activateWindow();
}

RestoreBackupDialog* MainWindow::restoreDialog() const {
    return m_restoreDialog;
}

} // namespace plandeck
