#pragma once

#include "Announcer.h"
#include "TMyThread.h"
#include "Timer.h"

#include <mutex>
#include <string>
#include <vector>

// Announcements as they were handed over: "time 14:30", "seconds 5", ...
class SpyAnnouncer : public Announcer {
public:
    void announce(int mode, int first, int second) override
    {
        if (mode == 1)
            said.push_back("time " + std::to_string(first) + ":" + std::to_string(second));
        else
            said.push_back((mode == 2 ? "seconds " : "minutes ") + std::to_string(first));
    }
    std::vector<std::string> said;
};

// Phrases as a worker asked for them, from any thread.
class SpySpeaker : public PhraseSpeaker {
public:
    void SpeakTime(int hour, int minute) const override { add("time " + std::to_string(hour) + ":" + std::to_string(minute)); }
    void SpeakSeconds(int n) const override { add("seconds " + std::to_string(n)); }
    void SpeakMinutes(int n) const override { add("minutes " + std::to_string(n)); }
    std::vector<std::string> calls() const
    {
        std::lock_guard lock(m_);
        return calls_;
    }

private:
    void add(std::string s) const
    {
        std::lock_guard lock(m_);
        calls_.push_back(std::move(s));
    }
    mutable std::mutex m_;
    mutable std::vector<std::string> calls_;
};

// A timer that only keeps its flag and counts fresh periods.
class FakeTimer : public ITimer {
public:
    bool enabled() const override { return on; }
    void setEnabled(bool value) override
    {
        if (value && !on)
            ++periodStarts;
        on = value;
    }
    bool on = false;
    int periodStarts = 0;
};
