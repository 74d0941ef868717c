#pragma once

#include "base/Date.h"
#include "calendar/TodayStamp.h"

#include <cstdint>

namespace plandeck {

// Days since 1 January 1970 in the proleptic Gregorian calendar (negative before it), and back. They turn
// spans of time that cross midnight or months into plain subtraction.
std::int64_t DayNumber(const Date& date);
Date DateOfDayNumber(std::int64_t days);

// Minutes since midnight of 1 January 1970, and back.
std::int64_t MinuteNumber(const TodayStamp& moment);
TodayStamp MomentOfMinuteNumber(std::int64_t minutes);

} // namespace plandeck
