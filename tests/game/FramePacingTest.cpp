#include <gtest/gtest.h>

#include <limits>

#include "game/FrameLoop.h"

namespace kelvarn {
namespace {

TEST(FramePacing, AFrameIsDueOnlyAfterMoreThan28Milliseconds) {
    FrameLoop loop;
    loop.start(1000);
    EXPECT_FALSE(loop.frameDue(1000));
    EXPECT_FALSE(loop.frameDue(1028));
    EXPECT_TRUE(loop.frameDue(1029));
    EXPECT_EQ(loop.msUntilDue(1000), 29u);
    EXPECT_EQ(loop.msUntilDue(1020), 9u);
    EXPECT_EQ(loop.msUntilDue(1029), 0u);
    EXPECT_EQ(loop.msUntilDue(5000), 0u) << "a late frame is not made up, it simply runs";
}

TEST(FramePacing, TheTickWrapIsHarmless) {
    constexpr std::uint32_t top = std::numeric_limits<std::uint32_t>::max();
    FrameLoop loop;
    loop.start(top - 10); // 11 ms before the counter wraps to 0
    EXPECT_FALSE(loop.frameDue(top));
    EXPECT_FALSE(loop.frameDue(17)); // 28 ms later, across the wrap
    EXPECT_TRUE(loop.frameDue(18));  // 29 ms later
    EXPECT_EQ(loop.msUntilDue(5), 13u);
}

struct NoSteps : FrameSteps {
    void DoK() override {}
    void Addammo() override {}
    void spawnSubmarine() override {}
    void spawnPlane() override {}
    void moveProjectiles() override {}
    void moveSubmarines() override {}
    void movePlanes() override {}
    void animateBlasts() override {}
    void dropBombs() override {}
    void Pb() override {}
    bool frameAborted() const override { return false; }
};

TEST(FramePacing, EachFrameIsMeasuredFromTheStartOfThePreviousOne) {
    NoSteps steps;
    FrameLoop loop;
    loop.start(0);
    loop.runFrame(steps, 40); // a slow start: the next frame counts from 40, not from 29
    EXPECT_EQ(loop.frameStart(), 40u);
    EXPECT_FALSE(loop.frameDue(68));
    EXPECT_TRUE(loop.frameDue(69));
}

TEST(FramePacing, APauseLetsTheWaitingFrameThroughAndHoldsTheNext) {
    NoSteps steps;
    FrameLoop loop;
    loop.start(0);
    loop.nextFrameWaits(false);
    EXPECT_TRUE(loop.pauseLetsFrameRun(true)) << "paused while the first frame waits";
    loop.runFrame(steps, 29);
    loop.nextFrameWaits(true);
    EXPECT_FALSE(loop.pauseLetsFrameRun(true)) << "the pause is in force as the frame ends";

    loop.nextFrameWaits(false); // resumed
    EXPECT_TRUE(loop.pauseLetsFrameRun(false));
    EXPECT_TRUE(loop.pauseLetsFrameRun(true)) << "paused again before that frame ran";
    loop.runFrame(steps, 100);
    loop.nextFrameWaits(false);
    EXPECT_TRUE(loop.pauseLetsFrameRun(false)) << "unpaused frames run on";

    FrameLoop enteredPaused;
    enteredPaused.start(0);
    enteredPaused.nextFrameWaits(true);
    EXPECT_FALSE(enteredPaused.pauseLetsFrameRun(true));
}

} // namespace
} // namespace kelvarn
