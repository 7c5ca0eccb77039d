#include <gtest/gtest.h>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// The three draws of a spawn that goes ahead: the chance, the side and depth, the speed.
void queueSubmarine(GameHarness& h, double sideAndDepth, double speedDraw) {
    h.random.push({0.0, sideAndDepth, speedDraw});
}

SubState& cruising(GameHarness& h, int slot, int x, int y, int direction, int speed, int points) {
    SubState& s = h.game.subList[slot];
    s = SubState{x, y, true, points, direction, speed, 0};
    return s;
}

TEST(SubmarineSpawn, ChanceShrinksAsTheSeaFills) {
    GameHarness h;
    // (32 - subCount) in 130: 31.99 starts one when the sea is empty, 32.006 does not.
    h.random.push({0.2462});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 0);
    h.random.push({0.2461, 0.5, 0.0});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 1);

    h.game.subCount = 24; // now the draw must stay below 8
    h.random.push({0.0616});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 24);
    h.random.push({0.0615, 0.5, 0.0});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 25);
}

TEST(SubmarineSpawn, DrawIsTakenInSinglePrecision) {
    GameHarness h;
    // Just below 32/130: 31.999999999999996 in double precision, exactly 32 in single.
    h.random.push({0.24615384615384614});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 0);
    EXPECT_EQ(h.game.subList.activeCount(), 0);
}

TEST(SubmarineSpawn, FullSeaStartsNothingAndDrawsNothing) {
    GameHarness h;
    h.game.subCount = 25;
    const int reseeds = h.random.reseeds;
    h.random.push({0.0, 0.0, 0.0});
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subCount, 25);
    EXPECT_EQ(h.game.subList.activeCount(), 0);
    EXPECT_EQ(h.random.queue.size(), 3u);
    EXPECT_EQ(h.random.reseeds, reseeds);
}

TEST(SubmarineSpawn, OneDrawPicksTheSideAndTheDepth) {
    GameHarness h;
    queueSubmarine(h, 0.25, 0.0);
    h.game.spawnSubmarine();
    const SubState& left = h.game.subList[1];
    EXPECT_TRUE(left.active);
    EXPECT_EQ(left.x, -37);
    EXPECT_EQ(left.direction, 2);
    EXPECT_EQ(left.y, 180);
    EXPECT_EQ(left.sinkFrame, 0);

    queueSubmarine(h, 0.75, 0.0);
    h.game.spawnSubmarine();
    const SubState& right = h.game.subList[2];
    EXPECT_EQ(right.x, 414);
    EXPECT_EQ(right.direction, 1);
    EXPECT_EQ(right.y, 280);
    EXPECT_EQ(h.random.reseeds, 1 + 4) << "start-up, then two reseeds per spawn";
}

TEST(SubmarineSpawn, SpeedThresholdsAndPoints) {
    struct Case {
        double depthDraw;
        double speedDraw; // k = floor(r * 100 + 1)
        int speed;
        int points;
    };
    const Case cases[] = {
        {0.001, 0.485, 1, 26},  // y 130, k 49
        {0.001, 0.495, 2, 52},  // k 50
        {0.001, 0.785, 2, 52},  // k 79
        {0.999, 0.795, 3, 197}, // y 329, k 80
        {0.999, 0.995, 3, 197}, // k 100
        {0.999, 0.0, 1, 66},    // k 1
        {0.6, 0.5, 2, 100},     // y 250: 250 * 2 / 5
    };
    for (const Case& c : cases) {
        GameHarness h;
        queueSubmarine(h, c.depthDraw, c.speedDraw);
        h.game.spawnSubmarine();
        const SubState& s = h.game.subList[1];
        EXPECT_EQ(s.speed, c.speed) << "speed draw " << c.speedDraw;
        EXPECT_EQ(s.points, c.points) << "depth " << s.y << " speed " << s.speed;
    }
}

TEST(SubmarineSpawn, TakesTheFirstFreeSlotElseOverwritesTheLast) {
    GameHarness h;
    for (int i = 1; i <= 30; ++i) {
        cruising(h, i, 100, 200, 1, 1, 40);
    }
    h.game.subList.free(7);
    queueSubmarine(h, 0.25, 0.0);
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subList[7].x, -37);

    // Slots 1 to 29 in use: slot 30 is taken over, its old submarine simply replaced.
    h.game.subList.free(30);
    cruising(h, 30, 5, 300, 1, 3, 180);
    h.game.subCount = 3;
    queueSubmarine(h, 0.25, 0.0);
    h.game.spawnSubmarine();
    EXPECT_EQ(h.game.subList[30].x, -37);
    EXPECT_EQ(h.game.subList[30].points, 36);
    EXPECT_EQ(h.game.subCount, 4);
}

TEST(SubmarineMovement, FastSubmarineCrossesAndLeaves) {
    GameHarness h;
    cruising(h, 1, -37, 200, 2, 3, 120);
    h.game.subCount = 1;
    for (int i = 0; i < 150; ++i) {
        h.game.moveSubmarines();
    }
    EXPECT_EQ(h.game.subList[1].x, 413);
    EXPECT_EQ(h.game.subCount, 1);
    h.game.moveSubmarines(); // x = 416
    EXPECT_FALSE(h.game.subList[1].active);
    EXPECT_EQ(h.game.subList[1].y, 0);
    EXPECT_EQ(h.game.subCount, 0);
}

TEST(SubmarineMovement, SlotsAboveTwentyFiveStayPut) {
    GameHarness h;
    cruising(h, 25, 100, 200, 1, 2, 80);
    cruising(h, 26, 100, 220, 1, 2, 88);
    h.game.moveSubmarines();
    EXPECT_EQ(h.game.subList[25].x, 98);
    EXPECT_EQ(h.game.subList[26].x, 100);
}

