// The sound effects beside the program: each is a PCM WAV file the platform's player accepts,
// short, and loud enough to hear without clipping.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wav {
    std::string problem; // empty when the file parsed
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

// Walks the RIFF chunks, as a player does, rather than assuming a 44-byte header.
Wav readWav(const std::string& path) {
    Wav wav;
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        wav.problem = "missing";
        return wav;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(f), {}};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        wav.problem = "not a RIFF WAVE file";
        return wav;
    }
    if (le32(bytes.data() + 4) != bytes.size() - 8) {
        wav.problem = "RIFF size does not match the file";
        return wav;
    }
    bool haveFormat = false, haveData = false;
    for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
        const unsigned char* chunk = bytes.data() + pos;
        const std::uint32_t size = le32(chunk + 4);
        if (pos + 8 + size > bytes.size()) {
            wav.problem = "a chunk runs past the end";
            return wav;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            wav.format = le16(chunk + 8);
            wav.channels = le16(chunk + 10);
            wav.rate = int(le32(chunk + 12));
            wav.blockAlign = le16(chunk + 20);
            wav.bits = le16(chunk + 22);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            for (std::uint32_t i = 0; i + 1 < size; i += 2) {
                wav.samples.push_back(std::int16_t(le16(chunk + 8 + i)));
            }
            haveData = true;
        }
        pos += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) {
        wav.problem = "no fmt or no data chunk";
    }
    return wav;
}

struct Effect {
    const char* name; // exactly as the game asks for it, case included
    double longest;   // seconds
};

constexpr Effect Effects[] = {{"Bu", 1.5},  {"put", 1.5},   {"explo", 1.5}, {"hit", 1.5},
                              {"dea", 3.0}, {"error", 1.5}, {"end", 3.0}};

TEST(SoundFiles, EverySoundIsShortMonoSixteenBitPcmAt22050Hz) {
    for (const Effect& e : Effects) {
        const Wav wav =
            readWav(std::string(KELVARN_SOURCE_DIR) + "/assets/sound/" + e.name + ".wav");
        ASSERT_EQ(wav.problem, "") << e.name;
        EXPECT_EQ(wav.format, 1) << e.name << " is not PCM";
        EXPECT_EQ(wav.channels, 1) << e.name;
        EXPECT_EQ(wav.rate, 22050) << e.name;
        EXPECT_EQ(wav.bits, 16) << e.name;
        EXPECT_EQ(wav.blockAlign, 2) << e.name;
        const double seconds = double(wav.samples.size()) / 22050.0;
        EXPECT_GT(seconds, 0.03) << e.name;
        EXPECT_LE(seconds, e.longest) << e.name;
    }
}

TEST(SoundFiles, EverySoundIsAudibleWithoutClippingOrClicks) {
    for (const Effect& e : Effects) {
        const Wav wav =
            readWav(std::string(KELVARN_SOURCE_DIR) + "/assets/sound/" + e.name + ".wav");
        ASSERT_EQ(wav.problem, "") << e.name;
        ASSERT_FALSE(wav.samples.empty()) << e.name;
        int peak = 0, atFullScale = 0;
        for (std::int16_t s : wav.samples) {
            const int magnitude = s < 0 ? -int(s) : int(s);
            peak = std::max(peak, magnitude);
            atFullScale += magnitude >= 32767;
        }
        EXPECT_EQ(atFullScale, 0) << e.name << " clips";
        EXPECT_LT(peak, 32000) << e.name << " leaves no headroom";
        EXPECT_GT(peak, 4000) << e.name << " is nearly silent";
        // Starting and stopping near zero: no click at either end.
        EXPECT_LT(std::abs(int(wav.samples.front())), 400) << e.name;
        EXPECT_LT(std::abs(int(wav.samples.back())), 400) << e.name;
    }
}

} // namespace
