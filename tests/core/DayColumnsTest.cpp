#include "calendar/DayColumns.h"
#include "calendar/CalendarMath.h"
#include "calendar/MonthGrid.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// A language table whose entry n reads "eN", so every caption tells which entry it came from.
LanguageTable MarkedLanguage() {
    std::string bytes;
    for (int n = 1; n <= LanguageTable::EntryCount; ++n)
        bytes += "e" + std::to_string(n) + "\r\n";
    return LanguageTable::FromBytes(bytes);
}

DayColumns StartingOn(const Date& date) {
    DayColumns columns{};
    columns[0] = DayColumnFromDate(date);
    return columns;
}

std::string Dates(const DayColumns& columns) {
    std::string out;
    for (const DayColumn& c : columns)
        out += c.day + "." + c.month + "." + c.year + " ";
    return out;
}

} // namespace

TEST(DayColumns, SlotsFollowSlotZeroAcrossMonthAndYearEnds) {
    struct Case {
        Date first;
        const char* dates;
    };
    const Case cases[] = {
        {{2005, 12, 29}, "29.12.2005 30.12.2005 31.12.2005 1.1.2006 2.1.2006 3.1.2006 4.1.2006 5.1.2006 "},
        {{2005, 12, 26}, "26.12.2005 27.12.2005 28.12.2005 29.12.2005 30.12.2005 31.12.2005 1.1.2006 2.1.2006 "},
        {{2008, 2, 25}, "25.2.2008 26.2.2008 27.2.2008 28.2.2008 29.2.2008 1.3.2008 2.3.2008 3.3.2008 "},
        {{2009, 2, 25}, "25.2.2009 26.2.2009 27.2.2009 28.2.2009 1.3.2009 2.3.2009 3.3.2009 4.3.2009 "},
        {{2100, 2, 27}, "27.2.2100 28.2.2100 1.3.2100 2.3.2100 3.3.2100 4.3.2100 5.3.2100 6.3.2100 "},
        {{2006, 1, 31}, "31.1.2006 1.2.2006 2.2.2006 3.2.2006 4.2.2006 5.2.2006 6.2.2006 7.2.2006 "},
        {{2006, 3, 15}, "15.3.2006 16.3.2006 17.3.2006 18.3.2006 19.3.2006 20.3.2006 21.3.2006 22.3.2006 "},
    };
    const LanguageTable language = MarkedLanguage();
    for (const Case& c : cases) {
        DayColumns columns = StartingOn(c.first);
        plandeck::plandeck(columns, language);
        EXPECT_EQ(Dates(columns), c.dates);
    }
}

TEST(DayColumns, HeadingsAreTheWeekdaysOfTheSlotsOwnDates) {
    const LanguageTable language = MarkedLanguage();
    DayColumns columns = StartingOn({2005, 12, 29}); // a Thursday
    plandeck::plandeck(columns, language);
    const char* expected[] = {"e128", "e129", "e130", "e131", "e125", "e126", "e127", "e128"};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].weekdayName, expected[i]) << i;
        EXPECT_EQ(columns[i].weekday, (3 + static_cast<int>(i)) % 7 + 1) << i;
    }
}

// While the calendar shows slot 0's month, the headings are those its cells give, counted from the column
// of the cell that holds slot 0's day.
TEST(DayColumns, HeadingsAgreeWithTheCalendarOfSlotZerosMonth) {
    const LanguageTable language = MarkedLanguage();
    for (int year : {1900, 2005, 2006, 2100}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= MonthLength(month, year); ++day) {
                MonthGrid grid;
                grid.ShowDate({year, month, day});
                DayColumns columns = StartingOn({year, month, day});
                int column = -1;
                for (int i = 0; i < MonthGrid::CellCount; ++i) {
                    if (grid.cell(i).text() == columns[0].day)
                        column = i % 7;
                }
                ASSERT_GE(column, 0);
                plandeck::plandeck(columns, language);
                for (int i = 0; i < DayColumnCount; ++i) {
                    ASSERT_EQ(columns[static_cast<std::size_t>(i)].weekdayName, language.entry(125 + (column + i) % 7))
                        << day << "." << month << "." << year << ", slot " << i;
                }
            }
        }
    }
}

TEST(DayColumns, DateCaptionsFollowTheColumnsAndTheClock) {
    const LanguageTable language = MarkedLanguage();
    DayColumns columns = StartingOn({2005, 12, 29});
    plandeck::plandeck(columns, language);
    const DateCaptions captions = ShowDateCaptions(columns, language, {2006, 3, 15}); // a Wednesday
    EXPECT_EQ(captions.label17, "e39");
    EXPECT_EQ(captions.label22[0], "e124");
    EXPECT_EQ(captions.label22[2], "e124");
    EXPECT_EQ(captions.label22[3], "e113");
    EXPECT_EQ(captions.label22[7], "e113");
    EXPECT_EQ(captions.label39, "e45");
    EXPECT_EQ(captions.label37, "e77");

    // A month that is no month has no name, rather than some other entry's text.
    columns[0].month = "13";
    columns[1].month = "0";
    columns[2].month = "x";
    const DateCaptions odd = ShowDateCaptions(columns, language, {2006, 0, 15});
    for (std::size_t i : {0u, 1u, 2u})
        EXPECT_EQ(odd.label22[i], "") << i;
    EXPECT_EQ(odd.label39, "");
}

TEST(DayColumns, AnySlotZeroTextsGiveDefinedColumns) {
    const LanguageTable language = MarkedLanguage();
    for (unsigned seed = 1; seed <= 300; ++seed) {
        DayColumns columns{};
        columns[0].day = test::RandomBytes(seed, 12);
        columns[0].month = test::RandomBytes(seed + 1000, 4);
        columns[0].year = test::RandomBytes(seed + 2000, 12);
        plandeck::plandeck(columns, language);
        for (const DayColumn& c : columns) {
            ASSERT_FALSE(c.weekdayName.empty());
            ASSERT_LE(c.day.size(), 20u);
        }
        ShowDateCaptions(columns, language, {2006, 3, 15});
    }
}
