// Any bytes as a clip image: validation must never read outside them, and a
// wave it accepts must lie wholly inside the image.
#include "Wave.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto view = voice::parseWave(data, size);
    if (!view)
        return 0;
    if (view->samples < data || view->samples + view->bytes > data + size)
        std::abort();
    if (view->bytes % std::size_t(view->channels * 2) != 0 || view->channels < 1 || view->channels > 2)
        std::abort();
    unsigned sum = 0;
    for (std::size_t i = 0; i < view->bytes; ++i) // every sample the player would copy
        sum += view->samples[i];
    return static_cast<int>(sum & 0);
}
