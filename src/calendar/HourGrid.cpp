#include "calendar/HourGrid.h"

#include "base/NumberForm.h"

#include <cmath>

namespace plandeck {

namespace {

// Nearest integer, halves to the even neighbour.
double Nint(double v) {
    return std::nearbyint(v);
}

int Field(const std::string& spans, std::size_t index) {
    return spans.size() > 2 * index ? IntegerValue(std::string_view(spans).substr(2 * index, 2)) : 0;
}

} // namespace

std::array<WorkSpan, 4> WorkSpansFromOptions(const std::string& spans, const std::string& enabled) {
    std::array<WorkSpan, 4> out{};
    for (std::size_t i = 0; i < 4; ++i) {
        out[i].startHour = Field(spans, 2 * i);
        out[i].startMinute = Field(spans, 2 * i + 1);
        out[i].endHour = Field(spans, 8 + 2 * i);
        out[i].endMinute = Field(spans, 8 + 2 * i + 1);
        out[i].enabled = enabled.size() > i && enabled[i] == '1';
    }
    return out;
}

std::vector<SpanBand> PaintWorkSpans(const WeekView& v, const std::array<WorkSpan, 4>& spans) {
    std::vector<SpanBand> bands;
    const double hh = Nint(v.hourHeight);
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const WorkSpan& s = spans[i];
        double top;
        if (s.startHour >= v.firstHour)
            top = Nint(Nint(v.gridTop + static_cast<double>(v.hourHeight) * (s.startHour - v.firstHour)) +
                       s.startMinute * hh / 60);
        else if (s.endHour < v.firstHour)
            top = -3000; // wholly above the grid
        else
            top = Nint(v.gridTop);
        double height;
        if (s.endHour < v.lastHour) {
            double y = std::max(0.0, Nint(v.gridTop + static_cast<double>(v.hourHeight) * (s.endHour - v.firstHour)));
            height = Nint(s.endMinute * hh / 60 + y - top);
        } else {
            height = Nint(v.gridBottom - top);
        }
        if (s.enabled && top + height > v.gridTop && top < v.gridBottom)
            bands.push_back({static_cast<int>(i), static_cast<float>(top), static_cast<float>(height)});
    }
    return bands;
}

bool ColumnShowsDate(const DayColumn& column, const Date& date) {
    return column.day == std::to_string(date.day) && column.month == std::to_string(date.month) &&
           column.year == std::to_string(date.year);
}

HourGridLayout LayOutHourGrid(const WeekView& v, std::span<const DayColumn> columns, const Date& today) {
    HourGridLayout g;
    for (int h = v.firstHour; h <= v.lastHour; ++h) {
        const float y = v.gridTop + static_cast<float>(h - v.firstHour) * v.hourHeight;
        g.hourLabels.push_back({std::to_string(h) + ":00", v.gridLeft - 400, y - 50});
        g.hourLineYs.push_back(y);
    }
    for (int j = 0; j <= v.days; ++j)
        g.columnLineXs.push_back(v.columnLeft(j));
    for (int j = 0; j < v.days && j < static_cast<int>(columns.size()); ++j)
        if (ColumnShowsDate(columns[static_cast<std::size_t>(j)], today))
            g.todayColumn = j;
    return g;
}

ClockHands ClockHandsAt(int hour, int minute) {
    // The hands turn by 3.14 to the half circle, as the clock has always drawn them.
    constexpr double ToRadians = 3.14 / 180;
    const double a = 6.0 * minute * ToRadians;
    const double b = (30.0 * hour + minute / 2.0) * ToRadians;
    ClockHands c;
    c.minuteX = static_cast<int>(Nint(ClockHands::CentreX + 29 * std::sin(a)));
    c.minuteY = static_cast<int>(Nint(ClockHands::CentreY - 29 * std::cos(a)));
    c.hourX = static_cast<int>(Nint(ClockHands::CentreX + 18 * std::sin(b)));
    c.hourY = static_cast<int>(Nint(ClockHands::CentreY - 18 * std::cos(b)));
    return c;
}

std::optional<float> TimeLineY(const WeekView& v, int hour, int minute) {
    if (hour >= v.lastHour || hour < v.firstHour)
        return std::nullopt;
    return v.gridTop + v.hourHeight * static_cast<float>(hour - v.firstHour) +
           static_cast<float>(minute) * v.hourHeight / 60;
}

} // namespace plandeck
