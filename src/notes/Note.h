#pragma once

#include "base/Date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// The value of a string of hexadecimal digits. Each character, upper-cased, is a digit: "A".."F" are
// 10..15, "0".."9" their value, anything else 0. The empty string is 0.
std::int64_t HexToNumber(std::string_view digits);

// The value of a two-character day field as the readers take it (the leading "0" dropped, then
// HexToNumber): a leading "0" adds nothing to a hexadecimal value, so both characters can be taken as they
// are. For the "yy" field this gives a value too; callers test for "yy" first.
constexpr int HexPairValue(char high, char low) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return 0;
    };
    return digit(high) * 16 + digit(low);
}

// The binary digits of a non-negative whole number, most significant first, left-padded with "0" to
// `width`. A value that needs more digits gives all of them; a negative value gives `width` zeros.
std::string BinaryDigits(std::int64_t value, int width);

// A two-character header field read by the rule every reader uses: a leading "0" is dropped
// ("07" -> "7", "0A" -> "A", "10" -> "10", "yy" -> "yy").
std::string DecodeField(std::string_view field);

// A one- or two-character value written as a fixed-width two-character field ("8" -> "08").
std::string PadField(std::string_view value);

// How a physical line of the notes file is treated by the readers.
enum class LineKind {
    Ignored,   // 0 or 1 characters: skipped, but it still counts for line numbers
    Malformed, // 2 to 16 characters: offered for removal by the week refresh
    Note,      // 17 characters or more
};
LineKind ClassifyLine(std::string_view line);

// Which dates a note's day code names.
enum class DayKind {
    EveryDay,   // "yy"
    DayOfMonth, // 1..31: that day of every month the note's month and year allow
    Weekdays,   // 32..158: the weekdays of the mask value - 31 (bit 0 Monday .. bit 6 Sunday)
    NoDay,      // 0, or above 158: no date at all
};

// The fixed-width header of a note line, read field by field when a field is asked for. This is the one
// place that knows where the fields lie:
//
//   yyyy mm dd hh mm hh mm c text...
//   year, month, day code, start hour, start minute, end hour, end minute, category character, text
//
// A view: it copies nothing and allocates nothing, so the week refresh can read a million lines through it;
// the line must outlive it. Every field of every line has a defined value: a field that lies past the end
// of a short line reads as empty text.
class NoteHeader {
public:
    static constexpr std::size_t Length = 17;      // the header's characters; the text follows
    static constexpr std::size_t TimesLength = 16; // the date and the four times, without the category
    static constexpr int LastDayOfMonthCode = 31;
    static constexpr int FirstWeeklyCode = 32;
    static constexpr int LastWeeklyCode = 158;
    static constexpr int FirstCategoryCode = 100;
    static constexpr int CategoryCount = 101;

    constexpr explicit NoteHeader(std::string_view line) : m_line(line) {}

    // Whether the line holds the whole header (a note), or at least the date and the four times.
    constexpr bool complete() const { return m_line.size() >= Length; }
    constexpr bool holdsTimes() const { return m_line.size() >= TimesLength; }

    // The fields as stored.
    constexpr std::string_view yearText() const { return field(0, 4); }
    constexpr std::string_view monthText() const { return field(4, 2); }
    constexpr std::string_view dayCodeText() const { return field(6, 2); }
    constexpr std::string_view startHourText() const { return field(8, 2); }
    constexpr std::string_view startMinuteText() const { return field(10, 2); }
    constexpr std::string_view endHourText() const { return field(12, 2); }
    constexpr std::string_view endMinuteText() const { return field(14, 2); }
    // The category character and the text after it, byte for byte.
    constexpr std::string_view categoryAndText() const { return rest(TimesLength, std::string_view::npos); }
    constexpr std::string_view text() const { return rest(Length, std::string_view::npos); }

    // The date fields. Month and day code also by the readers' leading-zero rule ("07" -> "7", "0A" -> "A").
    constexpr bool everyYear() const { return yearText() == "yyyy"; }
    constexpr bool everyMonth() const { return monthText() == "yy"; }
    constexpr bool everyDay() const { return dayCodeText() == "yy"; }
    constexpr std::string_view monthDecoded() const { return DropLeadingZero(monthText()); }
    constexpr std::string_view dayCodeDecoded() const { return DropLeadingZero(dayCodeText()); }
    // The numeric readings of year and month (leading blanks, then the longest numeric prefix; no number
    // reads 0): how the past-note purge compares them.
    double yearNumericValue() const;
    double monthNumericValue() const;
    // The day code's value: HexToNumber of the decoded field, 0..255 for two characters. The "yy" field
    // has a value too; dayKind() tells it apart.
    int dayValue() const {
        const std::string_view f = dayCodeText();
        if (f.size() == 2) [[likely]]
            return HexPairValue(f[0], f[1]);
        return static_cast<int>(HexToNumber(DropLeadingZero(f)));
    }
    // The day code as the date rule takes it: its kind, with the day of the month or the weekday mask.
    struct Day {
        DayKind kind = DayKind::NoDay;
        int number = 0; // the day of the month; the weekday mask (bit 0 Monday .. bit 6 Sunday); else 0
    };
    Day day() const {
        if (everyDay())
            return {DayKind::EveryDay, 0};
        const int v = dayValue();
        if (v >= 1 && v <= LastDayOfMonthCode)
            return {DayKind::DayOfMonth, v};
        if (v >= FirstWeeklyCode && v <= LastWeeklyCode)
            return {DayKind::Weekdays, v - LastDayOfMonthCode};
        return {};
    }
    DayKind dayKind() const { return day().kind; }
    // The weekday mask of a weekly note; 0 for any other day code.
    int weekdayMask() const {
        const Day d = day();
        return d.kind == DayKind::Weekdays ? d.number : 0;
    }

