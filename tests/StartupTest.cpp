#include "Capture.h"
#include "ErrorReport.h"
#include "TForm1.h"
#include "TimerApplication.h"

#include <gtest/gtest.h>

#include <QTimer>

TEST(ErrorBox, FullStopRule)
{
    struct Row {
        const char* message;
        const char* shown;
    } rows[] = {
        {"", ""}, {"abc", "abc."}, {"Error 5", "Error 5."}, {"无效", "无效."}, {"done.", "done."},
        {"what?", "what?."}, {"(x)", "(x)"}, {"a-", "a-"}, {"a/", "a/."}, {"a,", "a,"}, {"a ", "a "},
        {"Z", "Z."}, {"a~", "a~."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(errorBoxText(QString::fromUtf8(row.message)), QString::fromUtf8(row.shown)) << row.message;
}

TEST(ErrorBox, ReportsWhileABoxIsOpenWaitAndAreShownOnceEach)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) {
        shown.push_back(text);
        if (shown.size() == 1) {
            reportError("first");  // the open box's own text: already seen
            reportError("second");
            reportError("second");
            reportError("third");
        }
    });
    reportError("first");
    setErrorPresenter(nullptr);
    EXPECT_EQ(shown, (std::vector<QString>{"first.", "second.", "third."}));
}

TEST(ErrorBox, ExceptionKinds)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) { shown.push_back(text); });
    QTimer::singleShot(0, [] { throw Exception("Tick failed"); });
    QTimer::singleShot(0, [] { throw EAbort(); });
    QTimer::singleShot(0, [] { throw std::runtime_error("not ours"); });
    QTimer::singleShot(0, [] { throw 42; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    setErrorPresenter(nullptr);
    EXPECT_EQ(shown, (std::vector<QString>{"Tick failed.", "", ""}));
}

TEST(Startup, IdentityOfTheApplication)
{
    EXPECT_EQ(TimerApplication::title(), "Vantoli语音定时器");
    EXPECT_EQ(QCoreApplication::organizationName(), "Vantoli工作室");
    EXPECT_EQ(QCoreApplication::applicationVersion(), "1.2.1129.2009");
    EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed());
}

// The layouts and the frame first, then the counters, then FormCreate, which
// loads the clips and arms the chime last.
TEST(Startup, ConstructionOrder)
{
    bool sawLayout = false, sawFrame = false, sawCounters = false, sawEmptyTable = false, sawChimeOff = false;
    TForm1::beforeFormCreate = [&](TForm1& w) {
        sawLayout = w.btnStart != nullptr && w.btnStart->text() == "启动" && w.pgc1 != nullptr;
        sawFrame = w.width() == 471 && w.height() == 321 && w.palette().color(QPalette::Window) == QColor(207, 207, 207);
        sawCounters = w.secCount == 0 && w.minCount == 0;
        sawEmptyTable = std::all_of(w.wavRes.begin(), w.wavRes.end(), [](const ClipImage& c) { return !c; });
        sawChimeOff = !w.tmrHour.enabled();
    };
    TForm1 window;
    TForm1::beforeFormCreate = nullptr;
    EXPECT_TRUE(sawLayout);
    EXPECT_TRUE(sawFrame);
    EXPECT_TRUE(sawCounters);
    EXPECT_TRUE(sawEmptyTable);
    EXPECT_TRUE(sawChimeOff);
    for (int n = 1; n <= kClipCount; ++n)
        EXPECT_TRUE(window.wavRes[std::size_t(n - 1)]) << "clip " << n << ", 17 included";
    EXPECT_TRUE(window.tmrHour.enabled());
    EXPECT_FALSE(window.tmrSec.enabled());
    EXPECT_FALSE(window.tmrMin.enabled());
    EXPECT_EQ(window.tmrHour.interval(), 60000);
    EXPECT_EQ(window.tmrSec.interval(), 1000);
    EXPECT_EQ(window.tmrMin.interval(), 60000);
}

TEST(Startup, MissingClipIsNoErrorAndTheWindowIsMade)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) { shown.push_back(text); });
    WithoutClips without({"WAV5"});
    TForm1::setClipResources(&without);
    {
        TForm1 window;
        EXPECT_FALSE(window.wavRes[4]);
        EXPECT_TRUE(window.wavRes[3]);
        EXPECT_TRUE(window.tmrHour.enabled());
    }
    TForm1::setClipResources(nullptr);
    setErrorPresenter(nullptr);
    EXPECT_TRUE(shown.empty());
}

namespace {
class Failing : public ResourceSet {
public:
    ClipImage find(const QString&, const QString& name) const override
    {
        if (name == "wav3")
            throw Exception("Resource WAV3 unreadable");
        return all.find("WAV", name);
    }
    EmbeddedResources all;
};
} // namespace

TEST(Startup, ErrorInFormCreateIsShownAndCreationCompletes)
{
    std::vector<QString> shown;
    setErrorPresenter([&](const QString& text) { shown.push_back(text); });
    Failing failing;
    TForm1::setClipResources(&failing);
    {
        TForm1 window;
        EXPECT_TRUE(window.wavRes[1]);
        EXPECT_FALSE(window.wavRes[3]) << "FormCreate does not resume after the failing statement";
        EXPECT_FALSE(window.tmrHour.enabled());
        EXPECT_EQ(window.btnStart->text(), "启动");
    }
    TForm1::setClipResources(nullptr);
    setErrorPresenter(nullptr);
    EXPECT_EQ(shown, std::vector<QString>{"Resource WAV3 unreadable."});
}
