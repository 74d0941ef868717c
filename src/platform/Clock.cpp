#include "platform/Clock.h"

namespace plandeck {

QDateTime Clock::s_fixed;

QDateTime Clock::now() {
    return s_fixed.isValid() ? s_fixed : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& moment) {
    s_fixed = moment;
}

} // namespace plandeck
