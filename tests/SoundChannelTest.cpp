#include "Capture.h"
#include "Phrases.h"
#include "SoundChannel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono;
using Clock = steady_clock;

namespace {

std::vector<int> clipOrder(const std::vector<Found>& found)
{
    std::vector<int> order;
    for (const auto& f : found)
        order.push_back(f.clip);
    return order;
}

// The first `ms` of a clip, as converted, from its first loud sample on.
std::vector<std::int16_t> opening(int clip, int ms)
{
    auto all = convertedClip(shippedClips()[std::size_t(clip - 1)]);
    std::size_t from = 0;
    while (from < all.size() && std::abs(all[from]) < 2000)
        ++from;
    from &= ~std::size_t(1);
    const std::size_t n = std::size_t(kCaptureRate * 2 * ms / 1000);
    return {all.begin() + long(from), all.begin() + long(std::min(all.size(), from + n))};
}

void playClip(int n) { PlayClip(shippedClips(), n); }

} // namespace

// Both formats back to back, in phrase order, with nothing between clips but
// the recordings' own silence and at most one device buffer.
TEST(SoundChannel, PhrasePlaysInOrderWithTightJoins)
{
    Capture capture;
    const voice::Phrase phrase = voice::timePhrase(11, 0);
    voice::speak(shippedClips(), phrase);
    const auto stream = capture.finish();

    const auto found = clipsInStream(stream, shippedClips());
    ASSERT_EQ(clipOrder(found), (std::vector<int>{11, 12, 10, 13, 10, 1, 14, 15}));
    for (std::size_t i = 0; i + 1 < found.size(); ++i) {
        const long end = found[i].at + long(convertedClip(shippedClips()[std::size_t(found[i].clip - 1)]).size());
        const double gapMs = 1000.0 * double(found[i + 1].at - end) / (2.0 * kCaptureRate);
        EXPECT_GE(gapMs, 0) << "join " << i;
        EXPECT_LT(gapMs, 50) << "join " << i;
    }
}

TEST(SoundChannel, PlayFromAnotherThreadCutsOffAndBothReturn)
{
    Capture capture;
    std::atomic<bool> firstReturned{false};
    Clock::time_point firstReturn, secondStart, secondReturn;
    std::thread first([&] {
        playClip(15);
        firstReturn = Clock::now();
        firstReturned = true;
    });
    std::this_thread::sleep_for(milliseconds(200));
    secondStart = Clock::now();
    playClip(5);
    secondReturn = Clock::now();
    first.join();
    const auto stream = capture.finish();

    EXPECT_TRUE(firstReturned);
    EXPECT_LT(firstReturn, secondReturn) << "the cut-off play returns before the new clip ends";
    EXPECT_LT(firstReturn - secondStart, milliseconds(100)) << "and it returns at once";

    const long cutAt = findSamples(stream, opening(15, 50));
    ASSERT_GE(cutAt, 0) << "the first clip began";
    EXPECT_LT(findSamples(stream, convertedClip(shippedClips()[14])), 0) << "but was not heard to its end";
    EXPECT_GT(findSamples(stream, convertedClip(shippedClips()[4]), cutAt), cutAt) << "the second is heard whole";
}

TEST(SoundChannel, NullImageStopsWhatIsSoundingAndReturnsAtOnce)
{
    Capture capture;
    std::thread speaker([] { playClip(15); });
    std::this_thread::sleep_for(milliseconds(150));
    ClipTable empty{};
    const auto start = Clock::now();
    PlayClip(empty, 3);
    EXPECT_LT(Clock::now() - start, milliseconds(50));
    speaker.join();
    const auto stream = capture.finish();
    EXPECT_GE(findSamples(stream, opening(15, 30)), 0);
    EXPECT_LT(findSamples(stream, convertedClip(shippedClips()[14])), 0);
}

TEST(SoundChannel, MissingClipIsSilentAtItsPlaceOnly)
{
    ClipTable table{};
    loadClips(table, WithoutClips({"WAV13"}));
    Capture capture;
    voice::speak(table, voice::timePhrase(13, 0));
    const auto stream = capture.finish();
    EXPECT_EQ(clipOrder(clipsInStream(stream, shippedClips())), (std::vector<int>{11, 12, 10, 1, 14, 15}));
}

TEST(SoundChannel, ShutdownEndsPlaysUnderWayAndSilencesLaterOnes)
{
    Capture capture;
    std::thread speaker([] { playClip(15); });
    std::this_thread::sleep_for(milliseconds(100));
    auto& channel = voice::SoundChannel::instance();
    channel.shutdown();
    speaker.join();
    const auto start = Clock::now();
    playClip(14);
    EXPECT_LT(Clock::now() - start, milliseconds(50));
    EXPECT_FALSE(channel.deviceOpen());
    channel.reopen();
}

TEST(SoundChannel, NoDeviceIsSilenceAndALaterPlayFindsOne)
{
    auto& channel = voice::SoundChannel::instance();
    channel.shutdown();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    channel.reopen();
    const auto start = Clock::now();
    playClip(1);
    EXPECT_LT(Clock::now() - start, milliseconds(200));
    EXPECT_FALSE(channel.deviceOpen());

    // A device turns up: speech returns once the retry interval has passed.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::this_thread::sleep_for(milliseconds(600));
    playClip(1);
    EXPECT_TRUE(channel.deviceOpen());
}

TEST(SoundChannel, ClosesTheDeviceWhenIdle)
{
    auto& channel = voice::SoundChannel::instance();
    channel.setIdleTimeout(milliseconds(100));
    playClip(2);
    EXPECT_TRUE(channel.deviceOpen());
    const auto deadline = Clock::now() + seconds(5);
    while (channel.deviceOpen() && Clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(20));
    EXPECT_FALSE(channel.deviceOpen());
    // And opens it again for the next clip.
    playClip(2);
    EXPECT_TRUE(channel.deviceOpen());
    channel.setIdleTimeout(seconds(4));
}
