#pragma once

#include "calendar/DayColumns.h"
#include "calendar/TodayStamp.h"

#include <array>
#include <string>

namespace plandeck {

// Colours of the month calendar, as red + 256 * green + 65536 * blue.
namespace GridColour {
constexpr long Black = 0;
constexpr long Red = 255;
constexpr long White = 0xFFFFFF;
constexpr long Grey = 128 + 256 * 128 + 65536 * 128;      // a day shown in the columns
constexpr long LightBlue = 128 + 256 * 128 + 65536 * 255; // today
} // namespace GridColour

// One day cell of the month calendar: the number it holds and how it is drawn.
struct MonthCell {
    int value = 0;       // the day of month when 1 <= value <= month length; otherwise outside the month
    bool visible = true; // false for days outside the shown month
    long foreground = GridColour::Black;
    bool opaque = false; // false: the background is transparent
    long background = GridColour::White;
    bool border = false;

    // The cell's caption.
    std::string text() const { return std::to_string(value); }

    friend bool operator==(const MonthCell&, const MonthCell&) = default;
};

// The small Monday-first month calendar: 6 rows of 7 cells (index = row * 7 + column, column 0 = Monday),
// the month as two digits and the year. It is filled by counting outwards from one known cell, so that row
// 0 always holds the 1st of the month.
class MonthGrid {
public:
    static constexpr int CellCount = 42;
    static constexpr int ColumnCount = 7;

    MonthGrid();

    // Cell i; any index outside 0..41 gives an empty hidden cell.
    const MonthCell& cell(int index) const;

    int month() const { return m_month; }
    int year() const { return m_year; }
    std::string monthText() const; // "01".."12"
    std::string yearText() const;  // "2006"

    // Every cell: value 0, visible, no border.
    void Reset();
    // Starts the calendar on a date: resets it, takes the date's month and year, and puts the day into the
    // cell of its weekday in the row its number falls into. FillMonthGrid completes the calendar. Numbers
    // out of range are brought into it: month 1..12, year 1..9999, day 0..31.
    void PlaceDate(int day, int month, int year);
    // PlaceDate and FillMonthGrid: the calendar of the month of a date.
    void ShowDate(const Date& date);
    // The cell a day goes into, from its weekday (1 = Monday .. 7 = Sunday): Monday..Saturday land in row
    // ceil(day / 7), a Sunday in the row above.
    static int PlaceDateCell(int day, int weekday);

    // Counts outwards from the first cell that holds a day, moves the month up a row when row 0 would
    // hold none of its days, hides the days of the neighbouring months and marks the holidays red.
    void FillMonthGrid();
    // The previous and the next month, counted on from the cells of the month shown. The marks of the
    // shown days and of today are the caller's to set again with colors.
    void PrevMonth();
    void NextMonth();

    // The first and the last visible cell (the 1st and the last day of the month); -1 when none is.
    int firstVisible() const;
    int lastVisible() const;

    static constexpr int RowCount = CellCount / ColumnCount;
    // The ISO week number of each row (rows run Monday to Sunday); 0 for a row that shows no day of the month.
    std::array<int, RowCount> weekNumbers() const;

private:
    friend void MarkMonthGrid(MonthGrid&, const DayColumns&, int, const TodayStamp&);

    // The month drawn from scratch, for a calendar that holds no day to count from.
    void startMonth();

    std::array<MonthCell, CellCount> m_cells{};
    int m_month = 1;
    int m_year = 2000;
};

// Marks the calendar: holidays red, the days of the shown columns 0..days-1 grey, today light blue on top.
void MarkMonthGrid(MonthGrid& grid, const DayColumns& columns, int days, const TodayStamp& today);

} // namespace plandeck
