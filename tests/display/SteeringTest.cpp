#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// A harness one frame past loading, so steering is live.
struct Steering : ::testing::Test {
    GameHarness h;
    GameEdit& g = h.game;
    void SetUp() override { h.frame(); }
};

TEST_F(Steering, FirstFrameAfterLoadingIgnoresAnArrow) {
    GameHarness fresh;
    fresh.keys.press(KeyLeft);
    fresh.frame();
    EXPECT_EQ(fresh.game.playerX, 200);
    EXPECT_EQ(fresh.game.playerVelocity, 0);
    EXPECT_FALSE(fresh.form.skipFirstStep);
    fresh.frame();
    EXPECT_EQ(fresh.game.playerX, 198);
}

TEST_F(Steering, HoldingAnArrowAcceleratesToTheLimitIn24Frames) {
    h.keys.press(KeyLeft);
    h.frame();
    EXPECT_EQ(g.playerVelocity, -15900);
    EXPECT_EQ(g.playerX, 198) << "-1.59 rounds to -2";
    EXPECT_EQ(g.facing, 1);
    EXPECT_EQ(g.statusText, "前进");
    EXPECT_EQ(g.speedGauge, 1);
    h.frames(22);
    EXPECT_GT(g.playerVelocity, -6 * FixedOne);
    h.frame();
    EXPECT_EQ(g.playerVelocity, -6 * FixedOne);
    EXPECT_EQ(g.speedGauge, 24);
}

// An arrow starts again from 1.5 whenever the velocity is not already beyond 1 its way: a start,
// a slow glide and a reversal are immediate, a faster glide is only sped up (x 1.06).
TEST_F(Steering, ArrowStartsAgainFromOnePointFiveUnlessAlreadyFasterThanOneItsWay) {
    struct Case {
        int key;
        Fixed before, after;
    };
    const Case cases[] = {
        {KeyLeft, -10000, -15900}, {KeyLeft, -10001, -10601}, {KeyLeft, 40000, -15900},
        {KeyRight, 10000, 15900},  {KeyRight, 10001, 10601},  {KeyRight, -40000, 15900},
    };
    for (const Case& c : cases) {
        g.playerVelocity = c.before;
        h.keys.press(c.key);
        h.frame();
        h.keys.release(c.key);
        EXPECT_EQ(g.playerVelocity, c.after)
            << (c.key == KeyLeft ? "left" : "right") << " from " << c.before;
        EXPECT_EQ(g.facing, c.key == KeyLeft ? 1 : 2);
    }
}

TEST_F(Steering, ThrusterReachesTheLimitInTheSecondFrame) {
    g.acceleration = 3;
    h.form.speedStep = 3;
    h.keys.press(KeyRight);
    h.frame();
    EXPECT_EQ(g.playerVelocity, 45000);
    EXPECT_EQ(g.playerX, 204) << "204.5 goes to the even neighbour";
    EXPECT_EQ(g.speedGauge, 3);
    g.playerX = 201;
    g.playerVelocity = 0;
    h.frame();
    EXPECT_EQ(g.playerX, 206) << "205.5 goes to the even neighbour";
    h.frame();
    EXPECT_EQ(g.playerVelocity, 6 * FixedOne);
}

TEST_F(Steering, ReleasedVesselGlidesTwentySixFramesThenStands) {
    g.playerX = 100;
    g.playerVelocity = 6 * FixedOne;
    g.speedGauge = 50;
    int moving = 0;
    for (int frame = 1; frame <= 40; ++frame) {
        const int before = g.playerX;
        h.frame();
        if (g.playerX != before) {
            EXPECT_EQ(moving, frame - 1) << "the glide never pauses and moves again";
            moving = frame;
        }
    }
    EXPECT_EQ(moving, 26);
    EXPECT_EQ(g.speedGauge, 0);
    EXPECT_GT(g.playerVelocity, 0) << "the stored velocity keeps shrinking toward 0";
    EXPECT_LT(g.playerVelocity, 5000);
}

