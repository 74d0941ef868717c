#pragma once

#include "base/Date.h"

namespace plandeck {

// The moment that counts as today for the calendar marking and the today column. It is set when the view
// goes to today, from the clock the window asks, and stays until the next time.
struct TodayStamp {
    Date date;
    int hour = 0;
    int minute = 0;

    friend bool operator==(const TodayStamp&, const TodayStamp&) = default;
};

} // namespace plandeck
