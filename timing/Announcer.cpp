#include "Announcer.h"

#include "TMyThread.h"

void WorkerAnnouncer::announce(int mode, int first, int second)
{
    auto* worker = new TMyThread(true);
    worker->mode = mode;
    if (mode == 1) {
        worker->hour = first;
        worker->minute = second;
    } else if (mode == 2) {
        worker->secLeft = first;
    } else if (mode == 3) {
        worker->minLeft = first;
    }
    worker->FreeOnTerminate = true;
    worker->Resume();
}
