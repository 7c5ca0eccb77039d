// Runs the frame loop in the program's message loop: one frame whenever more than 28 ms have passed
// since the previous frame began, sleeping in between on a waitable timer that the message loop
// waits on together with the window messages (MsgWaitForMultipleObjectsEx). No frame runs while
// the game is paused, while a menu or a box is open, or inside another frame; the resume and the
// closing menu wake the driver again, so an idle or paused game costs no CPU.
//
// Only the program's own message loop runs frames: the loops of menus, message boxes and the input
// box dispatch window messages but never look at the timer, so no frame starts while a box is up,
// and a box opened inside a frame cannot start another one.
#pragma once

#include <windows.h>

#include <functional>

#include "display/Form1Logic.h"

namespace kelvarn {

class FrameDriver {
  public:
    FrameDriver(Form1Logic& form, TickCounter& ticks);
    ~FrameDriver();
    FrameDriver(const FrameDriver&) = delete;
    FrameDriver& operator=(const FrameDriver&) = delete;

    // Timer1: `delayMs` after the window is created the loop is entered.
    void startAfterLoad(int delayMs);
    // Called after every painted frame (the window repaints the board).
    std::function<void()> onFramePainted;
    // Stops for good (the program is ending or the main window is gone).
    void stop();
    bool running() const { return !stopped_; }
    int framesRun() const { return form_.framesRun(); }

    // The handle the message loop waits on; when it is signalled, call timerSignalled().
    HANDLE waitHandle() const { return timer_; }
    void timerSignalled();

    // Something that held the frames back has ended: go on when the next frame is due.
    void wake();
    // A menu of the main window opens or closes (WM_ENTERMENULOOP, WM_EXITMENULOOP).
    void setMenuOpen(bool open);

  private:
    void tick();
    bool heldBack() const;
    void armIn(DWORD ms);

    Form1Logic& form_;
    TickCounter& ticks_;
    HANDLE timer_ = nullptr;
    bool fineTimerPeriod_ = false;
    bool starting_ = false;
    bool menuOpen_ = false;
    bool stopped_ = false;
};

} // namespace kelvarn