TEST_F(Steering, VesselStaysOnTheBoardAndKeepsPushing) {
    g.playerX = 2;
    g.playerVelocity = -59000;
    h.keys.press(KeyLeft);
    h.frames(3);
    EXPECT_EQ(g.playerX, 0);
    EXPECT_EQ(g.playerVelocity, -6 * FixedOne);
    h.keys.release(KeyLeft);
    h.keys.press(KeyRight);
    g.playerX = 357;
    h.frames(40);
    EXPECT_EQ(g.playerX, 359);
    EXPECT_EQ(g.playerVelocity, 6 * FixedOne);
}

TEST_F(Steering, SpeedGaugeIsClampedAt100) {
    g.speedGauge = 99;
    h.form.speedStep = 3;
    h.keys.press(KeyLeft);
    h.frame();
    EXPECT_EQ(g.speedGauge, 100);
}

TEST_F(Steering, BothArrowsGoLeftAndAKeyPressResetsTheGauge) {
    h.keys.press(KeyLeft);
    h.keys.press(KeyRight);
    h.frames(5);
    EXPECT_EQ(g.facing, 1);
    EXPECT_LT(g.playerX, 200);
    EXPECT_EQ(g.speedGauge, 5);
    h.form.Form_KeyDown();
    EXPECT_EQ(g.speedGauge, 0);

    h.keys.release(KeyLeft);
    g.speedGauge = 7;
    h.form.Form_KeyDown();
    EXPECT_EQ(g.speedGauge, 7) << "one arrow alone does not reset it";
}

TEST_F(Steering, RepairFreezesTheVessel) {
    g.controlsEnabled = false;
    g.playerVelocity = 30000;
    h.keys.press(KeyLeft);
    h.frames(3);
    EXPECT_EQ(g.playerX, 200);
    EXPECT_EQ(g.playerVelocity, 30000);
}

TEST_F(Steering, KeyReleaseSetsTheStatusWord) {
    g.statusText = "修理中----";
    g.life = 4;
    h.form.Form_KeyUp(KeyLeft);
    EXPECT_EQ(g.statusText, "正常") << "four notches are not yet danger";
    g.life = 3;
    h.form.Form_KeyUp(KeyLeft);
    EXPECT_EQ(g.statusText, "危险");
    h.keys.press(KeySpace);
    h.form.Form_KeyUp(KeyLeft);
    EXPECT_EQ(g.statusText, "发炮");
    EXPECT_EQ(g.shellsInFlight, 1) << "releasing any key while the space bar is down fires";
}

TEST_F(Steering, SpaceFiresOnceOnReleaseAndHoldingFiresNoMore) {
    h.keys.press(KeySpace);
    h.form.Form_KeyDown(); // auto-repeat presses fire nothing
    h.form.Form_KeyDown();
    EXPECT_EQ(g.shellsInFlight, 0);
    h.keys.release(KeySpace);
    h.form.Form_KeyUp(KeySpace);
    EXPECT_EQ(g.shellsInFlight, 1);
    EXPECT_EQ(h.sound.count("put"), 1);
    h.ticks.now += 1000;
    h.form.Form_KeyUp(KeyLeft);
    EXPECT_EQ(g.shellsInFlight, 1) << "the space bar's latch was used up";
}

TEST_F(Steering, KeyReleaseExtras) {
    g.life = 17;
    h.form.Form_KeyUp(KeyA);
    EXPECT_EQ(g.life, 1);

    h.keys.tap(KeyUp);
    h.form.Form_KeyUp(KeyUp);
    EXPECT_EQ(h.sound.count("put"), 1);
    EXPECT_EQ(g.shellsInFlight, 0) << "the up arrow only makes the sound";

    g.speedGauge = 40;
    h.keys.tap(KeyRight);
    h.form.Form_KeyUp(KeyRight);
    EXPECT_EQ(g.speedGauge, 0);
}

TEST_F(Steering, KeyHandlersAreDeafWithoutKeyPreview) {
    h.form.keyPreview = false;
    g.life = 17;
    h.keys.tap(KeySpace);
    h.form.Form_KeyUp(KeyA);
    EXPECT_EQ(g.life, 17);
    EXPECT_EQ(g.shellsInFlight, 0);
    EXPECT_EQ(g.statusText, "正常");
    h.keys.press(KeyLeft);
    h.keys.press(KeyRight);
    g.speedGauge = 9;
    h.form.Form_KeyDown();
    EXPECT_EQ(g.speedGauge, 9);
}

} // namespace
} // namespace kelvarn::test
