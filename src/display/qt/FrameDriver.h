// Runs the frame loop in the Qt event loop: one frame whenever more than 28 ms have passed since
// the previous frame began, sleeping in between on a precise single-shot timer. No frame runs
// while a pause holds it (the frame loop decides), while a modal box or a menu is open, or inside
// another frame; each of these wakes the driver again when it ends, so an idle or paused game
// costs no CPU.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "display/Form1Logic.h"

namespace kelvarn {

class FrameDriver : public QObject {
    Q_OBJECT
  public:
    FrameDriver(Form1Logic& form, TickCounter& ticks, QObject* parent = nullptr);

    // Timer1: 50 ms after the window is created the loop is entered.
    void startAfterLoad(int delayMs = 50);
    // Called after every painted frame (the window repaints the board).
    std::function<void()> onFramePainted;
    // Stops for good (the program is ending or the main window is gone).
    void stop();
    bool running() const { return !stopped_; }
    int framesRun() const { return form_.framesRun(); }

  public slots:
    // Something that held the frames back has ended: go on when the next frame is due.
    void wake();

  private:
    void tick();
    bool heldBack() const;

    Form1Logic& form_;
    TickCounter& ticks_;
    QTimer timer_;
    bool stopped_ = false;
};

} // namespace kelvarn
