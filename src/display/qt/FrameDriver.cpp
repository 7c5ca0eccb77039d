#include "display/qt/FrameDriver.h"

#include <QApplication>

namespace kelvarn {

FrameDriver::FrameDriver(Form1Logic& form, TickCounter& ticks, QObject* parent)
    : QObject(parent), form_(form), ticks_(ticks) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameDriver::tick);
    form_.game.paused.setOnResume([this] {
        form_.loop.nextFrameWaits(false);
        wake();
    });
}

void FrameDriver::startAfterLoad(int delayMs) {
    QTimer::singleShot(delayMs, Qt::PreciseTimer, this, [this] {
        if (stopped_) {
            return;
        }
        form_.loop.start(ticks_.tickCount());
        form_.loop.nextFrameWaits(form_.game.paused);
        wake();
    });
}

void FrameDriver::stop() {
    stopped_ = true;
    timer_.stop();
}

bool FrameDriver::heldBack() const {
    // Handlers run only between frames, while the next frame waits for its time; the loop decides
    // whether a pause handled then still lets that frame through.
    return form_.inFrame() || !form_.loop.pauseLetsFrameRun(form_.game.paused) ||
           QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void FrameDriver::wake() {
    if (stopped_ || !form_.loop.started() || form_.inFrame()) {
        return;
    }
    // Re-check soon; tick() waits for the frame time itself.
    timer_.start(0);
}

void FrameDriver::tick() {
    if (stopped_ || form_.game.gameEnded) {
        return;
    }
    if (heldBack()) {
        return; // the pause, the box or the menu wakes us when it ends
    }
    const FrameTurn turn = form_.runDueFrame(ticks_.tickCount());
    if (turn.outcome == FrameTurn::NotDue) {
        timer_.start(int(turn.waitMs));
        return;
    }
    if (turn.outcome == FrameTurn::Ended) {
        stop();
        return;
    }
    if (onFramePainted) {
        onFramePainted();
    }
    if (!heldBack()) {
        timer_.start(int(form_.loop.msUntilDue(ticks_.tickCount())));
    }
}

} // namespace kelvarn
