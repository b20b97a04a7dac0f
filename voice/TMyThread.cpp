#include "TMyThread.h"

std::atomic<const PhraseSpeaker*> TMyThread::speaker{nullptr};

void TMyThread::Execute()
{
    const PhraseSpeaker* target = speaker.load();
    if (target == nullptr)
        return;
    if (mode == 1)
        target->SpeakTime(hour, minute);
    else if (mode == 2)
        target->SpeakSeconds(secLeft);
    else if (mode == 3)
        target->SpeakMinutes(minLeft);
}
