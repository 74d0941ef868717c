#pragma once

#include "base/Date.h"
#include "calendar/DayColumn.h"
#include "calendar/WeekView.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plandeck {

// One of the four working spans that the grid can shade.
struct WorkSpan {
    int startHour = 0;
    int startMinute = 0;
    int endHour = 0;
    int endMinute = 0;
    bool enabled = false;
};

// The four spans from the option file's span line (sixteen two-digit fields) and its enabled flags.
// Empty or non-numeric fields read as 0.
std::array<WorkSpan, 4> WorkSpansFromOptions(const std::string& spans, const std::string& enabled);

// A shaded band across the grid, from gridLeft to gridRight.
struct SpanBand {
    int span = 0;
    float top = 0;
    float height = 0;
};

// The bands to draw for the enabled spans, clipped to the shown hours, in span order (later ones cover
// earlier ones). Spans wholly outside the grid are left out.
std::vector<SpanBand> PaintWorkSpans(const WeekView& view, const std::array<WorkSpan, 4>& spans);

struct HourLabel {
    std::string text; // "8:00"
    float x = 0;
    float y = 0;
};

// The painted hour grid as positions: labels and lines for every hour from the first to the last, the
// column lines, and the column that shows today.
struct HourGridLayout {
    std::vector<HourLabel> hourLabels;
    std::vector<float> hourLineYs;   // from gridLeft to gridRight
    std::vector<float> columnLineXs; // from y = 229 to gridBottom
    static constexpr float HeaderTop = 220;
    static constexpr float HeaderLineY = 229;
    int todayColumn = -1;
};

HourGridLayout LayOutHourGrid(const WeekView& view, std::span<const DayColumn> columns, const Date& today);

// Whether a column shows the given date, comparing the column's texts with the date written without
// leading zeros.
bool ColumnShowsDate(const DayColumn& column, const Date& date);

// The analog clock's hands: each runs from the centre (59, 58) to its end point, in pixels.
struct ClockHands {
    int minuteX = 0, minuteY = 0;
    int hourX = 0, hourY = 0;
    static constexpr int CentreX = 59;
    static constexpr int CentreY = 58;
};
ClockHands ClockHandsAt(int hour, int minute);

// The height of the current-time line, or nothing when the time lies outside the shown hours.
std::optional<float> TimeLineY(const WeekView& view, int hour, int minute);

// The hours shown by the grid; the buttons beside it move the range by an hour or reset it.
struct HourRange {
    int first = 8;
    int last = 20;
    friend bool operator==(const HourRange&, const HourRange&) = default;

    // One hour later, while the last hour is below midnight.
    HourRange later() const { return last < 24 ? HourRange{first + 1, last + 1} : *this; }
    // One hour earlier, while the first hour is 7 or later.
    HourRange earlier() const { return first >= 7 ? HourRange{first - 1, last - 1} : *this; }
};

} // namespace plandeck
