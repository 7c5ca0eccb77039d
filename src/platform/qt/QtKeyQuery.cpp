#include "platform/qt/QtKeyQuery.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>

#include "platform/qt/X11KeyRepeat.h"

namespace kelvarn {
namespace {

KeyEvent plainEvent(const QKeyEvent& event) {
    return {event.type() == QEvent::KeyPress,
            QtKeyQuery::keyCodeFor(event.key()),
            event.key(),
            event.nativeScanCode(),
            event.timestamp(),
            event.isAutoRepeat()};
}

} // namespace

QtKeyQuery::QtKeyQuery(QObject* parent) : QObject(parent), tracker_(keyReleasesNeedHoldingBack()) {
    dueTimer_.setSingleShot(true);
    dueTimer_.setTimerType(Qt::PreciseTimer);
    connect(&dueTimer_, &QTimer::timeout, this, &QtKeyQuery::sendOnDue);
}

int QtKeyQuery::keyCodeFor(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Space:
        return KeySpace;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_A:
        return KeyA;
    default:
        return 0;
    }
}

bool QtKeyQuery::eventFilter(QObject* watched, QEvent* event) {
    // A key event travels from the focus widget up to its window and passes here at every step;
    // the tracker's state takes it the same way each time. A held release sent on has already
    // been taken.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && !sendingOn_) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const KeyTracker::Outcome outcome = tracker_.arrive(
            plainEvent(*keyEvent), clock_.tickCount(), [this](int id) { sendOn(id); });
        if (outcome.dropped) {
            held_.erase(*outcome.dropped); // half of a repeat: never sent on
        }
        if (outcome.heldAs) {
            held_[*outcome.heldAs] = {watched, std::unique_ptr<QKeyEvent>(keyEvent->clone())};
            waitForNextDue();
            return true;
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        tracker_.focusLost();
    }
    return QObject::eventFilter(watched, event);
}

void QtKeyQuery::sendOn(int id) {
    const auto it = held_.find(id);
    if (it == held_.end()) {
        return;
    }
    const HeldRelease release = std::move(it->second);
    held_.erase(it);
    if (release.receiver) {
        sendingOn_ = true;
        QCoreApplication::sendEvent(release.receiver, release.event.get());
        sendingOn_ = false;
    }
}

void QtKeyQuery::sendOnDue() {
    tracker_.due(clock_.tickCount(), [this](int id) { sendOn(id); });
    waitForNextDue();
}

void QtKeyQuery::waitForNextDue() {
    if (dueTimer_.isActive()) {
        return;
    }
    if (const auto wait = tracker_.nextDueIn(clock_.tickCount())) {
        // A timer may fire a shade early by the tick counter; then it waits again.
        dueTimer_.start(int(std::max<std::uint32_t>(*wait, 1)));
    }
}

} // namespace kelvarn
