#include "SoundChannel.h"
#include "Spies.h"
#include "Startup.h"
#include "TForm1.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QUrl>

#include <thread>

namespace {

// Takes the maker's page instead of a browser.
class UrlSink : public QObject {
    Q_OBJECT
public:
    int opened = 0;
public slots:
    void open(const QUrl&) { ++opened; }
};

} // namespace

// The window goes only after the speaking workers have ended, so no worker
// reads the window or its clips after they are gone.
TEST(Shutdown, ClosingWhileEightWorkersSpeak)
{
    UrlSink sink;
    QDesktopServices::setUrlHandler("http", &sink, "open");
    auto& channel = voice::SoundChannel::instance();
    for (int round = 0; round < 200; ++round) {
        channel.reopen();
        auto* window = new TForm1;
        Form1 = window;
        TMyThread::speaker = window;
        for (int i = 0; i < 8; ++i) {
            auto* w = new TMyThread(true);
            w->mode = 1 + i % 3;
            w->hour = i;
            w->secLeft = 1 + i;
            w->minLeft = 1 + i;
            w->FreeOnTerminate = true;
            w->Resume();
        }
        if (round % 50 == 0) // now and then, let them get into their phrases
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        window->close();
        ASSERT_TRUE(silenceWorkers()) << "round " << round;
        EXPECT_EQ(WorkerThread::liveCount(), 0);
        TMyThread::speaker = nullptr;
        Form1 = nullptr;
        delete window;
    }
    channel.reopen();
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(sink.opened, 200) << "every close opens the maker's page once";
}

#include "ShutdownTest.moc"
