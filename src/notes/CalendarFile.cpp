#include "notes/CalendarFile.h"

#include "base/FileText.h"
#include "calendar/CalendarMath.h"
#include "notes/Note.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <libical/ical.h>
#include <memory>
#include <unordered_map>

namespace plandeck {

namespace {

// The first year whose days a note with "yyyy" is looked up in: its first occurrence on or after 1 January.
constexpr int FirstEveryYear = 2000;
// Years looked through for that first occurrence: enough to reach a 29 February.
constexpr int EveryYearSearch = 4;
// The occurrences of a rule looked at on import: a year of a daily rule, and one more.
constexpr int MostOccurrences = 367;

// A date as one number that sorts as the dates do: 20261208.
int DateKey(const Date& d) {
    return d.year * 10000 + d.month * 100 + d.day;
}

struct CalendarDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, CalendarDeleter>;

// A string libical allocated for the caller.
std::string TakeString(char* text) {
    std::string s = text ? text : "";
    icalmemory_free_buffer(text);
    return s;
}

// Text of characters up to U+00FF back to one byte each; nothing when a character lies above.
std::optional<std::string> Utf8ToLatin1(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += text[i];
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < text.size()) {
            out += static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

// The calendar dates of whole years, worked out once per year: the date rule is asked about many notes.
class YearDates {
public:
    const std::vector<NoteDate>& of(int year) {
        if (const auto it = m_years.find(year); it != m_years.end())
            return it->second;
        std::vector<NoteDate> dates;
        for (Date d{year, 1, 1}; d.year == year; d = NextDay(d))
            dates.emplace_back(d);
        return m_years.emplace(year, std::move(dates)).first->second;
    }

private:
    std::unordered_map<int, std::vector<NoteDate>> m_years;
};

bool Digits(std::string_view field, int low, int high, int& value) {
    if (field.size() != 2 || field[0] < '0' || field[0] > '9' || field[1] < '0' || field[1] > '9')
        return false;
    value = (field[0] - '0') * 10 + (field[1] - '0');
    return value >= low && value <= high;
}

// What a note's header says, checked for what an event can hold.
struct NoteShape {
    bool everyYear = false;
    int year = 0;
    bool everyMonth = false;
    int month = 0;
    NoteHeader::Day day;
    int startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
    Date first; // the first occurrence
};

std::optional<ExportProblem> ReadShape(const NoteHeader& h, YearDates& years, NoteShape& s) {
    if (!h.complete())
        return ExportProblem::DamagedLine;
    if (!Digits(h.startHourText(), 0, 23, s.startHour) || !Digits(h.startMinuteText(), 0, 59, s.startMinute) ||
        !Digits(h.endHourText(), 0, 23, s.endHour) || !Digits(h.endMinuteText(), 0, 59, s.endMinute))
        return ExportProblem::UnreadableHours;
    if (s.endHour * 60 + s.endMinute < s.startHour * 60 + s.startMinute)
        return ExportProblem::EndBeforeStart;
    s.day = h.day();
    if (s.day.kind == DayKind::NoDay)
        return ExportProblem::NoDay;
    s.everyYear = h.everyYear();
    s.everyMonth = h.everyMonth();
    const std::string_view y = h.yearText();
    if (!s.everyYear) {
        if (y.size() != 4 || y[0] < '1' || y[0] > '9' || y.find_first_not_of("0123456789") != std::string_view::npos)
            return ExportProblem::ImpossibleDate;
        s.year = std::stoi(std::string(y));
    }
    if (!s.everyMonth && !Digits(h.monthText(), 1, 12, s.month))
        return ExportProblem::ImpossibleDate;
    // The first occurrence by the one date rule: in its year, or from 1 January 2000 for every year.
    const int from = s.everyYear ? FirstEveryYear : s.year;
    const int to = s.everyYear ? FirstEveryYear + EveryYearSearch - 1 : s.year;
    bool found = false;
    for (int year = from; year <= to && !found; ++year)
        for (const NoteDate& d : years.of(year))
            if ((s.everyMonth || d.date().month == s.month) && FallsOn(h, d)) {
                s.first = d.date();
                found = true;
                break;
            }
    if (!found)
        return ExportProblem::ImpossibleDate;
    if (!h.knownCategory())
        return ExportProblem::UnknownCategory;
    return std::nullopt;
}

icaltimetype Floating(const Date& d, int hour, int minute, int second = 0) {
    icaltimetype t = icaltime_null_time();
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.is_date = 0;
    t.zone = nullptr;
    return t;
}

// Bit i of a weekday mask (Monday first) as libical's weekday (Sunday first, from 1).
short WeekdayOfBit(int bit) {
    return static_cast<short>((bit + 1) % 7 + 1);
}

// The rule of a note; nothing for a note on one date.
std::optional<icalrecurrencetype> RuleOf(const NoteShape& s) {
    if (!s.everyYear && !s.everyMonth && s.day.kind == DayKind::DayOfMonth)
        return std::nullopt;
    icalrecurrencetype r;
    icalrecurrencetype_clear(&r);
    switch (s.day.kind) {
    case DayKind::Weekdays: {
        r.freq = ICAL_WEEKLY_RECURRENCE;
        int k = 0;
        for (int bit = 0; bit < 7; ++bit)
            if (s.day.number & (1 << bit))
                r.by_day[k++] = WeekdayOfBit(bit);
        if (!s.everyMonth)
            r.by_month[0] = static_cast<short>(s.month);
        break;
    }
    case DayKind::DayOfMonth:
        r.freq = s.everyMonth ? ICAL_MONTHLY_RECURRENCE : ICAL_YEARLY_RECURRENCE;
        if (!s.everyMonth)
            r.by_month[0] = static_cast<short>(s.month);
        r.by_month_day[0] = static_cast<short>(s.day.number);
        break;
    case DayKind::EveryDay:
    case DayKind::NoDay:
        r.freq = ICAL_DAILY_RECURRENCE;
        if (!s.everyMonth)
            r.by_month[0] = static_cast<short>(s.month);
        break;
    }
    if (!s.everyYear)
        r.until = Floating({s.year, 12, 31}, 23, 59, 59); // floating, as the start is
    return r;
}

std::string RuleText(const std::optional<icalrecurrencetype>& rule) {
    if (!rule)
        return {};
    icalrecurrencetype r = *rule;
    return TakeString(icalrecurrencetype_as_string_r(&r));
}

// What an event made of a note holds, to tell whether two headers give the same event.
struct EventKey {
    int first = 0, startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
    std::string rule;
    friend bool operator==(const EventKey&, const EventKey&) = default;
};

EventKey KeyOf(const NoteShape& s) {
    return {DateKey(s.first), s.startHour, s.startMinute, s.endHour, s.endMinute, RuleText(RuleOf(s))};
}

icalcomponent* EventOf(std::string_view line, const NoteShape& s, std::span<const std::string> categoryNames,
                       int ordinal, const icaltimetype& stamp) {
    const NoteHeader h(line);
    icalcomponent* event = icalcomponent_new_vevent();
    char uid[64];
    std::snprintf(uid, sizeof uid, "%016llx-%d@plandeck", static_cast<unsigned long long>(Fnv1a(line)), ordinal);
    icalcomponent_add_property(event, icalproperty_new_uid(uid));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(Floating(s.first, s.startHour, s.startMinute)));
    icalcomponent_add_property(event, icalproperty_new_dtend(Floating(s.first, s.endHour, s.endMinute)));
    if (const std::optional<icalrecurrencetype> rule = RuleOf(s))
        icalcomponent_add_property(event, icalproperty_new_rrule(*rule));
    icalcomponent_add_property(event, icalproperty_new_summary(FileTextAsUtf8(h.text()).c_str()));
    const int category = h.category();
    if (category >= 0 && static_cast<std::size_t>(category) < categoryNames.size() &&
        !categoryNames[static_cast<std::size_t>(category)].empty())
        icalcomponent_add_property(
            event,
            icalproperty_new_categories(FileTextAsUtf8(categoryNames[static_cast<std::size_t>(category)]).c_str()));
    // The date and times are ASCII, so a category byte above 127 makes the header invalid UTF-8: it is then
    // read as Latin-1, one character per byte.
    icalproperty* header = icalproperty_new_x(FileTextAsUtf8(line.substr(0, NoteHeader::Length)).c_str());
    icalproperty_set_x_name(header, HeaderProperty);
    icalcomponent_add_property(event, header);
    return event;
}

void LibicalQuiet() {
    // A damaged file is an answer to give the user, never a reason to end the program.
    icalerror_set_errors_are_fatal(0);
}

} // namespace

CalendarExport ExportCalendar(const TextLines& notes, std::span<const std::string> categoryNames, std::int64_t stampUtc,
                              std::optional<ExportDays> days) {
    LibicalQuiet();
    CalendarExport result;
    YearDates years;
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Plandeck//Plandeck//EN"));
    const icaltimetype stamp =
        icaltime_from_timet_with_zone(static_cast<std::time_t>(stampUtc), 0, icaltimezone_get_utc_timezone());
    std::unordered_map<std::string_view, int> seen; // identical lines so far, for their UIDs
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const std::string_view line = notes.line(i);
        if (ClassifyLine(line) == LineKind::Ignored)
            continue;
        const NoteHeader h(line);
        NoteShape shape;
        if (const std::optional<ExportProblem> problem = ReadShape(h, years, shape)) {
            result.leftOut.push_back({i + 1, std::string(line), *problem});
            continue;
        }
        if (days && DatesInRange(h, days->first, days->dayCount).empty())
            continue;
        const int ordinal = seen[line]++;
        icalcomponent_add_component(calendar.get(), EventOf(line, shape, categoryNames, ordinal, stamp));
        ++result.exported;
    }
    result.bytes = TakeString(icalcomponent_as_ical_string_r(calendar.get()));
    return result;
}

