#include "Wave.h"

#include <cstring>

namespace voice {
namespace {

std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

bool idIs(const std::uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

} // namespace

std::optional<WaveView> parseWave(const std::uint8_t* image, std::size_t size)
{
    if (image == nullptr || size < kWaveHeaderSize)
        return std::nullopt;
    if (!idIs(image, "RIFF") || !idIs(image + 8, "WAVE") || !idIs(image + 12, "fmt ") ||
        !idIs(image + 36, "data"))
        return std::nullopt;

    const std::uint64_t riffSize = le32(image + 4);
    const std::uint32_t fmtSize = le32(image + 16);
    const std::uint16_t format = le16(image + 20);
    const std::uint16_t channels = le16(image + 22);
    const std::uint32_t rate = le32(image + 24);
    const std::uint32_t byteRate = le32(image + 28);
    const std::uint16_t blockAlign = le16(image + 32);
    const std::uint16_t bits = le16(image + 34);
    const std::uint64_t dataSize = le32(image + 36 + 4);

    if (riffSize + 8 > size || dataSize + kWaveHeaderSize > size || dataSize + 36 > riffSize)
        return std::nullopt;
    if (fmtSize != 16 || format != 1 || bits != 16)
        return std::nullopt;
    if (channels < 1 || channels > 2 || rate < 4000 || rate > 192000)
        return std::nullopt;
    if (blockAlign != channels * 2u || byteRate != rate * blockAlign)
        return std::nullopt;

    WaveView view;
    view.samples = image + kWaveHeaderSize;
    view.bytes = static_cast<std::size_t>(dataSize - dataSize % blockAlign);
    view.rate = static_cast<int>(rate);
    view.channels = channels;
    return view;
}

} // namespace voice
