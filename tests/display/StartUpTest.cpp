#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

TEST(StartUp, LoadsTheStartValues) {
    GameHarness h;
    const GameEdit& g = h.game;
    EXPECT_TRUE(g.controlsEnabled);
    EXPECT_EQ(g.maxShells, 6);
    EXPECT_EQ(g.shells, 6);
    EXPECT_EQ(g.shellsInFlight, 0);
    EXPECT_EQ(g.playerX, 200);
    EXPECT_EQ(g.playerY, 104);
    EXPECT_EQ(g.life, 20);
    EXPECT_TRUE(g.slowShells);
    EXPECT_EQ(g.statusText, "正常");
    EXPECT_TRUE(g.refillOn);
    EXPECT_DOUBLE_EQ(g.acceleration, 1.06);
    EXPECT_EQ(g.shotCost, 10);
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.bombBurstBase, 3);
    EXPECT_TRUE(g.planesMoving);
    EXPECT_EQ(g.score, 0);
    EXPECT_FALSE(g.paused);
    EXPECT_FALSE(g.recordShown);
    EXPECT_EQ(g.shellList.activeCount() + g.subList.activeCount() + g.planeList.activeCount() +
                  g.bombList.activeCount() + g.blastList.activeCount(),
              0);
    EXPECT_TRUE(h.form.skipFirstStep);
    EXPECT_EQ(h.form.speedStep, 1);
    EXPECT_FALSE(h.shell.isEnabled(Control::m2)) << "继续 starts greyed";
    EXPECT_TRUE(h.shell.isEnabled(Control::m1));
}

TEST(StartUp, FacingIsDrawnFromTheReseededGenerator) {
    GameHarness left(true, 0.49);
    EXPECT_EQ(left.game.facing, 1);
    EXPECT_GE(left.random.reseeds, 1);
    GameHarness right(true, 0.5);
    EXPECT_EQ(right.game.facing, 2);
}

TEST(StartUp, ClosingTheWindowPlaysTheClosingSound) {
    GameHarness h;
    h.form.Form_Unload();
    ASSERT_FALSE(h.sound.played.empty());
    EXPECT_EQ(h.sound.played.back(), "end");
}

} // namespace
} // namespace kelvarn::test
