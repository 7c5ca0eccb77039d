#include "platform/KeyTracker.h"

namespace kelvarn {

KeyTracker::Outcome KeyTracker::arrive(const KeyEvent& event, std::uint32_t now) {
    // X11 repeats a held key as a release and a press with one timestamp, and the toolkit mostly
    // cannot tell: a release waits a moment, and a press that pairs with it makes it a repeat.
    Outcome outcome;
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (!sameKey(it->event, event)) {
            continue;
        }
        if (event.press && it->event.timestamp == event.timestamp) {
            held_.erase(it); // the key never went up
            break;
        }
        // The key went up before this event of the same key: that comes first.
        outcome.goesFirst = it->id;
        apply(it->event);
        held_.erase(it);
        break;
    }
    if (!event.press && holdBackReleases_ && !event.autoRepeat) {
        outcome.heldAs = nextId_++;
        held_.push_back({*outcome.heldAs, event, now});
        return outcome;
    }
    apply(event);
    return outcome;
}

std::vector<int> KeyTracker::due(std::uint32_t now) {
    std::vector<int> ids;
    for (auto it = held_.begin(); it != held_.end();) {
        if (std::uint32_t(now - it->since) >= HoldBackMs) {
            ids.push_back(it->id);
            apply(it->event);
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    return ids;
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
