#include "notes/ui/CalendarReportWindow.h"

#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace plandeck {

CalendarReportWindow::CalendarReportWindow(const std::vector<ReportLine>& lines, const LanguageTable& language,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CalendarReport"));
    setWindowTitle(FromFileText(language.entry(Entry::Calendar::ReportTitle)));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ReportList"));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setWordWrap(true);
    for (const ReportLine& line : lines) {
        auto* item = new QListWidgetItem(FromFileText(line.text), m_list);
        QFont f = m_list->font();
        if (line.heading) {
            f.setBold(true);
            // A little room above every heading but the first sets the groups apart.
            if (m_list->count() > 1)
                item->setSizeHint(QSize(0, m_list->fontMetrics().height() * 2));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignBottom);
        } else {
            item->setText(QStringLiteral("    ") + item->text());
        }
        item->setFont(f);
        item->setToolTip(item->text().trimmed());
    }
    m_close = new QPushButton(FromFileText(language.entry(Entry::Calendar::Close)), this);
    m_close->setObjectName(QStringLiteral("ReportClose"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(560, 380);
}

void CalendarReportWindow::setColours(const QColor& ground, const QColor& ink) {
    QPalette p = m_list->palette();
    p.setColor(QPalette::Base, ground);
    p.setColor(QPalette::Text, ink);
    m_list->setPalette(p);
    QPalette window = palette();
    window.setColor(QPalette::Window, ground.lightness() < 128 ? ground.lighter(130) : ground.darker(106));
    window.setColor(QPalette::WindowText, ink);
    window.setColor(QPalette::Button, ground.lightness() < 128 ? ground.lighter(160) : ground);
    window.setColor(QPalette::ButtonText, ink);
    setPalette(window);
}

} // namespace plandeck
