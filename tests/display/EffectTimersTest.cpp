// The due times of Timer2 (the repair, 12 700 ms) and Timer3 (the frozen planes, 20 000 ms) on the
// millisecond tick counter, for a toolkit that wakes itself when the next one is due.
#include <gtest/gtest.h>

#include "display/EffectTimers.h"

namespace kelvarn::test {
namespace {

TEST(EffectTimers, EachEndsItsOwnIntervalAfterItsStartEvenAcrossTheTickWrap) {
    EffectTimers timers;
    EXPECT_FALSE(timers.msUntilNext(0)) << "neither runs after loading";
    const std::uint32_t start = 0xFFFFF000u; // 4096 ms before the counter wraps
    timers.enable(TimerId::Timer2, start);
    timers.enable(TimerId::Timer3, start + 1000);
    timers.enable(TimerId::Timer2, start + 500); // enabling a running timer restarts nothing
    EXPECT_EQ(timers.msUntilNext(start + 1010), 11690u);
    EXPECT_FALSE(timers.due(start + 12699));
    EXPECT_EQ(timers.msUntilNext(start + 12699), 1u);
    EXPECT_EQ(timers.due(start + 12700), TimerId::Timer2);

    timers.disable(TimerId::Timer2);
    EXPECT_EQ(timers.msUntilNext(start + 12700), 8300u);
    EXPECT_FALSE(timers.due(start + 20999));
    EXPECT_EQ(timers.due(start + 21000), TimerId::Timer3);
    EXPECT_EQ(timers.msUntilNext(start + 21005), 0u) << "late is due at once";
}

TEST(EffectTimers, TheOneLongestOverdueGoesFirstAndOneLeftOnStartsAnotherInterval) {
    EffectTimers timers;
    timers.enable(TimerId::Timer3, 0);
    timers.enable(TimerId::Timer2, 7400); // due at 20 100, after Timer3 at 20 000
    EXPECT_EQ(timers.due(20500), TimerId::Timer3);
    timers.restart(TimerId::Timer3, 20500);
    EXPECT_EQ(timers.due(20500), TimerId::Timer2);
    EXPECT_EQ(timers.msUntilNext(20500), 0u);
    timers.disable(TimerId::Timer2);
    EXPECT_EQ(timers.msUntilNext(20500), 20000u);
}

} // namespace
} // namespace kelvarn::test
