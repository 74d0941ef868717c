#include "calendar/DayNumber.h"

namespace plandeck {

std::int64_t MinuteNumber(const TodayStamp& moment) {
    return DayNumber(moment.date) * 1440 + moment.hour * 60 + moment.minute;
}

TodayStamp MomentOfMinuteNumber(std::int64_t minutes) {
    std::int64_t days = minutes / 1440;
    std::int64_t rest = minutes % 1440;
    if (rest < 0) {
        rest += 1440;
        --days;
    }
    return {DateOfDayNumber(days), static_cast<int>(rest / 60), static_cast<int>(rest % 60)};
}

} // namespace plandeck
