#include "session/AgendaCommand.h"

#include "base/TextFile.h"
#include "calendar/CalendarMath.h"
#include "editing/CategoryTable.h"
#include "notes/Agenda.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/StartupFallbacks.h"

#include <algorithm>
#include <charconv>

namespace plandeck {

namespace {

constexpr int MaximumDays = 366;
// The days listed from one pass over the notes.
constexpr int ChunkDays = 31;

Date PreviousDay(const Date& d) {
    if (d.day > 1)
        return {d.year, d.month, d.day - 1};
    if (d.month > 1)
        return {d.year, d.month - 1, MonthLength(d.month - 1, d.year)};
    return {d.year - 1, 12, 31};
}

bool ReadNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return true;
}

// "YYYY-MM-DD", a day of the calendar.
bool ReadDate(std::string_view text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    if (!ReadNumber(text.substr(0, 4), date.year) || !ReadNumber(text.substr(5, 2), date.month) ||
        !ReadNumber(text.substr(8, 2), date.day))
        return false;
    return date.year >= 1 && date.day >= 1 && date.day <= MonthLength(date.month, date.year);
}

std::string ReadFailure(const std::string& path, const ReadResult& read) {
    return "plandeck: could not read " + path + ": " + read.error + "\n";
}

} // namespace

AgendaArguments ParseAgendaArguments(const std::vector<std::string>& arguments, const Date& today) {
    AgendaArguments result;
    AgendaRequest& request = result.request;
    request.first = today;
    bool dayGiven = false;
    bool daysGiven = false;
    bool week = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--json" && !request.json) {
            request.json = true;
        } else if (a == "--days" && !daysGiven) {
            daysGiven = true;
            if (i + 1 == arguments.size()) {
                result.error = "--days needs a number of days from 1 to 366";
                return result;
            }
            const std::string& n = arguments[++i];
            if (!ReadNumber(n, request.dayCount) || request.dayCount < 1 || request.dayCount > MaximumDays) {
                result.error = "--days takes a number of days from 1 to 366, not \"" + n + "\"";
                return result;
            }
        } else if (!dayGiven && (a == "today" || a == "tomorrow" || a == "week" || ReadDate(a, request.first))) {
            dayGiven = true;
            if (a == "tomorrow")
                request.first = NextDay(today);
            week = a == "week";
            if (week)
                for (int w = WeekdayNumber(today.day, today.month, today.year); w > 1; --w)
                    request.first = PreviousDay(request.first);
        } else {
            result.error = "unexpected argument \"" + a +
                           "\"; use: plandeck --agenda [today|tomorrow|week|YYYY-MM-DD] [--days N] [--json]";
            return result;
        }
    }
    if (week && !daysGiven)
        request.dayCount = 7;
    return result;
}

AgendaOutput RunAgenda(const std::vector<std::string>& arguments, const DataDirectory& dataDir, const Date& today,
                       std::string_view builtInLanguage, const std::function<void(std::string_view)>& print) {
    AgendaOutput output;
    const AgendaArguments parsed = ParseAgendaArguments(arguments, today);
    if (!parsed.error.empty()) {
        output.exitCode = 2;
        output.err = "plandeck --agenda: " + parsed.error + "\n";
        return output;
    }
    const MainOptionsRead options = ReadMainOptions(dataDir.mainOptionsFile());
    if (options.status == ReadStatus::Failed) {
        output.exitCode = 1;
        output.err = "plandeck: could not read " + dataDir.mainOptionsFile() + ": " + options.error + "\n";
        return output;
    }
    // A missing category file or notes file holds nothing; neither is created here.
    const ReadResult categoryRead = ReadWholeFile(dataDir.categoryFile());
    const std::string notesPath = dataDir.resolveNotesFile(options.options.notesFilePath);
    const ReadResult notesRead = ReadWholeFile(notesPath);
    if (categoryRead.failed() || notesRead.failed()) {
        output.exitCode = 1;
        if (categoryRead.failed())
            output.err += ReadFailure(dataDir.categoryFile(), categoryRead);
        if (notesRead.failed())
            output.err += ReadFailure(notesPath, notesRead);
        return output;
    }

    CategoryTable table;
    table.LoadCategoriesFrom(TextLines(categoryRead.bytes), 0);
    const AgendaCategories categories{table.names(), table.colours()};
    const AgendaRequest& request = parsed.request;
    LanguageTable language;
    if (!request.json) {
        const std::string file = ChooseLanguageFile(dataDir, options.options.languageFile);
        language = file.empty() ? LanguageTable::FromBytes(builtInLanguage)
                                : LanguageTable::Load(LanguageTable::FilePath(dataDir, file));
    }

    if (request.json)
        print("[");
    bool listed = false;
    Date first = request.first;
    for (int done = 0; done < request.dayCount;) {
        const int days = std::min(request.dayCount - done, ChunkDays);
        const Agenda agenda = BuildAgenda(notesRead.bytes, first, days);
        if (done == 0)
            for (const std::size_t line : agenda.damagedLines)
                output.err += "plandeck: line " + std::to_string(line) + " of " + notesPath + " is damaged; skipped\n";
        if (!request.json) {
            print(FormatAgendaPlain(agenda, categories, language));
        } else {
            std::string objects;
            for (const AgendaEntry& e : agenda.entries) {
                objects += listed ? ",\n" : "\n";
                objects += AgendaJsonObject(e, categories);
                listed = true;
            }
            print(objects);
        }
        done += days;
        for (int i = 0; i < days; ++i)
            first = NextDay(first);
    }
    if (request.json)
        print(listed ? "\n]\n" : "]\n");
    return output;
}

} // namespace plandeck
