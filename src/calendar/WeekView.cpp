#include "calendar/WeekView.h"

#include <algorithm>

namespace plandeck {

WeekView WeekView::Compute(int pictureWidthPx, int pictureHeightPx, int days, int firstHour, int lastHour) {
    WeekView v;
    v.days = std::max(days, 1);
    v.firstHour = firstHour;
    v.lastHour = std::max(lastHour, firstHour + 1);
    v.vScale = pictureHeightPx / DesignHeight;
    v.hScale = pictureWidthPx / DesignWidth;
    v.gridLeft = static_cast<float>(v.hScale * 780);
    v.gridTop = static_cast<float>(v.vScale * 520);
    v.gridRight = static_cast<float>(v.hScale * 10380);
    v.gridBottom = static_cast<float>(v.vScale * 6200);
    v.columnWidth = static_cast<float>(v.hScale * 9600 / v.days);
    v.hourHeight = static_cast<float>(v.vScale * 5680 / (v.lastHour - v.firstHour));
    return v;
}

} // namespace plandeck
