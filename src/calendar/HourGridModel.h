#pragma once

#include "calendar/HourGrid.h"
#include "calendar/NoteTile.h"
#include "calendar/WeekView.h"

#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// Everything the hour grid shows, in the grid's drawing units (twips) as the logic computes them.
struct HourGridModel {
    WeekView view;
    HourGridLayout layout;
    std::vector<std::string> dayHeaders; // "Monday, 7 Dec" for each shown column
    std::vector<SpanBand> spans;
    std::vector<NoteTile> tiles;
    std::vector<SubColumnCaption> captions;
    std::optional<float> timeLineY;
};

} // namespace plandeck
