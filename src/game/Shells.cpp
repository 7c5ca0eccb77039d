#include "game/GameEdit.h"

namespace kelvarn {

namespace {

constexpr std::uint32_t ShotInterval = 300; // milliseconds between two shells
constexpr int MaxShellsInFlight = 30;
constexpr int RefillBelow = 6;           // firing below this stock switches the refill on
constexpr int ShellOutRow = 362;         // a shell reaching this row has sunk out of the sea
constexpr int ShellCornerOffset = 6;     // the test square's far corners lie at x + 6 and y + 6
constexpr int SubFrontRightOffset = 35;  // a submarine is harmed from x to x + 35 ...
constexpr int SubFrontBottomOffset = 10; // ... and from y to y + 10
constexpr int LastBlastFrame = 11;

} // namespace

void GameEdit::fireShell() {
    const std::uint32_t now = services.ticks.tickCount();
    const auto lastTick = std::uint32_t(lastShotTime / FixedOne);
    // Differences of the 32-bit tick count are taken modulo 2^32, so the wrap-around is harmless.
    if (std::uint32_t(now - lastTick) < ShotInterval || shells <= 0 ||
        shellsInFlight >= MaxShellsInFlight) {
        return;
    }
    const int slot = shellList.firstFree();
    if (slot == 0) {
        return; // cannot happen while shellsInFlight counts the shells in the water
    }
    lastShotTime = Fixed(services.ticks.tickCount()) * FixedOne;
    --shells;
    if (shells < RefillBelow) {
        refillOn = true;
    }
    ++shellsInFlight;
    ++shellsUsed;
    score -= shotCost;
    ShellState& shell = shellList[slot];
    shell.active = true;
    shell.y = playerY + 14;
    // From the middle of the vessel: playerX + 26.5, the half going to the even neighbour.
    shell.x = int(roundHalfEven(playerX + 53.0 / 2.0));
}

void GameEdit::moveProjectiles() {
    shellSinkStep = slowShells ? 1.5 : 5.0;
    for (int i = 1; i <= shellList.size && !gameEnded; ++i) {
        ShellState& shell = shellList[i];
        if (shell.active) {
            shell.y = int(roundHalfEven(shell.y + shellSinkStep));
            testShellHit(i);
            if (shell.active && shell.y >= ShellOutRow) {
                shellList.free(i);
                --shellsInFlight;
            }
        }
        bombStep(i);
    }
}

void GameEdit::testShellHit(int slot) {
    ShellState& shell = shellList[slot];
    const int x = shell.x;
    const int y = shell.y;
    // The layer as the painter left it at the end of the previous frame: every corner is read
    // before anything changes.
    const int cornerX[4] = {x, x + ShellCornerOffset, x + ShellCornerOffset, x};
    const int cornerY[4] = {y, y, y + ShellCornerOffset, y + ShellCornerOffset};
    std::uint32_t colour[4];
    for (int c = 0; c < 4; ++c) {
        colour[c] = hitLayer_.pixel(cornerX[c], cornerY[c]);
    }
    for (int c = 0; c < 4; ++c) {
        if (colour[c] == White || colour[c] == InvalidColour) {
            continue;
        }
        const int px = cornerX[c];
        const int py = cornerY[c];
        // Every submarine whose front rectangle holds the point is struck, wrecks included.
        for (int j = 1; j <= subList.size; ++j) {
            const SubState& sub = subList[j];
            if (sub.x <= px && px <= sub.x + SubFrontRightOffset && sub.y <= py &&
                py <= sub.y + SubFrontBottomOffset) {
                destroySubmarine(j);
            }
        }
        startBlast(x, y);
        shellList.free(slot);
        --shellsInFlight;
        return;
    }
}

void GameEdit::startBlast(int x, int y) {
    playSound("explo");
    // With every slot running, the last one starts again.
    int slot = blastList.firstFree();
    if (slot == 0) {
        slot = blastList.size;
    }
    BlastState& blast = blastList[slot];
    blast.x = x - 30;
    blast.y = y - 25;
    blast.frame = 0;
    blast.active = true;
}

void GameEdit::animateBlasts() {
    for (int i = 1; i <= blastList.size; ++i) {
        BlastState& blast = blastList[i];
        if (!blast.active) {
            continue;
        }
        if (blast.frame < LastBlastFrame) {
            ++blast.frame;
        } else {
            blastList.free(i);
        }
    }
}

} // namespace kelvarn
