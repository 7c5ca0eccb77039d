// Timer2 and Timer3 on Windows, ending within a millisecond or so of their time. Window timers
// (SetTimer) tick on the system's timer period and come late as low-priority messages, so the due
// times are kept on the tick counter, and a high-resolution waitable timer, which the program's
// message loop waits on beside the frame timer, wakes it for the next of them. The loops of menus
// and boxes never look at that handle: for them a window timer for the same moment stands by, and
// whichever comes first ends the effect; the other finds nothing due.
#pragma once

#include <windows.h>

#include <functional>

#include "display/EffectTimers.h"
#include "platform/Services.h"

namespace kelvarn {

class EffectTimerDriver {
  public:
    // `fire` runs the handler of a timer whose time has come (Timer2_Timer, Timer3_Timer).
    EffectTimerDriver(TickCounter& ticks, std::function<void(TimerId)> fire);
    ~EffectTimerDriver();
    EffectTimerDriver(const EffectTimerDriver&) = delete;
    EffectTimerDriver& operator=(const EffectTimerDriver&) = delete;

    // Starts or stops a timer; enabling a running timer leaves its interval running.
    void setEnabled(TimerId timer, bool enabled);
    bool running(TimerId timer) const { return timers_.running(timer); }

    // The handle the message loop waits on; when it is signalled, call check().
    HANDLE waitHandle() const { return waitable_; }
    // Runs the handler of every timer whose time has come, then waits for the next.
    void check();

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void arm();

    TickCounter& ticks_;
    std::function<void(TimerId)> fire_;
    EffectTimers timers_;
    HANDLE waitable_ = nullptr;
    HWND window_ = nullptr; // receives the standby window timer, also inside a box's loop
    bool checking_ = false;
};

} // namespace kelvarn
