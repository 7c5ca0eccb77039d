#include <gtest/gtest.h>

#include "commands/GameSnapshot.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

const char* const Prompt = "若您已获得密码，请输入密码，若没有，请登陆我的网站或发邮件索取密码";

// Types `answer` into the cheat box; records whether the main window was disabled meanwhile.
struct CheatAttempt {
    GameHarness& h;
    bool mainWindowEnabledDuringInput = true;
    explicit CheatAttempt(GameHarness& harness, const std::string& answer) : h(harness) {
        h.dialogs.inputs = {answer};
        h.dialogs.shown.clear();
        h.dialogs.whileOpen = [this] {
            if (h.dialogs.shown.back().input) {
                mainWindowEnabledDuringInput = h.shell.mainWindowEnabled;
            }
        };
        h.commands.miji_Click();
        h.dialogs.whileOpen = nullptr;
    }
};

TEST(CheatCodes, EachCodeGrantsItsBonusOnceAndGreysTheItem) {
    struct Case {
        const char* code;
        const char* message;
    };
    for (const Case& c :
         {Case{"48213", "这个密码使你生命加20"}, Case{"90576", "这个密码使你的炮弹为12个"},
          Case{"15842", "这个密码使你的分数升到2000"}}) {
        SCOPED_TRACE(c.code);
        GameHarness h;
        h.game.score = 130;
        h.game.paused = true; // as a window would have left it
        CheatAttempt attempt(h, c.code);

        ASSERT_EQ(h.dialogs.shown.size(), 2u);
        EXPECT_TRUE(h.dialogs.shown[0].input);
        EXPECT_EQ(h.dialogs.shown[0].text, Prompt);
        EXPECT_EQ(h.dialogs.shown[0].title, "获取秘籍");
        EXPECT_EQ(h.dialogs.shown[1].text, c.message);
        EXPECT_EQ(h.dialogs.shown[1].title, "成功");
        EXPECT_EQ(h.dialogs.shown[1].buttons, Buttons::Ok);

        EXPECT_FALSE(attempt.mainWindowEnabledDuringInput);
        EXPECT_TRUE(h.shell.mainWindowEnabled);
        EXPECT_FALSE(h.game.paused);
        EXPECT_FALSE(h.shell.isEnabled(Control::miji)) << "one code per run";
        EXPECT_TRUE(h.sound.played.empty());
    }
}

TEST(CheatCodes, BonusesAreWhatTheMessagesSay) {
    GameHarness life;
    life.game.life = 7;
    CheatAttempt(life, "48213");
    EXPECT_EQ(life.game.life, 27);

    GameHarness score;
    score.game.score = 3500;
    CheatAttempt(score, "15842");
    EXPECT_EQ(score.game.score, 2000) << "set, not added, so a higher score comes down";
}

TEST(CheatCodes, TwelveShellCodeRaisesOnlyTheRefillCeiling) {
    GameHarness h;
    h.game.shells = 3;
    CheatAttempt(h, "90576");
    EXPECT_EQ(h.game.maxShells, 12);
    EXPECT_EQ(h.game.shells, 3);
    for (int i = 0; i < 20; ++i) {
        h.form.Addammo();
    }
    EXPECT_EQ(h.game.shells, 12);
}

TEST(CheatCodes, AnythingButAnExactCodeIsRefusedWithASound) {
    for (const char* answer : {"", " 48213", "48213 ", "482 13", "４８２１３", "4821", "482130"}) {
        SCOPED_TRACE(std::string("answer \"") + answer + "\"");
        GameHarness h;
        h.game.score = 100;
        const GameSnapshot before = GameSnapshot::of(h);
        std::size_t soundsAtRefusal = 0;
        h.dialogs.inputs = {answer};
        h.dialogs.whileOpen = [&h, &soundsAtRefusal] {
            if (!h.dialogs.shown.back().input) {
                soundsAtRefusal = h.sound.played.size();
            }
        };
        h.commands.miji_Click();

        ASSERT_EQ(h.dialogs.shown.size(), 2u);
        EXPECT_EQ(h.dialogs.shown[1].text, "密码错误");
        EXPECT_EQ(h.dialogs.shown[1].title, "失败");
        EXPECT_EQ(h.dialogs.shown[1].buttons, Buttons::Ok);
        EXPECT_EQ(h.sound.played, std::vector<std::string>{"error"});
        EXPECT_EQ(soundsAtRefusal, 1u) << "the sound comes before the box";
        EXPECT_EQ(GameSnapshot::of(h), before) << "main window enabled again, item still usable";
    }
}

TEST(CheatCodes, AWrongAnswerCanBeFollowedAtOnceByTheRightOne) {
    GameHarness h;
    CheatAttempt(h, "12345");
    EXPECT_TRUE(h.shell.isEnabled(Control::miji));
    CheatAttempt(h, "48213");
    EXPECT_EQ(h.game.life, 40);
    EXPECT_FALSE(h.shell.isEnabled(Control::miji));
}

} // namespace
} // namespace kelvarn::test
