// The voice path: the silence the channel adds at each clip join of a time
// phrase, how long a cutting play takes to silence the clip it cuts, and how
// long a countdown tick takes to its first sample when the device is closed.
//   voice_bench                  SDL's disk driver (SDL_AUDIODRIVER=disk)
//   voice_bench --pulse MONITOR  a PulseAudio sink, recorded from its monitor
#include "Announcer.h"
#include "Capture.h"
#include "Phrases.h"
#include "SoundChannel.h"
#include "TMyThread.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

using namespace std::chrono;
using Clock = steady_clock;

namespace {

double ms(long samples) { return 1000.0 * double(samples) / (2.0 * kCaptureRate); }
double msBetween(Clock::time_point a, Clock::time_point b) { return double(duration_cast<microseconds>(b - a).count()) / 1000.0; }

// The stream under test, with the time each piece of it arrived.
class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void start() = 0;
    virtual std::vector<std::int16_t> stop() = 0;
    // When the first sample louder than `level` arrived after `since`; or
    // the device's own hand-over time where that is all there is.
    virtual double firstSoundAfter(Clock::time_point since) = 0;
    // When the piece holding a stream position arrived; nullopt when the
    // stream carries no times of its own.
    virtual std::optional<Clock::time_point> arrivalOf(long) { return std::nullopt; }
};

class DiskRecorder : public Recorder {
public:
    void start() override { capture_.emplace(); }
    std::vector<std::int16_t> stop() override { return capture_->finish(); }
    double firstSoundAfter(Clock::time_point since) override
    {
        // The disk driver writes what the callback was handed at once.
        const auto deadline = Clock::now() + seconds(3);
        while (Clock::now() < deadline) {
            const auto started = voice::SoundChannel::instance().lastClipStart();
            if (started > since)
                return msBetween(since, started);
            std::this_thread::sleep_for(microseconds(200));
        }
        return -1;
    }

private:
    std::optional<Capture> capture_;
};

class PulseRecorder : public Recorder {
public:
    explicit PulseRecorder(std::string monitor) : monitor_(std::move(monitor)) {}
    void start() override
    {
        samples_.clear();
        arrivals_.clear();
        const std::string command = "parec --device=" + monitor_ +
                                    " --raw --format=s16le --rate=48000 --channels=2 --latency-msec=2";
        pipe_ = popen(command.c_str(), "r");
        reader_ = std::thread([this] {
            std::int16_t buffer[192]; // 2 ms
            for (;;) {
                const std::size_t n = std::fread(buffer, 2, 192, pipe_);
                if (n == 0)
                    break;
                std::lock_guard lock(m_);
                arrivals_.push_back({samples_.size(), Clock::now()});
                samples_.insert(samples_.end(), buffer, buffer + n);
            }
        });
        std::this_thread::sleep_for(milliseconds(300)); // the stream settles
    }
    std::vector<std::int16_t> stop() override
    {
        std::this_thread::sleep_for(milliseconds(300));
        std::system(("pkill -f 'parec --device=" + monitor_ + "'").c_str());
        reader_.join();
        pclose(pipe_);
        std::lock_guard lock(m_);
        return samples_;
    }
    std::optional<Clock::time_point> arrivalOf(long index) override
    {
        std::lock_guard lock(m_);
        for (const auto& a : arrivals_)
            if (long(a.index) <= index && index < long(a.index) + 192)
                return a.at;
        return std::nullopt;
    }
    double firstSoundAfter(Clock::time_point since) override
    {
        const auto deadline = Clock::now() + seconds(3);
        while (Clock::now() < deadline) {
            {
                std::lock_guard lock(m_);
                for (const auto& a : arrivals_) {
                    if (a.at < since)
                        continue;
                    const std::size_t end = std::min(samples_.size(), a.index + 192);
                    for (std::size_t i = a.index; i < end; ++i)
                        if (samples_[i] != 0)
                            return msBetween(since, a.at);
                }
            }
            std::this_thread::sleep_for(milliseconds(5));
        }
        return -1;
    }

private:
    struct Arrival {
        std::size_t index;
        Clock::time_point at;
    };
    std::string monitor_;
    FILE* pipe_ = nullptr;
    std::thread reader_;
    std::mutex m_;
    std::vector<std::int16_t> samples_;
    std::vector<Arrival> arrivals_;
};

