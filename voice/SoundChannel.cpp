#include "SoundChannel.h"

#include "Wave.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace voice {
namespace {

// The rate most desktop sound servers run at, so that SDL converts once.
constexpr int kDeviceRate = 48000;
constexpr int kDeviceChannels = 2;
// 10 ms buffers: a cut-off takes at most that long, and a sound server on a
// busy desktop keeps up. Clip joins do not depend on it: the next clip
// follows in the same buffer.
constexpr Uint16 kDeviceFrames = 480;
// A device that would not open is tried again by a play this much later.
constexpr std::chrono::milliseconds kRetryAfter{500};

} // namespace

SoundChannel& SoundChannel::instance()
{
    static SoundChannel channel;
    return channel;
}

SoundChannel::~SoundChannel() { shutdown(); }

void SoundChannel::play(const std::uint8_t* image, std::size_t size)
{
    const auto wave = parseWave(image, size);
    if (!wave) {
        stop();
        return;
    }
    // Twice: the idle closer may shut the device between opening and taking it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureOpen()) {
            stop();
            return;
        }
        std::unique_lock conversion(convertMutex_);
        int rate = 0;
        int channels = 0;
        {
            std::lock_guard lock(m_);
            if (closed_)
                return;
            if (!open_)
                continue;
            rate = deviceRate_;
            channels = deviceChannels_;
        }
        // Little-endian clips play in place when the device takes their format.
        const bool inPlace = wave->rate == rate && wave->channels == channels && AUDIO_S16SYS == AUDIO_S16LSB;
        if (!inPlace && !convert(wave->samples, wave->bytes, wave->rate, wave->channels, rate, channels)) {
            stop();
            return;
        }
        std::unique_lock lock(m_);
        if (closed_)
            return;
        if (!open_ || deviceRate_ != rate || deviceChannels_ != channels)
            continue;
        const bool draining = active_ && released_ >= currentId_;
        if (!draining)
            cutLocked();
        const std::uint64_t mine = ++lastId_;
        if (draining) {
            // The current clip's player has gone on and its last buffer is
            // going out: follow it without a gap. A clip already waiting
            // there is cut off.
            if (nextId_ != 0)
                releaseLocked(nextId_);
            if (inPlace) {
                nextSource_ = wave->samples;
                nextBytes_ = wave->bytes;
            } else {
                queued_.swap(spare_);
                nextSource_ = queued_.data();
                nextBytes_ = queued_.size();
            }
            nextId_ = nextBytes_ > 0 ? mine : 0;
        } else {
            if (inPlace) {
                source_ = wave->samples;
                sourceBytes_ = wave->bytes;
            } else {
                // The callback stopped reading playing_ at the cut above.
                playing_.swap(spare_);
                source_ = playing_.data();
                sourceBytes_ = playing_.size();
            }
            sourcePos_ = 0;
            currentId_ = mine;
            active_ = sourceBytes_ > 0;
        }
        conversion.unlock();
        lastSound_ = Clock::now();
        if (!active_ || (nextId_ != mine && currentId_ != mine))
            releaseLocked(mine);
        cv_.wait(lock, [&] { return closed_ || released_ >= mine; });
        return;
    }
}

bool SoundChannel::convert(const std::uint8_t* samples, std::size_t bytes, int rate, int channels,
                           int deviceRate, int deviceChannels)
{
    SDL_AudioStream* stream = streamFor(rate, channels, deviceRate, deviceChannels);
    if (stream == nullptr)
        return false;
    SDL_AudioStreamClear(stream);
    // All at once: SDL resamples as the data goes in, and one piece gives the
    // same samples on every play.
    if (SDL_AudioStreamPut(stream, samples, static_cast<int>(bytes)) != 0 || SDL_AudioStreamFlush(stream) != 0)
        return false;
    const int available = SDL_AudioStreamAvailable(stream);
    spare_.resize(static_cast<std::size_t>(std::max(0, available)));
    const int got = SDL_AudioStreamGet(stream, spare_.data(), available);
    spare_.resize(static_cast<std::size_t>(std::max(0, got)));
    return got >= 0;
}

void SoundChannel::stop()
{
    std::lock_guard lock(m_);
    cutLocked();
}

void SoundChannel::cutLocked()
{
    active_ = false;
    source_ = nullptr;
    nextId_ = 0;
    nextSource_ = nullptr;
    releaseLocked(lastId_);
}

void SoundChannel::releaseLocked(std::uint64_t id)
{
    if (id > released_) {
        released_ = id;
        cv_.notify_all();
    }
}

void SoundChannel::shutdown()
{
    {
        std::lock_guard lock(m_);
        closed_ = true;
        stopDevice_ = true;
        cutLocked();
        cv_.notify_all();
    }
    SDL_Thread* thread = nullptr;
    {
        std::lock_guard dev(devMutex_);
        thread = std::exchange(deviceThread_, nullptr);
    }
    if (thread != nullptr)
        SDL_WaitThread(thread, nullptr);
}

void SoundChannel::reopen()
{
    std::lock_guard lock(m_);
    closed_ = false;
    failedOnce_ = false;
}

bool SoundChannel::deviceOpen() const
{
    std::lock_guard lock(m_);
    return open_;
}

bool SoundChannel::sounding() const
{
    std::lock_guard lock(m_);
    return active_;
}

std::chrono::steady_clock::time_point SoundChannel::lastClipStart() const
{
    std::lock_guard lock(m_);
    return clipStart_;
}

