// The main window's own procedures and fields, without the toolkit: the frame steps it owns
// (steering, refill, painter), its key handlers, pause and resume, its timers and every menu
// command. The window class Form1 only forwards events here and mirrors what the shell is told.
#pragma once

#include <string>

#include "display/BoardPainter.h"
#include "display/Sprites.h"
#include "game/FrameLoop.h"
#include "game/GameEdit.h"
#include "platform/Surface.h"

namespace kelvarn {

// The board and its three off-screen layers, all 400 x 360.
struct BoardLayers {
    static constexpr int Width = 400;
    static constexpr int Height = 360;
    static constexpr int Border = 2;                  // the sunken border around the visible board
    static constexpr std::uint32_t Colour = 0xE0E0E0; // the board's colour, under its picture
    Surface MainBoard{Width, Height, Colour};
    Surface Pic1{Width, Height, Black}; // sprite layer
    Surface Pic2{Width, Height, White}; // hit layer: stock icons, vessel, cruising submarines
    Surface Pic3{Width, Height, White}; // overlay layer
};

// The main window's timers: Timer1 enters the frame loop after loading; Timer2 ends the repair,
// Timer3 the frozen planes.
struct Form1Timers {
    static constexpr int Timer1Ms = 50;
    static constexpr int Timer2Ms = 12700;
    static constexpr int Timer3Ms = 20000;
};

// What one turn of a frame driver came to: a frame ran and painted, the frame is not due yet
// (for `waitMs` more milliseconds), or a frame ran and the game ended inside it.
struct FrameTurn {
    enum Outcome { Ran, NotDue, Ended };
    Outcome outcome = NotDue;
    std::uint32_t waitMs = 0;
};

class Form1Logic : public FrameSteps {
  public:
    Form1Logic(GameEdit& game, BoardLayers& layers, const Sprites& sprites, TextPrinter& text);

    GameEdit& game;
    BoardLayers& layers;
    const Sprites& sprites;
    TextPrinter& text;

    // ---- fields of the main window ----
    bool skipFirstStep = true;
    int speedStep = 1;
    Rgb boardTextColour;  // the text colour of MainBoard, as laid out until a setting changes it
    BoardPainter painter; // what Pb drew last, so that it draws only what changed
    FrameLoop loop;

    // ---- start-up, frame loop ----
    void Form_Load();
    void Form_Unload();
    // The window closed through its title bar: leave as the exit commands do, offering a score
    // that makes the list before the program ends.
    void closeFromTitleBar();
    // One frame of gameLoop that began at `now`.
    void gameLoopFrame(std::uint32_t now) { loop.runFrame(*this, now); }
    // A frame driver's turn at `now`, when nothing else holds the frames back: runs the frame if
    // it is due, then lets the pause as it stands decide about the next one.
    FrameTurn runDueFrame(std::uint32_t now);
    // True while runDueFrame is inside its frame (a box the frame opened is up).
    bool inFrame() const { return inFrame_; }
    int framesRun() const { return framesRun_; }

    // ---- frame steps ----
    void DoK() override;
    void Addammo() override;
    void spawnSubmarine() override { game.spawnSubmarine(); }
    void spawnPlane() override { game.spawnPlane(); }
    void moveProjectiles() override { game.moveProjectiles(); }
    void moveSubmarines() override { game.moveSubmarines(); }
    void movePlanes() override { game.movePlanes(); }
    void animateBlasts() override { game.animateBlasts(); }
    void dropBombs() override { game.dropBombs(); }
    void Pb() override;
    bool frameAborted() const override { return game.gameEnded; }

    // ---- keys ----
    // Key preview: while it is off (during a pause) the key handlers ignore every key. The
    // window hands them every key and leaves the decision to them.
    bool keyPreview = true;
    void Form_KeyDown();
    void Form_KeyUp(int keyCode);

    // ---- pause, resume, timed effects ----
    void pause();
    void unpause();
    void Timer2_Timer();
    void Timer3_Timer();

  private:
    bool inFrame_ = false;
    int framesRun_ = 0;
};

} // namespace kelvarn