std::vector<std::string> CalendarImport::newLines() const {
    std::vector<std::string> lines;
    lines.reserve(imported.size());
    for (const ImportedEvent& e : imported)
        lines.push_back(e.line);
    return lines;
}

namespace {

// A moment as the local clock of this process shows it.
struct LocalTime {
    Date date;
    int hour = 0, minute = 0, second = 0;
    int minutes() const { return hour * 60 + minute; }
};

// A time of the file in local time: floating times are local already; times in a zone (or UTC) are moved.
LocalTime ToLocal(const icaltimetype& t) {
    if (!t.zone)
        return {{t.year, t.month, t.day}, t.hour, t.minute, t.second};
    const std::time_t moment = static_cast<std::time_t>(icaltime_as_timet_with_zone(t, t.zone));
    std::tm local{};
    localtime_r(&moment, &local);
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string Two(int v) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d", v);
    return s;
}

std::string StartText(const Date& d, std::optional<LocalTime> t) {
    char s[32];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d", d.year, d.month, d.day);
    std::string text = s;
    if (t)
        text += " " + Two(t->hour) + ":" + Two(t->minute);
    return text;
}

std::string FirstError(icalcomponent* c) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY))
        if (const char* text = icalproperty_get_xlicerror(p))
            return text;
    for (icalcomponent* child = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        if (std::string e = FirstError(child); !e.empty())
            return e;
    return {};
}

