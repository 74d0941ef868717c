#pragma once

#include "calendar/DayColumn.h"
#include "calendar/WeekView.h"
#include "notes/WeekRefresh.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plandeck {

// What a drop on the grid does with the note line it is given.
enum class DropMode {
    Move,    // the dragged note goes to the drop point, keeping its duration
    Copy,    // as Move, but the note stays where it was and a copy lands at the drop point
    Resize,  // the note's end moves to where its resize grip was let go
    NewNote, // a one-hour note of a category is made at the drop point
};

// A time of day as the note fields hold it.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

struct DropRequest {
    DropMode mode = DropMode::Move;
    // The drop point in grid coordinates (twips).
    float x = 0;
    float y = 0;
    int snapMinutes = 0; // 2 and more snap dropped times down to multiples of it; 0 and 1 do not

    // Move, copy and resize: the note's line as the tile was built from it, the column its tile stands
    // in, and how far below the top of the tile the mouse was pressed.
    std::string_view oldLine;
    int sourceColumn = 0;
    float grabY = 0;
    // Resize: where the end time goes (from ResizeEndTime).
    ClockTime resizeEnd;

    // New note: its category character and the height of the ghost that stood for it (twips); the drop
    // point is the ghost's centre.
    char categoryCode = 'd';
    float ghostHeight = 0;
};

struct DropResult {
    std::string line; // the note line to write
    int column = 0;   // the column it lands in
    // The drop point after the column snap and the clamp into the grid.
    float x = 0;
    float y = 0;
    ClockTime start;
    ClockTime end;
};

// Turns a drop into the note line to write: the column under the point gives the date, the height the
// start time (snapped down to snapMinutes), and the mode the end time. A move keeps the duration, a resize
// keeps the start, a new note lasts an hour. Ends past midnight stop at 23:59. A moved note keeps its
// "every year", "every month" and "every day" fields, and a weekly note dropped in the column it came from
// stays weekly. `columns` holds at least view.days entries.
DropResult DropNote(const DropRequest& request, const WeekView& view, std::span<const DayColumn> columns);

// Where a dropped note will show in the grid (twips), clipped to the shown hours: for the outline that
// follows a drag.
TileRect PlacedRect(const WeekView& view, const DropResult& drop);

// The column under a grid x; points left of the grid fall in the first column, right of it in the last.
int ColumnAt(const WeekView& view, float x);

// Snaps a minute down to the step when it lies strictly between two multiples of it; steps below 2 snap
// nothing.
int SnapDown(int minute, int step);

// The end time a resize grip gives when it is let go with its top at `gripTop` (grid twips). A grip
// below the grid ends the note at the last shown hour.
ClockTime ResizeEndTime(const WeekView& view, float gripTop);

// Where a resize grip is while it follows the pointer. It stops following when pulled below the grid or
// above its own tile, and is put back just inside.
struct GripPosition {
    float top = 0;
    bool following = true;
};
GripPosition FollowGrip(float pointerY, float grabY, float labelTop, float gridBottom);

// The controls a drag can be let go over.
enum class DropTarget {
    Grid,       // the grid picture
    Decoration, // the header picture and the strips along the window's edges
    TileLabel,  // a tile's text
    ResizeGrip, // a tile's resize grip
    Elsewhere,  // the window background and every other control
};

// The grid point a release over `target` drops at, or nothing for targets that do not take a drop. The
// point is given in the target's own coordinates, with the target's top-left corner in grid coordinates.
struct GridPoint {
    float x = 0;
    float y = 0;
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};
std::optional<GridPoint> DropPointOnTarget(DropTarget target, GridPoint pointInTarget, GridPoint targetOrigin);

} // namespace plandeck
