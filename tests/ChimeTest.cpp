#include "ClockChime.h"
#include "Spies.h"

#include <gtest/gtest.h>

namespace {

class FakeClock : public Clock {
public:
    TimeOfDay now() const override { return t; }
    TimeOfDay t;
};

class Boxes : public ChimeControls {
public:
    bool onTheHour() const override { return hour; }
    bool onTheHalfHour() const override { return half; }
    bool hour = true;
    bool half = false;
};

class ChimeTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::setCurrent(&clock); }
    void TearDown() override { Clock::setCurrent(nullptr); }

    // One tick per minute through a whole day, at `second` past each minute.
    void runDay()
    {
        for (int m = 0; m < 24 * 60; ++m) {
            clock.t = {m / 60, m % 60};
            if (timer.enabled())
                chime.tick();
        }
    }

    FakeClock clock;
    Boxes boxes;
    FakeTimer timer;
    SpyAnnouncer spy;
    ClockChime chime{boxes, timer, spy};
};

} // namespace

TEST_F(ChimeTest, OptionsOverADay)
{
    struct Row {
        bool hour, half;
        std::size_t announcements;
        bool running;
    } rows[] = {{true, false, 24, true}, {true, true, 48, true}, {false, true, 24, true}, {false, false, 0, false}};
    for (const Row& row : rows) {
        spy.said.clear();
        boxes.hour = row.hour;
        boxes.half = row.half;
        chime.arm();
        runDay();
        EXPECT_EQ(spy.said.size(), row.announcements) << row.hour << row.half;
        EXPECT_EQ(timer.enabled(), row.running) << row.hour << row.half;
    }
}

TEST_F(ChimeTest, DefaultsSpeakEveryFullHourOnly)
{
    chime.arm();
    runDay();
    ASSERT_EQ(spy.said.size(), 24u);
    EXPECT_EQ(spy.said.front(), "time 0:0") << "midnight is hour 0, minute 0";
    EXPECT_EQ(spy.said[14], "time 14:0");
    EXPECT_EQ(spy.said.back(), "time 23:0");
}

TEST_F(ChimeTest, HalfHourSpeaksMinuteThirty)
{
    boxes.half = true;
    chime.arm();
    clock.t = {14, 30};
    chime.tick();
    EXPECT_EQ(spy.said, std::vector<std::string>{"time 14:30"});
}

TEST_F(ChimeTest, BoxesAreReadAtTheTick)
{
    chime.arm();
    clock.t = {10, 0};
    boxes.hour = false; // unticked after 10:00:00, before that minute's tick
    chime.arm();
    boxes.half = true;
    chime.arm();
    chime.tick();
    EXPECT_TRUE(spy.said.empty());
}

TEST_F(ChimeTest, ChangingOneBoxWhileTheOtherStaysTickedKeepsThePeriod)
{
    chime.arm();
    EXPECT_EQ(timer.periodStarts, 1);
    boxes.half = true;
    chime.arm();
    boxes.half = false;
    chime.arm();
    EXPECT_EQ(timer.periodStarts, 1);
    boxes.hour = false;
    chime.arm();
    EXPECT_FALSE(timer.enabled());
    boxes.half = true;
    chime.arm();
    EXPECT_EQ(timer.periodStarts, 2) << "ticking a box while off starts afresh";
}
