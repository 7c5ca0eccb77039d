#include "platform/qt/QtRandom.h"

#include <chrono>

namespace kelvarn {

QtRandom::QtRandom() {
    reseedFromClock();
}

double QtRandom::next() {
    // 53 random bits: 0 <= r < 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void QtRandom::reseedFromClock() {
    // Reseeding from the clock twice within one tick must not give the same numbers twice, so
    // the clock is mixed into the running state rather than replacing it.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{std::uint64_t(now), engine_(), std::uint64_t(now >> 32)};
    engine_.seed(seq);
}

} // namespace kelvarn
