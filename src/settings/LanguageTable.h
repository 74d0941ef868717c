#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

class DataDirectory;

// Every text the user sees: the lines of the chosen language file, addressed by their line number (entry n
// is line n, 1..400). Texts are kept as the file's bytes; the windows decode them.
class LanguageTable {
public:
    static constexpr int EntryCount = 400;

    // Well-known places in the table.
    static constexpr int FirstGridWeekdayHeading = 17; // month grid headings, Monday..Sunday
    static constexpr int MonthNameBase = 42;           // + month 1..12
    static constexpr int WeekdayNameBase = 74;         // + weekday 1..7 (Monday = 1)
    static constexpr int MonthShortNameBase = 112;     // + month 1..12
    static constexpr int ColumnWeekdayBase = 124;      // + weekday 1..7, the day column headings

    // A table with every entry empty, as when the language file is missing.
    LanguageTable() = default;

    // Lines of the text, LF or CR LF ended; lines past the 400th are ignored. A UTF-8 byte order mark at
    // the start is not part of the first entry.
    static LanguageTable FromBytes(std::string_view bytes);
    // The language file at `path`; a missing or unreadable file gives an empty table.
    static LanguageTable Load(const std::string& path);
    // Where the language file called `fileName` lives.
    static std::string FilePath(const DataDirectory& dataDirectory, const std::string& fileName);

    // Entry n; an empty text for a number outside 1..400 or past the end of the file.
    const std::string& entry(int n) const;
    // How many lines of the file went into the table (at most 400).
    int lineCount() const { return m_lineCount; }
    bool fileFound() const { return m_fileFound; }
    // Whether any entry the program shows has a text: a file without one (empty, or not a language file)
    // would leave every caption blank.
    bool hasUsedEntry() const;

    // The names below are empty for a month outside 1..12 or a weekday outside 1..7.
    const std::string& monthName(int month) const;
    // The month's name as it follows a day number: "9 December", in Russian the genitive "9 декабря".
    const std::string& monthNameAfterDay(int month) const;
    const std::string& monthShortName(int month) const;
    const std::string& weekdayName(int weekday) const;
    const std::string& columnWeekdayName(int weekday) const;
    // Heading of month grid column 0..6 (Monday..Sunday).
    const std::string& gridWeekdayHeading(int column) const;

private:
    std::array<std::string, EntryCount + 1> m_entries{};
    int m_lineCount = 0;
    bool m_fileFound = false;
};

// Whether the program shows entry n anywhere. The other entries are kept empty in the shipped files.
bool IsUsedLanguageEntry(int n);

// A caption for a control of a window, the control named as its object name ("Label6(3)" for item 3).
struct ControlCaption {
    std::string control;
    std::string text;
    friend bool operator==(const ControlCaption&, const ControlCaption&) = default;
};

// The main window's fixed captions from a table: only those whose line the file has, so the others keep
// whatever they showed before.
std::vector<ControlCaption> MainWindowCaptions(const LanguageTable& language);

// Reads the language file again and gives the main window's fixed captions from it; std::nullopt when the
// file cannot be read, in which case the captions stay as they are.
std::optional<std::vector<ControlCaption>> ApplyLanguageCaptions(const std::string& path);

// A language entry with its "%1" replaced by `value` (every occurrence); an entry without one gets the value
// after a blank, so that nothing the user should read is lost.
std::string ReplacePlaceholder(std::string_view text, std::string_view value);

// Replaces every "{name}" of a language pattern (`name` given with its braces) by `value`.
void FillNamed(std::string& text, std::string_view name, std::string_view value);

} // namespace plandeck
