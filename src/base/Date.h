#pragma once

namespace plandeck {

// A calendar date as three numbers; today's date is always handed in, never read from a clock here.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

} // namespace plandeck
