#pragma once

#include <QDateTime>

namespace plandeck {

// The one place the program asks for the current time. Tests set a fixed moment.
class Clock {
public:
    static QDateTime now();
    // A fixed "now" for tests and screenshots; an invalid value returns to the system clock.
    static void setFixed(const QDateTime& moment);

private:
    static QDateTime s_fixed;
};

} // namespace plandeck
