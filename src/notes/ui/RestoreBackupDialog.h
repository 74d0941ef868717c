#pragma once

#include "notes/NotesBackups.h"
#include "settings/LanguageTable.h"

#include <QDialog>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace plandeck {

// Lists the backups of the notes file, newest first, with their date, size and number of notes, and asks
// for the one to restore. It restores nothing itself: the choice goes to whoever opened it.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT

public:
    RestoreBackupDialog(const std::vector<NotesBackup>& backups, const LanguageTable& language,
                        QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }

signals:
    // The user chose this backup; the dialog closes.
    void restoreRequested(const QString& backupPath);

private:
    void restoreChosen();

    QTreeWidget* m_list = nullptr;
    QPushButton* m_restore = nullptr;
};

} // namespace plandeck
