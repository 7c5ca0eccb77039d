// The Windows timers of the timed effects on the fake clock: the message loop's waitable timer
// wakes it for the next due time, and a box's message loop, which never waits on that handle,
// still ends the effect through the standby window timer.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "display/win32/EffectTimerDriver.h"
#include "fakes/Fakes.h"

namespace kelvarn::test {
namespace {

struct Win32EffectTimers : ::testing::Test {
    FakeTicks ticks;
    std::vector<TimerId> fired;
    EffectTimerDriver driver{ticks, [this](TimerId t) {
                                 fired.push_back(t);
                                 driver.setEnabled(t, false); // as the handlers do
                             }};
    bool armedWithin(DWORD ms) { return WaitForSingleObject(driver.waitHandle(), ms) == 0; }
};

TEST_F(Win32EffectTimers, TheLoopIsWokenForTheDueTimeAndTheHandlerRunsOnce) {
    ticks.now = 5000;
    driver.setEnabled(TimerId::Timer2, true);
    EXPECT_FALSE(armedWithin(50)) << "12.7 s to go";
    ticks.now += 12699;
    driver.check();
    EXPECT_TRUE(fired.empty());
    EXPECT_TRUE(armedWithin(1000)) << "woken again for the last millisecond";
    ticks.now += 1;
    driver.check();
    driver.check();
    EXPECT_EQ(fired, std::vector<TimerId>{TimerId::Timer2});
    EXPECT_FALSE(driver.running(TimerId::Timer2));
    EXPECT_FALSE(armedWithin(50)) << "nothing left to wait for";
}

TEST_F(Win32EffectTimers, ABoxsMessageLoopEndsTheEffectToo) {
    driver.setEnabled(TimerId::Timer3, true);
    ticks.now += 20000;
    driver.setEnabled(TimerId::Timer2, true); // re-arms for what is due now
    MSG msg;
    const DWORD until = GetTickCount() + 2000;
    while (fired.empty() && GetTickCount() < until) {
        // What a modal loop does: dispatch every message of the thread, nothing else.
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    EXPECT_EQ(fired, std::vector<TimerId>{TimerId::Timer3});
    EXPECT_TRUE(driver.running(TimerId::Timer2));
}

} // namespace
} // namespace kelvarn::test
