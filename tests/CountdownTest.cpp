#include "Countdown.h"
#include "ErrorReport.h"
#include "IntConvert.h"
#include "Spies.h"
#include "TForm1.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>

namespace {

class FakeControls : public CountdownControls {
public:
    QString editText() const override { return edit; }
    void setDisplay(const QString& text) override { display = text.toStdString(); }
    bool fiveSelected() const override { return five; }
    bool tenSelected() const override { return !five; }
    bool loopTicked() const override { return loop; }
    void setButtonCaption(const QString& c) override { caption = c.toStdString(); }

    QString edit = "40";
    std::string display = "20:00";
    bool five = true;
    bool loop = false;
    std::string caption = "启动";
};

// What one tick showed and handed over ("" when nothing was announced).
struct Tick {
    std::string display;
    std::string said;
    bool operator==(const Tick&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tick& t) { return os << "{" << t.display << ", " << t.said << "}"; }

class CountdownTest : public ::testing::Test {
protected:
    std::vector<Tick> ticks(int n)
    {
        std::vector<Tick> out;
        for (int i = 0; i < n; ++i)
            out.push_back(tick());
        return out;
    }
    Tick tick()
    {
        const std::size_t before = spy.said.size();
        engine.tick();
        return {controls.display, spy.said.size() > before ? spy.said.back() : ""};
    }
    // The ticks of a running countdown until it stops (at most `limit`).
    std::vector<Tick> untilStopped(int limit = 100)
    {
        std::vector<Tick> out;
        while (timer.enabled() && int(out.size()) < limit)
            out.push_back(tick());
        return out;
    }

