#include "session/Session.h"

#include "base/TextFile.h"

namespace plandeck {

CalendarExportReport Session::exportCalendar(const std::string& path, bool shownDaysOnly, std::int64_t stampUtc) {
    CalendarExportReport report;
    // The notes as the file holds them now; a file read only in part is not passed off as all the notes.
    report.changes = outsideChanges();
    if (!m_notes.readable()) {
        report.changes.failures.push_back({m_notesPath, m_notes.readError()});
        return report;
    }
    std::optional<ExportDays> days;
    if (shownDaysOnly)
        days = ExportDays{ColumnDate(m_nav.columns()[0]), m_nav.days()};
    report.exported = ExportCalendar(m_notes.lines(), m_categories.names(), stampUtc, days);
    if (const WriteResult written = RewriteFile(path, report.exported.bytes); !written.ok) {
        report.changes.failures.push_back({path, written.error});
        return report;
    }
    report.written = true;
    report.lines = ExportReportLines(report.exported, path, m_language);
    return report;
}

CalendarImportReport Session::importCalendar(const std::string& path) {
    CalendarImportReport report;
    const ReadResult file = ReadWholeFile(path);
    if (!file.exists) {
        report.changes.failures.push_back({path, file.failed() ? file.error : "no such file"});
        return report;
    }
    // The duplicates are told apart against the notes as the file holds them now.
    report.changes = outsideChanges();
    report.import = ImportCalendar(file.bytes, m_notes.lines(), m_categories.names());
    report.lines = ImportReportLines(report.import, m_language);
    LineChange change;
    for (std::string& line : report.import.newLines())
        change.added.push_back({LineChange::AtEnd, std::move(line)});
    if (change.empty())
        return report;
    bool refusedChange = false;
    Changes changed = changeNotes(change, EditKind::ImportCalendar, &refusedChange);
    // An import is no drag: it is written at once, so the report tells what the file holds.
    if (changed.writePending) {
        changed.writePending = false;
        changed |= finishWrites();
    }
    report.written = !refusedChange && changed.failures.empty();
    report.changes |= changed;
    return report;
}

} // namespace plandeck