    // The times as numbers. Hours by the leading-zero rule, as small unsigned numbers: anything that is not
    // one (not a number, negative, above 255) reads as hour 0. Minutes by their numeric value as stored
    // (rounded, may be negative).
    int startHour() const { return HourValue(startHourText()); }
    int endHour() const { return HourValue(endHourText()); }
    int startMinute() const { return MinuteValue(startMinuteText()); }
    int endMinute() const { return MinuteValue(endMinuteText()); }

    // The category: the character's code - 100. It may lie outside 0..100 in a file edited by hand; a line
    // without the character has no category (-101, which no character gives).
    constexpr int category() const {
        return complete() ? static_cast<unsigned char>(m_line[TimesLength]) - FirstCategoryCode
                          : -1 - FirstCategoryCode;
    }
    constexpr bool knownCategory() const { return category() >= 0 && category() < CategoryCount; }

private:
    static constexpr std::string_view DropLeadingZero(std::string_view f) {
        return (!f.empty() && f[0] == '0') ? f.substr(1, 1) : f;
    }
    static int HourValue(std::string_view stored);
    static int MinuteValue(std::string_view stored);
    constexpr std::string_view field(std::size_t pos, std::size_t length) const {
        if (pos + length <= m_line.size()) [[likely]]
            return {m_line.data() + pos, length};
        return rest(pos, length);
    }
    // What there is of a field at the end of a short line, or a field that runs to the line's end.
    constexpr std::string_view rest(std::size_t pos, std::size_t length) const {
        const std::size_t from = pos < m_line.size() ? pos : m_line.size();
        const std::size_t left = m_line.size() - from;
        return {m_line.data() + from, length < left ? length : left};
    }

    std::string_view m_line;
};

// A calendar date as the header's date fields write it, worked out once to ask about many notes: the year
// as its decimal text (only a four-character text can be in the field: "0999" is no year's text), the month
// zero-padded to two digits, and the weekday.
class NoteDate {
public:
    explicit NoteDate(const Date& date);

    const Date& date() const { return m_date; }
    bool yearIs(std::string_view field) const { return m_yearFits && field == std::string_view(m_year.data(), 4); }
    bool monthIs(std::string_view field) const { return m_monthFits && field == std::string_view(m_month.data(), 2); }
    int weekdayBit() const { return m_weekdayBit; } // bit 0 Monday .. bit 6 Sunday

private:
    Date m_date;
    std::array<char, 4> m_year{};
    std::array<char, 2> m_month{};
    bool m_yearFits = false;
    bool m_monthFits = false;
    int m_weekdayBit = 0;
};

// Whether a note falls on a calendar date: its year ("yyyy" = every year) and month ("yy" = every month)
// are the date's, and its day code names the date's day of the month or, for a weekly note, its weekday
// ("yy" = every day). A day code of 0 or above 158 falls on no date, nor does a day the month does not have.
bool FallsOn(const NoteHeader& note, const NoteDate& date);
inline bool FallsOn(const NoteHeader& note, const Date& date) {
    return FallsOn(note, NoteDate(date));
}

// The dates among `dayCount` days from `first` on which a note falls, in order.
std::vector<Date> DatesInRange(const NoteHeader& note, const Date& first, int dayCount);

// One note: a line of the notes file, decoded. Strings hold the decoded fields so that they can be
// compared as texts with the column captions ("7" is not "07").
struct Note {
    static constexpr int HeaderLength = static_cast<int>(NoteHeader::Length);
    static constexpr int FirstCategoryCode = NoteHeader::FirstCategoryCode;
    static constexpr int CategoryCount = NoteHeader::CategoryCount;
    static constexpr int FirstWeeklyCode = NoteHeader::FirstWeeklyCode;
    static constexpr int LastWeeklyCode = NoteHeader::LastWeeklyCode;

    std::string year;    // four characters, "yyyy" = every year
    std::string month;   // "1".."12", "yy" = every month
    std::string dayCode; // "yy" = every day, otherwise hexadecimal digits ("1F", "A", "24")
    int startHour = 0;
    int endHour = 0;
    std::string startMinuteText; // as stored, two characters
    std::string endMinuteText;
    int startMinute = 0;
    int endMinute = 0;
    int category = 0; // code - 100; may lie outside 0..100 in a file edited by hand
    std::string text;

    bool everyYear() const { return year == "yyyy"; }
    bool everyMonth() const { return month == "yy"; }
    bool everyDay() const { return dayCode == "yy"; }
    // The numeric day code; meaningful when !everyDay().
    std::int64_t dayValue() const { return HexToNumber(dayCode); }
    bool isDayOfMonth() const { return !everyDay() && dayValue() <= 31; }
    bool isWeekly() const { return !everyDay() && dayValue() >= FirstWeeklyCode && dayValue() <= LastWeeklyCode; }
    // Weekday mask of a weekly note: bit 0 Monday .. bit 6 Sunday.
    int weekdayMask() const { return isWeekly() ? static_cast<int>(dayValue() - 31) : 0; }
    bool hasKnownCategory() const { return category >= 0 && category < CategoryCount; }

    // Decodes a line of 17 characters or more; shorter lines give std::nullopt.
    static std::optional<Note> Decode(std::string_view line);
    // The line this note is written as: every two-character field zero-padded.
    std::string encode() const;
};

// Day-code texts as writers produce them (unpadded; `PadField` pads them in `Note::encode`).
std::string DayCodeForDayOfMonth(int day);
std::string DayCodeForWeekdays(int mask);

// The category character of category index 0..100 ("d" for category 0).
char CategoryChar(int category);

} // namespace plandeck
