#include "game/GameEdit.h"

namespace kelvarn {

namespace {

// A submarine lives while -37 <= x <= 414.
constexpr int SubLeftLimit = -37;
constexpr int SubRightLimit = 414;
constexpr int MaxCruising = 25;
constexpr int MovedSlots = 25; // slots 26 to 30 are never moved

// The level table: the kill that reaches each level, and the burst size that level puts back on
// every kill (0 = leave it as it is, as levels 8 and 9 do; level 1 has no row).
struct LevelStep {
    int kills;
    int level;
    int burstBase;
};

constexpr LevelStep LevelTable[] = {
    {10, 2, 6},   {25, 3, 10}, {50, 4, 14}, {75, 5, 20},   {90, 6, 26},
    {110, 7, 33}, {130, 8, 0}, {150, 9, 0}, {175, 10, 45}, {210, 11, 45},
};

// The burst size of the highest row at or below `level`: the level's own row, the last row's past
// the table, and 0 (unchanged) below it.
int burstBaseForLevel(int level) {
    int base = 0;
    for (const LevelStep& step : LevelTable) {
        if (step.level <= level) {
            base = step.burstBase;
        }
    }
    return base;
}

} // namespace

void GameEdit::spawnSubmarine() {
    if (subCount == MaxCruising) {
        return;
    }
    services.random.reseedFromClock();
    // The chance falls as the sea fills: (32 - subCount) in 130, drawn in single precision.
    const float v = float(services.random.next()) * 130.0f;
    if (!(v < float(32 - subCount))) {
        return;
    }
    ++subCount;
    // With slots 1 to 29 in use the last slot is taken, even over a submarine that is there.
    int slot = subList.firstFree();
    if (slot == 0) {
        slot = subList.size;
    }
    SubState& sub = subList[slot];
    sub.active = true;
    // One draw decides both the side and the depth.
    const double r = services.random.next();
    if (r < 0.5) {
        sub.x = SubLeftLimit;
        sub.direction = 2;
    } else {
        sub.x = SubRightLimit;
        sub.direction = 1;
    }
    sub.y = int(roundDown(r * 200 + 130));
    services.random.reseedFromClock();
    const int k = int(roundDown(services.random.next() * 100 + 1));
    if (k >= 80 && k <= 100) {
        sub.speed = 3;
    } else if (k >= 50 && k <= 80) {
        sub.speed = 2;
    } else {
        sub.speed = 1;
    }
    // Deeper and faster is worth more: y * speed / 5, which is never a tie.
    sub.points = int(roundHalfEven(double(sub.y) / 10.0 * (2.0 * sub.speed)));
}

void GameEdit::moveSubmarines() {
    for (int i = 1; i <= MovedSlots; ++i) {
        SubState& sub = subList[i];
        if (!sub.active) {
            continue;
        }
        const int step = sub.direction == 2 ? sub.speed : sub.direction == 1 ? -sub.speed : 0;
        if (sub.sinkFrame != 0) {
            // A wreck sinks straight down for nine frames, then it is gone.
            ++sub.sinkFrame;
            sub.y += 3;
            if (sub.sinkFrame >= 10) {
                subList.free(i);
            }
        } else {
            sub.x += step;
        }
        if (sub.x < SubLeftLimit || sub.x > SubRightLimit) {
            subList.free(i);
            --subCount;
        }
    }
}

void GameEdit::destroySubmarine(int slot) {
    SubState& sub = subList[slot];
    // The points count before anything else, so striking a free slot or a wreck scores 0.
    score += sub.points;
    lastKillPoints = sub.points;
    if (!sub.active) {
        return;
    }
    sub.points = 0;
    sub.speed = 0;
    sub.sinkFrame = 1;
    --subCount;
    ++kills;
    for (const LevelStep& step : LevelTable) {
        if (kills == step.kills) {
            level = step.level;
            if (step.burstBase != 0) {
                bombBurstBase = step.burstBase;
            }
            return;
        }
    }
    // Between the steps every kill puts the level's burst size back, over any difficulty choice.
    if (const int base = burstBaseForLevel(level); base != 0) {
        bombBurstBase = base;
    }
}

} // namespace kelvarn
