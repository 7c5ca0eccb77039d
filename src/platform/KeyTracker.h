// The keyboard as the rules poll it, kept from the key events the window system sends. Where the
// display repeats a held key as a release and a press with one timestamp, each release is held
// back a moment to see whether such a press follows; the tracker decides which events go on and
// when, and its key state follows exactly the events that go on.
#pragma once

#include <cstdint>
#include <deque>
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

    // What becomes of an event that has just arrived at `now` (milliseconds of a tick counter).
    struct Outcome {
        // A held release of the same key that goes on first: the key went up before this event.
        std::optional<int> goesFirst;
        // This event is a release that waits, under this id, until due() or the next event of its
        // key lets it go on; without an id it goes on now.
        std::optional<int> heldAs;
    };
    Outcome arrive(const KeyEvent& event, std::uint32_t now);
    // The held releases whose wait is over at `now`, oldest first; they go on now.
    std::vector<int> due(std::uint32_t now);
    // Milliseconds from `now` until the oldest held release is due; none while nothing is held.
    std::optional<std::uint32_t> nextDueIn(std::uint32_t now) const;

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

    std::set<int> down_;
    std::set<int> latched_;
    std::deque<HeldRelease> held_;
    int nextId_ = 0;
    bool holdBackReleases_;
};

} // namespace kelvarn
