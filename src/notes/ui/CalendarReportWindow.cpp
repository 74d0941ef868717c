#include "notes/ui/CalendarReportWindow.h"

#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace plandeck {

namespace {

// The report as a page: each heading in bold, its items in a table under it, the date and time in a column
// of their own so that a long text wraps beside them.
QString ReportPage(const std::vector<ReportLine>& lines) {
    QString html;
    bool inTable = false;
    for (const ReportLine& line : lines) {
        const QString text = FromFileText(line.text).toHtmlEscaped();
        if (line.heading) {
            if (inTable)
                html += QStringLiteral("</table>");
            inTable = false;
            html += QStringLiteral("<p style='margin-top:10px; margin-bottom:4px'><b>%1</b></p>").arg(text);
            continue;
        }
        if (!inTable)
            html += QStringLiteral("<table cellspacing='0' cellpadding='1' style='margin-left:14px'>");
        inTable = true;
        html += QStringLiteral("<tr><td style='padding-right:12px; white-space:pre'>%1</td><td>%2</td></tr>")
                    .arg(FromFileText(line.when).toHtmlEscaped(), text);
    }
    if (inTable)
        html += QStringLiteral("</table>");
    return html;
}

} // namespace

CalendarReportWindow::CalendarReportWindow(const std::vector<ReportLine>& lines, const LanguageTable& language,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CalendarReport"));
    setWindowTitle(FromFileText(language.entry(Entry::Calendar::ReportTitle)));
    m_list = new QTextBrowser(this);
    m_list->setObjectName(QStringLiteral("ReportList"));
    m_list->setHtml(ReportPage(lines));
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
    resize(600, 420);
}

QString CalendarReportWindow::text() const {
    return m_list->toPlainText();
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
