#include "notes/Agenda.h"

#include "base/FileText.h"
#include "base/TextFile.h"
#include "calendar/CalendarMath.h"
#include "notes/CategoryColour.h"
#include "settings/LanguageTable.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace plandeck {

namespace {

// The days of one month within the range, so that a line whose year or month field rules the month out is
// passed over with two comparisons.
struct MonthRun {
    NoteDate first;
    std::vector<NoteDate> days;
};

std::vector<MonthRun> MonthRuns(const Date& first, int dayCount) {
    std::vector<MonthRun> runs;
    Date d = first;
    for (int i = 0; i < dayCount; ++i, d = NextDay(d)) {
        if (runs.empty() || runs.back().first.date().month != d.month || runs.back().first.date().year != d.year)
            runs.push_back({NoteDate(d), {}});
        runs.back().days.emplace_back(d);
    }
    return runs;
}

std::string DateText(const Date& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

std::string ColourText(long value) {
    const unsigned long v = static_cast<unsigned long>(value) & 0xFFFFFFUL;
    char text[16];
    std::snprintf(text, sizeof text, "#%02lX%02lX%02lX", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return text;
}

bool KnownCategory(int category) {
    return category >= 0 && category < NoteHeader::CategoryCount;
}

const std::string& CategoryName(const AgendaCategories& categories, int category) {
    static const std::string none;
    return KnownCategory(category) ? categories.names[static_cast<std::size_t>(category)] : none;
}

long CategoryColour(const AgendaCategories& categories, int category) {
    return CategoryColourValue(KnownCategory(category) ? categories.colours[static_cast<std::size_t>(category)]
                                                       : std::string_view());
}

// A text for one line of plain output: UTF-8, control characters as blanks.
std::string PlainText(std::string_view bytes) {
    std::string text = FileTextAsUtf8(bytes);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

} // namespace

Repeats RepeatsOf(const NoteHeader& note) {
    switch (note.dayKind()) {
    case DayKind::Weekdays:
        return Repeats::Weekly;
    case DayKind::EveryDay:
        return Repeats::Daily;
    case DayKind::DayOfMonth:
    case DayKind::NoDay:
        break;
    }
    if (note.everyMonth())
        return Repeats::Monthly;
    return note.everyYear() ? Repeats::Yearly : Repeats::Once;
}

std::string_view RepeatsName(Repeats repeats) {
    switch (repeats) {
    case Repeats::Once:
        return "once";
    case Repeats::Daily:
        return "daily";
    case Repeats::Weekly:
        return "weekly";
    case Repeats::Monthly:
        return "monthly";
    case Repeats::Yearly:
        return "yearly";
    }
    return "once";
}

Agenda BuildAgenda(std::string_view notesBytes, const Date& first, int dayCount) {
    const std::vector<MonthRun> runs = MonthRuns(first, dayCount);
    Agenda agenda;
    std::size_t lineNumber = 0;
    ForEachLine(notesBytes, [&](std::string_view line) {
        ++lineNumber;
        switch (ClassifyLine(line)) {
        case LineKind::Ignored:
            return true;
        case LineKind::Malformed:
            agenda.damagedLines.push_back(lineNumber);
            return true;
        case LineKind::Note:
            break;
        }
        const NoteHeader note(line);
        for (const MonthRun& run : runs) {
            // FallsOn asks the same first; here it rules out a whole month at once.
            if ((!note.everyYear() && !run.first.yearIs(note.yearText())) ||
                (!note.everyMonth() && !run.first.monthIs(note.monthText())))
                continue;
            for (const NoteDate& day : run.days)
                if (FallsOn(note, day))
                    agenda.entries.push_back({day.date(), note.startHour(), note.startMinute(), note.endHour(),
                                              note.endMinute(), note.category(), note.text(), RepeatsOf(note),
                                              lineNumber});
        }
        return true;
    });
    auto key = [](const AgendaEntry& e) {
        return std::make_tuple(e.date.year, e.date.month, e.date.day, e.startHour, e.startMinute, e.lineNumber);
    };
    std::sort(agenda.entries.begin(), agenda.entries.end(),
              [&](const AgendaEntry& a, const AgendaEntry& b) { return key(a) < key(b); });
    return agenda;
}

std::string TimeText(int hour, int minute) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

std::string ShortDateText(const Date& date, const LanguageTable& language) {
    std::string out = PlainText(language.columnWeekdayName(WeekdayNumber(date.day, date.month, date.year)));
    out += ' ';
    out += std::to_string(date.day);
    out += ' ';
    out += PlainText(language.monthShortName(date.month));
    out += ' ';
    out += std::to_string(date.year);
    return out;
}

std::string FormatAgendaPlain(const Agenda& agenda, const AgendaCategories& categories, const LanguageTable& language) {
    std::string out;
    for (const AgendaEntry& e : agenda.entries) {
        out += ShortDateText(e.date, language);
        out += ' ';
        out += TimeText(e.startHour, e.startMinute);
        out += "\u2013";
        out += TimeText(e.endHour, e.endMinute);
        out += ' ';
        if (const std::string& name = CategoryName(categories, e.category); !name.empty()) {
            out += '[';
            out += PlainText(name);
            out += "] ";
        }
        out += PlainText(e.text);
        out += '\n';
    }
    return out;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string AgendaJsonObject(const AgendaEntry& e, const AgendaCategories& categories) {
    std::string out = "{\"date\":" + JsonString(DateText(e.date));
    out += ",\"start\":" + JsonString(TimeText(e.startHour, e.startMinute));
    out += ",\"end\":" + JsonString(TimeText(e.endHour, e.endMinute));
    out += ",\"category\":" + JsonString(FileTextAsUtf8(CategoryName(categories, e.category)));
    out += ",\"colour\":" + JsonString(ColourText(CategoryColour(categories, e.category)));
    out += ",\"text\":" + JsonString(FileTextAsUtf8(e.text));
    out += ",\"repeats\":" + JsonString(RepeatsName(e.repeats));
    out += '}';
    return out;
}

std::string FormatAgendaJson(const Agenda& agenda, const AgendaCategories& categories) {
    std::string out = "[";
    const char* separator = "\n";
    for (const AgendaEntry& e : agenda.entries) {
        out += separator;
        separator = ",\n";
        out += AgendaJsonObject(e, categories);
    }
    out += agenda.entries.empty() ? "]\n" : "\n]\n";
    return out;
}

} // namespace plandeck
