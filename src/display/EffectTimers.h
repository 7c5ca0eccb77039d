// Timer2 and Timer3, the one-shot timers that end the repair (12 700 ms) and the frozen planes
// (20 000 ms), as start times on the millisecond tick counter, for a toolkit whose own window
// timers are too coarse: it sleeps until msUntilNext() and asks due() which timer's time has come.
// They count wall-clock time, so a pause does not hold them; differences are taken modulo 2^32.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/Services.h"

namespace kelvarn {

class EffectTimers {
  public:
    static std::uint32_t intervalOf(TimerId timer);

    // Starts `timer` at `now`. A running timer keeps its start: enabling it again restarts nothing.
    void enable(TimerId timer, std::uint32_t now);
    void disable(TimerId timer);
    bool running(TimerId timer) const;

    // A running timer whose interval has passed at `now` (the one due first), or none.
    std::optional<TimerId> due(std::uint32_t now) const;
    // A timer that went off counts its next interval from `now`, as a window timer does until its
    // handler disables it.
    void restart(TimerId timer, std::uint32_t now);
    // Milliseconds from `now` until the next running timer is due (0 when one is due), or none
    // when neither runs.
    std::optional<std::uint32_t> msUntilNext(std::uint32_t now) const;

  private:
    struct Slot {
        bool running = false;
        std::uint32_t start = 0;
    };
    static std::size_t slotOf(TimerId timer) { return timer == TimerId::Timer2 ? 0 : 1; }
    std::uint32_t remaining(TimerId timer, std::uint32_t now) const;

    std::array<Slot, 2> slots_;
};

} // namespace kelvarn
