#include <gtest/gtest.h>

#include "fakes/GameHarness.h"
#include "scores/HeroList.h"
#include "scores/HighList.h"
#include "scores/SameList.h"

namespace kelvarn::test {
namespace {

using EndSound = GameEdit::EndSound;

class NewRecordTest : public ::testing::Test {
  protected:
    // Places 1 to n hold "p1".. with the given scores; the rest are empty.
    void fillList(std::initializer_list<int> scores) {
        int k = 1;
        for (int s : scores) {
            h.game.heroList[k] = {"p" + std::to_string(k), s, "2020/1/" + std::to_string(k)};
            ++k;
        }
    }
    // The place offered for `score`, read from the title of the box, answered No.
    std::string offeredTitle(std::int32_t score) {
        h.dialogs.shown.clear();
        h.game.score = score;
        h.dialogs.answers.push_back(Answer::No);
        h.game.checkNewRecord();
        return h.dialogs.shown.empty() ? "" : h.dialogs.shown.front().title;
    }
    void acceptWithName(const std::string& name) {
        h.dialogs.answers.push_back(Answer::Yes);
        h.dialogs.inputs.push_back(name);
    }

    GameHarness h;
};

TEST_F(NewRecordTest, OfferedPlaceIsTheFirstWithAStrictlyLowerScore) {
    EXPECT_EQ(offeredTitle(1), "新的最高分 第1名") << "an empty list takes any positive score";
    fillList({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(offeredTitle(700), "新的最高分 第4名") << "the holder of an equal score stays ahead";
    EXPECT_EQ(offeredTitle(901), "新的最高分 第1名");
    EXPECT_EQ(offeredTitle(51), "新的最高分 第10名");
    EXPECT_EQ(offeredTitle(50), "");
    fillList({5, 900}); // out of order: place 1 is already lower
    EXPECT_EQ(offeredTitle(10), "新的最高分 第1名");
}

TEST_F(NewRecordTest, ZeroAndNegativeScoresNeverReachTheBox) {
    EXPECT_EQ(offeredTitle(0), "");
    EXPECT_EQ(offeredTitle(-40), "");
    EXPECT_FALSE(h.game.paused);
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    h.game.heroList[10].entryScore = -100; // even a place that a negative score would beat
    EXPECT_EQ(offeredTitle(0), "");
}

TEST_F(NewRecordTest, DecliningLeavesTheListButStopsTheGame) {
    fillList({2000, 1600, 1000});
    const HeroTable before = h.game.heroList;
    h.game.score = 1500;
    h.dialogs.answers.push_back(Answer::No);
    h.game.checkNewRecord();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    const ShownBox& box = h.dialogs.shown[0];
    EXPECT_EQ(box.text, "祝贺你！ 1500 是一个新的高分！\r\n你想记录下来吗？");
    EXPECT_EQ(box.title, "新的最高分 第3名");
    EXPECT_EQ(box.buttons, Buttons::YesNo);
    EXPECT_TRUE(sameList(h.game.heroList, before));
    EXPECT_FALSE(h.shell.mainWindowEnabled);
    EXPECT_TRUE(h.game.paused);
    EXPECT_FALSE(h.game.recordShown);
    EXPECT_FALSE(h.shell.mainWindowUnloaded);
    EXPECT_TRUE(h.shell.windowsShown.empty());
}

TEST_F(NewRecordTest, AcceptingMovesTheLowerPlacesDownAndHandsOverToTheList) {
    fillList({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    const HeroTable before = h.game.heroList;
    h.game.score = 1000;
    h.shell.date = "2026/12/8";
    acceptWithName(" 海 ");
    h.game.checkNewRecord();

    ASSERT_EQ(h.dialogs.shown.size(), 2u);
    EXPECT_TRUE(h.dialogs.shown[1].input);
    EXPECT_EQ(h.dialogs.shown[1].text, "请输入姓名：");
    EXPECT_EQ(h.dialogs.shown[1].title, "最高分:第 1名");
    EXPECT_EQ(h.game.heroList[1], (HeroEntry{" 海 ", 1000, "2026/12/8"})) << "stored as typed";
    for (int k = 2; k <= 10; ++k) {
        EXPECT_EQ(h.game.heroList[k], before[k - 1]) << "place " << k;
    }
    EXPECT_TRUE(h.shell.mainWindowUnloaded);
    EXPECT_EQ(h.sound.played, std::vector<std::string>{"end"}) << "the main window's farewell";
    ASSERT_EQ(h.shell.windowsShown.size(), 1u);
    EXPECT_EQ(h.shell.windowsShown[0], std::make_pair(WindowId::High, true));
    EXPECT_TRUE(h.game.recordShown);
    EXPECT_TRUE(h.game.paused);
    EXPECT_EQ(h.scores.saves, 0) << "the list window saves when it is left";

    GameHarness last;
    last.game.heroList = before;
    last.game.score = 60;
    last.dialogs.answers.push_back(Answer::Yes);
    last.dialogs.inputs.push_back("ten");
    last.game.checkNewRecord();
    HeroTable expected = before;
    expected[10] = {"ten", 60, last.shell.date};
    EXPECT_TRUE(sameList(last.game.heroList, expected)) << "at place 10 only place 10 changes";
}

// Only a name that the file stores exactly as typed is taken: 1 to 16 characters, with a GBK
// form and at most 16 bytes of it. The box comes back holding the longest beginning that fits.
TEST_F(NewRecordTest, TheNameBoxComesBackUntilTheNameFitsItsRecord) {
    h.game.score = 10;
    acceptWithName(""); // nothing, or a cancelled box
    h.dialogs.inputs.push_back(std::string(17, 'a'));
    h.dialogs.inputs.push_back("一二三四五六七八九");               // nine characters, 18 bytes
    h.dialogs.inputs.push_back("abc🙂");                          // no GBK form
    h.dialogs.inputs.push_back("한글");                             // no GBK form
    h.dialogs.inputs.push_back("ａｂｃｄｅｆｇｈｉ");               // full-width: 18 bytes
    h.dialogs.inputs.push_back("一二三四五六七八九十一二三四五六"); // 16 characters, 32 bytes
    h.dialogs.inputs.push_back(std::string(16, 'b'));
    h.game.checkNewRecord();

    EXPECT_TRUE(h.dialogs.inputs.empty());
    ASSERT_EQ(h.dialogs.shown.size(), 9u);
    for (std::size_t i = 1; i < h.dialogs.shown.size(); ++i) {
        EXPECT_EQ(h.dialogs.shown[i].text, "请输入姓名：");
        EXPECT_EQ(h.dialogs.shown[i].title, "最高分:第 1名");
    }
    EXPECT_EQ(h.game.heroList[1].entryName, std::string(16, 'b'));
    const std::vector<std::string> offered{"",    "", std::string(16, 'a'), "一二三四五六七八",
                                           "abc", "", "ａｂｃｄｅｆｇｈ",   "一二三四五六七八"};
    for (std::size_t i = 0; i < offered.size(); ++i) {
        EXPECT_EQ(h.dialogs.shown[i + 1].inputText, offered[i]) << "box " << i + 1;
    }

    // Eight Chinese characters fill the record exactly and are taken at once.
    GameHarness other;
    other.game.score = 10;
    other.dialogs.answers.push_back(Answer::Yes);
    other.dialogs.inputs.push_back("一二三四五六七八");
    other.game.checkNewRecord();
    EXPECT_EQ(other.game.heroList[1].entryName, "一二三四五六七八");
    other.game.saveHeroList();
    EXPECT_EQ(decodeHeroList(other.scores.bytes)[1].entryName, "一二三四五六七八");
}

struct HandOffCase {
    const char* name;
    EndSound endSound;
    std::int32_t score;
    bool accept;
    std::vector<std::string> sounds;
    bool listTakesOver;
};

class HandOffTest : public ::testing::TestWithParam<HandOffCase> {};

// Game over, the menu's exit and the exit label all hand the end of the program either to the
// list window (a record was entered) or straight to a save and the end.
TEST_P(HandOffTest, SavesAndEndsUnlessTheListWindowTakesOver) {
    const HandOffCase& c = GetParam();
    GameHarness h;
    h.game.paused = true;
    h.game.score = c.score;
    if (c.score != 0) {
        h.dialogs.answers.push_back(c.accept ? Answer::Yes : Answer::No);
        h.dialogs.inputs.push_back("Ann");
    }
    h.game.finishGame(c.endSound);

    EXPECT_EQ(h.sound.played, c.sounds);
    EXPECT_EQ(h.game.recordShown, c.listTakesOver);
    EXPECT_EQ(h.shell.ended, !c.listTakesOver);
    EXPECT_TRUE(h.game.gameEnded) << "no frame runs after the hand-off";
    if (c.listTakesOver) {
        EXPECT_EQ(h.scores.saves, 0);
        // Any later exit finds the list window in charge and does nothing.
        h.game.finishGame(c.endSound);
        EXPECT_EQ(h.sound.played, c.sounds);
        EXPECT_EQ(h.scores.saves, 0);
        EXPECT_FALSE(h.shell.ended);
        EXPECT_EQ(h.dialogs.shown.size(), 2u);
    } else {
        EXPECT_EQ(h.scores.saves, 1);
        EXPECT_EQ(h.scores.bytes.size(), HeroFileSize);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ExitPaths, HandOffTest,
    ::testing::Values(
        HandOffCase{"GameOverRecord", EndSound::Never, 50, true, {"end"}, true},
        HandOffCase{"GameOverDeclined", EndSound::Never, 50, false, {}, false},
        HandOffCase{"GameOverScoreZero", EndSound::Never, 0, false, {}, false},
        HandOffCase{
            "MenuExitRecord", EndSound::IfListWindowTakesOver, 50, true, {"end", "end"}, true},
        HandOffCase{"MenuExitDeclined", EndSound::IfListWindowTakesOver, 50, false, {}, false},
        HandOffCase{"MenuExitScoreZero", EndSound::IfListWindowTakesOver, 0, false, {}, false},
        HandOffCase{"ExitLabelRecord", EndSound::AfterCheck, 50, true, {"end", "end"}, true},
        HandOffCase{"ExitLabelDeclined", EndSound::AfterCheck, 50, false, {"end"}, false},
        HandOffCase{"ExitLabelScoreZero", EndSound::AfterCheck, 0, false, {"end"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HighList, ListTextHasTwoLinesPerPlace) {
    HeroTable list;
    list[1] = {"林海", -15, "2026/12/8"};
    const std::string text = heroListText(list);
    std::string expected = "1: 林海\r\n分数: -15  日期 2026/12/8\r\n";
    for (int i = 2; i <= 10; ++i) {
        expected += std::to_string(i) + ": \r\n分数: 0  日期 \r\n";
    }
    EXPECT_EQ(text, expected);
}

TEST(HighList, BackReturnsToTheGame) {
    GameHarness h;
    h.game.paused = true;
    h.shell.mainWindowEnabled = false;
    h.shell.mainWindowVisible = false;
    HighList(h.game).Command2_Click();
    EXPECT_TRUE(h.shell.mainWindowVisible);
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_FALSE(h.game.paused);
    EXPECT_FALSE(h.shell.ended);
}

// The new entry is saved by the window's own exit (see the widget tests).
TEST(HighList, ExitFromTheMenuEndsWithoutSaving) {
    GameHarness h;
    HighList(h.game).Command1_Click();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "感谢您使用本游戏！谢谢！");
    EXPECT_EQ(h.dialogs.shown[0].title, "退出");
    EXPECT_EQ(h.dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(h.sound.played, std::vector<std::string>{"end"});
    EXPECT_EQ(h.scores.saves, 0);
    EXPECT_TRUE(h.shell.ended);
}

} // namespace
} // namespace kelvarn::test
