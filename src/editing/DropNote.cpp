#include "editing/DropNote.h"

#include "base/NumberForm.h"
#include "notes/Note.h"
#include "notes/WeekRefresh.h"

#include <algorithm>
#include <cmath>

namespace plandeck {

namespace {

constexpr int MinutesPerDay = 24 * 60;
constexpr int LastMinuteOfDay = MinutesPerDay - 1;

int Round(double v) {
    return static_cast<int>(std::nearbyint(v));
}

std::string TwoDigits(int value) {
    return PadField(std::to_string(value));
}

float RowTop(const WeekView& view, int row) {
    return view.gridTop + static_cast<float>(row) * view.hourHeight;
}

// The hour row that holds y among the first `rows`: the last whose top lies at or above y, -1 above the
// first. A row ends where the next one begins, by the same formula, so an hour line belongs to exactly one
// row whichever way single precision rounds the two.
int RowAt(const WeekView& view, float y, int rows) {
    int row = -1;
    while (row + 1 < rows && y >= RowTop(view, row + 1))
        ++row;
    return row;
}

// The time at y in `row`, to the nearest minute.
int MinuteIn(const WeekView& view, int row, float y) {
    return Round((static_cast<double>(y) - RowTop(view, row)) * 60 / view.hourHeight);
}

// The start of the hour row that holds y; a y outside every row (a grid too small for the clamp margin)
// falls in the nearest one.
ClockTime TimeAt(const WeekView& view, float y) {
    const int row = std::max(RowAt(view, y, std::max(view.lastHour - view.firstHour, 1)), 0);
    return {view.firstHour + row, std::max(MinuteIn(view, row, y), 0)};
}

int TotalMinutes(ClockTime t) {
    return t.hour * 60 + t.minute;
}

ClockTime FromTotal(int total) {
    total = std::clamp(total, 0, LastMinuteOfDay);
    return {total / 60, total % 60};
}

struct OldTimes {
    ClockTime start;
    ClockTime end;
};

// The times of a note line: hours by the two-character field rule, minutes by their numeric value.
OldTimes TimesOf(std::string_view line) {
    OldTimes t;
    const NoteHeader note(line);
    if (!note.holdsTimes())
        return t;
    t.start = {note.startHour(), note.startMinute()};
    t.end = {note.endHour(), std::max(note.endMinute(), 0)};
    return t;
}

std::string DayCodeOf(const DayColumn& column) {
    return PadField(DayCodeForDayOfMonth(IntegerValue(column.day)));
}

} // namespace

TileRect PlacedRect(const WeekView& view, const DropResult& drop) {
    const float top = std::max(view.timeTop(drop.start.hour, drop.start.minute), view.gridTop);
    const float bottom = std::min(view.timeTop(drop.end.hour, drop.end.minute), view.gridBottom);
    return {view.columnLeft(drop.column), top, view.columnWidth - 10, std::max(bottom - top, 0.0f)};
}

int ColumnAt(const WeekView& view, float x) {
    const int days = std::max(view.days, 1);
    if (x < view.gridLeft)
        return 0;
    for (int i = 0; i < days; ++i)
        if (view.columnLeft(i) <= x && x < view.columnLeft(i + 1))
            return i;
    return days - 1;
}

int SnapDown(int minute, int step) {
    if (step < 2)
        return minute;
    for (int g = 0; g <= 60; g += step)
        if (g < minute && minute < g + step)
            return g;
    return minute;
}

ClockTime ResizeEndTime(const WeekView& view, float gripTop) {
    // The grip's middle marks the new end.
    const float y = std::min(gripTop + 90, view.gridBottom);
    const int rows = view.lastHour - view.firstHour;
    // A row holds its own top line: a grip let go exactly on an hour line ends the note on that hour. Below
    // the last row's end (the next row's top) and above the first there is no row.
    const int row = RowAt(view, y, rows);
    if (row < 0 || y >= RowTop(view, row + 1))
        return {view.lastHour, 0};
    return {view.firstHour + row, MinuteIn(view, row, y)};
}

GripPosition FollowGrip(float pointerY, float grabY, float labelTop, float gridBottom) {
    const float top = pointerY - grabY;
    if (top > gridBottom)
        return {gridBottom - 20, false};
    if (top < labelTop - 30)
        return {labelTop + 80, false};
    return {top, true};
}

DropResult DropNote(const DropRequest& request, const WeekView& view, std::span<const DayColumn> columns) {
    DropResult result;
    const bool newNote = request.mode == DropMode::NewNote;
    const bool resize = request.mode == DropMode::Resize;

    // The drop point of a moved tile is where its top edge lands; a new note is centred on the point.
    float y = request.y - (newNote ? request.ghostHeight / 2 : request.grabY);

    // A resized note never leaves its own column, however narrow its tile was drawn.
    result.column =
        resize ? std::clamp(request.sourceColumn, 0, std::max(view.days, 1) - 1) : ColumnAt(view, request.x);
    result.x = view.columnLeft(result.column);

    if (y <= view.gridTop)
        y = view.gridTop;
    if (y >= view.gridBottom)
        y = view.gridBottom - 100;
    result.y = y;

    const int snap = request.snapMinutes;
    const OldTimes oldTimes = TimesOf(request.oldLine);
    int start = 0;
    int end = 0;
    if (resize) {
        start = TotalMinutes(oldTimes.start);
        end = request.resizeEnd.hour * 60 + SnapDown(request.resizeEnd.minute, snap);
    } else {
        const ClockTime at = TimeAt(view, y);
        start = at.hour * 60 + SnapDown(at.minute, snap);
        // A move keeps the duration; counting in whole minutes keeps it across hours, also when the snap
        // takes the start back past the old end minute.
        end = newNote ? start + 60 : start + TotalMinutes(oldTimes.end) - TotalMinutes(oldTimes.start);
    }
    // Nothing runs past midnight: the end stops at 23:59, and so does a start rounded up to midnight.
    result.start = FromTotal(start);
    result.end = FromTotal(end);

    const DayColumn empty;
    const DayColumn& column = static_cast<std::size_t>(result.column) < columns.size()
                                  ? columns[static_cast<std::size_t>(result.column)]
                                  : empty;
    std::string year = column.year;
    std::string month = PadField(column.month);
    std::string dayCode = DayCodeOf(column);
    const NoteHeader old(request.oldLine);
    if (!newNote && old.complete()) {
        const bool weekly = old.dayKind() == DayKind::Weekdays;
        if (weekly && result.column == request.sourceColumn) {
            // A weekly note dropped in its own column stays weekly, on the same weekdays.
            dayCode = std::string(old.dayCodeText());
            if (old.everyYear())
                year = "yyyy";
            if (old.everyMonth())
                month = "yy";
        } else if (!weekly) {
            if (old.everyYear())
                year = "yyyy";
            if (old.everyMonth())
                month = "yy";
            if (old.everyDay())
                dayCode = "yy";
        }
        // A weekly note dropped in another column becomes a note of that column's date alone: keeping its
        // "every year" and "every month" marks with a day number would turn it into a monthly note.
    }

    std::string& line = result.line;
    const std::string_view tail = newNote ? std::string_view() : old.categoryAndText();
    line.reserve(Note::HeaderLength + (newNote ? 7 : tail.size()));
    line += year;
    line += month;
    line += dayCode;
    line += TwoDigits(result.start.hour);
    line += TwoDigits(result.start.minute);
    line += TwoDigits(result.end.hour);
    line += TwoDigits(result.end.minute);
    if (newNote) {
        line += request.categoryCode;
        line += PlaceholderText;
    } else {
        line += tail; // the category character and the text, byte for byte
    }
    return result;
}

std::optional<GridPoint> DropPointOnTarget(DropTarget target, GridPoint point, GridPoint origin) {
    switch (target) {
    case DropTarget::Grid:
    case DropTarget::Decoration:
    case DropTarget::TileLabel:
        // Every control that takes a drop passes the point in grid coordinates, so a drop on the header
        // picture above a column lands in that column.
        return GridPoint{origin.x + point.x, origin.y + point.y};
    case DropTarget::ResizeGrip:
    case DropTarget::Elsewhere:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace plandeck
