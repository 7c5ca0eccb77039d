#include "display/Form1Logic.h"

#include <array>

namespace kelvarn {

namespace {

// The controls that are usable only while the game runs; "继续" is the other way round.
constexpr std::array<Control, 9> PlayingOnly{
    Control::m1, Control::mhero, Control::menu, Control::picexit, Control::m3,
    Control::fg, Control::h,     Control::buy,  Control::shanbi,
};

} // namespace

void Form1Logic::pause() {
    // A frame already waiting for its turn still runs and shows "暂停"; the loop idles from the
    // next one on.
    game.paused = true;
    WindowShell& shell = game.services.shell;
    shell.setControlEnabled(Control::m2, true);
    for (Control c : PlayingOnly) {
        shell.setControlEnabled(c, false);
    }
    game.statusText = "暂停";
    // Without key preview the key handlers ignore every key, so the space bar cannot fire.
    keyPreview = false;
}

void Form1Logic::unpause() {
    game.paused = false;
    WindowShell& shell = game.services.shell;
    shell.setControlEnabled(Control::m2, false);
    for (Control c : PlayingOnly) {
        shell.setControlEnabled(c, true);
    }
    game.statusText = "正常";
    keyPreview = true;
}

// The repair is over. The timers count wall-clock time, so this may come during a pause.
void Form1Logic::Timer2_Timer() {
    game.controlsEnabled = true;
    game.services.shell.setTimerEnabled(TimerId::Timer2, false);
    game.statusText = "正常";
}

// The planes fly again.
void Form1Logic::Timer3_Timer() {
    game.planesMoving = true;
    game.services.shell.setTimerEnabled(TimerId::Timer3, false);
}

} // namespace kelvarn
