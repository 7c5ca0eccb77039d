#include "platform/win32/Win32Random.h"

#include <windows.h>

namespace kelvarn {

Win32Random::Win32Random() {
    reseedFromClock();
}

double Win32Random::next() {
    // 53 random bits: 0 <= r < 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void Win32Random::reseedFromClock() {
    // Two reseeds within one tick must not give the same numbers twice: the clock is mixed into
    // the running state rather than replacing it.
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const auto count = std::uint64_t(now.QuadPart);
    std::seed_seq seq{count, engine_(), count >> 32, std::uint64_t(GetTickCount())};
    engine_.seed(seq);
}

} // namespace kelvarn
