// A simulated day on fast timers: the chime with both boxes ticked and both
// countdowns looping, all three at once through the real window, timers and
// worker threads. Every announcement must be exactly where it belongs, and no
// worker, thread or memory may be left over.
#include "Spies.h"
#include "TForm1.h"
#include "TimerApplication.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTest>

#include <map>

namespace {

class SimulatedClock : public Clock {
public:
    TimeOfDay now() const override { return {minutes / 60 % 24, minutes % 60}; }
    int minutes = 0;
};

long statusField(const char* field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

// Counts what the workers were asked to say, in order per kind.
class CountingSpeaker : public PhraseSpeaker {
public:
    void SpeakTime(int hour, int minute) const override { add(times, hour * 100 + minute); }
    void SpeakSeconds(int n) const override { add(seconds, n); }
    void SpeakMinutes(int n) const override { add(minutes, n); }
    std::vector<int> take(std::vector<int>& v) const
    {
        std::lock_guard lock(m);
        return v;
    }
    mutable std::vector<int> times, seconds, minutes;

private:
    void add(std::vector<int>& v, int n) const
    {
        std::lock_guard lock(m);
        v.push_back(n);
    }
    mutable std::mutex m;
};

struct DayTicks {
    int chimeTicks = 0, secondTicks = 0, minuteTicks = 0;
};

// One simulated day: 1440 chime ticks; the countdowns tick alongside.
DayTicks simulateDay(TForm1& window, SimulatedClock& clock)
{
    DayTicks run;
    QEventLoop loop;
    window.tmrHour.onTimer = [&] {
        ++clock.minutes;
        ++run.chimeTicks;
        window.tmrHourTimer();
        if (run.chimeTicks == 24 * 60) {
            // The day is over: everything stops on this tick.
            window.btnStart->click();
            window.btnMinStart->click();
            window.chkHour->click();
            window.chkHalf->click();
            loop.quit();
        }
    };
    window.tmrSec.onTimer = [&] {
        ++run.secondTicks;
        window.tmrSecTimer();
    };
    window.tmrMin.onTimer = [&] {
        ++run.minuteTicks;
        window.tmrMinTimer();
    };
    window.chkHalf->click();
    window.edtSec->setText("7");
    window.rbTen->setChecked(true);
    window.chkCircle->setChecked(true);
    window.btnStart->click();
    window.edtMin->setText("30");
    window.chkMinCircle->setChecked(true);
    window.btnMinStart->click();
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    loop.exec();
    return run;
}

} // namespace

TEST(Soak, ADayOfChimesAndLoopingCountdowns)
{
    SimulatedClock clock;
    Clock::setCurrent(&clock);
    CountingSpeaker speaker;
    TMyThread::speaker = &speaker;
    Timer::setTimeScale(0.00005); // a minute in 3 ms, a second in 1 ms

    auto day = [&] {
        TForm1 window;
        DayTicks run = simulateDay(window, clock);
        EXPECT_TRUE(WorkerThread::waitForAll(std::chrono::seconds(30)));
        EXPECT_EQ(WorkerThread::liveCount(), 0);
        return run;
    };
    day(); // warms up the allocator and Qt's caches
    speaker.times.clear();
    speaker.seconds.clear();
    speaker.minutes.clear();
    clock.minutes = 0;
    const long threadsBefore = statusField("Threads:");
    const long rssBefore = statusField("VmRSS:");
    const DayTicks run = day();

    EXPECT_EQ(run.chimeTicks, 1440);
    // Workers run on their own threads, so they may speak in any order: the
    // counts of each announcement are what must be exact.
    auto histogram = [](const std::vector<int>& said) {
        std::map<int, int> h;
        for (int n : said)
            ++h[n];
        return h;
    };
    auto times = speaker.take(speaker.times);
    std::sort(times.begin(), times.end());
    std::vector<int> everyHalfHour;
    for (int h = 0; h < 24; ++h)
        everyHalfHour.insert(everyHalfHour.end(), {h * 100, h * 100 + 30});
    EXPECT_EQ(times, everyHalfHour) << "every full and half hour exactly once";

    // Looping 7 with ten units: every tick speaks, 7 6 5 4 3 2 1 over and over.
    EXPECT_GT(run.secondTicks, 2000) << "thousands of announcements";
    std::map<int, int> expectedSeconds;
    for (int i = 0; i < run.secondTicks; ++i)
        ++expectedSeconds[7 - i % 7];
    EXPECT_EQ(histogram(speaker.take(speaker.seconds)), expectedSeconds);

    // Looping 30 with five units: 5 4 3 2 1 at the end of every 30 ticks.
    EXPECT_GE(run.minuteTicks, 1400);
    std::map<int, int> expectedMinutes;
    for (int i = 0; i < run.minuteTicks; ++i)
        if (30 - i % 30 <= 5)
            ++expectedMinutes[30 - i % 30];
    EXPECT_EQ(histogram(speaker.take(speaker.minutes)), expectedMinutes);

    EXPECT_EQ(WorkerThread::liveCount(), 0);
    for (int i = 0; i < 100 && statusField("Threads:") > threadsBefore; ++i)
        QTest::qWait(10);
    EXPECT_EQ(statusField("Threads:"), threadsBefore);
    EXPECT_LT(statusField("VmRSS:") - rssBefore, 4096) << "kB grown over a day";

    Timer::setTimeScale(1.0);
    TMyThread::speaker = nullptr;
    Clock::setCurrent(nullptr);
}
