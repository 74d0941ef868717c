#include "notes/ui/RestoreBackupDialog.h"

#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace plandeck {

namespace {

constexpr int PathRole = Qt::UserRole;

QString When(const BackupTime& t) {
    return QStringLiteral("%1-%2-%3  %4:%5")
        .arg(t.date.year, 4, 10, QLatin1Char('0'))
        .arg(t.date.month, 2, 10, QLatin1Char('0'))
        .arg(t.date.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'));
}

} // namespace

RestoreBackupDialog::RestoreBackupDialog(const std::vector<NotesBackup>& backups, const LanguageTable& language,
                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmRestore"));
    const auto words = [&](int n) { return FromFileText(language.entry(n)); };
    setWindowTitle(words(Entry::Alerts::RestoreTitle));
    auto* layout = new QVBoxLayout(this);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("BackupList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {words(Entry::Alerts::RestoreDate), words(Entry::Alerts::RestoreSize), words(Entry::Alerts::RestoreNotes)});
    const QLocale locale;
    for (const NotesBackup& backup : backups) {
        auto* row = new QTreeWidgetItem(m_list, {When(backup.time), locale.formattedDataSize(backup.size),
                                                 locale.toString(static_cast<qulonglong>(backup.notes))});
        row->setData(0, PathRole, QString::fromStdString(backup.path));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    if (backups.empty()) {
        auto* none = new QLabel(words(Entry::Alerts::NoBackups), this);
        none->setObjectName(QStringLiteral("NoBackups"));
        none->setWordWrap(true);
        layout->addWidget(none);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_restore = new QPushButton(words(Entry::Alerts::RestoreButton), this);
    m_restore->setObjectName(QStringLiteral("RestoreButton"));
    auto* cancel = new QPushButton(words(Entry::OptionsText::EntryCancel), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(m_restore);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_restore, &QPushButton::clicked, this, &RestoreBackupDialog::restoreChosen);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RestoreBackupDialog::restoreChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_restore->setEnabled(current != nullptr); });
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_restore->setEnabled(m_list->currentItem() != nullptr);
    resize(440, 320);
}

void RestoreBackupDialog::restoreChosen() {
    const QTreeWidgetItem* row = m_list->currentItem();
    if (!row)
        return;
    const QString path = row->data(0, PathRole).toString();
    accept();
    emit restoreRequested(path);
}

} // namespace plandeck