std::vector<double> joins(Recorder& recorder)
{
    recorder.start();
    voice::speak(shippedClips(), voice::timePhrase(11, 0));
    const auto stream = recorder.stop();
    if (const char* save = std::getenv("VOICE_BENCH_SAVE")) {
        if (FILE* f = std::fopen(save, "wb")) {
            std::fwrite(stream.data(), 2, stream.size(), f);
            std::fclose(f);
        }
    }
    const auto found = clipsInStream(stream, shippedClips());
    if (found.size() != 8)
        std::fprintf(stderr, "expected 8 clips, found %zu\n", found.size());
    std::vector<double> gaps;
    for (std::size_t i = 0; i + 1 < found.size(); ++i) {
        const long length = long(convertedClip(shippedClips()[std::size_t(found[i].clip - 1)]).size());
        gaps.push_back(ms(found[i + 1].at - (found[i].at + length)));
    }
    return gaps;
}

struct Cut {
    double handedOver; // the cutting clip's first samples reach the device
    double heard;      // and come out of the recorded stream; -1 without times
};

// With the device running, A plays and B cuts in after `after`: how long
// from B's call until B replaces A.
Cut cutDelay(Recorder& recorder, milliseconds after)
{
    recorder.start();
    PlayClip(shippedClips(), 1);
    std::thread a([] { PlayClip(shippedClips(), 15); });
    std::this_thread::sleep_for(after);
    const auto bStart = Clock::now();
    PlayClip(shippedClips(), 5);
    const auto handed = voice::SoundChannel::instance().lastClipStart();
    a.join();
    const auto stream = recorder.stop();
    Cut cut{msBetween(bStart, handed), -1};
    const auto clipB = convertedClip(shippedClips()[4]);
    const long atB = findSamples(stream, clipB);
    if (atB >= 0) {
        // The first piece of B that is not silence.
        long loud = atB;
        while (loud < long(stream.size()) && stream[std::size_t(loud)] == 0)
            ++loud;
        if (const auto arrived = recorder.arrivalOf(loud))
            cut.heard = msBetween(bStart, *arrived);
    }
    return cut;
}

// A countdown tick's announcement: the worker is created and plays the
// count, opening the device first when it is closed.
double tickToFirstSample(Recorder& recorder, bool deviceClosed)
{
    auto& channel = voice::SoundChannel::instance();
    recorder.start();
    if (deviceClosed) {
        channel.shutdown(); // the device closes, as after an idle while
        channel.reopen();
    } else {
        PlayClip(shippedClips(), 1);
        std::this_thread::sleep_for(milliseconds(200));
    }
    const auto tick = Clock::now();
    WorkerAnnouncer().announce(2, 3);
    const double delay = recorder.firstSoundAfter(tick);
    WorkerThread::waitForAll(seconds(5));
    recorder.stop();
    return delay;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void report(const char* title, const std::vector<double>& values, const char* target)
{
    std::printf("%s, ms:", title);
    for (double v : values)
        std::printf(" %.1f", v);
    std::printf("\n  median %.1f, max %.1f (target %s)\n", median(values),
                values.empty() ? 0 : *std::max_element(values.begin(), values.end()), target);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::unique_ptr<Recorder> recorder;
    if (argc == 3 && std::string(argv[1]) == "--pulse")
        recorder = std::make_unique<PulseRecorder>(argv[2]);
    else
        recorder = std::make_unique<DiskRecorder>();
    ClipSpeaker speaker;
    TMyThread::speaker = &speaker;

    report("silence added at the joins of SpeakTime(11, 0)", joins(*recorder), "<= 10");
    std::vector<double> handed, heard;
    for (int i = 0; i < 5; ++i) {
        const Cut cut = cutDelay(*recorder, milliseconds(150 + 20 * i));
        handed.push_back(cut.handedOver);
        heard.push_back(cut.heard);
    }
    report("cutting play to the cut, at the device", handed, "<= 15");
    if (std::any_of(heard.begin(), heard.end(), [](double v) { return v >= 0; }))
        report("cutting play to the cut, out of the sound server", heard, "-");
    std::vector<double> closed, open;
    for (int i = 0; i < 5; ++i) {
        closed.push_back(tickToFirstSample(*recorder, true));
        open.push_back(tickToFirstSample(*recorder, false));
    }
    report("tick to first sample, device closed", closed, "<= 30");
    report("tick to first sample, device already open (the path's own latency)", open, "-");
    TMyThread::speaker = nullptr;
    return 0;
}