    std::int32_t counter = 0;
    FakeControls controls;
    FakeTimer timer;
    SpyAnnouncer spy;
    Countdown engine{counter, controls, timer, spy, 2};
};

Tick t(const char* display, const char* said = "") { return {display, said}; }

} // namespace

TEST_F(CountdownTest, FortySecondsWithTheLastFiveSpoken)
{
    engine.click();
    EXPECT_EQ(controls.display, "0:40");
    EXPECT_EQ(controls.caption, "停止");
    EXPECT_TRUE(timer.enabled());
    const auto run = untilStopped();
    ASSERT_EQ(run.size(), 41u);
    for (int k = 1; k <= 35; ++k)
        EXPECT_EQ(run[std::size_t(k - 1)], t(("0:" + std::to_string(41 - k)).c_str())) << "tick " << k;
    EXPECT_EQ(std::vector<Tick>(run.begin() + 35, run.end()),
              (std::vector<Tick>{t("0:5", "seconds 5"), t("0:4", "seconds 4"), t("0:3", "seconds 3"),
                                 t("0:2", "seconds 2"), t("0:1", "seconds 1"), t("0:0", "seconds 0")}));
    EXPECT_EQ(controls.caption, "启动");
    EXPECT_EQ(counter, -1);
}

TEST_F(CountdownTest, ThirtyMinutes)
{
    std::int32_t minutes = 0;
    Countdown minuteEngine(minutes, controls, timer, spy, 3);
    controls.edit = "30";
    minuteEngine.click();
    EXPECT_EQ(controls.display, "0:30");
    std::vector<Tick> run;
    while (timer.enabled()) {
        const std::size_t before = spy.said.size();
        minuteEngine.tick();
        run.push_back({controls.display, spy.said.size() > before ? spy.said.back() : ""});
    }
    ASSERT_EQ(run.size(), 31u);
    EXPECT_EQ(run[25], t("0:5", "minutes 5"));
    EXPECT_EQ(run[24], t("0:6"));
    EXPECT_EQ(run[29], t("0:1", "minutes 1"));
    EXPECT_EQ(run[30], t("0:0", "minutes 0"));
}

TEST_F(CountdownTest, LoopRestartsFromTheEdit)
{
    controls.loop = true;
    engine.click();
    const auto run = ticks(42);
    EXPECT_EQ(run[39], t("0:1", "seconds 1"));
    EXPECT_EQ(run[40], t("0:40")) << "reloaded without speech, never 0:0";
    EXPECT_EQ(run[41], t("0:39"));
    EXPECT_TRUE(timer.enabled());
}

TEST_F(CountdownTest, ThreeLooping)
{
    controls.edit = "3";
    controls.loop = true;
    engine.click();
    EXPECT_EQ(ticks(7), (std::vector<Tick>{t("0:3", "seconds 3"), t("0:2", "seconds 2"), t("0:1", "seconds 1"),
                                           t("0:3", "seconds 3"), t("0:2", "seconds 2"), t("0:1", "seconds 1"),
                                           t("0:3", "seconds 3")}));
}

TEST_F(CountdownTest, ZeroAndNegativeStarts)
{
    struct Row {
        const char* edit;
        bool loop;
        const char* shown;
    } rows[] = {{"0", false, "0:0"}, {"0", true, "0:0"}, {"-5", false, "0:-5"}, {"-5", true, "0:-5"}};
    for (const Row& row : rows) {
        std::int32_t c = 0;
        FakeControls ctl;
        FakeTimer tm;
        SpyAnnouncer sp;
        Countdown cd(c, ctl, tm, sp, 2);
        ctl.edit = row.edit;
        ctl.loop = row.loop;
        cd.click();
        EXPECT_EQ(ctl.display, row.shown) << row.edit;
        for (int i = 0; i < 3 && tm.enabled(); ++i)
            cd.tick();
        EXPECT_EQ(ctl.display, row.shown) << row.edit << row.loop;
        EXPECT_EQ(tm.enabled(), row.loop) << row.edit << row.loop;
        // Whatever was handed over is below one, which says nothing.
        for (const auto& s : sp.said)
            EXPECT_TRUE(s == "seconds 0" || s == "seconds -5") << s;
    }
}

TEST_F(CountdownTest, SevenWithFiveOrTenUnits)
{
    for (bool five : {true, false}) {
        std::int32_t c = 0;
        FakeControls ctl;
        FakeTimer tm;
        SpyAnnouncer sp;
        Countdown cd(c, ctl, tm, sp, 2);
        ctl.edit = "7";
        ctl.five = five;
        cd.click();
        while (tm.enabled())
            cd.tick();
        std::vector<std::string> expected;
        for (int n = five ? 5 : 7; n >= 0; --n)
            expected.push_back("seconds " + std::to_string(n));
        EXPECT_EQ(sp.said, expected) << five;
    }
}

TEST_F(CountdownTest, TwelveWithTenFirstSpeaksTenOnTheThirdTick)
{
    controls.edit = "12";
    controls.five = false;
    engine.click();
    EXPECT_EQ(ticks(3), (std::vector<Tick>{t("0:12"), t("0:11"), t("0:10", "seconds 10")}));
}

TEST_F(CountdownTest, SwitchingTheThresholdMidRun)
{
    controls.edit = "11";
    engine.click();
    ticks(2);
    EXPECT_EQ(tick(), t("0:9"));
    controls.five = false;
    EXPECT_EQ(tick(), t("0:8", "seconds 8"));
}

TEST_F(CountdownTest, EditingWhileRunningWaitsForTheNextReload)
{
    controls.edit = "3";
    controls.loop = true;
    engine.click();
    EXPECT_EQ(tick(), t("0:3", "seconds 3"));
    controls.edit = "2";
    EXPECT_EQ(ticks(3), (std::vector<Tick>{t("0:2", "seconds 2"), t("0:1", "seconds 1"), t("0:2", "seconds 2")}));
}

TEST_F(CountdownTest, TickingTheLoopBoxInTheLastUnitsRestarts)
{
    controls.edit = "3";
    engine.click();
    ticks(2);
    controls.loop = true;
    EXPECT_EQ(ticks(2), (std::vector<Tick>{t("0:1", "seconds 1"), t("0:3", "seconds 3")}));
    EXPECT_TRUE(timer.enabled());
}

TEST_F(CountdownTest, ClickWhileRunningStopsAndShowsTheEdit)
{
    engine.click();
    ticks(10);
    EXPECT_EQ(controls.display, "0:31");
    engine.click();
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(controls.caption, "启动");
    EXPECT_EQ(controls.display, "0:40");
    engine.click();
    EXPECT_EQ(tick(), t("0:40"));
}

TEST_F(CountdownTest, BadTextOnAClickChangesNothing)
{
    engine.click();
    ticks(3);
    for (const char* bad : {"abc", ""}) {
        controls.edit = bad;
        try {
            engine.click();
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
        }
        EXPECT_EQ(counter, 37);
        EXPECT_EQ(controls.display, "0:38");
        EXPECT_TRUE(timer.enabled()) << "a running countdown cannot be stopped with a bad text";
        EXPECT_EQ(controls.caption, "停止");
    }
}

TEST_F(CountdownTest, BadTextOnALoopRestartFailsEveryTickWithoutLosingTheCount)
{
    controls.edit = "1";
    controls.loop = true;
    engine.click();
    EXPECT_EQ(tick(), t("0:1", "seconds 1"));
    controls.edit = "x";
    for (int i = 0; i < 3; ++i) {
        EXPECT_THROW(engine.tick(), EConvertError);
        EXPECT_EQ(counter, 0);
        EXPECT_EQ(controls.display, "0:1");
        EXPECT_TRUE(timer.enabled());
    }
    EXPECT_EQ(spy.said.size(), 1u);
    controls.edit = "2";
    EXPECT_EQ(tick(), t("0:2", "seconds 2"));
}

TEST_F(CountdownTest, LowestCountDoesNotWrapAround)
{
    controls.edit = "-2147483648";
    controls.loop = true;
    engine.click();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tick(), t("-35791394:-8", "seconds -2147483648"));
}

