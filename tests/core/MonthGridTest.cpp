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

void ExpectSameGrid(const MonthGrid& actual, const MonthGrid& expected, const std::string& what) {
    ASSERT_EQ(actual.monthText(), expected.monthText()) << what;
    ASSERT_EQ(actual.year(), expected.year()) << what;
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        ASSERT_EQ(actual.cell(i), expected.cell(i)) << what << ", cell " << i;
}

// The turns of the last and next century, and the edges of the old four-year rule.
const std::pair<int, int> kYearRanges[] = {{1899, 2101}, {999, 1001}, {3003, 3009}};

} // namespace

TEST(MonthGrid, SaturdayFirstMovesUpIntoRowZero) {
    MonthGrid grid;
    grid.PlaceDate(1, 1, 2005);
    EXPECT_EQ(grid.cell(12).value, 1);
    grid.FillMonthGrid();
    EXPECT_EQ(grid.firstVisible(), 5);
    EXPECT_EQ(grid.lastVisible(), 35);
    EXPECT_EQ(MonthGrid::PlaceDateCell(31, 7), 34);
    EXPECT_EQ(MonthGrid::PlaceDateCell(8, 7), 13);
}

// From any of its days a month's calendar has its 1st in row 0 under its weekday, every day under its
// own weekday, the neighbouring months hidden and the holidays red; the month steps give the calendars
// of the neighbouring months.
TEST(MonthGrid, EveryMonthFromAnyDayAndByMonthSteps) {
    for (auto [from, to] : kYearRanges) {
        for (int year = from; year <= to; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const std::string what = std::to_string(month) + "/" + std::to_string(year);
                const MonthGrid first = GridOf(1, month, year);
                const int length = MonthLength(month, year);
                ASSERT_EQ(first.firstVisible(), WeekdayNumber(1, month, year) - 1) << what;
                ASSERT_EQ(first.lastVisible(), first.firstVisible() + length - 1) << what;
                for (int i = 0; i < MonthGrid::CellCount; ++i) {
                    const MonthCell& c = first.cell(i);
                    ASSERT_EQ(c.value, i - first.firstVisible() + 1) << what;
                    ASSERT_EQ(c.visible, c.value >= 1 && c.value <= length) << what;
                    ASSERT_EQ(c.foreground == GridColour::Red, IsHoliday(c.text(), first.monthText())) << what;
                }
                for (int day = 2; day <= length; ++day)
                    ExpectSameGrid(GridOf(day, month, year), first, std::to_string(day) + "." + what);

                MonthGrid next = first;
                next.NextMonth();
                ExpectSameGrid(next, GridOf(1, month % 12 + 1, month == 12 ? year + 1 : year), "after " + what);
                MonthGrid previous = first;
                previous.PrevMonth();
                ExpectSameGrid(previous, GridOf(1, month == 1 ? 12 : month - 1, month == 1 ? year - 1 : year),
                               "before " + what);
            }
        }
    }
}

TEST(MonthGrid, CalendarsWithoutADayToCountFromShowTheirMonth) {
    MonthGrid empty;
    empty.FillMonthGrid();
    ExpectSameGrid(empty, GridOf(1, 1, 2000), "a new calendar");
    MonthGrid grid;
    for (int day : {0, -5, 99, INT_MIN, INT_MAX}) {
        grid.ShowDate({2006, 3, day});
        EXPECT_EQ(grid.lastVisible() - grid.firstVisible() + 1, 31) << day;
    }
    grid.ShowDate({INT_MAX, 13, 1});
    EXPECT_EQ(grid.monthText(), "12");
    EXPECT_EQ(grid.year(), 9999);
}

TEST(MonthGrid, ColoursMarkShownDaysGreyAndTodayLightBlue) {
    MonthGrid grid = GridOf(15, 3, 2006);
    auto cellOf = [&grid](int day) { return grid.cell(grid.firstVisible() + day - 1); };
    auto columnsFrom = [](Date first) {
        DayColumns columns{};
        for (int i = 0; i < DayColumnCount; ++i, ++first.day)
            columns[static_cast<std::size_t>(i)] = DayColumnFromDate(first);
        return columns;
    };
    const TodayStamp today{{2006, 3, 15}, 10, 30};

    MarkMonthGrid(grid, columnsFrom({2006, 3, 13}), 3, today);
    EXPECT_EQ(cellOf(13), (MonthCell{13, true, GridColour::White, true, GridColour::Grey}));
    EXPECT_EQ(cellOf(14).background, GridColour::Grey);
    EXPECT_EQ(cellOf(15).background, GridColour::LightBlue) << "today wins over the shown week";
    EXPECT_FALSE(cellOf(16).opaque) << "only the shown columns are marked";
    EXPECT_EQ(cellOf(8), (MonthCell{8, true, GridColour::Red}));

    // New columns clear the old marks; a holiday among them is white on grey.
    MarkMonthGrid(grid, columnsFrom({2006, 3, 6}), 7, today);
    EXPECT_FALSE(cellOf(13).opaque);
    EXPECT_EQ(cellOf(8), (MonthCell{8, true, GridColour::White, true, GridColour::Grey}));

    // Those days in another year, and today in another month, mark nothing; a count past slot 7 is safe.
    MarkMonthGrid(grid, columnsFrom({2005, 3, 6}), 1000, {{2006, 4, 15}, 0, 0});
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        EXPECT_FALSE(grid.cell(i).opaque) << i;
}

// The week beside each row of the calendar; rows with no day of the month carry none.
TEST(MonthGrid, WeekNumbersOfTheRows) {
    struct Case {
        int month, year;
        std::array<int, MonthGrid::RowCount> weeks;
    };
    for (const Case& c : {Case{12, 2026, {49, 50, 51, 52, 53, 0}}, Case{1, 2027, {53, 1, 2, 3, 4, 0}},
                          Case{8, 2026, {31, 32, 33, 34, 35, 36}}, Case{1, 2006, {52, 1, 2, 3, 4, 5}},
                          Case{2, 2021, {5, 6, 7, 8, 0, 0}}, Case{12, 2019, {48, 49, 50, 51, 52, 1}}}) {
        EXPECT_EQ(GridOf(1, c.month, c.year).weekNumbers(), c.weeks) << c.month << '/' << c.year;
        // The month steps reach the same calendar.
        MonthGrid stepped = c.month == 12 ? GridOf(15, 11, c.year) : GridOf(15, c.month + 1, c.year);
        if (c.month == 12)
            stepped.NextMonth();
        else
            stepped.PrevMonth();
        EXPECT_EQ(stepped.weekNumbers(), c.weeks) << c.month << '/' << c.year << " by a month step";
    }
}
