#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace voice {

// A validated view of a clip image: a complete 16-bit PCM wave file with the
// plain 44-byte header and nothing else. The samples stay in the image.
struct WaveView {
    const std::uint8_t* samples = nullptr;
    std::size_t bytes = 0;   // whole frames only
    int rate = 0;
    int channels = 0;
};

// Anything that is not such a wave gives nullopt; never reads past `size`.
std::optional<WaveView> parseWave(const std::uint8_t* image, std::size_t size);

constexpr std::size_t kWaveHeaderSize = 44;

} // namespace voice
