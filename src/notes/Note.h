#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// One note: a line of the notes file, decoded. Strings hold the decoded fields so that they can be
// compared as texts with the column captions ("7" is not "07").
struct Note {
    static constexpr int HeaderLength = 17;
    static constexpr int FirstCategoryCode = 100;
    static constexpr int CategoryCount = 101;
    static constexpr int FirstWeeklyCode = 32;
    static constexpr int LastWeeklyCode = 158;

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
