// A whole game on fakes: the services, the board layers, plain pictures of the right sizes, the
// game state, the main window's procedures and the menu commands, loaded as at start-up.
#pragma once

#include "commands/MenuCommands.h"
#include "display/Form1Logic.h"
#include "fakes/Fakes.h"
#include "game/GameEdit.h"
#include "scores/HeroRecords.h"

namespace kelvarn::test {

struct GameHarness {
    FakeTicks ticks;
    FakeKeys keys;
    FakeRandom random;
    FakeSound sound;
    FakeLinks links;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeScoreStore scores;
    HeroRecords records{scores};
    FakeTextPrinter text;
    BoardLayers layers;
    Sprites sprites = Sprites::placeholders();
    GameEdit game{Services{ticks, keys, random, sound, links, dialogs, shell, records},
                  layers.Pic2};
    Form1Logic form{game, layers, sprites, text};
    MenuCommands commands{game, form};

    // Runs Form_Load (with `facingDraw` as the random draw that picks the facing) and enters the
    // frame loop as Timer1 does.
    explicit GameHarness(bool load = true, double facingDraw = 0.25) {
        shell.onUnload = [this] { form.Form_Unload(); };
        if (load) {
            random.push({facingDraw});
            form.Form_Load();
            form.loop.start(ticks.now);
        }
    }

    // Lets 29 ms pass and runs one frame, as the frame driver does.
    void frame() {
        ticks.now += 29;
        form.gameLoopFrame(ticks.now);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }
};

} // namespace kelvarn::test
