#include "display/Form1Logic.h"

#include <algorithm>

namespace kelvarn {

namespace {

constexpr Fixed StartVelocity = 15000; // 1.5 pixels per frame: a start or a reversal is immediate
constexpr Fixed ReverseBelow = FixedOne;
constexpr Fixed MaxVelocity = 6 * FixedOne;
constexpr double Glide = 1.1;
constexpr int MaxSpeedGauge = 100;
constexpr int RightmostX = 359;

} // namespace

void Form1Logic::DoK() {
    GameEdit& g = game;
    if (!g.controlsEnabled) {
        return; // under repair: the vessel stays where it is
    }
    if (skipFirstStep) {
        skipFirstStep = false;
        return;
    }
    KeyQuery& keys = g.services.keys;
    // The left arrow wins when both are held: the right one is not even asked then.
    if (keys.keyPressed(KeyLeft)) {
        if (g.playerVelocity >= -ReverseBelow) {
            g.playerVelocity = -StartVelocity;
        }
        g.playerVelocity = toFixed(fixedToDouble(g.playerVelocity) * g.acceleration);
        g.facing = 1;
        g.speedGauge += speedStep;
        g.statusText = "前进";
    } else if (keys.keyPressed(KeyRight)) {
        if (g.playerVelocity <= ReverseBelow) {
            g.playerVelocity = StartVelocity;
        }
        g.playerVelocity = toFixed(fixedToDouble(g.playerVelocity) * g.acceleration);
        g.facing = 2;
        g.speedGauge += speedStep;
        g.statusText = "前进";
    } else {
        g.playerVelocity = toFixed(fixedToDouble(g.playerVelocity) / Glide);
        g.speedGauge = 0;
    }
    g.speedGauge = std::clamp(g.speedGauge, 0, MaxSpeedGauge);
    g.playerVelocity = std::clamp(g.playerVelocity, -MaxVelocity, MaxVelocity);
    g.playerX = std::clamp(addFixed(g.playerX, g.playerVelocity), 0, RightmostX);
}

void Form1Logic::Form_KeyDown() {
    if (!keyPreview) {
        return;
    }
    KeyQuery& keys = game.services.keys;
    // Both keys are asked every time, so both "pressed since" latches are used up.
    const bool left = keys.keyPressed(KeyLeft);
    const bool right = keys.keyPressed(KeyRight);
    if (left && right) {
        game.speedGauge = 0;
    }
}

void Form1Logic::Form_KeyUp(int keyCode) {
    if (!keyPreview) {
        return;
    }
    GameEdit& g = game;
    KeyQuery& keys = g.services.keys;
    g.statusText = "正常";
    if (g.life < 4) {
        g.statusText = "危险";
    }
    // Firing happens on a release while the space bar counts as pressed; the sound and the
    // status word follow whether or not a shell could be launched.
    if (keys.keyPressed(KeySpace)) {
        g.fireShell();
        g.playSound("put");
        g.statusText = "发炮";
    }
    if (keyCode == KeyA) {
        g.life = 1;
    }
    if (keys.keyPressed(KeyLeft)) {
        g.speedGauge = 0;
    }
    if (keys.keyPressed(KeyRight)) {
        g.speedGauge = 0;
    }
    if (keys.keyPressed(KeyUp)) {
        g.playSound("put");
    }
}

} // namespace kelvarn
