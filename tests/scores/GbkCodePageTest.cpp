// The converter's own table against the system's: glibc's iconv on Linux, code page 936 of
// Windows there. Every two-byte pair is read, and every character read is written back.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "scores/Gbk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace kelvarn {
namespace {

// The system's reading of one pair as UTF-8, or empty when it has no character for it.
std::string systemRead(const std::string& pair) {
#ifdef _WIN32
    wchar_t wide[4];
    const int n =
        MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair.data(), int(pair.size()), wide, 4);
    if (n != 1) {
        return {};
    }
    char utf8[8];
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, std::size_t(m > 0 ? m : 0));
#else
    iconv_t cd = iconv_open("UTF-8", "GBK");
    char* in = const_cast<char*>(pair.data());
    std::size_t inLeft = pair.size();
    char out[8];
    char* o = out;
    std::size_t outLeft = sizeof out;
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != std::size_t(-1) && inLeft == 0;
    iconv_close(cd);
    return ok ? std::string(out, std::size_t(o - out)) : std::string();
#endif
}

// The system's code for one UTF-8 character, or empty when it has none.
std::string systemWrite(const std::string& utf8) {
#ifdef _WIN32
    wchar_t wide[4];
    const int n =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), wide, 4);
    BOOL defaulted = FALSE;
    char bytes[8];
    const int m = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, n, bytes, sizeof bytes,
                                      nullptr, &defaulted);
    return m > 0 && !defaulted ? std::string(bytes, std::size_t(m)) : std::string();
#else
    iconv_t cd = iconv_open("GBK", "UTF-8");
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char out[8];
    char* o = out;
    std::size_t outLeft = sizeof out;
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != std::size_t(-1) && inLeft == 0;
    iconv_close(cd);
    return ok ? std::string(out, std::size_t(o - out)) : std::string();
#endif
}

std::string hex(const std::string& bytes) {
    std::ostringstream out;
    for (const char c : bytes) {
        out << std::hex << std::uppercase << (static_cast<unsigned char>(c) >> 4)
            << (static_cast<unsigned char>(c) & 0xF);
    }
    return out.str();
}

// Where the system has a character for a pair, ours is the same and writes back to the same
// pair. Our own Private Use characters for the pairs glibc lacks are not compared on Linux.
TEST(GbkCodePage, EveryPairReadsAndWritesAsTheSystemDoes) {
    int compared = 0;
    std::string firstDifferences;
    int differences = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string pair{char(lead), char(trail)};
            const std::string ours = gbk::toUtf8(pair);
            const std::string theirs = systemRead(pair);
            if (theirs.empty()) {
                continue;
            }
            ++compared;
            const auto written = gbk::fromUtf8(ours);
            const std::string back = systemWrite(theirs);
            if (ours != theirs || !written || *written != pair || back != pair) {
                if (++differences <= 8) {
                    firstDifferences +=
                        " " + hex(pair) + ": ours " + hex(ours) + ", system's " + hex(theirs) + ";";
                }
            }
        }
    }
    EXPECT_EQ(differences, 0) << "first differences:" << firstDifferences;
#ifdef _WIN32
    EXPECT_EQ(compared, 126 * 190) << "code page 936 maps every pair";
#else
    EXPECT_GT(compared, 21000);
#endif
}

} // namespace
} // namespace kelvarn
