#include <gtest/gtest.h>

#include "commands/GameSnapshot.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

struct ShopItem {
    const char* caption;
    void (MenuCommands::*click)();
    const char* question;
    std::int32_t scoreAbove; // sold only above this score
    std::int32_t price;
};

const ShopItem Items[] = {
    {"炮弹", &MenuCommands::ammo_Click, "耗掉550分,炮弹暂时无限,继续?", 500, 550},
    {"补血包", &MenuCommands::bl_Click, "耗掉180分,继续?", 1, 180},
    {"定时机器", &MenuCommands::shirt_Click, "耗掉700分,敌人飞机暂时不动，继续?", 600, 700},
    {"火炮加速器", &MenuCommands::spee_Click, "耗掉1000分,继续?", 950, 1000},
    {"强力推进装置", &MenuCommands::speedsuper_Click, "耗掉950分,速度增加3倍,继续?", 900, 950},
    {"超级修理", &MenuCommands::shanbi_Click, "耗掉540分,生命达到30,需时间,继续?", 400, 540},
    {"特权待遇", &MenuCommands::yuhui_Click, "耗掉1300分,发炮不耗费分数，继续?", 1250, 1300},
};

TEST(Shop, EachItemAsksItsQuestionAndSellsOnlyAboveItsTestValue) {
    for (const ShopItem& item : Items) {
        SCOPED_TRACE(item.caption);

        GameHarness sold;
        sold.game.score = item.scoreAbove + 1;
        sold.dialogs.answers = {Answer::Yes};
        (sold.commands.*item.click)();
        ASSERT_EQ(sold.dialogs.shown.size(), 1u) << "no refusal after a sale";
        EXPECT_EQ(sold.dialogs.shown[0].text, item.question);
        EXPECT_EQ(sold.dialogs.shown[0].title, "使用物品");
        EXPECT_EQ(sold.dialogs.shown[0].buttons, Buttons::YesNo);
        EXPECT_EQ(sold.game.score, item.scoreAbove + 1 - item.price) << "the full price is taken";

        GameHarness refused;
        refused.game.score = item.scoreAbove;
        const GameSnapshot before = GameSnapshot::of(refused);
        refused.dialogs.answers = {Answer::Yes};
        (refused.commands.*item.click)();
        ASSERT_EQ(refused.dialogs.shown.size(), 2u);
        EXPECT_EQ(refused.dialogs.shown[1].text, "分数太底");
        EXPECT_EQ(refused.dialogs.shown[1].title, "禁止");
        EXPECT_EQ(refused.dialogs.shown[1].buttons, Buttons::Ok);
        EXPECT_EQ(GameSnapshot::of(refused), before) << "a refusal changes nothing";
    }
}

TEST(Shop, DecliningChangesNothingNotEvenTheStatusLine) {
    for (const ShopItem& item : Items) {
        SCOPED_TRACE(item.caption);
        GameHarness h;
        h.game.score = 5000;
        h.game.statusText = "前进";
        const GameSnapshot before = GameSnapshot::of(h);
        h.dialogs.answers = {Answer::No};
        (h.commands.*item.click)();
        EXPECT_EQ(h.dialogs.shown.size(), 1u) << "no refusal box after No";
        EXPECT_EQ(GameSnapshot::of(h), before);
    }
}

TEST(Shop, ShellsAtTheBoundariesOfTheirPrice) {
    GameHarness h;
    h.game.score = 550;
    h.dialogs.answers = {Answer::Yes};
    h.commands.ammo_Click();
    EXPECT_EQ(h.game.score, 0);
    EXPECT_EQ(h.game.shells, 26);
    EXPECT_FALSE(h.game.refillOn) << "the stock is above the ceiling; no refill until it runs low";
    EXPECT_FALSE(h.shell.isEnabled(Control::ammo)) << "shells are sold once per run";

    GameHarness below;
    below.game.score = 520;
    below.dialogs.answers = {Answer::Yes};
    below.commands.ammo_Click();
    EXPECT_EQ(below.game.score, -30) << "a sale may leave the score below zero";
}

