// The voice path through SDL's disk driver: the silence the channel adds at
// each clip join of a time phrase, and how long a cutting play takes to
// silence the clip it cuts. Prints one line per figure.
#include "Capture.h"
#include "Phrases.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace std::chrono;

namespace {

double ms(long samples) { return 1000.0 * double(samples) / (2.0 * kCaptureRate); }

std::vector<double> joins()
{
    Capture capture;
    voice::speak(shippedClips(), voice::timePhrase(11, 0));
    const auto stream = capture.finish();
    const auto found = clipsInStream(stream, shippedClips());
    std::vector<double> gaps;
    for (std::size_t i = 0; i + 1 < found.size(); ++i) {
        const long length = long(convertedClip(shippedClips()[std::size_t(found[i].clip - 1)]).size());
        gaps.push_back(ms(found[i + 1].at - (found[i].at + length)));
    }
    if (found.size() != 8)
        std::fprintf(stderr, "expected 8 clips, found %zu\n", found.size());
    return gaps;
}

// The first loud sample of a clip, as converted.
long firstLoud(const std::vector<std::int16_t>& clip)
{
    long i = 0;
    while (i < long(clip.size()) && std::abs(clip[std::size_t(i)]) < 2000)
        ++i;
    return i & ~1L;
}

// With the device already running, A plays and B cuts in after `after`; the
// delay is how much longer A was heard than the time between the two calls
// (A's own start latency, under one buffer, counts against it).
double cutDelay(milliseconds after)
{
    Capture capture;
    PlayClip(shippedClips(), 1);
    steady_clock::time_point aStart, bStart;
    std::thread a([&] {
        aStart = steady_clock::now();
        PlayClip(shippedClips(), 15);
    });
    std::this_thread::sleep_for(after);
    bStart = steady_clock::now();
    PlayClip(shippedClips(), 5);
    a.join();
    const auto stream = capture.finish();
    const auto clipA = convertedClip(shippedClips()[14]);
    const long loud = firstLoud(clipA);
    const std::vector<std::int16_t> prefix(clipA.begin() + loud, clipA.begin() + loud + 2 * kCaptureRate / 50);
    const long atPrefix = findSamples(stream, prefix);
    const long atB = findSamples(stream, convertedClip(shippedClips()[4]));
    if (atPrefix < 0 || atB < 0)
        return -1;
    const double heard = ms(atB - (atPrefix - loud));
    return heard - double(duration_cast<microseconds>(bStart - aStart).count()) / 1000.0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto gaps = joins();
    std::printf("join silence added, SpeakTime(11, 0), ms:");
    for (double g : gaps)
        std::printf(" %.1f", g);
    std::printf("\n  max %.1f ms (target <= 10)\n", gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end()));

    std::vector<double> cuts;
    for (int i = 0; i < 7; ++i)
        cuts.push_back(cutDelay(milliseconds(150 + 20 * i)));
    std::printf("cut-off delay, ms:");
    for (double c : cuts)
        std::printf(" %.1f", c);
    std::printf("\n  median %.1f ms, max %.1f ms (target <= 15)\n", median(cuts), *std::max_element(cuts.begin(), cuts.end()));
    return 0;
}
