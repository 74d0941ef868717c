#pragma once

#include "calendar/WeekView.h"
#include "editing/WizardForm.h"

namespace plandeck {

// The column and the times of a new note for a press on the empty grid at (x, y), in grid units. The start
// is the time under the point to the whole minute, snapped down to `snapMinutes` as a drop snaps, the end an
// hour later (a start of 23:00 or later ends at 23:59). A point above the first hour starts at 6:00; a point
// left of the columns falls in the first column, one right of them in the last.
GridPressTime NewNoteAt(const WeekView& view, double x, double y, int snapMinutes = 0);

} // namespace plandeck
