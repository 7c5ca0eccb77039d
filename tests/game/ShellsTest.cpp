#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// Releasing the space bar fires, as the player does it.
void fire(GameHarness& h) {
    h.keys.tap(KeySpace);
    h.form.Form_KeyUp(KeySpace);
}

TEST(Firing, ChargesAndLaunchesFromTheMiddleOfTheVessel) {
    GameHarness h;
    h.game.refillOn = false;
    fire(h);
    const GameEdit& g = h.game;
    ASSERT_TRUE(g.shellList[1].active);
    EXPECT_EQ(g.shellList[1].x, 226);
    EXPECT_EQ(g.shellList[1].y, 118);
    EXPECT_EQ(g.shells, 5);
    EXPECT_TRUE(g.refillOn);
    EXPECT_EQ(g.shellsInFlight, 1);
    EXPECT_EQ(g.shellsUsed, 1);
    EXPECT_EQ(g.score, -10);
    EXPECT_EQ(g.lastShotTime, Fixed(h.ticks.now) * FixedOne);

    h.ticks.now += 300;
    h.game.playerX = 201; // 227.5 goes to the even 228
    fire(h);
    EXPECT_EQ(g.shellList[2].x, 228);
}

TEST(Firing, CoolDownIsThreeHundredMilliseconds) {
    GameHarness h;
    fire(h);
    h.ticks.now += 299;
    fire(h);
    EXPECT_EQ(h.game.shellsInFlight, 1);
    EXPECT_EQ(h.game.score, -10);
    h.ticks.now += 1;
    fire(h);
    EXPECT_EQ(h.game.shellsInFlight, 2);
}

TEST(Firing, CoolDownSurvivesTheTickCounterWrapping) {
    GameHarness h;
    h.ticks.now = 0xFFFFFF00u;
    fire(h);
    ASSERT_EQ(h.game.shellsInFlight, 1);
    h.ticks.now = 0xFFFFFF00u + 299u; // wrapped: 43
    fire(h);
    EXPECT_EQ(h.game.shellsInFlight, 1);
    h.ticks.now = 0xFFFFFF00u + 300u;
    fire(h);
    EXPECT_EQ(h.game.shellsInFlight, 2);
    EXPECT_EQ(h.game.lastShotTime, Fixed(44) * FixedOne);
}

TEST(Firing, RefusedShotChangesNothing) {
    GameHarness h;
    h.game.shells = 0;
    fire(h);
    EXPECT_EQ(h.game.shellsInFlight, 0);
    EXPECT_EQ(h.game.score, 0);
    EXPECT_EQ(h.game.shellsUsed, 0);
    EXPECT_EQ(h.game.lastShotTime, 0);
    EXPECT_EQ(h.sound.count("put"), 1) << "the launch sound plays anyway";
    EXPECT_EQ(h.game.statusText, "发炮");

    // Thirty shells in the water is the limit.
    h.game.shells = 50;
    for (int i = 0; i < 31; ++i) {
        h.ticks.now += 300;
        fire(h);
    }
    EXPECT_EQ(h.game.shellsInFlight, 30);
    EXPECT_EQ(h.game.shells, 20);
    EXPECT_EQ(h.game.shellsUsed, 30);
}

TEST(Firing, BoughtStockLeavesTheRefillOffUntilItRunsLow) {
    GameHarness h;
    h.game.refillOn = false;
    h.game.shells = 20;
    for (int i = 0; i < 14; ++i) {
        h.ticks.now += 300;
        fire(h);
    }
    EXPECT_EQ(h.game.shells, 6);
    EXPECT_FALSE(h.game.refillOn);
    h.ticks.now += 300;
    fire(h);
    EXPECT_TRUE(h.game.refillOn);
}

TEST(ShellSinking, TwoRowsAFrameUntilRow362) {
    GameHarness h;
    fire(h);
    const ShellState& s = h.game.shellList[1];
    for (int frame = 1; frame <= 121; ++frame) {
        h.frame();
        ASSERT_TRUE(s.active) << "frame " << frame;
        ASSERT_EQ(s.y, 118 + 2 * frame);
    }
    EXPECT_EQ(s.y, 360);
    h.frame();
    EXPECT_FALSE(s.active);
    EXPECT_EQ(h.game.shellsInFlight, 0);
    EXPECT_EQ(h.sound.count("explo"), 0) << "sinking out is silent";
}

TEST(ShellSinking, FastShellsSinkFiveRows) {
    GameHarness h;
    h.game.slowShells = false;
    fire(h);
    h.frames(3);
    EXPECT_EQ(h.game.shellList[1].y, 133);
}

// A submarine started at the left edge at depth 200 and speed 1; frames are run until it stands
// at `x` when the shell is fired (frame f leaves it at f - 52).
void submarineAndShell(GameHarness& h, int subXAtFire) {
    h.frames(15);
    h.random.push({0.0, 0.35, 0.2});
    h.frames(subXAtFire + 52 - 15);
    ASSERT_EQ(h.game.subList[1].x, subXAtFire);
    ASSERT_EQ(h.game.subList[1].y, 200);
    fire(h);
}

