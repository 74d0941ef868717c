#include "editing/NewNoteAt.h"

#include "editing/DropNote.h"

#include <cmath>

namespace plandeck {

GridPressTime NewNoteAt(const WeekView& view, double x, double y, int snapMinutes) {
    GridPressTime time;
    int hour = 6;
    double minute = 0;
    // Row tops and the grid's edges are compared in whole units, the way the grid draws them.
    const double bottom = std::nearbyint(view.gridBottom);
    for (int k = 0;; ++k) {
        const double top = std::nearbyint(view.gridTop + static_cast<double>(k) * view.hourHeight);
        if (top > bottom || view.hourHeight <= 0)
            break;
        if (y > top) {
            hour = view.firstHour + k;
            minute = (y - top) * 60 / view.hourHeight;
        }
    }
    // Rounded here, so that the note line always gets two whole-number minute digits.
    int wholeMinute = static_cast<int>(std::nearbyint(minute));
    if (hour == 23) {
        wholeMinute = 0;
    } else if (hour >= 24) {
        hour = 23;
        wholeMinute = 0;
    }
    if (wholeMinute >= 60) {
        ++hour;
        wholeMinute = 0;
    }
    wholeMinute = SnapDown(wholeMinute, snapMinutes);
    time.startHour = hour;
    time.startMinute = wholeMinute;
    if (hour >= 23) {
        time.endHour = 23;
        time.endMinute = 59;
    } else {
        time.endHour = hour + 1;
        time.endMinute = wholeMinute;
    }

    const int days = view.days < 1 ? 1 : view.days;
    time.column = days - 1;
    for (int i = 0; i <= days; ++i) {
        if (view.columnLeft(i) >= x) {
            time.column = i > 0 ? i - 1 : 0;
            break;
        }
    }
    return time;
}

} // namespace plandeck
