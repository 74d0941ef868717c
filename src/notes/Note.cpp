#include "notes/Note.h"

#include "base/NumberForm.h"
#include "calendar/CalendarMath.h"

#include <algorithm>

namespace plandeck {

std::int64_t HexToNumber(std::string_view digits) {
    // Unsigned arithmetic: a long run of digits wraps instead of overflowing into undefined behaviour.
    std::uint64_t value = 0;
    for (char raw : digits) {
        const char c = (raw >= 'a' && raw <= 'z') ? static_cast<char>(raw - 'a' + 'A') : raw;
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint64_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint64_t>(c - 'A' + 10);
        value = value * 16 + digit;
    }
    return static_cast<std::int64_t>(value);
}

std::string BinaryDigits(std::int64_t value, int width) {
    std::string digits;
    for (std::int64_t v = value; v >= 1; v /= 2)
        digits.insert(digits.begin(), (v % 2) ? '1' : '0');
    if (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string DecodeField(std::string_view field) {
    if (!field.empty() && field[0] == '0')
        return std::string(field.substr(1, 1));
    return std::string(field);
}

std::string PadField(std::string_view value) {
    if (value.size() == 1)
        return "0" + std::string(value);
    return std::string(value);
}

LineKind ClassifyLine(std::string_view line) {
    if (line.size() <= 1)
        return LineKind::Ignored;
    if (line.size() < static_cast<std::size_t>(Note::HeaderLength))
        return LineKind::Malformed;
    return LineKind::Note;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double NoteHeader::yearNumericValue() const {
    return NumericValue(yearText());
}

double NoteHeader::monthNumericValue() const {
    return NumericValue(monthDecoded());
}

int NoteHeader::HourValue(std::string_view stored) {
    const std::string_view decoded = DropLeadingZero(stored);
    int v = PlainDecimal(decoded, 2);
    if (v < 0)
        v = IntegerValue(decoded);
    return (v < 0 || v > 255) ? 0 : v;
}

int NoteHeader::MinuteValue(std::string_view stored) {
    if (stored.size() == 2 && IsDigit(stored[0]) && IsDigit(stored[1]))
        return (stored[0] - '0') * 10 + (stored[1] - '0');
    return IntegerValue(stored);
}

NoteDate::NoteDate(const Date& date) : m_date(date) {
    const std::string year = std::to_string(date.year);
    m_yearFits = year.size() == m_year.size();
    if (m_yearFits)
        std::copy(year.begin(), year.end(), m_year.begin());
    // The field of a month 0..9 is "0" and its digit, which reads back as the digit.
    m_monthFits = date.month >= 0 && date.month <= 99;
    if (m_monthFits)
        m_month = {static_cast<char>('0' + date.month / 10), static_cast<char>('0' + date.month % 10)};
    m_weekdayBit = 1 << (WeekdayNumber(date.day, date.month, date.year) - 1);
}

bool FallsOn(const NoteHeader& note, const NoteDate& date) {
    if (!note.everyYear() && !date.yearIs(note.yearText()))
        return false;
    if (!note.everyMonth() && !date.monthIs(note.monthText()))
        return false;
    const NoteHeader::Day day = note.day();
    switch (day.kind) {
    case DayKind::EveryDay:
        return true;
    case DayKind::DayOfMonth:
        return day.number == date.date().day;
    case DayKind::Weekdays:
        return (day.number & date.weekdayBit()) != 0;
    case DayKind::NoDay:
        break;
    }
    return false;
}

std::vector<Date> DatesInRange(const NoteHeader& note, const Date& first, int dayCount) {
    std::vector<Date> dates;
    Date d = first;
    for (int i = 0; i < dayCount; ++i, d = NextDay(d))
        if (FallsOn(note, d))
            dates.push_back(d);
    return dates;
}

std::optional<Note> Note::Decode(std::string_view line) {
    const NoteHeader h(line);
    if (!h.complete())
        return std::nullopt;
    Note n;
    n.year = std::string(h.yearText());
    n.month = std::string(h.monthDecoded());
    n.dayCode = std::string(h.dayCodeDecoded());
    n.startHour = h.startHour();
    n.startMinuteText = std::string(h.startMinuteText());
    n.endHour = h.endHour();
    n.endMinuteText = std::string(h.endMinuteText());
    n.startMinute = h.startMinute();
    n.endMinute = h.endMinute();
    n.category = h.category();
    n.text = std::string(h.text());
    return n;
}

std::string Note::encode() const {
    std::string line;
    line.reserve(HeaderLength + text.size());
    line += year;
    line += PadField(month);
    line += PadField(dayCode);
    line += PadField(std::to_string(startHour));
    line += PadField(startMinuteText.empty() ? std::to_string(startMinute) : startMinuteText);
    line += PadField(std::to_string(endHour));
    line += PadField(endMinuteText.empty() ? std::to_string(endMinute) : endMinuteText);
    line += static_cast<char>(FirstCategoryCode + category);
    line += text;
    return line;
}

std::string DayCodeForDayOfMonth(int day) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (int v = day; v > 0; v /= 16)
        out.insert(out.begin(), hex[v % 16]);
    return out.empty() ? "0" : out;
}

std::string DayCodeForWeekdays(int mask) {
    return DayCodeForDayOfMonth(31 + mask);
}

char CategoryChar(int category) {
    return static_cast<char>(Note::FirstCategoryCode + category);
}

} // namespace plandeck
