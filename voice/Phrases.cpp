#include "Phrases.h"

namespace voice {
namespace {

constexpr int kTen = 10;
constexpr int kPreamble[] = {11, 12, kTen, 13};
constexpr int kHourWord = 14;
constexpr int kFullHour = 15;
constexpr int kHalfHour = 16;
constexpr int kMinutesOpen[] = {18, 19};
constexpr int kMinutesClose[] = {20, 21};

// Counts 1 to 10 are one clip each. Callers never pass more than ten; a larger
// number has no clip of its own and is left unsaid.
bool addNumber(Phrase& phrase, int count)
{
    if (count < 1 || count > kTen)
        return false;
    phrase.add(count);
    return true;
}

} // namespace

Phrase timePhrase(int hour, int minute)
{
    Phrase phrase;
    for (int clip : kPreamble)
        phrase.add(clip);
    int dial = ((hour % 12) + 12) % 12;
    if (dial == 0)
        dial = 12;
    if (dial <= kTen) {
        phrase.add(dial);
    } else {
        phrase.add(kTen);
        phrase.add(dial - kTen);
    }
    phrase.add(kHourWord);
    phrase.add(minute == 0 ? kFullHour : kHalfHour);
    return phrase;
}

Phrase secondsPhrase(int count)
{
    Phrase phrase;
    addNumber(phrase, count);
    return phrase;
}

Phrase minutesPhrase(int count)
{
    Phrase phrase;
    if (count < 1 || count > kTen)
        return phrase;
    for (int clip : kMinutesOpen)
        phrase.add(clip);
    addNumber(phrase, count);
    for (int clip : kMinutesClose)
        phrase.add(clip);
    return phrase;
}

void speak(const ClipTable& table, const Phrase& phrase)
{
    for (int clip : phrase)
        PlayClip(table, clip);
}

} // namespace voice
