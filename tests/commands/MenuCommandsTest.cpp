#include <gtest/gtest.h>

#include "commands/GameSnapshot.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

TEST(MenuCommands, RestartAsksAndOnNoChangesNothing) {
    GameHarness h;
    h.game.score = 321;
    h.game.kills = 4;
    const GameSnapshot before = GameSnapshot::of(h);
    h.dialogs.answers = {Answer::No};
    h.commands.restart_Click();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "重新来?");
    EXPECT_EQ(h.dialogs.shown[0].title, "Kelvarn");
    EXPECT_EQ(h.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(GameSnapshot::of(h), before);
}

TEST(MenuCommands, RestartClearsTheRunButKeepsPowerUpsGreyedItemsAndTheField) {
    GameHarness h;
    h.game.score = 20000;
    h.dialogs.answers = {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes};
    h.commands.ammo_Click();
    h.commands.spee_Click();
    h.commands.speedsuper_Click();
    h.commands.yuhui_Click();
    h.commands.shirt_Click();
    h.dialogs.inputs = {"90576"};
    h.commands.miji_Click();
    h.commands.vv_Click();
    h.commands.asghhj_Click();
    h.game.kills = 9;
    h.game.shellsUsed = 40;
    h.game.level = 3;
    h.game.life = 2;
    h.game.lastKillPoints = 77;
    h.game.statusText = "危险";
    h.game.subList[4] = SubState{120, 200, true, 30, 1, 2, 0};
    h.game.subCount = 1;
    h.game.shells = 11;

    GameSnapshot expected = GameSnapshot::of(h);
    expected.score = 0;
    expected.life = 20;
    expected.kills = 0;
    expected.shellsUsed = 0;
    expected.level = 1;

    h.dialogs.answers = {Answer::Yes};
    h.commands.restart_Click();
    EXPECT_EQ(GameSnapshot::of(h), expected);
    EXPECT_EQ(h.game.lastKillPoints, 77);
    EXPECT_TRUE(h.game.subList[4].active);
    EXPECT_EQ(h.game.subCount, 1);
    EXPECT_EQ(h.form.boardTextColour, (Rgb{192, 192, 192}));
    for (Control c :
         {Control::ammo, Control::spee, Control::speedsuper, Control::yuhui, Control::miji}) {
        EXPECT_FALSE(h.shell.isEnabled(c)) << "control " << int(c) << " stays greyed";
    }
}

TEST(MenuCommands, RestartWhilePausedStaysPaused) {
    GameHarness h;
    h.form.pause();
    h.dialogs.answers = {Answer::Yes};
    h.commands.restart_Click();
    EXPECT_TRUE(h.game.paused);
    EXPECT_EQ(h.game.statusText, "暂停");
    EXPECT_TRUE(h.shell.isEnabled(Control::m2));
    EXPECT_FALSE(h.shell.isEnabled(Control::m1));
}

TEST(MenuCommands, MenuExitDeclinedLeavesTheGameRunning) {
    GameHarness h;
    h.game.score = 50;
    h.dialogs.answers = {Answer::No};
    h.commands.m3_Click();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "不玩了?");
    EXPECT_EQ(h.dialogs.shown[0].title, "退出");
    EXPECT_EQ(h.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_FALSE(h.game.paused);
    EXPECT_FALSE(h.shell.ended);
    EXPECT_EQ(h.scores.saves, 0);
    EXPECT_TRUE(h.sound.played.empty());
}

TEST(MenuCommands, MenuExitWithoutARecordSavesAndEndsWithoutTheClosingSound) {
    for (std::int32_t score : {0, 500}) {
        SCOPED_TRACE(score);
        GameHarness h;
        h.game.score = score;
        h.dialogs.answers = {Answer::Yes, Answer::No}; // quit; do not record the score
        h.commands.m3_Click();
        EXPECT_EQ(h.dialogs.shown[0].text, "不玩了?");
        EXPECT_EQ(h.dialogs.shown.size(), score == 0 ? 1u : 2u) << "a score of 0 is never offered";
        EXPECT_TRUE(h.game.paused);
        EXPECT_EQ(h.scores.saves, 1);
        EXPECT_TRUE(h.shell.ended);
        EXPECT_TRUE(h.sound.played.empty());
    }
}