TEST(Shop, HealthPackSellsFromTwoPointsAndCanBeBoughtAgain) {
    GameHarness h;
    h.game.score = 2;
    h.dialogs.answers = {Answer::Yes};
    h.commands.bl_Click();
    EXPECT_EQ(h.game.score, -178);
    EXPECT_EQ(h.game.life, 25);

    h.game.score = 400;
    h.dialogs.answers = {Answer::Yes, Answer::Yes};
    h.commands.bl_Click();
    h.commands.bl_Click();
    EXPECT_EQ(h.game.life, 35);
    EXPECT_EQ(h.game.score, 40);

    GameHarness poor;
    poor.game.score = 1;
    poor.dialogs.answers = {Answer::Yes};
    poor.commands.bl_Click();
    EXPECT_EQ(poor.game.life, 20);
    EXPECT_EQ(poor.game.score, 1);
}

TEST(Shop, RepairSetsLifeToThirtyAndFreezesSteeringUntilItsTimer) {
    for (int lifeBefore : {20, 45}) {
        GameHarness h;
        h.game.life = lifeBefore;
        h.game.score = 541;
        h.dialogs.answers = {Answer::Yes};
        h.commands.shanbi_Click();
        EXPECT_EQ(h.game.life, 30) << "from " << lifeBefore;
        EXPECT_EQ(h.game.score, 1);
        EXPECT_FALSE(h.game.controlsEnabled);
        EXPECT_EQ(h.game.statusText, "修理中----");
        EXPECT_TRUE(h.shell.timers[TimerId::Timer2]);
        EXPECT_TRUE(h.shell.isEnabled(Control::shanbi)) << "the repair can be bought again";
    }
}

TEST(Shop, TimedMachineStopsThePlanesUntilTimer3) {
    GameHarness h;
    h.game.score = 601;
    h.dialogs.answers = {Answer::Yes};
    h.commands.shirt_Click();
    EXPECT_FALSE(h.game.planesMoving);
    EXPECT_TRUE(h.shell.timers[TimerId::Timer3]);
    EXPECT_EQ(h.game.score, -99);
}

TEST(Shop, LastingPowerUpsAreSoldOnceAndTakeEffect) {
    GameHarness h;
    h.game.score = 10000;
    h.dialogs.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    h.commands.spee_Click();
    h.commands.speedsuper_Click();
    h.commands.yuhui_Click();
    EXPECT_FALSE(h.game.slowShells);
    EXPECT_DOUBLE_EQ(h.game.acceleration, 3.0);
    EXPECT_EQ(h.form.speedStep, 3);
    EXPECT_EQ(h.game.shotCost, 0);
    EXPECT_EQ(h.game.score, 10000 - 1000 - 950 - 1300);
    for (Control c : {Control::spee, Control::speedsuper, Control::yuhui}) {
        EXPECT_FALSE(h.shell.isEnabled(c));
    }
}

// The timers may tick while a question is up; the sale must work on what is there afterwards.
TEST(Shop, RepairBoughtAgainWhileTheFirstEndsDuringTheQuestion) {
    GameHarness h;
    h.game.score = 2000;
    h.dialogs.answers = {Answer::Yes};
    h.commands.shanbi_Click();
    h.game.life = 12;
    h.dialogs.whileOpen = [&h] { h.form.Timer2_Timer(); };
    h.dialogs.answers = {Answer::Yes};
    h.commands.shanbi_Click();
    EXPECT_FALSE(h.game.controlsEnabled);
    EXPECT_TRUE(h.shell.timers[TimerId::Timer2]);
    EXPECT_EQ(h.game.statusText, "修理中----");
    EXPECT_EQ(h.game.life, 30);
}

} // namespace
} // namespace kelvarn::test
