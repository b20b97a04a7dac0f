#include "Announcer.h"
#include "Capture.h"
#include "ErrorReport.h"
#include "Phrases.h"
#include "Spies.h"
#include "TMyThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <thread>

using namespace std::chrono;

namespace {

std::atomic<int> probesFreed{0};
std::atomic<bool> freedOnOwnThread{true};
std::atomic<bool> keptException{false};

// A worker that records how it ends.
class Probe : public TMyThread {
public:
    explicit Probe(bool throwInExecute = false) : TMyThread(true), throw_(throwInExecute) {}
    ~Probe() override
    {
        if (std::this_thread::get_id() == mainThread)
            freedOnOwnThread = false;
        if (FatalException())
            keptException = true;
        ++probesFreed;
    }
    static inline std::thread::id mainThread = std::this_thread::get_id();

protected:
    void Execute() override
    {
        TMyThread::Execute();
        if (throw_)
            throw Exception("lost with the worker");
    }

private:
    bool throw_;
};

int processThreads()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    }
    return -1;
}

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
        TMyThread::speaker = &spy;
        probesFreed = 0;
        freedOnOwnThread = true;
        keptException = false;
    }
    void TearDown() override
    {
        EXPECT_TRUE(WorkerThread::waitForAll(seconds(10)));
        TMyThread::speaker = nullptr;
    }
    void start(Probe* w)
    {
        w->FreeOnTerminate = true;
        w->Resume();
    }
    SpySpeaker spy;
};

} // namespace

TEST_F(WorkerTest, FieldsStartAtZero)
{
    auto* w = new Probe;
    EXPECT_EQ(w->hour, 0);
    EXPECT_EQ(w->minute, 0);
    EXPECT_EQ(w->secLeft, 0);
    EXPECT_EQ(w->minLeft, 0);
    EXPECT_EQ(w->mode, 0);
    start(w);
}

TEST_F(WorkerTest, EachModeTakesExactlyItsBranchAndTheWorkerFreesItself)
{
    struct Row {
        int mode;
        const char* expected; // nullptr: silence
    } rows[] = {{0, nullptr}, {1, "time 14:30"}, {2, "seconds 4"}, {3, "minutes 7"}, {4, nullptr}, {-1, nullptr}};
    for (const Row& row : rows) {
        auto* w = new Probe;
        w->mode = row.mode;
        w->hour = 14;
        w->minute = 30;
        w->secLeft = 4;
        w->minLeft = 7;
        start(w);
    }
    ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
    auto calls = spy.calls();
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"minutes 7", "seconds 4", "time 14:30"}));
    EXPECT_EQ(probesFreed, 6);
    EXPECT_TRUE(freedOnOwnThread);
}

TEST_F(WorkerTest, ExceptionInExecuteIsKeptAndDestroyedSilently)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) { shown.push_back(text); });
    start(new Probe(true));
    ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
    QCoreApplication::processEvents();
    EXPECT_EQ(probesFreed, 1);
    EXPECT_TRUE(keptException);
    EXPECT_TRUE(shown.empty());
    setErrorPresenter(nullptr);
}

TEST_F(WorkerTest, DestroyingAnUnstartedWorkerEndsItsThread)
{
    delete new Probe;
    EXPECT_TRUE(WorkerThread::waitForAll(seconds(5)));
}

TEST_F(WorkerTest, ThousandShortWorkersLeaveNoThreadBehind)
{
    // One worker first: a sanitizer starts a helper thread of its own at the
    // first thread creation.
    start(new Probe);
    ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
    probesFreed = 0;
    // Its thread may still be leaving the kernel's count.
    std::this_thread::sleep_for(milliseconds(50));
    const int baseline = processThreads();
    for (int i = 0; i < 1000; ++i) {
        auto* w = new Probe;
        w->mode = i % 5;
        start(w);
    }
    ASSERT_TRUE(WorkerThread::waitForAll(seconds(20)));
    EXPECT_EQ(probesFreed, 1000);
    // The last threads may need a moment to leave the kernel's count.
    for (int i = 0; i < 100 && processThreads() > baseline; ++i)
        std::this_thread::sleep_for(milliseconds(10));
    EXPECT_LE(processThreads(), baseline);
}

TEST_F(WorkerTest, ThreadCreationFailureIsReportedFromTheTick)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) { shown.push_back(text); });
    WorkerThread::failNextCreation(EAGAIN);
    WorkerAnnouncer announcer;
    QTimer::singleShot(0, [&] { announcer.announce(2, 3); });
    QCoreApplication::processEvents();
    setErrorPresenter(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].startsWith("Thread creation error: ")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith(".")) << shown[0].toStdString();
    EXPECT_EQ(WorkerThread::liveCount(), 0);

    // The next tick gets its worker.
    announcer.announce(2, 3);
    ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
    EXPECT_EQ(spy.calls(), std::vector<std::string>{"seconds 3"});
}

// Real speech: counts below one say nothing; two phrases at once cut into
// each other and both workers still end.
TEST_F(WorkerTest, SpeakingWorkersOnTheRealChannel)
{
    ClipSpeaker speaker;
    TMyThread::speaker = &speaker;
    {
        Capture capture;
        for (int count : {0, -1}) {
            auto* w = new Probe;
            w->mode = 2;
            w->secLeft = count;
            start(w);
            auto* m = new Probe;
            m->mode = 3;
            m->minLeft = count;
            start(m);
        }
        ASSERT_TRUE(WorkerThread::waitForAll(seconds(5)));
        EXPECT_TRUE(clipsInStream(capture.finish(), shippedClips()).empty());
    }
    {
        Capture capture;
        const auto started = steady_clock::now();
        auto* a = new Probe;
        a->mode = 3;
        a->minLeft = 5;
        start(a);
        std::this_thread::sleep_for(milliseconds(150));
        auto* b = new Probe;
        b->mode = 3;
        b->minLeft = 4;
        start(b);
        ASSERT_TRUE(WorkerThread::waitForAll(seconds(10)));
        const auto took = steady_clock::now() - started;
        const auto found = clipsInStream(capture.finish(), shippedClips());
        // Ten clips in all, but cut: fewer are heard whole, and the two
        // phrases did not wait for each other.
        EXPECT_LT(found.size(), 10u);
        EXPECT_LT(took, seconds(4));
        EXPECT_EQ(probesFreed, 6);
    }
}
