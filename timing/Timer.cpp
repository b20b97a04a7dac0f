#include "Timer.h"

#include <QTimerEvent>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {
std::atomic<double> scale{1.0};
}

Timer::Timer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs) {}

Timer::~Timer() { stopTicking(); }

void Timer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (on)
        startTicking();
    else
        stopTicking();
}

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_) {
        stopTicking();
        startTicking();
    }
}

void Timer::setTimeScale(double factor) { scale = factor; }
double Timer::timeScale() { return scale; }

void Timer::startTicking()
{
    if (interval_ <= 0)
        return;
    const int period = std::max(1, static_cast<int>(std::lround(interval_ * scale.load())));
    timerId_ = startTimer(period, Qt::PreciseTimer);
    if (timerId_ == 0)
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

void Timer::stopTicking()
{
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
}

void Timer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_) {
        QObject::timerEvent(event);
        return;
    }
    if (onTimer)
        onTimer();
}