// The real window: typing, clicking, and ticks arriving from its timer.
TEST(CountdownWindow, TypedCountRunsDownAndStops)
{
    SpyAnnouncer spy;
    TForm1::setAnnouncer(&spy);
    Timer::setTimeScale(0.02);
    {
        TForm1 window;
        window.show();
        window.edtSec->clear();
        QTest::keyClicks(window.edtSec, "3");
        QTest::mouseClick(window.btnStart, Qt::LeftButton);
        EXPECT_EQ(window.lblTick->text(), "0:3");
        EXPECT_EQ(window.btnStart->text(), "停止");
        EXPECT_EQ(window.lblMinTick->text(), "10:00") << "the other countdown is untouched";
        QElapsedTimer clock;
        clock.start();
        while (window.btnStart->text() == "停止" && clock.elapsed() < 5000)
            QTest::qWait(5);
        EXPECT_EQ(window.btnStart->text(), "启动");
        EXPECT_EQ(window.lblTick->text(), "0:0");
        EXPECT_EQ(spy.said, (std::vector<std::string>{"seconds 3", "seconds 2", "seconds 1", "seconds 0"}));

        // A bad text is reported through the error box and changes nothing.
        std::vector<QString> shown;
        setErrorPresenter([&](const QString& text) { shown.push_back(text); });
        window.edtSec->setText("abc");
        QTest::mouseClick(window.btnStart, Qt::LeftButton);
        setErrorPresenter(nullptr);
        EXPECT_EQ(shown, std::vector<QString>{"'abc' is not a valid integer value."});
        EXPECT_EQ(window.lblTick->text(), "0:0");
        EXPECT_EQ(window.btnStart->text(), "启动");
    }
    Timer::setTimeScale(1.0);
    TForm1::setAnnouncer(nullptr);
}

// While an error box is open the loop goes on: a failing loop restart reports
// once per tick, but no second box opens over the first, and the other
// countdown keeps counting.
TEST(CountdownWindow, FailingLoopRestartWhileABoxIsOpen)
{
    SpyAnnouncer spy;
    TForm1::setAnnouncer(&spy);
    Timer::setTimeScale(0.002);
    {
        TForm1 window;
        window.show();
        window.edtSec->setText("1");
        window.chkCircle->setChecked(true);
        QTest::mouseClick(window.btnStart, Qt::LeftButton);
        window.edtMin->setText("10");
        QTest::mouseClick(window.btnMinStart, Qt::LeftButton);
        window.edtSec->setText("bad");

        std::vector<QString> shown;
        int minTicksWhileOpen = 0;
        setErrorPresenter([&](const QString& text) {
            shown.push_back(text);
            if (shown.size() == 1) {
                // The box stays open for many seconds' ticks.
                const QString before = window.lblMinTick->text();
                QTest::qWait(300);
                minTicksWhileOpen = before != window.lblMinTick->text();
                window.edtSec->setText("1"); // the user mends the text
            }
        });
        QElapsedTimer clock;
        clock.start();
        while (shown.empty() && clock.elapsed() < 3000)
            QTest::qWait(5);
        QTest::qWait(10);
        setErrorPresenter(nullptr);
        EXPECT_EQ(shown.front(), "'bad' is not a valid integer value.");
        EXPECT_EQ(shown.size(), 1u) << "repeats while the box was open are not queued";
        EXPECT_TRUE(minTicksWhileOpen);
        EXPECT_EQ(window.btnStart->text(), "停止") << "the failing countdown keeps running";
        EXPECT_EQ(window.lblTick->text(), "0:1");
    }
    Timer::setTimeScale(1.0);
    TForm1::setAnnouncer(nullptr);
}
