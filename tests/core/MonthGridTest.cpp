#include "calendar/MonthGrid.h"
#include "calendar/CalendarMath.h"

#include <climits>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

MonthGrid GridOf(int day, int month, int year) {
    MonthGrid grid;
    grid.ShowDate({year, month, day});
    return grid;
}

// Every cell alike: value, visibility and colours.
void ExpectSameGrid(const MonthGrid& actual, const MonthGrid& expected, const std::string& what) {
    ASSERT_EQ(actual.monthText(), expected.monthText()) << what;
    ASSERT_EQ(actual.year(), expected.year()) << what;
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        ASSERT_EQ(actual.cell(i), expected.cell(i)) << what << ", cell " << i;
}

// Years to walk through: the last and next century turns, and the edges of the old four-year rule.
struct MonthRange {
    int from;
    int to;
};
constexpr MonthRange kYears[] = {{1899, 2101}, {999, 1001}, {1599, 1601}, {3003, 3009}};

} // namespace

TEST(MonthGrid, SaturdayFirstMovesUpIntoRowZero) {
    EXPECT_EQ(MonthGrid::PlaceDateCell(1, 6), 12);
    MonthGrid grid;
    grid.PlaceDate(1, 1, 2005);
    EXPECT_EQ(grid.cell(12).value, 1);
    EXPECT_EQ(grid.monthText(), "01");
    EXPECT_EQ(grid.yearText(), "2005");
    grid.FillMonthGrid();
    EXPECT_EQ(grid.cell(5).value, 1);
    EXPECT_EQ(grid.firstVisible(), 5);
    EXPECT_EQ(grid.lastVisible(), 35);
    EXPECT_FALSE(grid.cell(4).visible);
    EXPECT_FALSE(grid.cell(36).visible);
}

TEST(MonthGrid, PlacesEveryDayWhereItsWeekdayAndRowSay) {
    struct Case {
        int day, weekday, cell;
    };
    for (Case c : {Case{1, 1, 7}, Case{7, 7, 6}, Case{8, 7, 13}, Case{14, 6, 19}, Case{15, 1, 21}, Case{28, 7, 27},
                   Case{29, 1, 35}, Case{31, 7, 34}, Case{31, 6, 40}})
        EXPECT_EQ(MonthGrid::PlaceDateCell(c.day, c.weekday), c.cell) << c.day << "/" << c.weekday;
}

// Whatever day of a month the calendar starts from, it shows that month: the 1st in row 0 under its
// weekday, every day under its own weekday, the neighbouring months hidden, holidays red.
TEST(MonthGrid, AnyDayOfAMonthGivesThatMonthsCalendar) {
    for (const MonthRange& range : kYears) {
        for (int year = range.from; year <= range.to; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const MonthGrid first = GridOf(1, month, year);
                const int length = MonthLength(month, year);
                const std::string what = std::to_string(month) + "/" + std::to_string(year);
                ASSERT_EQ(first.firstVisible(), WeekdayNumber(1, month, year) - 1) << what;
                ASSERT_EQ(first.lastVisible(), first.firstVisible() + length - 1) << what;
                for (int i = 0; i < MonthGrid::CellCount; ++i) {
                    const MonthCell& c = first.cell(i);
                    ASSERT_EQ(c.visible, c.value >= 1 && c.value <= length) << what << ", cell " << i;
                    ASSERT_EQ(c.value, i - first.firstVisible() + 1) << what << ", cell " << i;
                    if (c.visible) {
                        ASSERT_EQ(i % 7, WeekdayNumber(c.value, month, year) - 1) << what << ", day " << c.value;
                    }
                    ASSERT_EQ(c.foreground, IsHoliday(c.text(), first.monthText()) ? GridColour::Red : 0);
                }
                for (int day = 2; day <= length; ++day)
                    ExpectSameGrid(GridOf(day, month, year), first, std::to_string(day) + "." + what);
            }
        }
    }
}

TEST(MonthGrid, MonthStepsGiveTheNeighbouringMonths) {
    for (const MonthRange& range : kYears) {
        for (int year = range.from; year <= range.to; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const std::string what = std::to_string(month) + "/" + std::to_string(year);
                MonthGrid next = GridOf(15, month, year);
                next.NextMonth();
                ExpectSameGrid(next, month == 12 ? GridOf(1, 1, year + 1) : GridOf(1, month + 1, year),
                               "after " + what);
                MonthGrid previous = GridOf(15, month, year);
                previous.PrevMonth();
                ExpectSameGrid(previous, month == 1 ? GridOf(1, 12, year - 1) : GridOf(1, month - 1, year),
                               "before " + what);
            }
        }
    }
}