TEST(MenuCommands, MenuExitWithARecordLeavesTheProgramToTheListWindow) {
    GameHarness h;
    h.game.score = 500;
    h.dialogs.answers = {Answer::Yes, Answer::Yes};
    h.dialogs.inputs = {"Ann"};
    h.commands.m3_Click();
    EXPECT_TRUE(h.shell.mainWindowUnloaded);
    EXPECT_EQ(h.shell.windowsShown,
              (std::vector<std::pair<WindowId, bool>>{{WindowId::High, true}}));
    EXPECT_EQ(h.sound.played, (std::vector<std::string>{"end", "end"}))
        << "the unloaded main window's, then the exit's own";
    EXPECT_FALSE(h.shell.ended);
    EXPECT_EQ(h.scores.saves, 0) << "the list window saves when it ends the program";
}

TEST(MenuCommands, ExitLabelNeverAsksAndSoundsBeforeItEnds) {
    GameHarness quiet;
    quiet.commands.picexit_Click();
    EXPECT_TRUE(quiet.dialogs.shown.empty());
    EXPECT_TRUE(quiet.game.paused);
    EXPECT_EQ(quiet.sound.played, std::vector<std::string>{"end"});
    EXPECT_EQ(quiet.scores.saves, 1);
    EXPECT_TRUE(quiet.shell.ended);

    GameHarness declined;
    declined.game.score = 40;
    declined.dialogs.answers = {Answer::No};
    std::size_t soundsDuringOffer = 99;
    declined.dialogs.whileOpen = [&declined, &soundsDuringOffer] {
        soundsDuringOffer = declined.sound.played.size();
    };
    declined.commands.picexit_Click();
    EXPECT_EQ(soundsDuringOffer, 0u) << "the record is offered first";
    EXPECT_EQ(declined.sound.played, std::vector<std::string>{"end"});
    EXPECT_TRUE(declined.shell.ended);
}

// Once the list window owns the end of the program, neither exit does anything but pause.
TEST(MenuCommands, ExitsLeaveTheEndToTheListWindowOnceARecordIsShown) {
    GameHarness h;
    h.game.score = 900;
    h.game.recordShown = true;
    h.dialogs.answers = {Answer::Yes};
    h.commands.m3_Click();
    EXPECT_TRUE(h.game.paused);
    h.game.paused = false;
    h.commands.picexit_Click();
    EXPECT_TRUE(h.game.paused);
    EXPECT_EQ(h.dialogs.shown.size(), 1u) << "only the exit question; no record offered";
    EXPECT_FALSE(h.shell.ended);
    EXPECT_EQ(h.scores.saves, 0);
    EXPECT_TRUE(h.sound.played.empty());
}

TEST(MenuCommands, WindowsThatStopTheGameDisableTheMainWindow) {
    struct Case {
        const char* caption;
        void (MenuCommands::*click)();
        WindowId window;
    };
    for (const Case& c : {Case{"英雄榜", &MenuCommands::mhero_Click, WindowId::High},
                          Case{"快速入门", &MenuCommands::h_Click, WindowId::Form2},
                          Case{"关于", &MenuCommands::fg_Click, WindowId::frmHelp}}) {
        SCOPED_TRACE(c.caption);
        GameHarness h;
        (h.commands.*c.click)();
        EXPECT_EQ(h.shell.windowsShown,
                  (std::vector<std::pair<WindowId, bool>>{{c.window, false}}));
        EXPECT_FALSE(h.shell.mainWindowEnabled);
        EXPECT_TRUE(h.game.paused);
        EXPECT_TRUE(h.shell.isEnabled(Control::m1)) << "the menus stay in their playing state";
    }
}

} // namespace
} // namespace kelvarn::test
