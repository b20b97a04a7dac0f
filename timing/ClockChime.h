#pragma once

#include "Announcer.h"
#include "Clock.h"
#include "Timer.h"

// The chime's two check boxes, read at every tick.
class ChimeControls {
public:
    virtual ~ChimeControls() = default;
    virtual bool onTheHour() const = 0;
    virtual bool onTheHalfHour() const = 0;
};

// Speaks the time at minute 0 and, if chosen, at minute 30. The timer runs
// freely while either box is ticked; nothing remembers what was announced.
class ClockChime {
public:
    ClockChime(const ChimeControls& controls, ITimer& timer, Announcer& announcer)
        : controls_(controls), timer_(timer), announcer_(announcer) {}

    // The timer runs exactly while either box is ticked.
    void arm() { timer_.setEnabled(controls_.onTheHour() || controls_.onTheHalfHour()); }
    void tick();

private:
    const ChimeControls& controls_;
    ITimer& timer_;
    Announcer& announcer_;
};
