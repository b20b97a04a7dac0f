#pragma once

// Hands one announcement to a worker and returns at once.
class Announcer {
public:
    virtual ~Announcer() = default;
    // mode 1: first = hour, second = minute; mode 2 and 3: first = the count.
    virtual void announce(int mode, int first, int second = 0) = 0;
};

// The real one: one self-freeing worker thread per announcement.
class WorkerAnnouncer : public Announcer {
public:
    void announce(int mode, int first, int second = 0) override;
};
