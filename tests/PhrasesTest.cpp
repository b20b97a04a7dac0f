#include "Phrases.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> clips(const voice::Phrase& p) { return {p.begin(), p.end()}; }

// The hour on the 12-hour dial, as spoken after the preamble.
const std::vector<int> kHourClips[24] = {
    {10, 2}, {1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {10}, {10, 1},
    {10, 2}, {1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {10}, {10, 1},
};

} // namespace

TEST(Phrases, EveryTimeOfDayThatTheChimeSpeaks)
{
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute : {0, 30}) {
            std::vector<int> expected = {11, 12, 10, 13};
            expected.insert(expected.end(), kHourClips[hour].begin(), kHourClips[hour].end());
            expected.push_back(14);
            expected.push_back(minute == 0 ? 15 : 16);
            EXPECT_EQ(clips(voice::timePhrase(hour, minute)), expected) << hour << ":" << minute;
        }
    }
}

TEST(Phrases, NamedTimes)
{
    using V = std::vector<int>;
    EXPECT_EQ(clips(voice::timePhrase(0, 0)), (V{11, 12, 10, 13, 10, 2, 14, 15}));
    EXPECT_EQ(clips(voice::timePhrase(10, 0)), (V{11, 12, 10, 13, 10, 14, 15}));
    EXPECT_EQ(clips(voice::timePhrase(11, 30)), (V{11, 12, 10, 13, 10, 1, 14, 16}));
    EXPECT_EQ(clips(voice::timePhrase(13, 0)), (V{11, 12, 10, 13, 1, 14, 15}));
    EXPECT_EQ(clips(voice::timePhrase(22, 30)), (V{11, 12, 10, 13, 10, 14, 16}));
    EXPECT_EQ(clips(voice::timePhrase(23, 0)), (V{11, 12, 10, 13, 10, 1, 14, 15}));
}

TEST(Phrases, CountsFromMinusThreeToTen)
{
    for (int n = -3; n <= 10; ++n) {
        const std::vector<int> seconds = n < 1 ? std::vector<int>{} : std::vector<int>{n};
        const std::vector<int> minutes = n < 1 ? std::vector<int>{} : std::vector<int>{18, 19, n, 20, 21};
        EXPECT_EQ(clips(voice::secondsPhrase(n)), seconds) << n;
        EXPECT_EQ(clips(voice::minutesPhrase(n)), minutes) << n;
    }
}

TEST(Phrases, CountsAboveTenHaveNoClipAndStaySilent)
{
    EXPECT_TRUE(clips(voice::secondsPhrase(11)).empty());
    EXPECT_TRUE(clips(voice::minutesPhrase(21)).empty());
}
