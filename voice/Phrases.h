#pragma once

#include "ClipTable.h"

#include <array>

namespace voice {

// A spoken phrase: the clip numbers in the order they are played.
struct Phrase {
    std::array<int, 8> clips{};
    int length = 0;

    const int* begin() const { return clips.data(); }
    const int* end() const { return clips.data() + length; }
    void add(int clip) { clips[static_cast<std::size_t>(length++)] = clip; }
};

// "现在时刻" + the hour on the 12-hour dial + "点" + "整" (minute 0) or "半".
Phrase timePhrase(int hour, int minute);
// The bare number; empty below 1.
Phrase secondsPhrase(int count);
// "还剩" + the number + "分钟"; empty below 1.
Phrase minutesPhrase(int count);

// Plays every clip of the phrase, one after another.
void speak(const ClipTable& table, const Phrase& phrase);

} // namespace voice
