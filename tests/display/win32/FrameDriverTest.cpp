// The Windows frame driver on a game of fakes: the message loop hands it the frame timer's signal,
// the fake clock says what time it is, and the real waitable timer says when it was armed.
#include <windows.h>

#include <gtest/gtest.h>

#include "display/win32/FrameDriver.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

class Win32FrameDriver : public ::testing::Test {
  protected:
    GameHarness h{false};
    FrameDriver driver{h.form, h.ticks};

    void SetUp() override {
        h.random.push({0.25});
        h.form.Form_Load();
    }
    // True when the driver has asked to be woken within `ms` milliseconds.
    bool armedWithin(DWORD ms) { return WaitForSingleObject(driver.waitHandle(), ms) == 0; }
    // The loop entered 50 ms after loading, as Timer1 does.
    void enterLoop() {
        driver.startAfterLoad(50);
        ASSERT_TRUE(armedWithin(1000));
        driver.timerSignalled();
    }
};

TEST_F(Win32FrameDriver, FramesBeginMoreThan28MsApartAndTheTimerWakesForTheNext) {
    enterLoop();
    EXPECT_EQ(driver.framesRun(), 0);
    EXPECT_TRUE(armedWithin(1000));
    h.ticks.now += 28;
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 0) << "28 ms are not enough";
    h.ticks.now += 1;
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 1);
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 1) << "the next frame waits its 29 ms again";
    EXPECT_TRUE(armedWithin(1000));
}

TEST_F(Win32FrameDriver, APauseWhileAFrameWaitsLetsThatFrameThroughThenHoldsUntilTheResume) {
    enterLoop();
    h.commands.m1_Click(); // 暂停, while the first frame waits for its time
    h.ticks.now += 29;
    ASSERT_TRUE(armedWithin(1000));
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 1);
    EXPECT_EQ(h.game.statusText, "暂停");
    EXPECT_FALSE(armedWithin(100)) << "a paused game sleeps";
    h.ticks.now += 500;
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 1);

    h.commands.m2_Click(); // 继续 wakes the driver at once
    EXPECT_TRUE(armedWithin(1000));
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 2);
}

TEST_F(Win32FrameDriver, NoFrameWhileAMenuIsOpenOrAfterTheDriverStops) {
    enterLoop();
    driver.setMenuOpen(true);
    h.ticks.now += 100;
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 0);
    driver.setMenuOpen(false);
    EXPECT_TRUE(armedWithin(1000)) << "closing the menu wakes the driver";
    driver.timerSignalled();
    EXPECT_EQ(driver.framesRun(), 1);

    driver.stop();
    h.ticks.now += 100;
    driver.timerSignalled();
    driver.wake();
    EXPECT_EQ(driver.framesRun(), 1);
    EXPECT_FALSE(armedWithin(100));
}

TEST_F(Win32FrameDriver, ABoxOpenedInsideAFrameStartsNoOtherFrame) {
    enterLoop();
    int nested = 0;
    // A frame that ends the game shows its box; a loop dispatching messages under the box hands
    // the driver the timer's signal again.
    h.dialogs.whileOpen = [&] {
        h.ticks.now += 100;
        const int before = driver.framesRun();
        driver.timerSignalled();
        nested += driver.framesRun() - before;
    };
    h.dialogs.answers.push_back(Answer::No);
    h.ticks.now += 29;
    driver.timerSignalled(); // the vessel is in the hit layer now
    h.game.life = 1;
    h.game.bombList[1] = BombState{210, 108, true, 0}; // on its hull after the next step
    h.ticks.now += 29;
    driver.timerSignalled();
    ASSERT_FALSE(h.dialogs.shown.empty()) << "the bomb should end the game";
    EXPECT_EQ(nested, 0);
    EXPECT_FALSE(driver.running());
}

} // namespace
} // namespace kelvarn::test
