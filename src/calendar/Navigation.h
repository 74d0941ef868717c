#pragma once

#include "calendar/DayColumns.h"
#include "calendar/MonthGrid.h"
#include "calendar/TodayStamp.h"
#include "settings/LanguageTable.h"

namespace plandeck {

// Which dates the main window shows: the first column's date (the others follow from it), the month
// calendar beside the columns, how many columns are shown and whether the view steps by weeks. Every step
// ends with the column dates, weekday names and calendar marking brought up to date; the window then
// repaints the grid and refreshes the notes.
class Navigation {
public:
    // The three views of the view buttons. The N-day view of one day is still the N-day view: a new day
    // count from the options applies to it, never to the day view.
    enum class View { Day, Days, Week };

    Navigation(const LanguageTable& language, int configuredDays);

    const DayColumns& columns() const { return m_columns; }
    const MonthGrid& grid() const { return m_grid; }
    int days() const { return m_days; }
    int configuredDays() const { return m_configuredDays; }
    bool weekMode() const { return m_view == View::Week; }
    View view() const { return m_view; }
    const TodayStamp& today() const { return m_today; }

    // The first column shows today; the calendar shows today's month.
    void GoToToday(const TodayStamp& now);
    // The view buttons: one day from today, the configured number of days from today, or today's week from
    // its Monday.
    void ShowDay(const TodayStamp& now);
    void ShowDays(const TodayStamp& now);
    void ShowWeek(const TodayStamp& now);
    // One day (or one week in the week view) back or forward; the calendar follows across a month end.
    void Back();
    void Forward();
    // Back or forward by as many days as the view shows (a week in the week view).
    void PageBack();
    void PageForward();
    // The calendar's arrows: only the calendar turns, the columns stay.
    void NextMonthArrow();
    void PrevMonthArrow();
    // A click on a day of the calendar: that day becomes the first column, or in the week view its week.
    void ClickCell(int index);
    // A date the user asked for: the calendar turns to its month and the date is clicked there.
    void GoToDate(const Date& date);

    // A new number of days for the N-day view, from the options; the shown count follows when the N-day view
    // is on.
    void setConfiguredDays(int days);
    // A language change renames the column weekdays.
    void setLanguage(const LanguageTable& language);

private:
    void setSlot0(int day, int month, int year);
    void update();
    // Shows the week holding `day` of the calendar's month from its Monday.
    void weekOf(int day);
    // The month steps of Back and Forward count from the calendar, so it first returns to the first
    // column's month when the arrows moved it away.
    void bringGridToColumns();

    const LanguageTable* m_language;
    DayColumns m_columns{};
    MonthGrid m_grid;
    int m_days;
    int m_configuredDays;
    View m_view = View::Days;
    TodayStamp m_today{};
};

} // namespace plandeck
