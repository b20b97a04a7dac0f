#include "ClockChime.h"

void ClockChime::tick()
{
    const TimeOfDay t = Clock::current().now();
    if ((controls_.onTheHour() && t.minute == 0) || (controls_.onTheHalfHour() && t.minute == 30))
        announcer_.announce(1, t.hour, t.minute);
}
