#pragma once

#include "WorkerThread.h"

#include <atomic>

// What a worker speaks through: the main window's three phrases.
class PhraseSpeaker {
public:
    virtual ~PhraseSpeaker() = default;
    virtual void SpeakTime(int hour, int minute) const = 0;
    virtual void SpeakSeconds(int n) const = 0;
    virtual void SpeakMinutes(int n) const = 0;
};

// One announcement on a thread of its own. Creators construct it suspended,
// fill mode and its numbers, set FreeOnTerminate and Resume(); then forget it.
class TMyThread : public WorkerThread {
public:
    explicit TMyThread(bool CreateSuspended) : WorkerThread(CreateSuspended) {}

    int hour = 0;
    int minute = 0;
    int secLeft = 0;
    int minLeft = 0;
    int mode = 0; // 1 time of day, 2 seconds count, 3 minutes left; else silence

    // The main window, set once at start-up before any timer can tick.
    static std::atomic<const PhraseSpeaker*> speaker;

protected:
    void Execute() override;
};
