#include "Capture.h"
#include "Wave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> makeWave(int rate, int channels, int frames)
{
    const std::uint32_t data = std::uint32_t(frames * channels * 2);
    std::vector<std::uint8_t> w(44 + data);
    auto put32 = [&](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) w[at + i] = std::uint8_t(v >> (8 * i)); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { w[at] = std::uint8_t(v); w[at + 1] = std::uint8_t(v >> 8); };
    std::memcpy(&w[0], "RIFF", 4);
    put32(4, 36 + data);
    std::memcpy(&w[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, std::uint16_t(channels));
    put32(24, std::uint32_t(rate));
    put32(28, std::uint32_t(rate * channels * 2));
    put16(32, std::uint16_t(channels * 2));
    put16(34, 16);
    std::memcpy(&w[36], "data", 4);
    put32(40, data);
    return w;
}

struct Malformed {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> spoil;
};

} // namespace

TEST(Wave, AcceptsBothShippedFormats)
{
    for (auto [rate, channels] : {std::pair{22050, 1}, std::pair{44100, 2}}) {
        const auto image = makeWave(rate, channels, 100);
        const auto view = voice::parseWave(image.data(), image.size());
        ASSERT_TRUE(view) << rate;
        EXPECT_EQ(view->rate, rate);
        EXPECT_EQ(view->channels, channels);
        EXPECT_EQ(view->bytes, std::size_t(100 * channels * 2));
        EXPECT_EQ(view->samples, image.data() + 44);
    }
}

TEST(Wave, RejectsMalformedImages)
{
    auto put32 = [](std::vector<std::uint8_t>& w, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) w[at + i] = std::uint8_t(v >> (8 * i));
    };
    const Malformed cases[] = {
        {"riff id", [](auto& w) { w[0] = 'X'; }},
        {"wave id", [](auto& w) { w[8] = 'X'; }},
        {"fmt id", [](auto& w) { w[12] = 'X'; }},
        {"data id", [](auto& w) { w[36] = 'X'; }},
        {"riff size overruns", [&](auto& w) { put32(w, 4, std::uint32_t(w.size())); }},
        {"data size overruns", [&](auto& w) { put32(w, 40, std::uint32_t(w.size())); }},
        {"data size near 4 GiB", [&](auto& w) { put32(w, 40, 0xFFFFFFF0u); }},
        {"fmt size", [&](auto& w) { put32(w, 16, 18); }},
        {"not pcm", [](auto& w) { w[20] = 3; }},
        {"zero channels", [](auto& w) { w[22] = 0; }},
        {"three channels", [](auto& w) { w[22] = 3; }},
        {"8-bit samples", [](auto& w) { w[34] = 8; }},
        {"24-bit samples", [](auto& w) { w[34] = 24; }},
        {"zero rate", [&](auto& w) { put32(w, 24, 0); }},
        {"byte rate", [&](auto& w) { put32(w, 28, 1); }},
        {"block align", [](auto& w) { w[32] = 4; }},
        {"header cut short", [](auto& w) { w.resize(43); }},
        {"samples cut short", [](auto& w) { w.resize(w.size() - 2); }},
        {"empty", [](auto& w) { w.clear(); }},
    };
    for (const auto& c : cases) {
        auto image = makeWave(22050, 1, 50);
        c.spoil(image);
        EXPECT_FALSE(voice::parseWave(image.data(), image.size())) << c.name;
    }
    EXPECT_FALSE(voice::parseWave(nullptr, 100));
}

TEST(Wave, OddDataSizePlaysWholeFramesOnly)
{
    auto image = makeWave(44100, 2, 10);
    image.push_back(0);
    image[40] += 1;
    image[4] += 1;
    const auto view = voice::parseWave(image.data(), image.size());
    ASSERT_TRUE(view);
    EXPECT_EQ(view->bytes, 40u);
}

// The shipped recordings: formats, the exact header, distinct content, a
// short lead-in of near-silence and even loudness.
TEST(Recordings, HeadersFormatsLeadInAndLoudness)
{
    const ClipTable& table = shippedClips();
    std::set<std::string> contents;
    double quietest = 1e9, loudest = 0;
    for (int n = 1; n <= kClipCount; ++n) {
        const ClipImage& clip = table[std::size_t(n - 1)];
        ASSERT_TRUE(clip) << n;
        const auto view = voice::parseWave(clip.data, clip.size);
        ASSERT_TRUE(view) << n;
        const bool stereo44 = n == 3 || n == 14;
        EXPECT_EQ(view->rate, stereo44 ? 44100 : 22050) << n;
        EXPECT_EQ(view->channels, stereo44 ? 2 : 1) << n;
        EXPECT_EQ(clip.size, 44 + view->bytes) << "no other chunk, clip " << n;
        contents.insert(std::string(reinterpret_cast<const char*>(view->samples), view->bytes));

        const auto* s = reinterpret_cast<const std::int16_t*>(view->samples);
        const std::size_t count = view->bytes / 2;
        std::size_t firstLoud = 0;
        while (firstLoud < count && std::abs(s[firstLoud]) < 328) // 1% of full scale
            ++firstLoud;
        const double leadMs = 1000.0 * double(firstLoud / std::size_t(view->channels)) / view->rate;
        EXPECT_GE(leadMs, 20) << n;
        EXPECT_LE(leadMs, 180) << n;
        const double lengthMs = 1000.0 * double(count / std::size_t(view->channels)) / view->rate;
        EXPECT_GT(lengthMs, 200) << n;
        EXPECT_LT(lengthMs, 1000) << n;

        double sum = 0;
        for (std::size_t i = firstLoud; i < count; ++i)
            sum += double(s[i]) * s[i];
        const double rms = std::sqrt(sum / double(count - firstLoud));
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_EQ(contents.size(), std::size_t(kClipCount)) << "all clips differ";
    EXPECT_LT(20 * std::log10(loudest / quietest), 3.0) << "loudness within 3 dB";
}
