#include <gtest/gtest.h>

#include <vector>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

PlaneState& flying(GameHarness& h, int slot, int x, int y, int direction) {
    PlaneState& p = h.game.planeList[slot];
    p = PlaneState{x, y, true, direction, 4, 0, false};
    return p;
}

TEST(PlaneSpawn, OneAttemptInSixAndAHalfStartsAPlane) {
    GameHarness h;
    h.random.push({0.154}); // 20.02
    h.game.spawnPlane();
    EXPECT_EQ(h.game.planeCount, 0);
    h.random.push({0.15384615384615383}); // below 20 in double precision, exactly 20 in single
    h.game.spawnPlane();
    EXPECT_EQ(h.game.planeCount, 0);

    h.random.push({0.15, 0.3, 0.999}); // starts; left side; a fresh draw for the height
    h.game.spawnPlane();
    const PlaneState& p = h.game.planeList[1];
    EXPECT_EQ(h.game.planeCount, 1);
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.x, -82);
    EXPECT_EQ(p.direction, 2);
    EXPECT_EQ(p.y, 39);
    EXPECT_EQ(p.speed, 4);
    EXPECT_FALSE(p.hasBombed);

    h.random.push({0.0, 0.5, 0.0});
    h.game.spawnPlane();
    EXPECT_EQ(h.game.planeList[2].x, 414);
    EXPECT_EQ(h.game.planeList[2].direction, 1);
    EXPECT_EQ(h.game.planeList[2].y, 5);

    h.game.planeCount = 10;
    h.random.push({0.0, 0.5, 0.0});
    h.game.spawnPlane();
    EXPECT_EQ(h.game.planeList.activeCount(), 2);
    EXPECT_EQ(h.random.queue.size(), 3u);
}

TEST(PlaneFlight, CrossesAtFourPixelsAndLeavesPastTheEdge) {
    GameHarness h;
    flying(h, 1, -82, 10, 2);
    h.game.planeCount = 1;
    for (int i = 0; i < 124; ++i) {
        h.game.movePlanes();
    }
    EXPECT_EQ(h.game.planeList[1].x, 414);
    h.game.movePlanes();
    EXPECT_FALSE(h.game.planeList[1].active);
    EXPECT_EQ(h.game.planeCount, 0);

    flying(h, 2, 300, 10, 1);
    h.game.planesMoving = false;
    h.game.movePlanes();
    EXPECT_EQ(h.game.planeList[2].x, 300);
}

TEST(Bursts, StartOnlyWithTheLeftEdgeStrictlyOverTheVessel) {
    GameHarness h; // vessel at 200
    for (int x : {200, 250}) {
        flying(h, 1, x, 10, 1);
        h.game.dropBombs();
        EXPECT_FALSE(h.game.planeList[1].hasBombed) << x;
        EXPECT_EQ(h.game.bombList.activeCount(), 0) << x;
    }
    for (int x : {201, 249}) {
        GameHarness g;
        flying(g, 1, x, 10, 1);
        g.random.push({0.0});
        g.game.dropBombs();
        EXPECT_TRUE(g.game.planeList[1].hasBombed) << x;
        EXPECT_EQ(g.game.planeList[1].bombsLeft, 2) << "three bombs, one dropped";
    }
}

TEST(Bursts, OneBombAFrameFromBelowThePlane) {
    GameHarness h;
    h.game.bombBurstBase = 20;
    PlaneState& left = flying(h, 1, 220, 10, 1);
    PlaneState& right = flying(h, 2, 230, 30, 2);
    h.random.push({0.99, 0.0}); // 24 and 20 bombs
    h.game.dropBombs();
    EXPECT_EQ(h.game.bombBurstRange, 5);
    EXPECT_EQ(left.bombsLeft, 23);
    EXPECT_EQ(right.bombsLeft, 19);
    const BombState& a = h.game.bombList[1];
    EXPECT_EQ(a.x, 240);
    EXPECT_EQ(a.y, 24);
    EXPECT_EQ(a.driftX, -4 * FixedOne);
    const BombState& b = h.game.bombList[2];
    EXPECT_EQ(b.x, 234);
    EXPECT_EQ(b.y, 44);
    EXPECT_EQ(b.driftX, 4 * FixedOne);

    // Frozen planes go on dropping the rest of the burst from where they hang.
    h.game.planesMoving = false;
    for (int i = 0; i < 19; ++i) {
        h.game.movePlanes();
        h.game.dropBombs();
    }
    EXPECT_EQ(right.bombsLeft, 0);
    EXPECT_EQ(left.bombsLeft, 4);
    EXPECT_EQ(h.game.bombList.activeCount(), 30) << "no bomb has moved yet";
    EXPECT_EQ(h.game.bombList[30].x, 234) << "the last slot is taken over, again and again";

    // A plane bombs once in its life.
    h.game.dropBombs();
    h.game.dropBombs();
    h.game.dropBombs();
    h.game.dropBombs();
    h.game.dropBombs();
    EXPECT_EQ(left.bombsLeft, 0);
    EXPECT_TRUE(left.hasBombed);
    EXPECT_EQ(h.random.queue.size(), 0u);
}

