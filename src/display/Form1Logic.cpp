#include "display/Form1Logic.h"

#include "display/Form1Layout.h"

namespace kelvarn {

Form1Logic::Form1Logic(GameEdit& g, BoardLayers& l, const Sprites& s, TextPrinter& t)
    : game(g), layers(l), sprites(s), text(t),
      boardTextColour(form1Layout().row("MainBoard").textColour.value_or(Rgb{})) {}

void Form1Logic::Form_Load() {
    GameEdit& g = game;
    g.controlsEnabled = true;
    g.maxShells = 6;
    g.shellsInFlight = 0;
    skipFirstStep = true;
    g.services.random.reseedFromClock();
    g.facing = g.services.random.next() < 0.5 ? 1 : 2;
    g.shells = g.maxShells;
    g.playerX = 200;
    g.playerY = 104;
    g.life = 20;
    g.loadHeroList();
    g.services.shell.setControlEnabled(Control::m2, false);
    g.slowShells = true;
    g.statusText = "正常";
    g.refillOn = true;
    g.acceleration = 1.06;
    speedStep = 1;
    g.shotCost = 10;
    g.level = 1;
    g.bombBurstBase = 3;
    g.planesMoving = true;
    // The pictures beside "秘技", "快速入门" and "退出" are put there by the menu bar as it is
    // built.
}

void Form1Logic::Form_Unload() {
    game.playSound("end");
}

void Form1Logic::closeFromTitleBar() {
    GameEdit& g = game;
    g.paused = true;
    if (!g.recordShown) {
        g.checkNewRecord();
    }
    if (g.recordShown) {
        // The record flow has closed the window and the list window ends the program: no frame
        // runs again, not even one that was already waiting for its turn.
        g.gameEnded = true;
        return;
    }
    Form_Unload();
    g.saveHeroList();
    g.endProgram();
}

FrameTurn Form1Logic::runDueFrame(std::uint32_t now) {
    if (!loop.frameDue(now)) {
        return {FrameTurn::NotDue, loop.msUntilDue(now)};
    }
    inFrame_ = true;
    gameLoopFrame(now);
    inFrame_ = false;
    loop.nextFrameWaits(game.paused);
    ++framesRun_;
    return {game.gameEnded ? FrameTurn::Ended : FrameTurn::Ran, 0};
}

void Form1Logic::Addammo() {
    if (game.refillOn && game.shells != game.maxShells) {
        ++game.shells;
    }
}

} // namespace kelvarn
