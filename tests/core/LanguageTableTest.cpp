#include "settings/LanguageTable.h"
#include "base/DataDirectory.h"
#include "base/TextFile.h"
#include "settings/LanguageEntries.h"
#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// "line 1", "line 2", ... each with the given line end.
std::string NumberedLines(int count, const std::string& end) {
    std::string out;
    for (int i = 1; i <= count; ++i)
        out += "line " + std::to_string(i) + end;
    return out;
}

} // namespace

TEST(LanguageTable, LineNIsEntryNWhateverTheLineEnds) {
    struct Case {
        std::string bytes;
        int lines; // also the last filled entry
    };
    for (const Case& c : {Case{NumberedLines(5, "\r\n"), 5}, Case{NumberedLines(5, "\n"), 5},
                          Case{NumberedLines(4, "\r\n") + "line 5", 5}, Case{NumberedLines(4, "\r\n") + "line 5\r", 5},
                          Case{NumberedLines(170, "\r\n"), 170},
                          Case{NumberedLines(LanguageTable::EntryCount + 30, "\r\n"), LanguageTable::EntryCount},
                          Case{"\xEF\xBB\xBF" + NumberedLines(3, "\r\n"), 3}, Case{"", 0}}) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        const LanguageTable table = LanguageTable::FromBytes(c.bytes);
        EXPECT_EQ(table.lineCount(), c.lines);
        if (c.lines > 0) {
            EXPECT_EQ(table.entry(1), "line 1");
            EXPECT_EQ(table.entry(c.lines), "line " + std::to_string(c.lines));
        }
        for (int n : {c.lines + 1, 0, -1, LanguageTable::EntryCount + 1, INT_MIN, INT_MAX})
            EXPECT_EQ(table.entry(n), "") << n;
    }
    // The name helpers never reach into a neighbouring block of entries.
    const LanguageTable full = LanguageTable::FromBytes(NumberedLines(170, "\r\n"));
    EXPECT_EQ(full.monthName(1) + full.monthShortName(12) + full.weekdayName(7) + full.columnWeekdayName(1) +
                  full.gridWeekdayHeading(6),
              "line 43line 124line 81line 125line 23");
    EXPECT_EQ(full.monthName(13) + full.monthShortName(0) + full.weekdayName(8) + full.columnWeekdayName(0) +
                  full.gridWeekdayHeading(7) + full.monthNameAfterDay(0) + full.monthNameAfterDay(13),
              "");
    // A month after a day number has entries of its own; a file without them gives the plain month name.
    EXPECT_EQ(full.monthNameAfterDay(3), "line 45");
    const LanguageTable longer = LanguageTable::FromBytes(NumberedLines(Entry::LastMonthAfterDay, "\r\n"));
    EXPECT_EQ(longer.monthNameAfterDay(1) + longer.monthNameAfterDay(12),
              "line " + std::to_string(Entry::FirstMonthAfterDay) + "line " + std::to_string(Entry::LastMonthAfterDay));
}

TEST(LanguageTable, CaptionsComeOnlyFromLinesTheFileHas) {
    TempDir dir;
    EXPECT_FALSE(LanguageTable::Load(dir.file("none.lng")).fileFound());
    EXPECT_FALSE(ApplyLanguageCaptions(dir.file("none.lng")).has_value());
    EXPECT_FALSE(ApplyLanguageCaptions(dir.path()).has_value()) << "a folder is no language file";

    auto full = ApplyLanguageCaptions(dir.write("full.lng", NumberedLines(170, "\r\n")));
    ASSERT_TRUE(full.has_value());
    ASSERT_EQ(full->size(), 15u);
    EXPECT_EQ((*full)[7], (ControlCaption{"Label28", "line 16"}));
    EXPECT_EQ(full->back(), (ControlCaption{"Label6(6)", "line 23"}));
    // A short file sets the captions it has lines for; the others keep their texts.
    auto shortFile = ApplyLanguageCaptions(dir.write("short.lng", NumberedLines(5, "\r\n")));
    ASSERT_TRUE(shortFile.has_value());
    EXPECT_EQ(shortFile->size(), 4u);
}

TEST(LanguageTable, AnyBytesLoadWithoutHarm) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string bytes = test::RandomBytes(seed, 3000);
        const LanguageTable table = LanguageTable::FromBytes(bytes);
        ASSERT_LE(table.lineCount(), LanguageTable::EntryCount);
        std::size_t total = 0;
        for (int n = 1; n <= LanguageTable::EntryCount; ++n)
            total += table.entry(n).size();
        ASSERT_LE(total, bytes.size());
    }
}

TEST(ShippedLanguages, EveryUsedEntryHasATextInItsPlace) {
    struct Expected {
        const char* file;
        std::array<const char*, 12> months;
        std::array<const char*, 7> weekdays;
        std::array<const char*, 3> sundays; // short month names, column headings, grid headings
    };
    const Expected languages[] = {
        {"English.lng",
         {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
          "December"},
         {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
         {"Dec", "Sun", "Su"}},
        {"Russian.lng",
         {"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь",
          "Декабрь"},
         {"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"},
         {"дек", "Вс", "Вс"}},
    };
    for (const Expected& lang : languages) {
        SCOPED_TRACE(lang.file);
        const std::string path = LanguageTable::FilePath(DataDirectory(PLANDECK_DATA_DIR), lang.file);
        const ReadResult file = ReadWholeFile(path);
        // Every shipped entry, each line ended by CR LF.
        EXPECT_EQ(JoinLinesCrLf(TextLines(file.bytes).toStrings()), file.bytes);
        EXPECT_EQ(TextLines(file.bytes).size(), static_cast<std::size_t>(Entry::LastShipped));

        const LanguageTable table = LanguageTable::Load(path);
        for (int n = 1; n <= LanguageTable::EntryCount; ++n) {
            const std::string& text = table.entry(n);
            EXPECT_EQ(text.empty(), !IsUsedLanguageEntry(n)) << "entry " << n;
            EXPECT_TRUE(text.empty() || (text.front() != ' ' && text.back() != ' ')) << "entry " << n;
        }
        std::set<std::string> shortMonths, headings;
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(table.monthName(m), lang.months[static_cast<std::size_t>(m - 1)]);
            shortMonths.insert(table.monthShortName(m));
        }
        for (int w = 1; w <= 7; ++w) {
            EXPECT_EQ(table.weekdayName(w), lang.weekdays[static_cast<std::size_t>(w - 1)]);
            headings.insert(table.columnWeekdayName(w));
        }
        EXPECT_EQ(table.monthShortName(12), lang.sundays[0]);
        EXPECT_EQ(table.monthNameAfterDay(12), lang.file == std::string("Russian.lng") ? "декабря" : "December");
        EXPECT_EQ(table.columnWeekdayName(7), lang.sundays[1]);
        EXPECT_EQ(table.gridWeekdayHeading(6), lang.sundays[2]);
        // Weekly notes find their columns by the headings, so no two may be alike.
        EXPECT_EQ(headings.size(), 7u);
        EXPECT_EQ(shortMonths.size(), 12u);
        EXPECT_NE(table.entry(86), table.entry(87)) << "the wizard tells its modes apart by the title";
    }
}