TEST(Bursts, EndWhenThePlaneLeavesWhileItsBombsFallOn) {
    GameHarness h;
    h.game.bombBurstBase = 40;
    h.game.playerX = 359;
    PlaneState& p = flying(h, 1, 400, 10, 2);
    h.game.planeCount = 1;
    h.random.push({0.0});
    h.game.dropBombs();
    h.game.movePlanes(); // 404
    h.game.dropBombs();
    h.game.movePlanes(); // 408
    h.game.dropBombs();
    h.game.movePlanes(); // 412
    h.game.dropBombs();
    h.game.movePlanes(); // 416: gone, and its burst with it
    h.game.dropBombs();
    EXPECT_FALSE(p.active);
    EXPECT_EQ(p.bombsLeft, 0);
    EXPECT_EQ(h.game.bombList.activeCount(), 4);
    h.game.moveProjectiles();
    EXPECT_EQ(h.game.bombList.activeCount(), 4);
}

TEST(Bombs, DriftDecaysToRest) {
    GameHarness h;
    BombState& b = h.game.bombList[1];
    b = BombState{104, 19, true, 4 * FixedOne};
    const std::vector<int> columns = {108, 111, 114, 117, 119, 121, 123, 125, 127, 128,
                                      129, 130, 131, 132, 133, 134, 135, 136, 137};
    const std::vector<Fixed> drifts = {36000, 32400, 29160, 26244, 23620};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        h.game.bombStep(1);
        EXPECT_EQ(b.x, columns[i]) << "step " << i + 1;
        if (i < drifts.size()) {
            EXPECT_EQ(b.driftX, drifts[i]) << "step " << i + 1;
        }
    }
    while (b.active) {
        h.game.bombStep(1);
        if (b.active) {
            EXPECT_EQ(b.x, 137);
        }
    }
}

TEST(Bombs, FallTwoRowsAndGoAtRow117) {
    GameHarness h;
    BombState& b = h.game.bombList[3];
    b = BombState{20, 19, true, 0};
    for (int step = 1; step <= 48; ++step) {
        h.game.moveProjectiles();
        ASSERT_TRUE(b.active);
        ASSERT_EQ(b.y, 19 + 2 * step);
    }
    h.game.moveProjectiles();
    EXPECT_FALSE(b.active);
    EXPECT_EQ(b.y, 0);
    EXPECT_EQ(b.driftX, 0);
}

// Paints a frame so the vessel is in the hit layer, then puts a bomb that will be on its hull
// (x 210, row 110) after its next step.
void bombAboutToHit(GameHarness& h, int slot) {
    h.frame();
    h.game.bombList[slot] = BombState{210, 108, true, 0};
}

TEST(Bombs, HitOnTheVesselCostsALifeNotchAndFifteenPoints) {
    GameHarness h;
    bombAboutToHit(h, 1);
    h.frame();
    EXPECT_EQ(h.game.life, 19);
    EXPECT_EQ(h.game.score, -15);
    EXPECT_EQ(h.game.statusText, "中弹");
    EXPECT_FALSE(h.game.bombList[1].active);
    EXPECT_EQ(h.sound.count("hit"), 1);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Bombs, OffTheBoardOrOnOpenSkyTheyFallOnHarmlessly) {
    GameHarness h;
    h.frame();
    h.game.bombList[1] = BombState{-3, 108, true, 0};
    h.game.bombList[2] = BombState{404, 108, true, 0};
    h.game.bombList[3] = BombState{150, 108, true, 0};
    h.frame();
    EXPECT_EQ(h.game.life, 20);
    EXPECT_EQ(h.game.bombList.activeCount(), 3);
}

TEST(Bombs, ABurstOverTheVesselHitsIt) {
    GameHarness h;
    h.frames(15);
    // No submarine; a plane from the right at y 5; a burst of three.
    h.random.push({0.99, 0.0, 0.9, 0.0, 0.0});
    h.frame();
    ASSERT_EQ(h.game.planeCount, 1);
    int frames = 0;
    while (h.game.life == 20 && frames < 200) {
        h.frame();
        ++frames;
    }
    EXPECT_EQ(h.game.life, 19);
    EXPECT_EQ(h.game.statusText, "中弹");
    EXPECT_TRUE(h.game.planeList[1].hasBombed);
}

TEST(GameOver, LastNotchShowsTheBoxOnceAndEndsTheGame) {
    GameHarness h;
    h.game.life = 1;
    bombAboutToHit(h, 1);
    h.game.bombList[2] = BombState{220, 108, true, 0}; // a second bomb lands in the same frame
    h.frame();
    EXPECT_EQ(h.game.life, 0);
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "你死了,game over");
    EXPECT_EQ(h.dialogs.shown[0].title, "Kelvarn");
    EXPECT_EQ(h.dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(h.sound.count("hit"), 1);
    EXPECT_EQ(h.sound.count("dea"), 1);
    EXPECT_TRUE(h.game.paused);
    EXPECT_TRUE(h.game.gameEnded);
    EXPECT_TRUE(h.game.bombList[2].active) << "the rest of the frame did not run";
    EXPECT_EQ(h.game.score, -15);
}

TEST(GameOver, LifeBelowZeroIsPutBackToZero) {
    GameHarness h;
    h.game.life = -2; // never happens in play, but the box must still come once
    bombAboutToHit(h, 1);
    h.frame();
    EXPECT_EQ(h.game.life, 0);
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
}

} // namespace
} // namespace kelvarn::test