TEST(SubmarineMovement, WreckSinksNineFramesThenVanishes) {
    GameHarness h;
    cruising(h, 1, 150, 200, 2, 2, 80);
    h.game.subCount = 1;
    h.game.destroySubmarine(1);
    EXPECT_EQ(h.game.subCount, 0);
    for (int step = 1; step <= 8; ++step) {
        h.game.moveSubmarines();
        const SubState& w = h.game.subList[1];
        ASSERT_TRUE(w.active) << "step " << step;
        EXPECT_EQ(w.sinkFrame, step + 1);
        EXPECT_EQ(w.y, 200 + 3 * step);
        EXPECT_EQ(w.x, 150) << "a wreck does not drift sideways";
    }
    h.game.moveSubmarines();
    EXPECT_FALSE(h.game.subList[1].active);
    EXPECT_EQ(h.game.subCount, 0) << "a wreck that sinks away is not counted off twice";
}

TEST(SubmarineDestroy, ScoresThenStartsSinking) {
    GameHarness h;
    cruising(h, 4, 150, 200, 2, 2, 80);
    h.game.subCount = 1;
    h.game.score = -30;
    h.game.destroySubmarine(4);
    const SubState& w = h.game.subList[4];
    EXPECT_EQ(h.game.score, 50);
    EXPECT_EQ(h.game.lastKillPoints, 80);
    EXPECT_TRUE(w.active);
    EXPECT_EQ(w.sinkFrame, 1);
    EXPECT_EQ(w.points, 0);
    EXPECT_EQ(w.speed, 0);
    EXPECT_EQ(h.game.kills, 1);
    EXPECT_EQ(h.game.subCount, 0);

    // Struck again while sinking: nothing scored, but it counts as a kill once more.
    h.game.moveSubmarines();
    h.game.destroySubmarine(4);
    EXPECT_EQ(h.game.score, 50);
    EXPECT_EQ(h.game.lastKillPoints, 0);
    EXPECT_EQ(w.sinkFrame, 1);
    EXPECT_EQ(h.game.kills, 2);
    EXPECT_EQ(h.game.subCount, -1);

    // A free slot only clears the last kill's points.
    h.game.lastKillPoints = 99;
    h.game.destroySubmarine(9);
    EXPECT_EQ(h.game.lastKillPoints, 0);
    EXPECT_EQ(h.game.kills, 2);
    EXPECT_EQ(h.game.score, 50);
}

// Kills one fresh submarine and returns the level and burst size that follow.
std::pair<int, int> killOne(GameHarness& h) {
    cruising(h, 1, 150, 200, 1, 1, 40);
    h.game.destroySubmarine(1);
    h.game.subList.free(1);
    return {h.game.level, h.game.bombBurstBase};
}

TEST(LevelTable, KillsRaiseTheLevelAndTheBurstSize) {
    GameHarness h;
    struct Step {
        int kills, level, base;
    };
    const Step steps[] = {{9, 1, 3},    {10, 2, 6},    {24, 2, 6},    {25, 3, 10},   {50, 4, 14},
                          {75, 5, 20},  {90, 6, 26},   {110, 7, 33},  {130, 8, 33},  {150, 9, 33},
                          {174, 9, 33}, {175, 10, 45}, {209, 10, 45}, {210, 11, 45}, {260, 11, 45}};
    for (const Step& s : steps) {
        while (h.game.kills < s.kills) {
            killOne(h);
        }
        EXPECT_EQ(h.game.level, s.level) << "after kill " << s.kills;
        EXPECT_EQ(h.game.bombBurstBase, s.base) << "after kill " << s.kills;
    }
}

TEST(LevelTable, EveryKillPutsTheLevelsBurstBackExceptAtLevelsOneEightAndNine) {
    GameHarness h;
    h.game.bombBurstBase = 40; // the difficulty menu's "高"
    for (int i = 0; i < 9; ++i) {
        killOne(h);
    }
    EXPECT_EQ(h.game.bombBurstBase, 40) << "level 1 keeps the difficulty choice";
    EXPECT_EQ(killOne(h), std::make_pair(2, 6)) << "kill 10";
    h.game.bombBurstBase = 4; // "低"
    EXPECT_EQ(killOne(h), std::make_pair(2, 6)) << "kill 11";

    while (h.game.kills < 130) {
        killOne(h);
    }
    ASSERT_EQ(h.game.level, 8);
    h.game.bombBurstBase = 4;
    while (h.game.kills < 174) {
        killOne(h);
        ASSERT_EQ(h.game.bombBurstBase, 4) << "kill " << h.game.kills;
    }
    EXPECT_EQ(killOne(h), std::make_pair(10, 45)) << "kill 175";
    h.game.bombBurstBase = 4;
    EXPECT_EQ(killOne(h), std::make_pair(10, 45)) << "kill 176";
}

TEST(SubmarineSpawn, FirstAttemptComesInTheSixteenthFrame) {
    GameHarness h;
    h.random.fallback = 0.0; // every attempt would succeed
    h.frames(15);
    EXPECT_EQ(h.game.subCount, 0);
    EXPECT_EQ(h.game.planeCount, 0);
    h.frame();
    EXPECT_EQ(h.game.subCount, 1);
    EXPECT_EQ(h.game.planeCount, 1);
    EXPECT_EQ(h.game.subList[1].x, -36) << "entered at -37 and moved in the same frame";
    h.frames(15);
    EXPECT_EQ(h.game.subCount, 1);
    h.frame();
    EXPECT_EQ(h.game.subCount, 2);
}

} // namespace
} // namespace kelvarn::test