void SoundChannel::setIdleTimeout(std::chrono::milliseconds timeout)
{
    std::lock_guard lock(m_);
    idleTimeout_ = timeout;
    cv_.notify_all();
}

bool SoundChannel::ensureOpen()
{
    std::lock_guard dev(devMutex_);
    std::unique_lock lock(m_);
    if (closed_)
        return false;
    if (open_)
        return true;
    if (failedOnce_ && Clock::now() - failedAt_ < kRetryAfter)
        return false;
    // open_ is false: an earlier device thread has closed its device and is
    // ending, or never opened one.
    if (deviceThread_ != nullptr) {
        lock.unlock();
        SDL_WaitThread(std::exchange(deviceThread_, nullptr), nullptr);
        lock.lock();
    }
    opening_ = true;
    stopDevice_ = false;
    lock.unlock();
    deviceThread_ = SDL_CreateThread(&SoundChannel::deviceMain, "vantoli-audio", this);
    lock.lock();
    if (deviceThread_ == nullptr) {
        opening_ = false;
        failedOnce_ = true;
        failedAt_ = Clock::now();
        return false;
    }
    cv_.wait(lock, [this] { return !opening_; });
    return open_;
}

int SDLCALL SoundChannel::deviceMain(void* self)
{
    static_cast<SoundChannel*>(self)->runDevice();
    return 0;
}

bool SoundChannel::idleExpired() const { return !active_ && Clock::now() >= lastSound_ + idleTimeout_; }

void SoundChannel::runDevice()
{
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vantoli");
    const bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = kDeviceChannels;
    want.samples = kDeviceFrames;
    want.callback = &SoundChannel::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID device = initialised ? SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0) : 0;

    std::unique_lock lock(m_);
    opening_ = false;
    if (device == 0) {
        failedOnce_ = true;
        failedAt_ = Clock::now();
        cv_.notify_all();
        lock.unlock();
        if (initialised)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    open_ = true;
    failedOnce_ = false;
    device_ = device;
    deviceRate_ = have.freq;
    deviceChannels_ = have.channels;
    lastSound_ = Clock::now();
    cv_.notify_all();
    lock.unlock();
    SDL_PauseAudioDevice(device, 0);

    lock.lock();
    while (!stopDevice_) {
        if (idleExpired()) {
            // Checked again with devMutex_, so that no play is between
            // finding the device open and taking the channel.
            lock.unlock();
            std::lock_guard dev(devMutex_);
            lock.lock();
            if (stopDevice_ || idleExpired()) {
                open_ = false;
                break;
            }
            continue;
        }
        if (active_)
            cv_.wait(lock);
        else
            cv_.wait_until(lock, lastSound_ + idleTimeout_);
    }
    open_ = false;
    device_ = 0;
    cutLocked();
    lock.unlock();
    // Closing joins SDL's audio thread, whose callback takes m_: not held here.
    SDL_CloseAudioDevice(device);
    freeConversions();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SDL_AudioStream* SoundChannel::streamFor(int rate, int channels, int deviceRate, int deviceChannels)
{
    for (auto& s : streams_) {
        if (s.stream != nullptr && s.rate == rate && s.channels == channels)
            return s.stream;
    }
    for (auto& s : streams_) {
        if (s.stream == nullptr) {
            s.stream = SDL_NewAudioStream(AUDIO_S16LSB, static_cast<Uint8>(channels), rate, AUDIO_S16SYS,
                                          static_cast<Uint8>(deviceChannels), deviceRate);
            s.rate = rate;
            s.channels = channels;
            return s.stream;
        }
    }
    return nullptr;
}

void SoundChannel::freeConversions()
{
    std::lock_guard conversion(convertMutex_);
    for (auto& s : streams_) {
        if (s.stream != nullptr)
            SDL_FreeAudioStream(s.stream);
        s = Stream{};
    }
    std::lock_guard lock(m_);
    std::vector<std::uint8_t>().swap(spare_);
    std::vector<std::uint8_t>().swap(playing_);
}

void SDLCALL SoundChannel::callback(void* userdata, Uint8* out, int len)
{
    static_cast<SoundChannel*>(userdata)->fill(out, len);
}

// Runs on SDL's audio thread: copies, and allocates nothing.
void SoundChannel::fill(Uint8* out, int len)
{
    std::lock_guard lock(m_);
    const std::size_t want = static_cast<std::size_t>(len);
    std::size_t filled = 0;
    while (active_ && filled < want) {
        if (sourcePos_ == 0)
            clipStart_ = Clock::now();
        const std::size_t n = std::min(want - filled, sourceBytes_ - sourcePos_);
        std::memcpy(out + filled, source_ + sourcePos_, n);
        sourcePos_ += n;
        filled += n;
        if (sourcePos_ < sourceBytes_)
            continue;
        releaseLocked(currentId_);
        if (nextId_ == 0) {
            active_ = false;
            source_ = nullptr;
            cv_.notify_all(); // the device thread starts counting idle time
            break;
        }
        // The next clip goes on in the same buffer.
        if (nextSource_ == queued_.data())
            playing_.swap(queued_);
        currentId_ = std::exchange(nextId_, 0);
        source_ = std::exchange(nextSource_, nullptr);
        sourceBytes_ = nextBytes_;
        sourcePos_ = 0;
    }
    // The clip's last samples go out with the next buffer: its player may go
    // on now, so that the clip after it is ready in time.
    if (active_ && sourceBytes_ - sourcePos_ <= want)
        releaseLocked(currentId_);
    if (filled > 0)
        lastSound_ = Clock::now();
    std::memset(out + filled, 0, want - filled);
}

} // namespace voice