int CountOf(icalcomponent* event, icalproperty_kind kind) {
    return icalcomponent_count_properties(event, kind);
}

bool Set(const short* values) {
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

int Length(const short* values, int size) {
    int n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

std::string OneLine(const char* text) {
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            continue; // CR LF is one line break
        out += (*p == '\r' || *p == '\n') ? ' ' : *p;
    }
    return out;
}

std::vector<std::string> CategoryValues(icalcomponent* event) {
    std::vector<std::string> values;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
        const std::string text = icalproperty_get_categories(p) ? icalproperty_get_categories(p) : "";
        std::size_t start = 0;
        for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
            values.push_back(text.substr(start, comma - start));
        values.push_back(text.substr(start));
    }
    return values;
}

std::optional<std::string> HeaderOf(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        if (name && std::string_view(name) == HeaderProperty && icalproperty_get_x(p))
            return Utf8ToLatin1(icalproperty_get_x(p));
    }
    return std::nullopt;
}

class Importer {
public:
    Importer(const TextLines& notes, std::span<const std::string> names) : m_names(names) {
        for (std::size_t i = 0; i < notes.size(); ++i)
            ++m_held[std::string(notes.line(i))];
    }

    void read(icalcomponent* event, CalendarImport& result) {
        RefusedEvent refused;
        refused.summary = OneLine(icalcomponent_get_summary(event));
        std::optional<ImportProblem> problem;
        ImportedEvent imported;
        imported.summary = refused.summary;
        problem = lineOf(event, imported, refused.start);
        if (problem) {
            refused.problem = *problem;
            result.refused.push_back(std::move(refused));
            return;
        }
        imported.start = refused.start;
        auto held = m_held.find(imported.line);
        if (held != m_held.end() && held->second > 0) {
            --held->second;
            result.duplicates.push_back(std::move(imported));
        } else {
            result.imported.push_back(std::move(imported));
        }
    }

private:
    std::optional<ImportProblem> lineOf(icalcomponent* event, ImportedEvent& out, std::string& startText) {
        icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            return ImportProblem::NoStart;
        icaltimetype start = icalcomponent_get_dtstart(event);
        if (icaltime_is_null_time(start))
            return ImportProblem::NoStart;
        startText = StartText({start.year, start.month, start.day}, std::nullopt);
        if (start.is_date)
            return ImportProblem::AllDay;
        if (!resolveZone(startProperty, start))
            return ImportProblem::UnknownTimeZone;
        icaltimetype end = icalcomponent_get_dtend(event);
        if (icaltime_is_null_time(end))
            end = start;
        else if (icalproperty* endProperty = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
                 endProperty && !resolveZone(endProperty, end))
            return ImportProblem::UnknownTimeZone;
        const LocalTime from = ToLocal(start);
        const LocalTime to = end.is_date ? LocalTime{{end.year, end.month, end.day}, 0, 0, 0} : ToLocal(end);
        startText = StartText(from.date, from);
        if (from.second != 0 || to.second != 0)
            return ImportProblem::Seconds;
        if (DateKey(to.date) < DateKey(from.date) || (to.date == from.date && to.minutes() < from.minutes()))
            return ImportProblem::EndBeforeStart;
        if (!(to.date == from.date))
            return ImportProblem::CrossesMidnight;
        if (CountOf(event, ICAL_EXDATE_PROPERTY) > 0 || CountOf(event, ICAL_EXRULE_PROPERTY) > 0)
            return ImportProblem::ExceptionDates;
        if (CountOf(event, ICAL_RDATE_PROPERTY) > 0)
            return ImportProblem::ExtraDates;
        const int rules = CountOf(event, ICAL_RRULE_PROPERTY);
        if (rules > 1)
            return ImportProblem::SeveralRules;

        NoteShape s;
        s.startHour = from.hour;
        s.startMinute = from.minute;
        s.endHour = to.hour;
        s.endMinute = to.minute;
        if (rules == 0) {
            s.year = from.date.year;
            s.month = from.date.month;
            s.day = {DayKind::DayOfMonth, from.date.day};
        } else {
            const icalrecurrencetype r =
                icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
            if (std::optional<ImportProblem> p = shapeOfRule(r, start, s))
                return p;
            if (std::optional<ImportProblem> p = checkedDays(r, start, from, s))
                return p;
        }
        if (s.year != 0 && (s.year < 1000 || s.year > 9999))
            return ImportProblem::DaysDiffer;

        std::string header = s.everyYear ? "yyyy" : std::to_string(s.year);
        header += s.everyMonth ? "yy" : Two(s.month);
        if (s.day.kind == DayKind::EveryDay)
            header += "yy";
        else
            header += PadField(s.day.kind == DayKind::Weekdays ? DayCodeForWeekdays(s.day.number)
                                                               : DayCodeForDayOfMonth(s.day.number));
        header += Two(s.startHour) + Two(s.startMinute) + Two(s.endHour) + Two(s.endMinute);

        const std::vector<std::string> values = CategoryValues(event);
        int category = -1;
        for (const std::string& v : values) {
            for (std::size_t i = 0; i < m_names.size() && category < 0; ++i)
                if (!m_names[i].empty() && FileTextAsUtf8(m_names[i]) == v)
                    category = static_cast<int>(i);
            if (category >= 0)
                break;
        }
        // An event this program wrote carries the note's own header: kept when it gives the same event.
        if (const std::optional<std::string> own = HeaderOf(event); own && own->size() == NoteHeader::Length) {
            NoteShape ownShape, shape;
            const std::string candidate = header + CategoryChar(0);
            if (!ReadShape(NoteHeader(*own), m_years, ownShape) && !ReadShape(NoteHeader(candidate), m_years, shape) &&
                KeyOf(ownShape) == KeyOf(shape)) {
                header = own->substr(0, NoteHeader::TimesLength);
                const int c = NoteHeader(*own).category();
                const std::string name = FileTextAsUtf8(m_names[static_cast<std::size_t>(c)]);
                if (values.empty() ? name.empty() : std::find(values.begin(), values.end(), name) != values.end())
                    category = c;
            }
        }
        if (category < 0) {
            if (!values.empty())
                out.categoryAsked = values.front();
            category = 0;
        }
        out.line = header + CategoryChar(category) + out.summary;
        return std::nullopt;
    }

