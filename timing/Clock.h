#pragma once

struct TimeOfDay {
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
};

// The local time of day, replaceable in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay now() const;

    static const Clock& current();
    // nullptr puts the system clock back.
    static void setCurrent(const Clock* clock);
};
