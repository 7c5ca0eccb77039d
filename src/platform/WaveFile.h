// The wave files of the sound effects: RIFF WAVE of integer PCM (8, 16 or 32 bits) or 32-bit
// float samples. The file is untrusted: whatever it holds, reading it stays inside its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kelvarn {

struct WaveClip {
    enum class Sample { UInt8, Int16, Int32, Float };
    Sample sample = Sample::Int16;
    int channels = 0;
    int rate = 0;
    int bytesPerFrame = 0;
    // Where the samples lie in the file's bytes: whole frames only, never empty.
    std::size_t offset = 0;
    std::size_t length = 0;
};

// Effects are short; a file larger than this is not one.
inline constexpr std::size_t WaveFileLimit = std::size_t{64} << 20;

// The clip held by a file's bytes, or nothing for any other format or a damaged file. A data
// chunk cut short by the end of the file plays as far as it goes.
std::optional<WaveClip> parseWave(const std::uint8_t* bytes, std::size_t size);

} // namespace kelvarn
