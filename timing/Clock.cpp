#include "Clock.h"

#include <QTime>

#include <atomic>

namespace {
const Clock systemClock;
std::atomic<const Clock*> installed{&systemClock};
} // namespace

TimeOfDay Clock::now() const
{
    const QTime t = QTime::currentTime();
    return {t.hour(), t.minute()};
}

const Clock& Clock::current() { return *installed.load(); }

void Clock::setCurrent(const Clock* clock) { installed = clock != nullptr ? clock : &systemClock; }
