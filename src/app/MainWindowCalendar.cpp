#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "notes/ui/CalendarReportWindow.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QDateTime>
#include <QDir>
#include <QPainter>

namespace plandeck {

using namespace window;

QPixmap MainWindow::calendarFilesIcon() {
    // A leaf of a wall calendar: the skins carry no picture for this command.
    QPixmap icon(48, 48);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 90, 120), 3));
    p.setBrush(QColor(250, 250, 252));
    p.drawRoundedRect(QRectF(5, 9, 38, 34), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 70, 60));
    p.drawRoundedRect(QRectF(6.5, 10.5, 35, 9), 3, 3);
    p.setBrush(QColor(70, 90, 120));
    for (int x : {14, 30})
        p.drawRoundedRect(QRectF(x, 4, 4, 10), 2, 2);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(10 + col * 8, 24 + row * 8, 5, 5));
    return icon;
}

void MainWindow::openCalendarMenu() {
    // A pop-up, never a nested event loop: it closes by itself when the user presses elsewhere.
    delete m_calendarMenu;
    m_calendarMenu = new QMenu(this);
    m_calendarMenu->setObjectName(QStringLiteral("CalendarMenu"));
    m_calendarMenu->setAttribute(Qt::WA_DeleteOnClose);
    m_calendarMenu->addAction(entry(Entry::Calendar::ExportAll), this, [this] { exportCalendarFile(false); });
    m_calendarMenu->addAction(entry(Entry::Calendar::ExportShown), this, [this] { exportCalendarFile(true); });
    m_calendarMenu->addAction(entry(Entry::Calendar::Import), this, [this] { importCalendarFile(); });
    // Under the caption, or under the icon where the bar had no room for the caption.
    const CommandItem& item = m_commands.back();
    const QLabel* anchor = item.label->isHidden() ? item.icon : item.label;
    m_calendarMenu->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

void MainWindow::exportCalendarFile(bool shownDaysOnly) {
    const QString title = entry(shownDaysOnly ? Entry::Calendar::ExportShown : Entry::Calendar::ExportAll);
    const std::optional<QString> path = Dialogs::saveFile(
        this, title, QDir::home().filePath(QStringLiteral("plandeck.ics")), {entry(Entry::Calendar::FileFilter)});
    if (!path)
        return;
    CalendarExportReport report =
        m_session->exportCalendar(path->toStdString(), shownDaysOnly, QDateTime::currentSecsSinceEpoch());
    apply(report.changes);
    if (report.written)
        showCalendarReport(report.lines);
}

void MainWindow::importCalendarFile() {
    const std::optional<QString> path =
        Dialogs::openFile(this, entry(Entry::Calendar::Import), QDir::homePath(),
                          {entry(Entry::Calendar::FileFilter), entry(Entry::OptionsText::EntryAllFilesFilter)});
    if (path)
        importCalendarFrom(*path);
}

CalendarImportReport MainWindow::importCalendarFrom(const QString& path) {
    CalendarImportReport report = m_session->importCalendar(path.toStdString());
    apply(report.changes);
    // A write that failed was told in its own message; a report would claim notes the file does not hold.
    if (!report.lines.empty() && (report.written || report.import.imported.empty()))
        showCalendarReport(report.lines);
    if (m_lateAppends && report.written)
        m_lateAppends->start();
    return report;
}

QByteArray MainWindow::importForAnotherStart(const QString& path) {
    const CalendarImportReport report = importCalendarFrom(path);
    const bool notWritten = !report.written && !report.import.imported.empty();
    const bool done = !report.import.fileRefused() && report.changes.failures.empty() && !notWritten;
    std::string text = notWritten ? std::string() : ReportText(report.lines);
    for (const Failure& f : report.changes.failures)
        text += f.path + ": " + f.reason + "\n";
    for (const std::string& notice : report.changes.notices)
        text += notice + "\n";
    return QByteArray(done ? "0\n" : "1\n") + QByteArray::fromStdString(text);
}

void MainWindow::showCalendarReport(const std::vector<ReportLine>& lines) {
    delete m_calendarReport;
    m_calendarReport = new CalendarReportWindow(lines, m_session->language(), this);
    m_calendarReport->setAttribute(Qt::WA_DeleteOnClose);
    const QColor ink(40, 48, 60);
    m_calendarReport->setColours(Colour(m_colours.hintBackground, QColor(236, 239, 244)),
                                 Colour(m_colours.hintText, ink));
    centreOverWindow(m_calendarReport);
    m_calendarReport->show();
    m_calendarReport->raise();
}

} // namespace plandeck
