#pragma once

#include "base/DataDirectory.h"
#include "notes/CalendarFile.h"
#include "session/Changes.h"
#include "settings/LanguageTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// One line of the report of an import or export: a heading, or an item under it (file bytes of the
// language, UTF-8 from the calendar file).
struct ReportLine {
    bool heading = false;
    std::string text;
    std::string when; // an item's date and time ("2026-12-08 09:00"), when it has one
    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// What an import did, in the language's words: what was imported, what was already there, what was not
// imported and why; or why the file was refused. `written` says whether the new notes are in the file.
struct CalendarImportReport {
    CalendarImport import;
    bool written = false;
    std::vector<ReportLine> lines;
    Changes changes; // what the window redraws, and a failed write
};

// What an export wrote, and what it left out and why.
struct CalendarExportReport {
    CalendarExport exported;
    bool written = false;
    std::vector<ReportLine> lines;
    Changes changes; // a failed write
};

std::vector<ReportLine> ImportReportLines(const CalendarImport& import, const LanguageTable& language);
std::vector<ReportLine> ExportReportLines(const CalendarExport& exported, const std::string& path,
                                          const LanguageTable& language);
// The report as plain text, one line each, items indented after their date and time.
std::string ReportText(const std::vector<ReportLine>& lines);

// How a command-line run ends: 0 done, 1 a file could not be read or written, 2 a bad argument; with what to
// print on standard output and standard error.
struct CalendarCommandOutput {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// `plandeck --export-ics FILE`: the notes of the data folder written to FILE. Reads only, takes no lock.
CalendarCommandOutput RunCalendarExport(const std::string& file, const DataDirectory& dataDir, std::int64_t stampUtc,
                                        std::string_view builtInLanguage);

// `plandeck --import-ics FILE` with no program running on the folder: the caller holds the single-instance
// lock. The new notes are appended to the notes file.
CalendarCommandOutput RunCalendarImport(const std::string& file, const DataDirectory& dataDir,
                                        std::string_view builtInLanguage);

} // namespace plandeck
