#include "notes/ui/FindBox.h"

#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace plandeck {

namespace {

enum Column { When, Time, Category, Text, ColumnCount };
constexpr int LineRole = Qt::UserRole;

} // namespace

FindBox::FindBox(const LanguageTable& language, Search search, QWidget* parent)
    : QDialog(parent), m_language(language), m_search(std::move(search)) {
    setObjectName(QStringLiteral("FindBox"));
    setModal(false);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("FindText"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_results = new QTreeWidget(this);
    m_results->setObjectName(QStringLiteral("FindResults"));
    m_results->setColumnCount(ColumnCount);
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setAllColumnsShowFocus(true);
    m_results->header()->setStretchLastSection(true);
    m_results->setColumnWidth(When, 230);
    m_results->setColumnWidth(Time, 90);
    m_results->setColumnWidth(Category, 120);
    m_results->installEventFilter(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("FindCount"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_count);
    resize(760, 380);

    connect(m_text, &QLineEdit::textChanged, this, &FindBox::searchAgain);
    connect(m_results, &QTreeWidget::itemActivated, this, &FindBox::choose);
    setLanguage(language);
}

QString FindBox::entry(int n) const {
    return FromFileText(m_language.entry(n));
}

void FindBox::setLanguage(const LanguageTable& language) {
    m_language = language;
    setWindowTitle(entry(Entry::Find::Title));
    m_text->setPlaceholderText(entry(Entry::Find::Prompt));
    QStringList headings;
    for (int c = 0; c < ColumnCount; ++c)
        headings << entry(Entry::Find::FirstHeading + c);
    m_results->setHeaderLabels(headings);
    searchAgain();
}

void FindBox::searchAgain() {
    const QString query = m_text->text();
    const FindResult found = query.isEmpty() ? FindResult{} : m_search(ToFileText(query), ListLimit);
    m_results->setUpdatesEnabled(false);
    m_results->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(found.notes.size()));
    const QColor hiddenInk = palette().color(QPalette::Disabled, QPalette::Text);
    for (const FoundNote& note : found.notes) {
        QString category = QString::fromStdString(note.category);
        if (note.hidden)
            category += (category.isEmpty() ? QString() : QStringLiteral(" ")) + entry(Entry::Find::Hidden);
        auto* item =
            new QTreeWidgetItem(QStringList{QString::fromStdString(note.when), QString::fromStdString(note.time),
                                            category, QString::fromStdString(note.text)});
        item->setData(When, LineRole, note.line);
        item->setToolTip(When, item->text(When));
        item->setToolTip(Text, item->text(Text));
        QPixmap swatch(10, 10);
        swatch.fill(FromColourNumber(note.colour));
        item->setIcon(Category, swatch);
        if (note.hidden)
            for (int c = 0; c < ColumnCount; ++c)
                item->setForeground(c, hiddenInk);
        items.append(item);
    }
    m_results->addTopLevelItems(items);
    if (!items.isEmpty())
        m_results->setCurrentItem(items.front());
    m_results->setUpdatesEnabled(true);

    if (query.isEmpty())
        m_count->clear();
    else if (found.total == 0)
        m_count->setText(entry(Entry::Find::NoneFound));
    else if (found.total > found.notes.size())
        m_count->setText(entry(Entry::Find::FirstOf).arg(found.notes.size()).arg(found.total));
    else
        m_count->setText(entry(Entry::Find::Count).arg(found.total));
}

void FindBox::choose() {
    const QTreeWidgetItem* item = m_results->currentItem();
    if (!item)
        return;
    const int line = item->data(When, LineRole).toInt();
    hide();
    emit noteChosen(line);
}

bool FindBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            choose();
            return true;
        }
        // The field keeps the focus while Up and Down walk the list.
        if (watched == m_text && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            const int row = m_results->indexOfTopLevelItem(m_results->currentItem());
            const int next = row + (key->key() == Qt::Key_Down ? 1 : -1);
            if (QTreeWidgetItem* item = m_results->topLevelItem(next))
                m_results->setCurrentItem(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace plandeck
