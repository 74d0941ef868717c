#pragma once

#include "session/CalendarCommand.h"

#include <QColor>
#include <QDialog>
#include <vector>

class QTextBrowser;
class QPushButton;

namespace plandeck {

// What an import or export of a calendar file did, as a list to read: headings (imported, already there,
// not imported) with the events under them, each not imported with its reason. Shown beside the main
// window, not modal.
class CalendarReportWindow : public QDialog {
    Q_OBJECT

public:
    CalendarReportWindow(const std::vector<ReportLine>& lines, const LanguageTable& language,
                         QWidget* parent = nullptr);
    // The skin's colours: the list's ground and ink.
    void setColours(const QColor& ground, const QColor& ink);
    // What the report says, as the user reads it: one line each.
    QString text() const;

private:
    QTextBrowser* m_list = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace plandeck
