#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace voice {

// The one sound channel of the process. play() is synchronous and takes the
// channel: whatever is sounding is cut off at once, and the cut-off call
// returns at once. The device is opened on demand and closed again after a
// few idle seconds, so an idle program has no audio thread; with no device at
// all every play is silence and a later play tries again.
class SoundChannel {
public:
    static SoundChannel& instance();

    // Plays a whole wave image in its own format and returns once its last
    // sample has been handed to the device, or once it has been cut off.
    // An image that is not a valid wave only stops what is sounding.
    void play(const std::uint8_t* image, std::size_t size);
    void stop();

    // Every play under way returns at once; later plays return at once,
    // silent, until reopen().
    void shutdown();
    void reopen();

    bool deviceOpen() const;
    // A clip is still going out (its player may have returned already).
    bool sounding() const;
    // When the device was last handed the first samples of a clip.
    std::chrono::steady_clock::time_point lastClipStart() const;
    void setIdleTimeout(std::chrono::milliseconds timeout);

    SoundChannel(const SoundChannel&) = delete;
    SoundChannel& operator=(const SoundChannel&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    struct Stream {
        int rate = 0;
        int channels = 0;
        SDL_AudioStream* stream = nullptr;
    };

    SoundChannel() = default;
    ~SoundChannel();

    bool ensureOpen();
    static int SDLCALL deviceMain(void* self);
    void runDevice();
    bool idleExpired() const; // m_ held
    // convertMutex_ held: the whole clip in the device format, into spare_.
    bool convert(const std::uint8_t* samples, std::size_t bytes, int rate, int channels,
                 int deviceRate, int deviceChannels);
    SDL_AudioStream* streamFor(int rate, int channels, int deviceRate, int deviceChannels);
    void freeConversions();
    // m_ held. Every clip not yet released returns to its player; nothing
    // more sounds.
    void cutLocked();
    void releaseLocked(std::uint64_t id);
    static void SDLCALL callback(void* userdata, Uint8* out, int len);
    void fill(Uint8* out, int len);

    // devMutex_ orders opening and closing; convertMutex_ guards the spare
    // buffer and the converters; m_ guards the playing state and is the only
    // lock the audio callback takes. Order: devMutex_, convertMutex_, m_.
    std::mutex devMutex_;
    std::mutex convertMutex_;
    mutable std::mutex m_;
    std::condition_variable cv_;

    bool closed_ = false;
    bool opening_ = false;
    bool open_ = false;
    bool stopDevice_ = false;
    SDL_AudioDeviceID device_ = 0;
    int deviceRate_ = 0;
    int deviceChannels_ = 0;
    Stream streams_[4];
    // A clip is converted whole into spare_ before it takes the channel, so
    // the callback only copies: playing_ is what it reads, queued_ what it
    // reads next.
    std::vector<std::uint8_t> spare_;
    std::vector<std::uint8_t> playing_;
    std::vector<std::uint8_t> queued_;

    // Clips are numbered as they come; a player waits until its number has
    // been released: at its clip's last buffer, or when it is cut off.
    // Numbers are released in order.
    std::uint64_t lastId_ = 0;
    std::uint64_t released_ = 0;
    bool active_ = false;
    std::uint64_t currentId_ = 0;
    const std::uint8_t* source_ = nullptr;
    std::size_t sourceBytes_ = 0;
    std::size_t sourcePos_ = 0;
    // The clip that follows the current one without a gap: a play that
    // came while the current clip's last buffer was going out.
    std::uint64_t nextId_ = 0;
    const std::uint8_t* nextSource_ = nullptr;
    std::size_t nextBytes_ = 0;

    Clock::time_point lastSound_{};
    Clock::time_point clipStart_{};
    Clock::time_point failedAt_{};
    bool failedOnce_ = false;
    std::chrono::milliseconds idleTimeout_{4000};
    // Opens the device, closes it when idle and then ends. An SDL thread, so
    // that SDL's per-thread error state goes with it: the workers that play
    // never make SDL calls that leave such state behind.
    SDL_Thread* deviceThread_ = nullptr;
};

} // namespace voice
