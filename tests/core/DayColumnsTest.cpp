#include "calendar/DayColumns.h"
#include "calendar/CalendarMath.h"
#include "calendar/MonthGrid.h"
#include "settings/LanguageEntries.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Entry n reads "eN", so every caption tells which entry it came from.
LanguageTable MarkedLanguage() {
    std::string bytes;
    for (int n = 1; n <= LanguageTable::EntryCount; ++n)
        bytes += "e" + std::to_string(n) + "\r\n";
    return LanguageTable::FromBytes(bytes);
}

DayColumns StartingOn(const Date& date) {
    DayColumns columns{};
    columns[0] = DayColumnFromDate(date);
    plandeck::FillColumnDates(columns, MarkedLanguage());
    return columns;
}

} // namespace

TEST(DayColumns, SlotsFollowSlotZeroAcrossMonthAndYearEnds) {
    struct Case {
        Date first;
        const char* dates;
    };
    for (const Case& c : {
             Case{{2005, 12, 29}, "29.12.2005 30.12.2005 31.12.2005 1.1.2006 2.1.2006 3.1.2006 4.1.2006 5.1.2006 "},
             Case{{2005, 12, 26},
                  "26.12.2005 27.12.2005 28.12.2005 29.12.2005 30.12.2005 31.12.2005 1.1.2006 2.1.2006 "},
             Case{{2008, 2, 25}, "25.2.2008 26.2.2008 27.2.2008 28.2.2008 29.2.2008 1.3.2008 2.3.2008 3.3.2008 "},
             Case{{2009, 2, 25}, "25.2.2009 26.2.2009 27.2.2009 28.2.2009 1.3.2009 2.3.2009 3.3.2009 4.3.2009 "},
             Case{{2100, 2, 27}, "27.2.2100 28.2.2100 1.3.2100 2.3.2100 3.3.2100 4.3.2100 5.3.2100 6.3.2100 "},
         }) {
        std::string dates;
        for (const DayColumn& column : StartingOn(c.first))
            dates += column.day + "." + column.month + "." + column.year + " ";
        EXPECT_EQ(dates, c.dates);
    }
}

// Headings come from each slot's own date. While the calendar shows slot 0's month they are the ones its
// cells give, counted from the column of the cell holding slot 0's day.
TEST(DayColumns, HeadingsAreTheWeekdaysOfTheSlotsDates) {
    const LanguageTable language = MarkedLanguage();
    for (int year : {1900, 2005, 2100}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= MonthLength(month, year); ++day) {
                const DayColumns columns = StartingOn({year, month, day});
                MonthGrid grid;
                grid.ShowDate({year, month, day});
                const int column = (grid.firstVisible() + day - 1) % 7;
                for (int i = 0; i < DayColumnCount; ++i) {
                    const DayColumn& slot = columns[static_cast<std::size_t>(i)];
                    ASSERT_EQ(slot.weekday, (column + i) % 7 + 1) << day << "." << month << "." << year;
                    ASSERT_EQ(slot.weekdayName, language.entry(124 + slot.weekday));
                }
            }
        }
    }
}

TEST(DayColumns, DateCaptionsFollowTheColumnsAndTheClock) {
    const LanguageTable language = MarkedLanguage();
    DayColumns columns = StartingOn({2005, 12, 29});
    const DateCaptions captions = ShowDateCaptions(columns, language, {2006, 3, 15}); // a Wednesday
    EXPECT_EQ(captions.aboutCaption, "e39");
    EXPECT_EQ(captions.columnMonths[2], "e124");
    EXPECT_EQ(captions.columnMonths[3], "e113");
    EXPECT_EQ(captions.todayMonth, "e" + std::to_string(Entry::FirstMonthAfterDay + 2)); // March after a day number
    EXPECT_EQ(captions.todayWeekday, "e77");

    // A month that is no month has no name, rather than some other entry's text.
    columns[0].month = "13";
    columns[1].month = "x";
    const DateCaptions odd = ShowDateCaptions(columns, language, {2006, 0, 15});
    EXPECT_EQ(odd.columnMonths[0] + odd.columnMonths[1] + odd.todayMonth, "");
}
