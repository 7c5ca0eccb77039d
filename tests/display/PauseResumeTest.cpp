#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// Usable only while the game runs; "继续" is the other way round.
const Control PlayingOnly[] = {Control::m1,      Control::mhero, Control::menu,
                               Control::picexit, Control::m3,    Control::fg,
                               Control::h,       Control::buy,   Control::shanbi};

void expectPlayingState(const GameHarness& h) {
    EXPECT_FALSE(h.game.paused);
    EXPECT_FALSE(h.shell.isEnabled(Control::m2)) << "继续";
    for (Control c : PlayingOnly) {
        EXPECT_TRUE(h.shell.isEnabled(c)) << "control " << int(c);
    }
    EXPECT_TRUE(h.form.keyPreview);
}

TEST(PauseResume, PauseAndResumeSwitchTheMenusAndTheKeys) {
    GameHarness h;
    expectPlayingState(h);

    h.commands.m1_Click();
    EXPECT_TRUE(h.game.paused);
    EXPECT_TRUE(h.shell.isEnabled(Control::m2));
    for (Control c : PlayingOnly) {
        EXPECT_FALSE(h.shell.isEnabled(c)) << "control " << int(c);
    }
    EXPECT_EQ(h.game.statusText, "暂停");
    EXPECT_FALSE(h.form.keyPreview) << "the space bar must not fire while paused";
    for (Control c :
         {Control::miji, Control::ammo, Control::spee, Control::speedsuper, Control::yuhui}) {
        EXPECT_TRUE(h.shell.isEnabled(c)) << "pause leaves control " << int(c) << " alone";
    }

    h.commands.m2_Click();
    expectPlayingState(h);
    EXPECT_EQ(h.game.statusText, "正常");
}

TEST(PauseResume, RepairEndingDuringAPauseFreesSteeringAndResumeSaysNormal) {
    GameHarness h;
    h.game.score = 1000;
    h.dialogs.answers = {Answer::Yes};
    h.commands.shanbi_Click();
    h.form.pause();

    h.form.Timer2_Timer(); // 12.7 s of wall-clock time, pause or not
    EXPECT_TRUE(h.game.controlsEnabled);
    EXPECT_FALSE(h.shell.timers[TimerId::Timer2]) << "one-shot";
    EXPECT_TRUE(h.game.paused);

    h.form.unpause();
    EXPECT_EQ(h.game.statusText, "正常");
}

TEST(PauseResume, RepairStillRunningAtResumeKeepsSteeringFrozen) {
    GameHarness h;
    h.game.score = 1000;
    h.dialogs.answers = {Answer::Yes};
    h.commands.shanbi_Click();
    h.form.pause();
    h.form.unpause();
    EXPECT_EQ(h.game.statusText, "正常");
    EXPECT_FALSE(h.game.controlsEnabled);
    EXPECT_TRUE(h.shell.timers[TimerId::Timer2]);
    h.form.Timer2_Timer();
    EXPECT_TRUE(h.game.controlsEnabled);
}

TEST(PauseResume, FreezeEndingDuringAPauseLetsPlanesFlyAfterResume) {
    GameHarness h;
    h.game.score = 1000;
    h.dialogs.answers = {Answer::Yes};
    h.commands.shirt_Click();
    h.form.pause();
    h.form.Timer3_Timer();
    EXPECT_TRUE(h.game.planesMoving);
    EXPECT_FALSE(h.shell.timers[TimerId::Timer3]) << "one-shot";
    EXPECT_TRUE(h.game.paused) << "the timer does not resume the game";
    EXPECT_EQ(h.game.statusText, "暂停");
}

// F2 is the repair's shortcut and F3 the free firing's; only the repair is greyed by a pause.
TEST(PauseResume, WhilePausedTheRepairIsGreyedButFreeFiringStillSells) {
    GameHarness h;
    h.game.score = 2000;
    h.form.pause();
    EXPECT_FALSE(h.shell.isEnabled(Control::shanbi));
    EXPECT_TRUE(h.shell.isEnabled(Control::yuhui));

    h.dialogs.answers = {Answer::Yes};
    h.commands.yuhui_Click();
    EXPECT_EQ(h.game.shotCost, 0);
    EXPECT_EQ(h.game.score, 700);
    EXPECT_TRUE(h.game.paused) << "a purchase does not resume the game";
    EXPECT_EQ(h.game.statusText, "暂停");
}

} // namespace
} // namespace kelvarn::test
