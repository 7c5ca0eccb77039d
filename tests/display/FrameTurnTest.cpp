// One turn of a frame driver, as both window toolkits take it: the frame runs only when it is due,
// a pause in force when it ends holds the next one, and a frame that ends the game says so.
#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

TEST(FrameTurn, AFrameRunsWhenDueAndAPauseAtItsEndHoldsTheNext) {
    GameHarness h;
    h.ticks.now += 28;
    FrameTurn turn = h.form.runDueFrame(h.ticks.now);
    EXPECT_EQ(turn.outcome, FrameTurn::NotDue);
    EXPECT_EQ(turn.waitMs, 1u);
    EXPECT_EQ(h.form.framesRun(), 0);
    EXPECT_TRUE(h.text.lines.empty()) << "nothing painted before the frame is due";

    h.ticks.now += 1;
    EXPECT_EQ(h.form.runDueFrame(h.ticks.now).outcome, FrameTurn::Ran);
    EXPECT_EQ(h.form.framesRun(), 1);
    EXPECT_EQ(h.form.loop.frameStart(), h.ticks.now);
    EXPECT_FALSE(h.text.lines.empty()) << "the frame painted the board";
    EXPECT_TRUE(h.form.loop.pauseLetsFrameRun(true)) << "play ran on when the frame ended";
    turn = h.form.runDueFrame(h.ticks.now + 5);
    EXPECT_EQ(turn.outcome, FrameTurn::NotDue);
    EXPECT_EQ(turn.waitMs, 24u);

    h.commands.m1_Click();
    h.ticks.now += 29;
    EXPECT_EQ(h.form.runDueFrame(h.ticks.now).outcome, FrameTurn::Ran)
        << "the frame that waited when the pause came";
    EXPECT_EQ(h.game.statusText, "暂停");
    EXPECT_FALSE(h.form.loop.pauseLetsFrameRun(true)) << "the pause holds the frame after it";
}

TEST(FrameTurn, AFrameThatEndsTheGameSaysSoAndIsInsideItsFrameWhileTheBoxIsUp) {
    GameHarness h;
    h.frame(); // the vessel is in the hit layer now
    h.game.life = 1;
    h.game.bombList[1] = BombState{210, 108, true, 0}; // on its hull after the next step
    bool insideWhileBoxUp = false;
    h.dialogs.whileOpen = [&] { insideWhileBoxUp = h.form.inFrame(); };
    h.dialogs.answers.push_back(Answer::No);
    h.ticks.now += 29;
    EXPECT_EQ(h.form.runDueFrame(h.ticks.now).outcome, FrameTurn::Ended);
    ASSERT_FALSE(h.dialogs.shown.empty()) << "the bomb should end the game";
    EXPECT_TRUE(insideWhileBoxUp);
    EXPECT_FALSE(h.form.inFrame());
}

} // namespace
} // namespace kelvarn::test
