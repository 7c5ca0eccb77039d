// Feeds arbitrary bytes to the wave file reader. Whatever the file holds, reading must neither
// crash nor read outside it, and a clip it finds must be whole frames of a format an audio output
// can take, lying entirely inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/WaveFile.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvarn;
    // A copy of exactly the file's size, so that any read past its end is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::optional<WaveClip> clip = parseWave(bytes.data(), bytes.size());
    if (!clip) {
        return 0;
    }
    require(clip->channels >= 1 && clip->channels <= 8);
    require(clip->rate >= 1000 && clip->rate <= 384000);
    const int sampleBytes = clip->sample == WaveClip::Sample::UInt8   ? 1
                            : clip->sample == WaveClip::Sample::Int16 ? 2
                                                                      : 4;
    require(clip->bytesPerFrame == clip->channels * sampleBytes);
    require(clip->offset >= 20 && clip->offset <= bytes.size());
    require(clip->length > 0 && clip->length <= bytes.size() - clip->offset);
    require(clip->length % std::size_t(clip->bytesPerFrame) == 0);
    // The samples are read whole, as the player copies them.
    unsigned sum = 0;
    for (std::size_t i = clip->offset; i < clip->offset + clip->length; ++i) {
        sum += bytes[i];
    }
    return int(sum & 0);
}
