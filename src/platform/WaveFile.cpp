#include "platform/WaveFile.h"

#include <cstring>

namespace kelvarn {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

} // namespace

std::optional<WaveClip> parseWave(const std::uint8_t* bytes, std::size_t size) {
    if (size < 12 || size > WaveFileLimit || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    int format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    bool haveFormat = false, haveData = false;
    std::size_t offset = 0, length = 0;
    // Chunk sizes come from the file: each is checked against what is left before it is used.
    for (std::size_t pos = 12; size - pos >= 8;) {
        const std::uint8_t* chunk = bytes + pos;
        const std::uint32_t chunkSize = le32(chunk + 4);
        const std::size_t available = size - pos - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && chunkSize >= 16 && chunkSize <= available) {
            format = le16(chunk + 8);
            channels = le16(chunk + 10);
            rate = le32(chunk + 12);
            bits = le16(chunk + 22);
            // WAVE_FORMAT_EXTENSIBLE names the real format in the first two bytes of its GUID.
            if (format == 0xFFFE && chunkSize >= 26) {
                format = le16(chunk + 32);
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            offset = pos + 8;
            length = chunkSize < available ? chunkSize : available;
            haveData = true;
            break;
        }
        const std::size_t step = std::size_t(chunkSize) + (chunkSize & 1);
        if (step > available) {
            break;
        }
        pos += 8 + step;
    }
    WaveClip clip;
    if (format == 1 && bits == 8) {
        clip.sample = WaveClip::Sample::UInt8;
    } else if (format == 1 && bits == 16) {
        clip.sample = WaveClip::Sample::Int16;
    } else if (format == 1 && bits == 32) {
        clip.sample = WaveClip::Sample::Int32;
    } else if (format == 3 && bits == 32) {
        clip.sample = WaveClip::Sample::Float;
    } else {
        return std::nullopt;
    }
    if (!haveFormat || !haveData || channels < 1 || channels > 8 || rate < 1000 || rate > 384000) {
        return std::nullopt;
    }
    clip.channels = channels;
    clip.rate = int(rate);
    clip.bytesPerFrame = channels * bits / 8;
    clip.offset = offset;
    clip.length = length / std::size_t(clip.bytesPerFrame) * std::size_t(clip.bytesPerFrame);
    if (clip.length == 0) {
        return std::nullopt;
    }
    return clip;
}

} // namespace kelvarn
