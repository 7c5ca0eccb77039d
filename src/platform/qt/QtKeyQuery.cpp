#include "platform/qt/QtKeyQuery.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/qt/X11KeyRepeat.h"

namespace kelvarn {

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

bool QtKeyQuery::keyPressed(int key) {
    const bool pressed = down_.count(key) > 0 || latched_.count(key) > 0;
    latched_.erase(key);
    return pressed;
}

namespace {
// How long a release waits for the press that would make it an auto-repeat. Far below a frame.
constexpr int RepeatPairWaitMs = 20;
} // namespace

QtKeyQuery::QtKeyQuery(QObject* parent) : QObject(parent) {
    // Without the server's help, X11 repeats a held key as a release and a press, and a release
    // must wait to be told apart.
    holdBackReleases_ = keyReleasesNeedHoldingBack();
}

bool QtKeyQuery::eventFilter(QObject* watched, QEvent* event) {
    // A key event travels from the focus widget up to its window; every step sets the same state,
    // so seeing it more than once changes nothing.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!delivering_ && takeBackHeldRelease(watched, *keyEvent)) {
            return true; // held back in turn, or delivered again after the release before it
        }
        if (const int code = keyCodeFor(keyEvent->key())) {
            if (event->type() == QEvent::KeyPress) {
                down_.insert(code);
                latched_.insert(code);
            } else if (!keyEvent->isAutoRepeat()) {
                down_.erase(code);
            }
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        // Keys released while another application had the focus never reach us.
        down_.clear();
    }
    return QObject::eventFilter(watched, event);
}

bool QtKeyQuery::takeBackHeldRelease(QObject* receiver, QKeyEvent& event) {
    // X11 repeats a held key as a release and a press with one timestamp. Qt calls the release a
    // repeat only if the press is already queued, which it mostly is not; so a release it calls
    // real waits a moment, and a press that pairs with it makes it a repeat.
    const bool press = event.type() == QEvent::KeyPress;
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (!sameKey(*it->event, event)) {
            continue;
        }
        if (press && it->event->timestamp() == event.timestamp()) {
            held_.erase(it); // the key never went up
            return false;
        }
        // The key went up before this event of the same key: that comes first.
        deliverHeld(it->id);
        break;
    }
    if (!press && holdBackReleases_ && !event.isAutoRepeat()) {
        const int id = nextHeldId_++;
        held_.push_back({id, receiver, std::unique_ptr<QKeyEvent>(event.clone())});
        QTimer::singleShot(RepeatPairWaitMs, this, [this, id] { deliverHeld(id); });
        return true;
    }
    return false;
}

bool QtKeyQuery::sameKey(const QKeyEvent& a, const QKeyEvent& b) {
    return a.nativeScanCode() != 0 || b.nativeScanCode() != 0
               ? a.nativeScanCode() == b.nativeScanCode()
               : a.key() == b.key();
}

void QtKeyQuery::deliverHeld(int id) {
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (it->id != id) {
            continue;
        }
        HeldRelease release = std::move(*it);
        held_.erase(it);
        if (release.receiver) {
            delivering_ = true;
            QCoreApplication::sendEvent(release.receiver, release.event.get());
            delivering_ = false;
        }
        return;
    }
}

} // namespace kelvarn
