#pragma once

#include "Announcer.h"
#include "Timer.h"

#include <QString>

#include <cstdint>

// The controls one countdown reads and writes.
class CountdownControls {
public:
    virtual ~CountdownControls() = default;
    virtual QString editText() const = 0;
    virtual void setDisplay(const QString& text) = 0;
    virtual bool fiveSelected() const = 0;
    virtual bool tenSelected() const = 0;
    virtual bool loopTicked() const = 0;
    virtual void setButtonCaption(const QString& caption) = 0;
};

// One countdown: a click starts or stops it, every tick shows the count, hands
// the last five or ten units to the announcer and counts down; with the loop
// box ticked it starts again from the edit's value.
class Countdown {
public:
    Countdown(std::int32_t& counter, CountdownControls& controls, ITimer& timer,
              Announcer& announcer, int mode)
        : counter_(counter), controls_(controls), timer_(timer), announcer_(announcer), mode_(mode) {}

    void click();
    void tick();

    static const QString& startCaption();
    static const QString& stopCaption();

private:
    std::int32_t& counter_;
    CountdownControls& controls_;
    ITimer& timer_;
    Announcer& announcer_;
    int mode_;
};