    bool resolveZone(icalproperty* property, icaltimetype& t) {
        icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        if (!tzid || t.zone)
            return true;
        const char* name = icalparameter_get_tzid(tzid);
        icaltimezone* zone = name ? icaltimezone_get_builtin_timezone(name) : nullptr;
        if (!zone && name)
            zone = icaltimezone_get_builtin_timezone_from_tzid(name);
        t.zone = zone;
        return zone != nullptr;
    }

    // The note a rule would be, from its parts; whether its days are exactly the note's is checked after.
    static std::optional<ImportProblem> shapeOfRule(const icalrecurrencetype& r, const icaltimetype& start,
                                                    NoteShape& s) {
        if (r.count > 0)
            return ImportProblem::Count;
        if (r.interval > 1)
            return ImportProblem::Interval;
        if (Set(r.by_set_pos))
            return ImportProblem::SetPosition;
        if (r.freq < ICAL_DAILY_RECURRENCE || r.freq > ICAL_YEARLY_RECURRENCE || Set(r.by_second) || Set(r.by_minute) ||
            Set(r.by_hour) || Set(r.by_year_day) || Set(r.by_week_no) || r.rscale ||
            Length(r.by_month, ICAL_BY_MONTH_SIZE) > 1 || Length(r.by_month_day, ICAL_BY_MONTHDAY_SIZE) > 1 ||
            (Set(r.by_day) && Set(r.by_month_day)))
            return ImportProblem::UnusualRule;
        s.everyYear = icaltime_is_null_time(r.until);
        s.year = s.everyYear ? 0 : start.year;
        if (Set(r.by_month)) {
            if (icalrecurrencetype_month_is_leap(r.by_month[0]))
                return ImportProblem::UnusualRule;
            s.month = icalrecurrencetype_month_month(r.by_month[0]);
        } else if (r.freq == ICAL_YEARLY_RECURRENCE) {
            s.month = start.month;
        } else {
            s.everyMonth = true;
        }
        if (Set(r.by_day) || r.freq == ICAL_WEEKLY_RECURRENCE) {
            int mask = 0;
            if (!Set(r.by_day))
                mask = 1 << (WeekdayNumber(start.day, start.month, start.year) - 1);
            for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
                if (icalrecurrencetype_day_position(r.by_day[i]) != 0)
                    return ImportProblem::UnusualRule;
                const int weekday = icalrecurrencetype_day_day_of_week(r.by_day[i]); // 1 Sunday .. 7 Saturday
                mask |= 1 << ((weekday + 5) % 7);
            }
            s.day = {DayKind::Weekdays, mask};
        } else if (Set(r.by_month_day)) {
            if (r.by_month_day[0] < 1)
                return ImportProblem::UnusualRule;
            s.day = {DayKind::DayOfMonth, r.by_month_day[0]};
        } else if (r.freq == ICAL_DAILY_RECURRENCE) {
            s.day = {DayKind::EveryDay, 0};
        } else {
            s.day = {DayKind::DayOfMonth, start.day};
        }
        return std::nullopt;
    }

    // sameDays, once for each rule, start day and (in a zone) start time: a file of many events, such as this
    // program's own export read back, repeats them often, and expanding a rule is the import's dearest step.
    std::optional<ImportProblem> checkedDays(const icalrecurrencetype& r, const icaltimetype& start,
                                             const LocalTime& localStart, const NoteShape& s) {
        std::string key = RuleText(r) + '|' + std::to_string(DateKey({start.year, start.month, start.day}));
        if (start.zone) {
            const char* tzid = icaltimezone_get_tzid(const_cast<icaltimezone*>(start.zone));
            key += '|' + std::string(tzid ? tzid : "?") + '|' + std::to_string(start.hour * 60 + start.minute);
        }
        if (const auto known = m_checked.find(key); known != m_checked.end())
            return known->second;
        const std::optional<ImportProblem> found = sameDays(r, start, localStart, s);
        m_checked.emplace(std::move(key), found);
        return found;
    }

    // Whether the rule's days are exactly the note's over the start's year (the rules a note can hold repeat
    // from year to year; an end within the year, or a start after the year's first day, shows there). Each
    // occurrence must also keep its local day and time. libical expands the rule, so its reading decides.
    std::optional<ImportProblem> sameDays(const icalrecurrencetype& r, const icaltimetype& start,
                                          const LocalTime& localStart, const NoteShape& s) {
        const int year = start.year;
        if (year < 1000 || year > 9999)
            return ImportProblem::DaysDiffer;
        std::vector<int> ruleDays{DateKey({start.year, start.month, start.day})}; // DTSTART always counts
        icalrecur_iterator* it = icalrecur_iterator_new(r, start);
        if (!it)
            return ImportProblem::UnusualRule;
        bool beyond = false;
        bool moves = false;
        for (int n = 0; n < MostOccurrences; ++n) {
            icaltimetype o = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(o))
                break;
            if (o.year > year) {
                beyond = !s.everyYear;
                break;
            }
            o.zone = start.zone;
            const LocalTime local = ToLocal(o);
            if (!(local.date == Date{o.year, o.month, o.day}) || local.minutes() != localStart.minutes())
                moves = true;
            ruleDays.push_back(DateKey({o.year, o.month, o.day}));
        }
        icalrecur_iterator_free(it);
        if (moves)
            return ImportProblem::ZoneMoves;
        std::sort(ruleDays.begin(), ruleDays.end());
        ruleDays.erase(std::unique(ruleDays.begin(), ruleDays.end()), ruleDays.end());

        std::string header = s.everyYear ? "yyyy" : std::to_string(s.year);
        header += s.everyMonth ? "yy" : Two(s.month);
        header += s.day.kind == DayKind::EveryDay
                      ? "yy"
                      : PadField(s.day.kind == DayKind::Weekdays ? DayCodeForWeekdays(s.day.number)
                                                                 : DayCodeForDayOfMonth(s.day.number));
        const NoteHeader h(header);
        std::vector<int> noteDays;
        for (const NoteDate& d : m_years.of(year))
            if (FallsOn(h, d))
                noteDays.push_back(DateKey(d.date()));
        if (beyond || noteDays != ruleDays) {
            if (!noteDays.empty() && noteDays.front() < ruleDays.front())
                return ImportProblem::MidYearStart;
            return ImportProblem::DaysDiffer;
        }
        return std::nullopt;
    }

    std::span<const std::string> m_names;
    std::unordered_map<std::string, int> m_held; // lines of the notes file, with how often each is there
    YearDates m_years;
    std::unordered_map<std::string, std::optional<ImportProblem>> m_checked; // by checkedDays
};

} // namespace

CalendarImport ImportCalendar(std::string_view ics, const TextLines& notes,
                              std::span<const std::string> categoryNames) {
    LibicalQuiet();
    CalendarImport result;
    const std::string text(ics);
    icalerror_clear_errno();
    Component root(icalparser_parse_string(text.c_str()));
    if (!root) {
        result.error = icalerrno != ICAL_NO_ERROR ? icalerror_strerror(icalerrno) : "no iCalendar data found";
        return result;
    }
    icalcomponent* calendar = root.get();
    if (icalcomponent_isa(calendar) == ICAL_XROOT_COMPONENT)
        calendar = icalcomponent_get_first_component(calendar, ICAL_VCALENDAR_COMPONENT);
    if (!calendar || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT) {
        result.error = "no VCALENDAR component found";
        return result;
    }
    if (std::string error = FirstError(root.get()); !error.empty()) {
        result.error = error;
        return result;
    }
    Importer importer(notes, categoryNames);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        importer.read(event, result);
    return result;
}

} // namespace plandeck
