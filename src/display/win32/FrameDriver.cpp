#include "display/win32/FrameDriver.h"

#include <mmsystem.h>

namespace kelvarn {

namespace {

// Windows 10 1803 and later offer a waitable timer that ends within a fraction of a
// millisecond; elsewhere the flag is refused and the plain timer, with the system's timer period
// set to 1 ms, ends within about a millisecond.
constexpr DWORD HighResolutionTimer = 0x00000002; // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

} // namespace

FrameDriver::FrameDriver(Form1Logic& form, TickCounter& ticks) : form_(form), ticks_(ticks) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, HighResolutionTimer, TIMER_ALL_ACCESS);
    if (timer_ == nullptr) {
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    // The one-shot timers of the power-ups end to the millisecond only with a fine period too.
    fineTimerPeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    form_.game.paused.setOnResume([this] {
        form_.loop.nextFrameWaits(false);
        wake();
    });
}

FrameDriver::~FrameDriver() {
    form_.game.paused.setOnResume({});
    if (timer_ != nullptr) {
        CancelWaitableTimer(timer_);
        CloseHandle(timer_);
    }
    if (fineTimerPeriod_) {
        timeEndPeriod(1);
    }
}

void FrameDriver::armIn(DWORD ms) {
    if (timer_ == nullptr) {
        return;
    }
    // Relative due time in units of 100 ns; at least one unit, so that "now" is still a wait.
    LARGE_INTEGER due;
    due.QuadPart = ms == 0 ? -1 : -LONGLONG(ms) * 10000;
    SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
}

void FrameDriver::startAfterLoad(int delayMs) {
    if (stopped_) {
        return;
    }
    starting_ = true;
    armIn(DWORD(delayMs > 0 ? delayMs : 0));
}

void FrameDriver::stop() {
    stopped_ = true;
    starting_ = false;
    if (timer_ != nullptr) {
        CancelWaitableTimer(timer_);
    }
}

bool FrameDriver::heldBack() const {
    // Handlers run only between frames, while the next frame waits for its time; the loop decides
    // whether a pause handled then still lets that frame through.
    return form_.inFrame() || menuOpen_ || !form_.loop.pauseLetsFrameRun(form_.game.paused);
}

void FrameDriver::wake() {
    if (stopped_ || !form_.loop.started() || form_.inFrame()) {
        return;
    }
    // Look again at once; tick() waits for the frame time itself.
    armIn(0);
}

void FrameDriver::setMenuOpen(bool open) {
    menuOpen_ = open;
    if (!open) {
        wake();
    }
}

void FrameDriver::timerSignalled() {
    if (stopped_) {
        return;
    }
    if (starting_) {
        starting_ = false;
        form_.loop.start(ticks_.tickCount());
        form_.loop.nextFrameWaits(form_.game.paused);
    }
    tick();
}

void FrameDriver::tick() {
    if (stopped_ || form_.game.gameEnded || !form_.loop.started()) {
        return;
    }
    if (heldBack()) {
        return; // the pause, the box or the menu wakes us when it ends
    }
    const FrameTurn turn = form_.runDueFrame(ticks_.tickCount());
    if (turn.outcome == FrameTurn::NotDue) {
        armIn(turn.waitMs);
        return;
    }
    if (turn.outcome == FrameTurn::Ended) {
        stop();
        return;
    }
    if (onFramePainted) {
        onFramePainted();
    }
    if (!stopped_ && !heldBack()) {
        armIn(form_.loop.msUntilDue(ticks_.tickCount()));
    }
}

} // namespace kelvarn
