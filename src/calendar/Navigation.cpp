#include "calendar/Navigation.h"

#include "calendar/CalendarMath.h"

#include <algorithm>

namespace plandeck {

Navigation::Navigation(const LanguageTable& language, int configuredDays)
    : m_language(&language), m_days(std::clamp(configuredDays, 1, 8)), m_configuredDays(m_days) {}

void Navigation::setSlot0(int day, int month, int year) {
    m_columns[0] = DayColumnFromDate(Date{year, month, day});
}

void Navigation::update() {
    FillColumnDates(m_columns, *m_language);
    MarkMonthGrid(m_grid, m_columns, m_days, m_today);
}

void Navigation::setLanguage(const LanguageTable& language) {
    m_language = &language;
    update();
}

void Navigation::setConfiguredDays(int days) {
    m_configuredDays = std::clamp(days, 1, 8);
    if (m_view == View::Days)
        m_days = m_configuredDays;
    update();
}

void Navigation::GoToToday(const TodayStamp& now) {
    m_today = now;
    setSlot0(now.date.day, now.date.month, now.date.year);
    m_grid.ShowDate(now.date);
    update();
}

void Navigation::ShowDay(const TodayStamp& now) {
    m_view = View::Day;
    m_days = 1;
    GoToToday(now);
}

void Navigation::ShowDays(const TodayStamp& now) {
    m_view = View::Days;
    m_days = m_configuredDays;
    GoToToday(now);
}

void Navigation::ShowWeek(const TodayStamp& now) {
    m_days = 7;
    m_view = View::Week;
    GoToToday(now);
    weekOf(now.date.day);
}

void Navigation::weekOf(int day) {
    // The row before the first row whose Monday comes after the day holds the day's Monday.
    int r = 0;
    while (r < 6 && m_grid.cell(7 * r).value <= day)
        ++r;
    r = std::max(r - 1, 0);
    const int monday = m_grid.cell(7 * r).value;
    if (monday >= 1) {
        setSlot0(monday, m_grid.month(), m_grid.year());
        update();
        return;
    }
    // The Monday lies in the previous month: its last row that starts with a Monday of that month.
    m_grid.PrevMonth();
    r = m_grid.cell(35).visible ? 5 : m_grid.cell(28).visible ? 4 : 3;
    setSlot0(m_grid.cell(7 * r).value, m_grid.month(), m_grid.year());
    update();
    m_grid.NextMonth();
    MarkMonthGrid(m_grid, m_columns, m_days, m_today);
}

void Navigation::bringGridToColumns() {
    const Date first = ColumnDate(m_columns[0]);
    if (m_grid.month() != first.month || m_grid.year() != first.year) {
        m_grid.ShowDate(first);
        MarkMonthGrid(m_grid, m_columns, m_days, m_today);
    }
}

void Navigation::Back() {
    bringGridToColumns();
    Date d = ColumnDate(m_columns[0]);
    d.day -= weekMode() ? 7 : 1;
    if (d.day < 1) {
        m_grid.PrevMonth();
        if (--d.month < 1) {
            d.month = 12;
            --d.year;
        }
        const int length = MonthLength(d.month, d.year);
        d.day = weekMode() ? d.day + length : length;
    }
    setSlot0(d.day, d.month, d.year);
    update();
}

void Navigation::Forward() {
    bringGridToColumns();
    if (weekMode()) {
        FillColumnDates(m_columns, *m_language);
        if (ColumnDate(m_columns[0]).day > ColumnDate(m_columns[7]).day)
            m_grid.NextMonth();
        m_columns[0] = m_columns[7];
        m_days = 7;
    } else {
        m_columns[0] = m_columns[1];
        if (ColumnDate(m_columns[0]).day == 1)
            m_grid.NextMonth();
    }
    update();
}

void Navigation::PageBack() {
    // One step of Back is a week in the week view and a day otherwise; the calendar follows each step.
    for (int i = weekMode() ? 1 : m_days; i > 0; --i)
        Back();
}

void Navigation::PageForward() {
    for (int i = weekMode() ? 1 : m_days; i > 0; --i)
        Forward();
}

void Navigation::NextMonthArrow() {
    m_grid.NextMonth();
    MarkMonthGrid(m_grid, m_columns, m_days, m_today);
}

void Navigation::PrevMonthArrow() {
    m_grid.PrevMonth();
    MarkMonthGrid(m_grid, m_columns, m_days, m_today);
}

void Navigation::ClickCell(int index) {
    const MonthCell& cell = m_grid.cell(index);
    if (!cell.visible)
        return;
    if (!weekMode()) {
        setSlot0(cell.value, m_grid.month(), m_grid.year());
        update();
        return;
    }
    weekOf(cell.value);
}

void Navigation::GoToDate(const Date& date) {
    m_grid.ShowDate(date);
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        if (m_grid.cell(i).visible && m_grid.cell(i).value == date.day) {
            ClickCell(i);
            return;
        }
}

} // namespace plandeck
