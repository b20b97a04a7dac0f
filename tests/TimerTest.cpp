#include "Timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace {

// Runs the event loop for `ms`, returning the times (since the start) at
// which `timer` ticked; `during` runs once at `atMs`.
std::vector<qint64> ticksOver(Timer& timer, int ms, int atMs = -1, std::function<void()> during = {})
{
    std::vector<qint64> ticks;
    QElapsedTimer clock;
    clock.start();
    timer.onTimer = [&] { ticks.push_back(clock.elapsed()); };
    if (during)
        QTimer::singleShot(atMs, during);
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    timer.onTimer = nullptr;
    return ticks;
}

} // namespace

TEST(Timer, EnablingWhatIsEnabledKeepsThePeriod)
{
    Timer timer(300);
    timer.setEnabled(true);
    const auto ticks = ticksOver(timer, 450, 150, [&] { timer.setEnabled(true); });
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_LT(ticks[0], 400) << "the first tick came a full period after the start, not the repeat";
}

TEST(Timer, ReEnablingStartsAFreshPeriod)
{
    Timer timer(300);
    timer.setEnabled(true);
    const auto ticks = ticksOver(timer, 600, 150, [&] {
        timer.setEnabled(false);
        timer.setEnabled(true);
    });
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_GE(ticks[0], 440);
}

TEST(Timer, DisabledGivesNoTicksAndEnabledKeepsTicking)
{
    Timer timer(50);
    EXPECT_TRUE(ticksOver(timer, 200).empty());
    timer.setEnabled(true);
    EXPECT_GE(ticksOver(timer, 330).size(), 5u);
    timer.setEnabled(false);
    EXPECT_TRUE(ticksOver(timer, 200).empty());
}

TEST(Timer, TestScaleShortensThePeriod)
{
    Timer::setTimeScale(0.001);
    Timer timer(60000);
    timer.setEnabled(true);
    EXPECT_GE(ticksOver(timer, 300).size(), 3u);
    Timer::setTimeScale(1.0);
}

TEST(Timer, NoTimerToBeHadRaisesAndCountsAsOn)
{
    // A thread without an event loop has no timers to give.
    std::string message;
    bool flag = false;
    std::thread([&] {
        Timer timer(1000);
        try {
            timer.setEnabled(true);
        } catch (const EOutOfResources& e) {
            message = e.message().toStdString();
        }
        flag = timer.enabled();
    }).join();
    EXPECT_EQ(message, "Not enough timers available");
    EXPECT_TRUE(flag);
}
