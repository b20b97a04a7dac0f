#pragma once

#include "Exception.h"

#include <QObject>

#include <functional>

// Raised when the system has no timer left to give.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// The enabled flag is the whole state of a periodic timer: setting the value
// it already has changes nothing, false to true starts a fresh period.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;
};

// A periodic timer on the thread that owns it; ticks arrive as events.
// Precise, because a coarse timer may drift by up to 5% and give a one-minute
// chime two ticks in one minute, or none.
class Timer : public QObject, public ITimer {
    Q_OBJECT
public:
    explicit Timer(int intervalMs, QObject* parent = nullptr);
    ~Timer() override;

    bool enabled() const override { return enabled_; }
    // Throws EOutOfResources when no timer can be had; the flag is then set
    // all the same and no ticks come until it is switched off and on again.
    void setEnabled(bool on) override;
    int interval() const { return interval_; }
    void setInterval(int ms);

    std::function<void()> onTimer;

    // Test-only: every period is multiplied by this factor (soak tests).
    static void setTimeScale(double factor);
    static double timeScale();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void startTicking();
    void stopTicking();

    int interval_;
    int timerId_ = 0;
    bool enabled_ = false;
};
