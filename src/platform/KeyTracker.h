// The keyboard as the rules poll it, kept from the key events the window system sends. Where the
// display repeats a held key as a release and a press with one timestamp, each release is held
// back a moment to see whether such a press follows; the tracker decides which events go on and
// when, and its key state follows exactly the events that go on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "platform/Services.h"

namespace kelvarn {

// One key event as the window system sends it.
struct KeyEvent {
    bool press = true;           // false: a release
    int code = 0;                // the game's key code (KeyCode), 0 for keys it never asks about
    int key = 0;                 // the toolkit's key, which tells keys apart without a scan code
    std::uint32_t scanCode = 0;  // the keyboard's own code, 0 where unknown
    std::uint64_t timestamp = 0; // the window system's time of the event
    bool autoRepeat = false;     // already known to be half of a repeat
};

class KeyTracker : public KeyQuery {
  public:
    // How long a release waits for the press that would make it half of a repeat: far below a
    // frame.
    static constexpr std::uint32_t HoldBackMs = 20;

    explicit KeyTracker(bool holdBackReleases = false) : holdBackReleases_(holdBackReleases) {}
    bool holdsBackReleases() const { return holdBackReleases_; }
    void setHoldBackReleases(bool on) { holdBackReleases_ = on; }

    // Called as a held release goes on, after the key state has taken it and before anything
    // later has: the receiver hands the release to the key handlers now.
    using GoOn = std::function<void(int id)>;

    // What becomes of an event that has just arrived at `now` (milliseconds of a tick counter).
    // Every held release that this event does not pair with goes on first, oldest first, through
    // `goOn`; only then does this event change the key state.
    struct Outcome {
        // This event is a release that waits, under this id, until due() or the next event lets
        // it go on; without an id it goes on now.
        std::optional<int> heldAs;
        // A held release that this press showed to be half of a repeat: it never goes on, and
        // whatever the receiver kept for it can go.
        std::optional<int> dropped;
    };
    Outcome arrive(const KeyEvent& event, std::uint32_t now, const GoOn& goOn = {});
    // The held releases whose wait is over at `now` go on, oldest first, through `goOn`.
    void due(std::uint32_t now, const GoOn& goOn = {});
    // Milliseconds from `now` until the oldest held release is due; none while nothing is held.
    std::optional<std::uint32_t> nextDueIn(std::uint32_t now) const;
    std::size_t heldCount() const { return held_.size(); }

    // Keys released while another program had the keyboard never arrive: no key stays down.
    void focusLost() { down_.clear(); }

    bool keyPressed(int code) override;

  private:
    struct HeldRelease {
        int id;
        KeyEvent event;
        std::uint32_t since;
    };
    static bool sameKey(const KeyEvent& a, const KeyEvent& b);
    // The key state follows an event that goes on.
    void apply(const KeyEvent& event);
    // The held releases at the front of the queue go on while `ready` says so.
    template <typename Ready> void goOnWhile(Ready ready, const GoOn& goOn);

    std::set<int> down_;
    std::set<int> latched_;
    std::deque<HeldRelease> held_;
    int nextId_ = 0;
    bool holdBackReleases_;
};

} // namespace kelvarn
