#include "calendar/DateEntry.h"

#include "base/CaseFold.h"
#include "base/FileText.h"
#include "calendar/CalendarMath.h"

#include <array>
#include <vector>

namespace plandeck {

namespace {

struct Token {
    bool number = false;
    std::string text; // digits, or the word folded
};

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '.' || c == ',' || c == '/' || c == '-';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digit runs and word runs; separators only part them. Nothing when a character is neither.
std::optional<std::vector<Token>> Split(std::string_view text) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (IsSeparator(c)) {
            ++i;
            continue;
        }
        Token token;
        token.number = IsDigit(c);
        std::size_t end = i;
        if (token.number) {
            while (end < text.size() && IsDigit(text[end]))
                ++end;
        } else {
            // A word: letters of any script (every byte of a multi-byte character counts).
            while (end < text.size() && !IsSeparator(text[end]) && !IsDigit(text[end])) {
                const auto b = static_cast<unsigned char>(text[end]);
                if (b < 0x80 && !((b | 0x20) >= 'a' && (b | 0x20) <= 'z'))
                    return std::nullopt;
                ++end;
            }
        }
        token.text = std::string(text.substr(i, end - i));
        if (!token.number)
            token.text = FoldCase(token.text);
        tokens.push_back(std::move(token));
        i = end;
    }
    return tokens;
}

std::size_t CodePoints(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

constexpr std::array<std::string_view, 12> EnglishMonths = {"january",   "february", "march",    "april",
                                                            "may",       "june",     "july",     "august",
                                                            "september", "october",  "november", "december"};

// The month a word names (1..12), or 0.
int MonthOfWord(std::string_view word, const LanguageTable& language) {
    std::array<std::vector<std::string>, 12> names;
    for (int m = 1; m <= 12; ++m) {
        auto& list = names[static_cast<std::size_t>(m - 1)];
        list.push_back(FoldCase(FileTextAsUtf8(language.monthName(m))));
        list.push_back(FoldCase(FileTextAsUtf8(language.monthNameAfterDay(m))));
        list.push_back(FoldCase(FileTextAsUtf8(language.monthShortName(m))));
        list.emplace_back(EnglishMonths[static_cast<std::size_t>(m - 1)]);
    }
    for (int m = 1; m <= 12; ++m)
        for (const std::string& name : names[static_cast<std::size_t>(m - 1)])
            if (!name.empty() && name == word)
                return m;
    if (CodePoints(word) < 3)
        return 0;
    int found = 0;
    for (int m = 1; m <= 12; ++m)
        for (const std::string& name : names[static_cast<std::size_t>(m - 1)])
            if (name.starts_with(word)) {
                if (found != 0 && found != m)
                    return 0; // "ma" is March and May alike
                found = m;
            }
    return found;
}

int Number(const std::string& digits) {
    int value = 0;
    for (const char c : digits.substr(0, 6))
        value = value * 10 + (c - '0');
    return digits.size() > 6 ? 1000000 : value;
}

DateEntry Failed(DateEntryError error) {
    return {std::nullopt, error};
}

} // namespace

DateEntry ParseDateEntry(std::string_view text, const LanguageTable& language, int shownYear) {
    const std::optional<std::vector<Token>> split = Split(text);
    if (split && split->empty())
        return Failed(DateEntryError::Empty);
    if (!split || split->size() < 2 || split->size() > 3)
        return Failed(DateEntryError::NotADate);
    const std::vector<Token>& t = *split;

    int day = 0;
    int month = 0;
    std::optional<Token> year;
    if (t.size() == 3 && t[0].number && t[1].number && t[2].number && t[0].text.size() == 4) {
        year = t[0]; // 2026-12-08
        month = Number(t[1].text);
        day = Number(t[2].text);
    } else if (t[0].number && t[1].number) {
        day = Number(t[0].text); // 8.12.2026
        month = Number(t[1].text);
    } else if (t[0].number || t[1].number) {
        // 8 Dec 2026, or Dec 8 2026
        const Token& word = t[0].number ? t[1] : t[0];
        const Token& number = t[0].number ? t[0] : t[1];
        month = MonthOfWord(word.text, language);
        if (month == 0)
            return Failed(DateEntryError::UnknownMonth);
        day = Number(number.text);
    } else {
        return Failed(DateEntryError::NotADate);
    }
    if (t.size() == 3 && !year) {
        if (!t[2].number)
            return Failed(DateEntryError::NotADate);
        year = t[2];
    }

    int y = shownYear;
    if (year) {
        const std::size_t digits = year->text.size();
        y = Number(year->text);
        if (digits == 2)
            y += 2000;
        else if (digits != 4 || y < 1000)
            return Failed(DateEntryError::YearOutOfRange);
    }
    if (month < 1 || month > 12 || day < 1 || day > MonthLength(month, y))
        return Failed(DateEntryError::NoSuchDay);
    return {Date{y, month, day}, DateEntryError::None};
}

} // namespace plandeck
