#include "platform/KeyTracker.h"

namespace kelvarn {

KeyTracker::Outcome KeyTracker::arrive(const KeyEvent& event, std::uint32_t now, const GoOn& goOn) {
    // X11 repeats a held key as a release and a press with one timestamp, back to back, and the
    // toolkit mostly cannot tell: a release waits a moment, and a press of the same key with its
    // timestamp makes it a repeat. Any other event shows that the waiting release was real, and
    // it goes on before that event, so the handlers see the keys in the order they moved.
    Outcome outcome;
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (event.press && sameKey(it->event, event) && it->event.timestamp == event.timestamp) {
            outcome.dropped = it->id; // the key never went up
            held_.erase(it);
            break;
        }
    }
    goOnWhile([](const HeldRelease&) { return true; }, goOn);
    if (!event.press && holdBackReleases_ && !event.autoRepeat) {
        outcome.heldAs = nextId_++;
        held_.push_back({*outcome.heldAs, event, now});
        return outcome;
    }
    apply(event);
    return outcome;
}

void KeyTracker::due(std::uint32_t now, const GoOn& goOn) {
    // Held in the order they arrived, so the oldest waited longest.
    goOnWhile([now](const HeldRelease& r) { return std::uint32_t(now - r.since) >= HoldBackMs; },
              goOn);
}

template <typename Ready> void KeyTracker::goOnWhile(Ready ready, const GoOn& goOn) {
    // Each one leaves the queue and changes the state before its receiver hears of it, which may
    // bring new events here.
    while (!held_.empty() && ready(held_.front())) {
        const HeldRelease release = held_.front();
        held_.pop_front();
        apply(release.event);
        if (goOn) {
            goOn(release.id);
        }
    }
}

std::optional<std::uint32_t> KeyTracker::nextDueIn(std::uint32_t now) const {
    if (held_.empty()) {
        return std::nullopt;
    }
    const std::uint32_t waited = now - held_.front().since;
    return waited >= HoldBackMs ? 0 : HoldBackMs - waited;
}

bool KeyTracker::keyPressed(int code) {
    const bool pressed = down_.count(code) > 0 || latched_.count(code) > 0;
    latched_.erase(code);
    return pressed;
}

bool KeyTracker::sameKey(const KeyEvent& a, const KeyEvent& b) {
    return a.scanCode != 0 || b.scanCode != 0 ? a.scanCode == b.scanCode : a.key == b.key;
}

void KeyTracker::apply(const KeyEvent& event) {
    if (event.code == 0) {
        return;
    }
    if (event.press) {
        down_.insert(event.code);
        latched_.insert(event.code);
    } else if (!event.autoRepeat) {
        down_.erase(event.code);
    }
}

} // namespace kelvarn
