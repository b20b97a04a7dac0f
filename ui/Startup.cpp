#include "Startup.h"

#include "ErrorReport.h"
#include "SoundChannel.h"
#include "TForm1.h"
#include "TimerApplication.h"
#include "WorkerThread.h"

TNeoForm* NeoForm = nullptr;

bool silenceWorkers()
{
    // Every clip under way returns at once, so the workers end within
    // milliseconds; the bound is for a worker stuck elsewhere.
    voice::SoundChannel::instance().shutdown();
    return WorkerThread::waitForAll(std::chrono::milliseconds(1000));
}

int runTimer(int argc, char** argv)
{
    TimerApplication app(argc, argv);
    try {
        Form1 = new TForm1;
        TNeoForm::setApplicationMainWindow(Form1);
        TMyThread::speaker = Form1;
        NeoForm = new TNeoForm;
        Form1->show();
        app.exec();
    } catch (...) {
        reportException(std::current_exception());
    }
    // Windows go only when no worker can reach them any more; otherwise they
    // are left to the end of the process.
    if (silenceWorkers()) {
        TMyThread::speaker = nullptr;
        TNeoForm::setApplicationMainWindow(nullptr);
        delete NeoForm;
        delete Form1;
        NeoForm = nullptr;
        Form1 = nullptr;
    }
    return 0;
}
