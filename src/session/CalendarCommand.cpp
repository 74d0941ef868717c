#include "session/CalendarCommand.h"

#include "base/TextFile.h"
#include "editing/CategoryTable.h"
#include "notes/NotesFile.h"
#include "settings/LanguageEntries.h"
#include "settings/Options.h"
#include "settings/StartupFallbacks.h"

namespace plandeck {

namespace {

std::string Count(const LanguageTable& language, int entry, std::size_t n) {
    return ReplacePlaceholder(language.entry(entry), std::to_string(n));
}

// What every command-line run reads first: the options (for the notes file and the language), the category
// file and the notes.
struct FolderRead {
    std::string error; // why something could not be read; empty when all could
    std::string notesPath;
    std::string notes;
    CategoryTable categories;
    LanguageTable language;
};

FolderRead ReadFolder(const DataDirectory& dataDir, std::string_view builtInLanguage) {
    FolderRead folder;
    const MainOptionsRead options = ReadMainOptions(dataDir.mainOptionsFile());
    if (options.status == ReadStatus::Failed) {
        folder.error = "plandeck: could not read " + dataDir.mainOptionsFile() + ": " + options.error + "\n";
        return folder;
    }
    folder.notesPath = dataDir.resolveNotesFile(options.options.notesFilePath);
    const ReadResult categoryRead = ReadWholeFile(dataDir.categoryFile());
    const ReadResult notesRead = ReadWholeFile(folder.notesPath);
    if (categoryRead.failed())
        folder.error += "plandeck: could not read " + dataDir.categoryFile() + ": " + categoryRead.error + "\n";
    if (notesRead.failed())
        folder.error += "plandeck: could not read " + folder.notesPath + ": " + notesRead.error + "\n";
    folder.categories.LoadCategoriesFrom(TextLines(categoryRead.bytes), 0);
    folder.notes = notesRead.bytes;
    const std::string file = ChooseLanguageFile(dataDir, options.options.languageFile);
    folder.language = file.empty() ? LanguageTable::FromBytes(builtInLanguage)
                                   : LanguageTable::Load(LanguageTable::FilePath(dataDir, file));
    return folder;
}

} // namespace

std::vector<ReportLine> ImportReportLines(const CalendarImport& import, const LanguageTable& language) {
    std::vector<ReportLine> lines;
    if (import.fileRefused()) {
        lines.push_back({true, ReplacePlaceholder(language.entry(Entry::Calendar::FileRefused), import.error), {}});
        return lines;
    }
    lines.push_back({true, Count(language, Entry::Calendar::Imported, import.imported.size()), {}});
    for (const ImportedEvent& e : import.imported) {
        std::string text = e.summary;
        if (!e.categoryAsked.empty())
            text += " (" + ReplacePlaceholder(language.entry(Entry::Calendar::NoSuchCategory), e.categoryAsked) + ")";
        lines.push_back({false, text, e.start});
    }
    lines.push_back({true, Count(language, Entry::Calendar::Duplicates, import.duplicates.size()), {}});
    for (const ImportedEvent& e : import.duplicates)
        lines.push_back({false, e.summary, e.start});
    lines.push_back({true, Count(language, Entry::Calendar::Refused, import.refused.size()), {}});
    for (const RefusedEvent& e : import.refused)
        lines.push_back(
            {false,
             e.summary + ": " + language.entry(Entry::Calendar::FirstImportProblem + static_cast<int>(e.problem)),
             e.start});
    return lines;
}

std::vector<ReportLine> ExportReportLines(const CalendarExport& exported, const std::string& path,
                                          const LanguageTable& language) {
    std::vector<ReportLine> lines;
    lines.push_back({true, Count(language, Entry::Calendar::Exported, exported.exported), {}});
    lines.push_back({false, path, {}});
    lines.push_back({true, Count(language, Entry::Calendar::LeftOut, exported.leftOut.size()), {}});
    for (const LeftOutNote& n : exported.leftOut)
        lines.push_back(
            {false, n.text + ": " + language.entry(Entry::Calendar::FirstExportProblem + static_cast<int>(n.problem)),
             std::to_string(n.line)});
    return lines;
}

std::string ReportText(const std::vector<ReportLine>& lines) {
    std::string text;
    for (const ReportLine& line : lines)
        text += (line.heading ? "" : "  ") + (line.when.empty() ? "" : line.when + "  ") + line.text + "\n";
    return text;
}

CalendarCommandOutput RunCalendarExport(const std::string& file, const DataDirectory& dataDir, std::int64_t stampUtc,
                                        std::string_view builtInLanguage) {
    CalendarCommandOutput output;
    const FolderRead folder = ReadFolder(dataDir, builtInLanguage);
    if (!folder.error.empty()) {
        output.exitCode = 1;
        output.err = folder.error;
        return output;
    }
    const CalendarExport exported = ExportCalendar(TextLines(folder.notes), folder.categories.names(), stampUtc);
    if (const WriteResult written = RewriteFile(file, exported.bytes); !written.ok) {
        output.exitCode = 1;
        output.err = "plandeck: could not write " + file + ": " + written.error + "\n";
        return output;
    }
    output.out = ReportText(ExportReportLines(exported, file, folder.language));
    return output;
}

CalendarCommandOutput RunCalendarImport(const std::string& file, const DataDirectory& dataDir,
                                        std::string_view builtInLanguage) {
    CalendarCommandOutput output;
    const ReadResult ics = ReadWholeFile(file);
    if (!ics.exists) {
        output.exitCode = 1;
        output.err = "plandeck: could not read " + file + ": " + (ics.failed() ? ics.error : "no such file") + "\n";
        return output;
    }
    const FolderRead folder = ReadFolder(dataDir, builtInLanguage);
    if (!folder.error.empty()) {
        output.exitCode = 1;
        output.err = folder.error;
        return output;
    }
    // The notes file's own owner does the write, so that the new lines are appended in the file's line ends.
    NotesFile notes(folder.notesPath);
    notes.refresh();
    if (!notes.readable()) {
        output.exitCode = 1;
        output.err = "plandeck: could not read " + folder.notesPath + ": " + notes.readError() + "\n";
        return output;
    }
    const CalendarImport import = ImportCalendar(ics.bytes, notes.lines(), folder.categories.names());
    output.out = ReportText(ImportReportLines(import, folder.language));
    if (import.fileRefused()) {
        output.exitCode = 1;
        return output;
    }
    LineChange change;
    for (std::string& line : import.newLines())
        change.added.push_back({LineChange::AtEnd, std::move(line)});
    if (change.empty())
        return output;
    if (const ChangeOutcome outcome = notes.apply(change); !outcome.done()) {
        output.exitCode = 1;
        output.err = "plandeck: could not write " + folder.notesPath + ": " + outcome.error + "\n";
    }
    return output;
}

} // namespace plandeck
