#include "settings/LanguageTable.h"
#include "notes/DataDirectory.h"
#include "notes/TextFile.h"
#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// "line 1", "line 2", ... joined with the given line end.
std::string NumberedLines(int count, const std::string& end) {
    std::string out;
    for (int i = 1; i <= count; ++i)
        out += "line " + std::to_string(i) + end;
    return out;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0))
            return false;
        unsigned code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc >> 6) != 2)
                return false;
            code = (code << 6) | (cc & 0x3F);
        }
        const unsigned least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

} // namespace

TEST(LanguageTable, LineNIsEntryNWhateverTheLineEnds) {
    struct Case {
        const char* what;
        std::string bytes;
        int lines;
        int lastEntry; // the number of the last filled entry
        std::string lastEntryText;
    };
    const Case cases[] = {
        {"CR LF", NumberedLines(5, "\r\n"), 5, 5, "line 5"},
        {"LF", NumberedLines(5, "\n"), 5, 5, "line 5"},
        {"no final line end", NumberedLines(4, "\r\n") + "line 5", 5, 5, "line 5"},
        {"CR of a lost LF", NumberedLines(4, "\r\n") + "line 5\r", 5, 5, "line 5"},
        {"exactly 170", NumberedLines(170, "\r\n"), 170, 170, "line 170"},
        {"longer than the table", NumberedLines(400, "\r\n"), 170, 170, "line 170"},
        {"byte order mark", "\xEF\xBB\xBF" + NumberedLines(3, "\r\n"), 3, 3, "line 3"},
        {"empty file", "", 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LanguageTable table = LanguageTable::FromBytes(c.bytes);
        EXPECT_EQ(table.lineCount(), c.lines);
        if (c.lastEntry > 0) {
            EXPECT_EQ(table.entry(1), "line 1");
            EXPECT_EQ(table.entry(c.lastEntry), c.lastEntryText);
        }
        for (int n = c.lastEntry + 1; n <= LanguageTable::EntryCount; ++n)
            EXPECT_EQ(table.entry(n), "") << n;
    }
}

TEST(LanguageTable, EmptyLinesAndNumbersOutsideTheTableGiveEmptyTexts) {
    LanguageTable table = LanguageTable::FromBytes("one\r\n\r\nthree\r\n");
    EXPECT_EQ(table.entry(2), "");
    EXPECT_EQ(table.entry(3), "three");
    for (int n : {0, -1, 171, INT_MIN, INT_MAX})
        EXPECT_EQ(table.entry(n), "") << n;
    // The name helpers never reach into a neighbouring block of entries.
    LanguageTable full = LanguageTable::FromBytes(NumberedLines(170, "\r\n"));
    EXPECT_EQ(full.monthName(1), "line 43");
    EXPECT_EQ(full.monthShortName(12), "line 124");
    EXPECT_EQ(full.weekdayName(7), "line 81");
    EXPECT_EQ(full.columnWeekdayName(1), "line 125");
    EXPECT_EQ(full.gridWeekdayHeading(6), "line 23");
    for (int bad : {0, 13, -5}) {
        EXPECT_EQ(full.monthName(bad), "");
        EXPECT_EQ(full.monthShortName(bad), "");
    }
    for (int bad : {0, 8}) {
        EXPECT_EQ(full.weekdayName(bad), "");
        EXPECT_EQ(full.columnWeekdayName(bad), "");
        EXPECT_EQ(full.gridWeekdayHeading(bad - 1), "");
    }
}

TEST(LanguageTable, MissingFileGivesAnEmptyTableAndKeepsTheCaptions) {
    TempDir dir;
    LanguageTable missing = LanguageTable::Load(dir.file("nothing.lng"));
    EXPECT_FALSE(missing.fileFound());
    EXPECT_EQ(missing.entry(43), "");
    EXPECT_FALSE(ApplyLanguageCaptions(dir.file("nothing.lng")).has_value());
    EXPECT_FALSE(ApplyLanguageCaptions(dir.path()).has_value()) << "a folder is no language file";

    DataDirectory data(dir.path());
    EXPECT_EQ(LanguageTable::FilePath(data, "English.lng"), dir.path() + "/pdlang/English.lng");
}

TEST(LanguageTable, CaptionsComeOnlyFromLinesTheFileHas) {
    TempDir dir;
    auto full = ApplyLanguageCaptions(dir.write("full.lng", NumberedLines(170, "\r\n")));
    ASSERT_TRUE(full.has_value());
    ASSERT_EQ(full->size(), 15u);
    EXPECT_EQ(full->front(), (ControlCaption{"Label42", "line 2"}));
    EXPECT_EQ((*full)[7], (ControlCaption{"Label28", "line 16"}));
    EXPECT_EQ(full->back(), (ControlCaption{"Label6(6)", "line 23"}));

    // A short file sets the captions it has lines for; the others keep their texts.
    auto shortFile = ApplyLanguageCaptions(dir.write("short.lng", NumberedLines(5, "\r\n")));
    ASSERT_TRUE(shortFile.has_value());
    ASSERT_EQ(shortFile->size(), 4u);
    EXPECT_EQ(shortFile->back(), (ControlCaption{"Label31", "line 5"}));
}

TEST(LanguageTable, AnyBytesLoadWithoutHarm) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string bytes = test::RandomBytes(seed, 3000);
        LanguageTable table = LanguageTable::FromBytes(bytes);
        ASSERT_LE(table.lineCount(), LanguageTable::EntryCount);
        ASSERT_GE(table.lineCount(), bytes.empty() ? 0 : 1);
        std::size_t total = 0;
        for (int n = 0; n <= LanguageTable::EntryCount + 1; ++n) {
            ASSERT_EQ(table.entry(n).find('\n'), std::string::npos);
            total += table.entry(n).size();
        }
        ASSERT_LE(total, bytes.size());
        ASSERT_LE(MainWindowCaptions(table).size(), 15u);
    }
}

