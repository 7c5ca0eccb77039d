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

TEST(TitleBarClose, WithoutARecordSavesThePlainListAndEnds) {
    GameHarness h;
    h.form.closeFromTitleBar();
    EXPECT_TRUE(h.game.paused);
    EXPECT_EQ(h.sound.played, std::vector<std::string>{"end"});
    EXPECT_EQ(h.scores.saves, 1);
    EXPECT_EQ(h.scores.bytes.size(), 540u);
    EXPECT_TRUE(h.shell.ended);
    EXPECT_TRUE(h.dialogs.shown.empty()) << "a score of 0 is never offered";
}

TEST(TitleBarClose, OffersAScoreThatMakesTheListBeforeLeaving) {
    GameHarness h;
    h.game.score = 700;
    h.dialogs.answers.push_back(Answer::Yes);
    h.dialogs.inputs.push_back("舰长");
    h.form.closeFromTitleBar();
    EXPECT_TRUE(h.game.recordShown);
    EXPECT_FALSE(h.shell.ended) << "the list window ends the program";
    EXPECT_TRUE(h.game.gameEnded) << "no frame runs into the closed window";
    EXPECT_EQ(h.shell.unloadCount, 1);
    EXPECT_EQ(h.sound.count("end"), 1);
    EXPECT_EQ(h.game.heroList[1].entryName, "舰长");
    EXPECT_EQ(h.game.heroList[1].entryScore, 700);
}

} // namespace
} // namespace kelvarn::test
