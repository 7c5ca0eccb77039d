#include "game/GameEdit.h"

namespace kelvarn {

namespace {

// A plane lives while -82 <= x <= 414.
constexpr int PlaneLeftLimit = -82;
constexpr int PlaneRightLimit = 414;
constexpr int MaxPlanes = 10;
constexpr int PlaneSpeed = 4;
constexpr int VesselWidth = 50;
constexpr int BombLastRow = 117; // bombs go no lower than the vessel's hull
constexpr int BombHitPoints = 15;
constexpr const char* MainWindowCaption = "Kelvarn";

} // namespace

void GameEdit::spawnPlane() {
    if (planeCount == MaxPlanes) {
        return;
    }
    services.random.reseedFromClock();
    const float v = float(services.random.next()) * 130.0f;
    if (!(v < 20.0f)) {
        return;
    }
    ++planeCount;
    int slot = planeList.firstFree();
    if (slot == 0) {
        slot = planeList.size;
    }
    PlaneState& plane = planeList[slot];
    plane.active = true;
    if (services.random.next() < 0.5) {
        plane.x = PlaneLeftLimit;
        plane.direction = 2;
    } else {
        plane.x = PlaneRightLimit;
        plane.direction = 1;
    }
    plane.y = int(roundDown(services.random.next() * 35 + 5));
    plane.hasBombed = false;
    plane.speed = PlaneSpeed;
}

void GameEdit::movePlanes() {
    if (!planesMoving) {
        return; // frozen: running bursts still drop their bombs from where the planes hang
    }
    for (int i = 1; i <= planeList.size; ++i) {
        PlaneState& plane = planeList[i];
        if (!plane.active) {
            continue;
        }
        plane.x += plane.direction == 2 ? plane.speed : plane.direction == 1 ? -plane.speed : 0;
        if (plane.x < PlaneLeftLimit || plane.x > PlaneRightLimit) {
            planeList.free(i); // a burst still running ends with its plane
            --planeCount;
        }
    }
}

void GameEdit::dropBombs() {
    bombBurstRange = 5;
    for (int p = 1; p <= planeList.size; ++p) {
        PlaneState& plane = planeList[p];
        if (plane.bombsLeft <= 0) {
            // A plane starts its one burst when its left edge is over the vessel.
            if (!plane.active || plane.hasBombed || !(playerX < plane.x) ||
                !(plane.x < playerX + VesselWidth)) {
                continue;
            }
            services.random.reseedFromClock();
            plane.bombsLeft =
                int(roundDown(services.random.next() * bombBurstRange + bombBurstBase));
            plane.hasBombed = true;
        }
        --plane.bombsLeft;
        int slot = bombList.firstFree();
        if (slot == 0) {
            slot = bombList.size; // the last bomb is replaced
        }
        BombState& bomb = bombList[slot];
        bomb.active = true;
        bomb.driftX = Fixed(plane.direction == 1 ? -plane.speed : plane.speed) * FixedOne;
        bomb.x = plane.x + (plane.direction == 1 ? 20 : 4);
        bomb.y = plane.y + 14;
    }
}

void GameEdit::bombStep(int slot) {
    BombState& bomb = bombList[slot];
    if (!bomb.active) {
        return;
    }
    // The plane's forward motion dies away by a tenth each frame, kept to four decimals.
    bomb.driftX -= toFixed(fixedToDouble(bomb.driftX) * 0.1);
    bomb.x = addFixed(bomb.x, bomb.driftX);
    bomb.y += 2;
    testBombHit(slot);
    if (bomb.active && bomb.y >= BombLastRow) {
        bombList.free(slot);
    }
}

void GameEdit::testBombHit(int slot) {
    BombState& bomb = bombList[slot];
    const std::uint32_t colour = hitLayer_.pixel(bomb.x, bomb.y);
    if (colour == White || colour == InvalidColour) {
        return;
    }
    statusText = "中弹";
    --life;
    score -= BombHitPoints;
    bombList.free(slot);
    playSound("hit");
    if (life > 0) {
        return;
    }
    life = 0;
    playSound("dea");
    services.dialogs.messageBox("你死了,game over", MainWindowCaption, Buttons::Ok);
    paused = true;
    // Nothing more of this frame runs, so a second bomb cannot end the game a second time.
    gameEnded = true;
    finishGame(EndSound::Never);
}

} // namespace kelvarn