TEST(ShellHit, FrontOfASubmarineDestroysIt) {
    GameHarness h;
    submarineAndShell(h, 172);
    // The shell's lower right corner reaches the submarine's drawing (row 201) in frame 39, when
    // the hit layer shows the submarine at x = 172 + 38 = 210: inside its front rectangle.
    h.frames(38);
    ASSERT_TRUE(h.game.shellList[1].active);
    ASSERT_EQ(h.game.subList[1].sinkFrame, 0);
    h.frame();
    EXPECT_FALSE(h.game.shellList[1].active);
    EXPECT_EQ(h.game.shellsInFlight, 0);
    EXPECT_EQ(h.game.kills, 1);
    EXPECT_EQ(h.game.lastKillPoints, 40);
    EXPECT_EQ(h.game.score, 30);
    EXPECT_EQ(h.game.subCount, 0);
    EXPECT_EQ(h.game.subList[1].sinkFrame, 2) << "hit, then sunk once in the same frame";
    EXPECT_EQ(h.game.subList[1].y, 203);
    EXPECT_EQ(h.sound.count("explo"), 1);
    const BlastState& b = h.game.blastList[1];
    EXPECT_TRUE(b.active);
    EXPECT_EQ(b.x, 226 - 30);
    EXPECT_EQ(b.y, 196 - 25);
    EXPECT_EQ(b.frame, 1);
}

TEST(ShellHit, RearOfASubmarineOnlyExplodesTheShell) {
    GameHarness h;
    submarineAndShell(h, 142); // x = 180 at contact: the corner at 232 is past x + 35
    h.frames(39);
    EXPECT_FALSE(h.game.shellList[1].active);
    EXPECT_EQ(h.game.shellsInFlight, 0);
    EXPECT_TRUE(h.game.blastList[1].active);
    EXPECT_EQ(h.game.kills, 0);
    EXPECT_EQ(h.game.subList[1].sinkFrame, 0);
    EXPECT_EQ(h.game.subList[1].x, 181);
    EXPECT_EQ(h.game.subCount, 1);
    EXPECT_EQ(h.game.score, -10);
}

TEST(ShellHit, ShellsPassThroughAWreck) {
    GameHarness h;
    submarineAndShell(h, 172);
    h.frames(39);
    ASSERT_EQ(h.game.kills, 1);
    // A second shell right inside the sinking wreck's drawing finds nothing in the hit layer.
    const SubState& wreck = h.game.subList[1];
    ShellState& s = h.game.shellList[1];
    s = ShellState{wreck.x + 10, wreck.y + 2, true};
    h.game.shellsInFlight = 1;
    h.frame();
    EXPECT_TRUE(s.active);
    EXPECT_EQ(h.game.kills, 1);
    EXPECT_EQ(h.game.blastList.activeCount(), 1);
}

TEST(ShellHit, EverySubmarineUnderTheCornerIsStruckWrecksIncluded) {
    GameHarness h;
    GameEdit& g = h.game;
    g.subList[1] = SubState{100, 200, true, 60, 1, 1, 0}; // cruising, in the hit layer
    g.subList[2] = SubState{95, 198, true, 0, 1, 0, 3};   // a wreck around the same point
    g.subList[3] = SubState{90, 195, true, 70, 2, 2, 0};  // cruising, also covering it
    g.subCount = 2;
    h.form.Pb();
    g.shellList[1] = ShellState{105, 202, true};
    g.shellsInFlight = 1;
    g.testShellHit(1);
    EXPECT_FALSE(g.shellList[1].active);
    EXPECT_EQ(g.kills, 3);
    EXPECT_EQ(g.score, 130);
    EXPECT_EQ(g.lastKillPoints, 70) << "the last slot struck sets it";
    EXPECT_EQ(g.subList[2].sinkFrame, 1) << "the wreck starts sinking again";
    EXPECT_EQ(g.subCount, -1);
    EXPECT_EQ(h.sound.count("explo"), 1) << "one explosion for the one shell";
}

TEST(ShellHit, PointsOffTheLayerAreNotHits) {
    GameHarness h;
    GameEdit& g = h.game;
    // Shells at the layer's bottom and right edges: the corners outside read as no colour.
    g.shellList[1] = ShellState{100, 356, true};
    g.shellList[2] = ShellState{396, 200, true};
    g.shellsInFlight = 2;
    h.form.Pb();
    g.testShellHit(1);
    g.testShellHit(2);
    EXPECT_EQ(g.shellsInFlight, 2);
    EXPECT_EQ(g.blastList.activeCount(), 0);
}

TEST(Explosions, LiveElevenPaintedFramesAndTheEleventhTakesTheLastSlot) {
    GameHarness h;
    GameEdit& g = h.game;
    for (int i = 0; i < 10; ++i) {
        g.startBlast(100 + i, 200);
    }
    EXPECT_EQ(g.blastList[10].x, 79);
    g.animateBlasts();
    g.startBlast(300, 300);
    EXPECT_EQ(g.blastList.activeCount(), 10);
    EXPECT_EQ(g.blastList[10].x, 270);
    EXPECT_EQ(g.blastList[10].y, 275);
    EXPECT_EQ(g.blastList[10].frame, 0);
    EXPECT_EQ(g.blastList[9].frame, 1);
    EXPECT_EQ(h.sound.count("explo"), 11);

    for (int i = 0; i < 10; ++i) {
        g.animateBlasts();
    }
    EXPECT_EQ(g.blastList[1].frame, 11);
    EXPECT_EQ(g.blastList[10].frame, 10);
    g.animateBlasts();
    EXPECT_FALSE(g.blastList[1].active);
    EXPECT_EQ(g.blastList[1].x, 0);
    EXPECT_TRUE(g.blastList[10].active);
    g.animateBlasts();
    EXPECT_EQ(g.blastList.activeCount(), 0);
}

} // namespace
} // namespace kelvarn::test
