#include "calendar/MonthGrid.h"

#include "base/NumberForm.h"
#include "calendar/CalendarMath.h"

#include <algorithm>

namespace plandeck {

namespace {

// The header keeps a month 1..12; its value as the calendar's two-digit text.
std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

// Foreground black, or red on a holiday of the shown month.
void MarkHoliday(MonthCell& cell, const std::string& monthText) {
    cell.foreground = IsHoliday(cell.text(), monthText) ? GridColour::Red : GridColour::Black;
}

} // namespace

MonthGrid::MonthGrid() {
    Reset();
}

const MonthCell& MonthGrid::cell(int index) const {
    static const MonthCell kNoCell{0, false};
    if (index < 0 || index >= CellCount)
        return kNoCell;
    return m_cells[static_cast<std::size_t>(index)];
}

std::string MonthGrid::monthText() const {
    return TwoDigits(m_month);
}

std::string MonthGrid::yearText() const {
    return std::to_string(m_year);
}

void MonthGrid::Reset() {
    for (MonthCell& c : m_cells) {
        c.value = 0;
        c.visible = true;
        c.border = false;
    }
}

int MonthGrid::PlaceDateCell(int day, int weekday) {
    const int t = weekday == 7 ? 0 : std::clamp(weekday, 0, 6);
    if (day <= 7)
        return t + 6;
    if (day <= 14)
        return t + 13;
    if (day <= 21)
        return t + 20;
    if (day <= 28)
        return t + 27;
    return t + 34;
}

void MonthGrid::PlaceDate(int day, int month, int year) {
    Reset();
    m_month = std::clamp(month, 1, 12);
    // Years of four digits at most, as the header shows them; the month steps then never overflow.
    m_year = std::clamp(year, 1, 9999);
    // Beyond 31 no day exists; the clamp keeps the counting of FillMonthGrid far from overflow.
    day = std::clamp(day, 0, 31);
    m_cells[static_cast<std::size_t>(PlaceDateCell(day, WeekdayNumber(day, m_month, m_year)))].value = day;
}

void MonthGrid::ShowDate(const Date& date) {
    PlaceDate(date.day, date.month, date.year);
    FillMonthGrid();
}

void MonthGrid::startMonth() {
    Reset();
    m_cells[static_cast<std::size_t>(WeekdayNumber(1, m_month, m_year) - 1)].value = 1;
}

void MonthGrid::FillMonthGrid() {
    // Each pass either ends or moves the known day up a row, so six passes always suffice.
    for (int pass = 0; pass < 6; ++pass) {
        auto known = std::find_if(m_cells.begin(), m_cells.end(), [](const MonthCell& c) { return c.value > 0; });
        if (known == m_cells.end()) {
            startMonth();
            continue;
        }
        const int a = static_cast<int>(known - m_cells.begin());
        const int v = known->value;
        for (int i = 0; i < CellCount; ++i)
            m_cells[static_cast<std::size_t>(i)].value = v + (i - a);

        const bool rowZeroEmpty =
            std::all_of(m_cells.begin(), m_cells.begin() + ColumnCount, [](const MonthCell& c) { return c.value < 1; });
        if (!rowZeroEmpty)
            break;
        for (int i = 0; i < CellCount; ++i) {
            if (i >= ColumnCount && m_cells[static_cast<std::size_t>(i)].value > 0)
                m_cells[static_cast<std::size_t>(i - ColumnCount)].value = m_cells[static_cast<std::size_t>(i)].value;
            m_cells[static_cast<std::size_t>(i)].value = 0;
        }
    }

    const int length = MonthLength(m_month, m_year);
    const std::string month = monthText();
    for (MonthCell& c : m_cells) {
        if (c.value < 1 || c.value > length)
            c.visible = false;
        MarkHoliday(c, month);
    }
}

void MonthGrid::PrevMonth() {
    const int k = firstVisible();
    if (--m_month == 0) {
        m_month = 12;
        --m_year;
    }
    if (k < 0) {
        startMonth();
    } else {
        Reset();
        // The last day of the new month sits in the column before the old 1st, in the bottom rows.
        int x = k;
        while (x < 35)
            x += 7;
        m_cells[static_cast<std::size_t>(x - 1)].value = MonthLength(m_month, m_year);
    }
    FillMonthGrid();
}

void MonthGrid::NextMonth() {
    int j = lastVisible();
    if (++m_month == 13) {
        m_month = 1;
        ++m_year;
    }
    if (j < 0) {
        startMonth();
    } else {
        Reset();
        // The new 1st sits in row 0, in the column after the old last day.
        while (j > 6)
            j -= 7;
        m_cells[static_cast<std::size_t>(j == 6 ? 0 : j + 1)].value = 1;
    }
    FillMonthGrid();
}

int MonthGrid::firstVisible() const {
    for (int i = 0; i < CellCount; ++i) {
        if (m_cells[static_cast<std::size_t>(i)].visible)
            return i;
    }
    return -1;
}

int MonthGrid::lastVisible() const {
    for (int i = CellCount - 1; i >= 0; --i) {
        if (m_cells[static_cast<std::size_t>(i)].visible)
            return i;
    }
    return -1;
}

void MarkMonthGrid(MonthGrid& grid, const DayColumns& columns, int days, const TodayStamp& today) {
    const std::string month = grid.monthText();
    // The columns hold their month without a leading zero.
    const std::string monthNoZero = std::to_string(grid.month());
    const int shown = std::clamp(days, 0, DayColumnCount);
    for (MonthCell& c : grid.m_cells) {
        c.opaque = false;
        c.background = GridColour::White;
        MarkHoliday(c, month);
        for (int j = 0; j < shown; ++j) {
            const DayColumn& column = columns[static_cast<std::size_t>(j)];
            if (c.value == NumericValue(column.day) && column.month == monthNoZero &&
                NumericValue(column.year) == grid.year()) {
                c.opaque = true;
                c.background = GridColour::Grey;
                c.foreground = GridColour::White;
            }
        }
        if (c.value == today.date.day && today.date.month == grid.month() && today.date.year == grid.year()) {
            c.opaque = true;
            c.background = GridColour::LightBlue;
            c.foreground = GridColour::White;
        }
    }
}

std::array<int, MonthGrid::RowCount> MonthGrid::weekNumbers() const {
    std::array<int, RowCount> weeks{};
    for (int r = 0; r < RowCount; ++r) {
        bool shown = false;
        for (int c = 0; c < ColumnCount; ++c)
            shown = shown || cell(r * ColumnCount + c).visible;
        // The cells count on from the 1st of the month, into the months around it.
        if (shown)
            weeks[static_cast<std::size_t>(r)] =
                IsoWeekOf(AddDays({m_year, m_month, 1}, cell(r * ColumnCount).value - 1)).week;
    }
    return weeks;
}

} // namespace plandeck
