#include "Capture.h"

#include "SoundChannel.h"

#include <QFile>
#include <QTemporaryDir>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "Phrases.h"
#include "Wave.h"

namespace {
std::atomic<int> serial{0};
}

Capture::Capture()
{
    static QTemporaryDir dir;
    path_ = dir.filePath(QStringLiteral("capture-%1.raw").arg(serial++));
    auto& channel = voice::SoundChannel::instance();
    channel.shutdown();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.toLocal8Bit().constData(), 1);
    channel.setIdleTimeout(std::chrono::minutes(10));
    channel.reopen();
}

Capture::~Capture()
{
    if (!finished_)
        finish();
}

std::vector<std::int16_t> Capture::finish()
{
    finished_ = true;
    auto& channel = voice::SoundChannel::instance();
    // The last buffer of the last clip may still be going out.
    for (int i = 0; i < 200 && channel.sounding(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    channel.shutdown();
    channel.setIdleTimeout(std::chrono::seconds(4));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    channel.reopen();
    QFile file(path_);
    std::vector<std::int16_t> samples;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    }
    file.remove();
    return samples;
}

std::vector<std::int16_t> convertedClip(const ClipImage& clip)
{
    const auto wave = voice::parseWave(clip.data, clip.size);
    if (!wave)
        return {};
    SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_S16LSB, Uint8(wave->channels), wave->rate,
                                                 AUDIO_S16SYS, 2, kCaptureRate);
    SDL_AudioStreamPut(stream, wave->samples, int(wave->bytes));
    SDL_AudioStreamFlush(stream);
    std::vector<std::int16_t> out(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream)) / 2);
    SDL_AudioStreamGet(stream, out.data(), int(out.size() * 2));
    SDL_FreeAudioStream(stream);
    return out;
}

long findSamples(const std::vector<std::int16_t>& hay, const std::vector<std::int16_t>& needle,
                 long from, int tolerance)
{
    if (needle.empty() || hay.size() < needle.size())
        return -1;
    // Anchor on the first loud sample so that silence does not match silence.
    std::size_t anchor = 0;
    while (anchor < needle.size() && std::abs(needle[anchor]) < 2000)
        ++anchor;
    if (anchor == needle.size())
        return -1;
    const long last = long(hay.size() - needle.size());
    for (long start = std::max(0L, from); start <= last; start += 2) {
        if (std::abs(hay[std::size_t(start) + anchor] - needle[anchor]) > tolerance)
            continue;
        bool match = true;
        for (std::size_t i = 0; i < needle.size() && match; ++i)
            match = std::abs(hay[std::size_t(start) + i] - needle[i]) <= tolerance;
        if (match)
            return start;
    }
    return -1;
}

std::vector<Found> clipsInStream(const std::vector<std::int16_t>& stream, const ClipTable& table)
{
    std::vector<Found> found;
    for (int n = 1; n <= kClipCount; ++n) {
        const auto needle = convertedClip(table[std::size_t(n - 1)]);
        for (long at = findSamples(stream, needle); at >= 0; at = findSamples(stream, needle, at + 2))
            found.push_back({n, at});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.at < b.at; });
    return found;
}

const ClipTable& shippedClips()
{
    static const ClipTable table = [] {
        ClipTable t{};
        loadClips(t, EmbeddedResources());
        return t;
    }();
    return table;
}

void ClipSpeaker::SpeakTime(int hour, int minute) const { voice::speak(shippedClips(), voice::timePhrase(hour, minute)); }
void ClipSpeaker::SpeakSeconds(int n) const { voice::speak(shippedClips(), voice::secondsPhrase(n)); }
void ClipSpeaker::SpeakMinutes(int n) const { voice::speak(shippedClips(), voice::minutesPhrase(n)); }