TEST(MonthGrid, MonthStepsFromTheGridsCorners) {
    // September 2006 ends on Saturday 30 in cell 34: October's 1st is a Sunday in cell 6.
    MonthGrid grid = GridOf(1, 9, 2006);
    ASSERT_EQ(grid.lastVisible(), 33);
    grid.NextMonth();
    EXPECT_EQ(grid.firstVisible(), 6);
    // December 2006 ends on Sunday 31 in cell 34: January's 1st goes to cell 0.
    grid = GridOf(1, 12, 2006);
    ASSERT_EQ(grid.lastVisible(), 34);
    grid.NextMonth();
    EXPECT_EQ(grid.firstVisible(), 0);
    EXPECT_EQ(grid.monthText(), "01");
    EXPECT_EQ(grid.year(), 2007);
    // February 2010 ends on Sunday 28 in cell 27; March starts in cell 0.
    grid = GridOf(1, 2, 2010);
    ASSERT_EQ(grid.lastVisible(), 27);
    grid.NextMonth();
    EXPECT_EQ(grid.firstVisible(), 0);
    // March 2010 starts on a Monday: February's last day is counted from cell 34 and moved up a row.
    grid.PrevMonth();
    EXPECT_EQ(grid.monthText(), "02");
    EXPECT_EQ(grid.firstVisible(), 0);
    EXPECT_EQ(grid.lastVisible(), 27);
}

TEST(MonthGrid, CalendarsWithoutADayToCountFromShowTheirMonth) {
    MonthGrid empty;
    empty.FillMonthGrid();
    ExpectSameGrid(empty, GridOf(1, 1, 2000), "a new calendar");

    // A day out of range is brought into the month; a year out of range into four digits.
    MonthGrid grid;
    for (int day : {0, -5, 99, INT_MIN, INT_MAX}) {
        grid.ShowDate({2006, 3, day});
        EXPECT_EQ(grid.monthText(), "03") << day;
        EXPECT_EQ(grid.lastVisible() - grid.firstVisible() + 1, 31) << day;
    }
    grid.ShowDate({INT_MAX, 13, 1});
    EXPECT_EQ(grid.monthText(), "12");
    EXPECT_EQ(grid.year(), 9999);
    grid.NextMonth();
    EXPECT_EQ(grid.year(), 10000);
}

TEST(MonthGrid, ColoursMarkShownDaysGreyAndTodayLightBlue) {
    // Columns 13..15 March 2006 with today 15 March; 8 March is a holiday.
    DayColumns columns{};
    for (int i = 0; i < DayColumnCount; ++i)
        columns[static_cast<std::size_t>(i)] = DayColumnFromDate({2006, 3, 13 + i});
    const TodayStamp today{{2006, 3, 15}, 10, 30};

    MonthGrid grid = GridOf(15, 3, 2006);
    colors(grid, columns, 3, today);
    auto cellOf = [&grid](int day) { return grid.cell(grid.firstVisible() + day - 1); };
    for (int day : {13, 14}) {
        EXPECT_TRUE(cellOf(day).opaque) << day;
        EXPECT_EQ(cellOf(day).background, GridColour::Grey) << day;
        EXPECT_EQ(cellOf(day).foreground, GridColour::White) << day;
    }
    EXPECT_EQ(cellOf(15).background, GridColour::LightBlue) << "today wins over the shown week";
    EXPECT_FALSE(cellOf(16).opaque) << "only the shown columns are marked";
    EXPECT_EQ(cellOf(8).foreground, GridColour::Red);
    EXPECT_FALSE(cellOf(8).opaque);

    // Marking again with other columns clears the old marks; a holiday among them turns white on grey.
    for (int i = 0; i < DayColumnCount; ++i)
        columns[static_cast<std::size_t>(i)] = DayColumnFromDate({2006, 3, 6 + i});
    colors(grid, columns, 7, today);
    EXPECT_FALSE(cellOf(13).opaque);
    EXPECT_EQ(cellOf(8).background, GridColour::Grey);
    EXPECT_EQ(cellOf(8).foreground, GridColour::White);
    EXPECT_EQ(cellOf(15).background, GridColour::LightBlue);

    // The same days of another year or month, and today in another year, mark nothing.
    for (int i = 0; i < DayColumnCount; ++i)
        columns[static_cast<std::size_t>(i)] = DayColumnFromDate({2005, 3, 6 + i});
    colors(grid, columns, 8, {{2007, 3, 15}, 0, 0});
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        EXPECT_FALSE(grid.cell(i).opaque) << i;
    columns[0] = DayColumnFromDate({2006, 4, 13});
    colors(grid, columns, 1, {{2006, 4, 15}, 0, 0});
    EXPECT_FALSE(cellOf(13).opaque);
    EXPECT_FALSE(cellOf(15).opaque);

    // A column count past the slots reads no further than slot 7.
    colors(grid, columns, 1000, today);
    colors(grid, columns, -3, today);
    EXPECT_EQ(cellOf(15).background, GridColour::LightBlue);
}