// The shipped language files: complete, in order, and usable as the program uses them.
TEST(ShippedLanguages, EveryUsedEntryHasATextInItsPlace) {
    struct Expected {
        const char* file;
        std::array<const char*, 12> months;
        std::array<const char*, 7> weekdays;
        std::array<const char*, 7> columnWeekdays;
        std::array<const char*, 7> gridHeadings;
    };
    const Expected languages[] = {
        {"English.lng",
         {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
          "December"},
         {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
         {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
         {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"}},
        {"Russian.lng",
         {"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь",
          "Декабрь"},
         {"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"},
         {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"},
         {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"}},
    };
    const DataDirectory shipped(PLANDECK_DATA_DIR);
    for (const Expected& lang : languages) {
        SCOPED_TRACE(lang.file);
        const std::string path = LanguageTable::FilePath(shipped, lang.file);
        const ReadResult file = ReadWholeFile(path);
        ASSERT_TRUE(file.exists);
        EXPECT_TRUE(IsUtf8(file.bytes));
        // 170 lines, each ended by CR LF and nothing else.
        const TextLines lines(file.bytes);
        ASSERT_EQ(lines.size(), 170u);
        EXPECT_EQ(JoinLinesCrLf(lines.toStrings()), file.bytes);

        const LanguageTable table = LanguageTable::Load(path);
        for (int n = 1; n <= LanguageTable::EntryCount; ++n) {
            const std::string& text = table.entry(n);
            EXPECT_EQ(text.empty(), !IsUsedLanguageEntry(n)) << "entry " << n;
            EXPECT_EQ(text.find('\r'), std::string::npos) << "entry " << n;
            if (!text.empty()) {
                EXPECT_TRUE(text.front() != ' ' && text.back() != ' ') << "entry " << n;
            }
        }
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(table.monthName(m), lang.months[static_cast<std::size_t>(m - 1)]);
            EXPECT_FALSE(table.monthShortName(m).empty());
        }
        for (int w = 1; w <= 7; ++w) {
            EXPECT_EQ(table.weekdayName(w), lang.weekdays[static_cast<std::size_t>(w - 1)]);
            EXPECT_EQ(table.columnWeekdayName(w), lang.columnWeekdays[static_cast<std::size_t>(w - 1)]);
            EXPECT_EQ(table.gridWeekdayHeading(w - 1), lang.gridHeadings[static_cast<std::size_t>(w - 1)]);
        }
        // Weekly notes find their columns by these headings, so no two may be alike.
        std::set<std::string> headings;
        for (int w = 1; w <= 7; ++w)
            headings.insert(table.columnWeekdayName(w));
        EXPECT_EQ(headings.size(), 7u);
        std::set<std::string> shortMonths;
        for (int m = 1; m <= 12; ++m)
            shortMonths.insert(table.monthShortName(m));
        EXPECT_EQ(shortMonths.size(), 12u);

        // Tray items get "&" before them, which makes their first letters the menu's keys: no "&" inside,
        // and no two items of one menu starting alike (11 and 12 never share the menu).
        for (int shown : {11, 12}) {
            std::set<std::string> keys;
            for (int n : {132, shown, 133, 134}) {
                const std::string& text = table.entry(n);
                EXPECT_EQ(text.find('&'), std::string::npos) << n;
                keys.insert(text.substr(0, static_cast<unsigned char>(text[0]) < 0x80 ? 1 : 2));
            }
            EXPECT_EQ(keys.size(), 4u);
        }
        // The wizard tells edit from new mode by its title.
        EXPECT_NE(table.entry(86), table.entry(87));
    }
}
