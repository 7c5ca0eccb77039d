#include "display/EffectTimers.h"

#include <algorithm>

#include "display/Form1Logic.h"

namespace kelvarn {

namespace {

constexpr TimerId Both[] = {TimerId::Timer2, TimerId::Timer3};

} // namespace

std::uint32_t EffectTimers::intervalOf(TimerId timer) {
    return timer == TimerId::Timer2 ? Form1Timers::Timer2Ms : Form1Timers::Timer3Ms;
}

void EffectTimers::enable(TimerId timer, std::uint32_t now) {
    Slot& slot = slots_[slotOf(timer)];
    if (!slot.running) {
        slot = Slot{true, now};
    }
}

void EffectTimers::disable(TimerId timer) {
    slots_[slotOf(timer)].running = false;
}

bool EffectTimers::running(TimerId timer) const {
    return slots_[slotOf(timer)].running;
}

void EffectTimers::restart(TimerId timer, std::uint32_t now) {
    Slot& slot = slots_[slotOf(timer)];
    if (slot.running) {
        slot.start = now;
    }
}

std::uint32_t EffectTimers::remaining(TimerId timer, std::uint32_t now) const {
    const std::uint32_t elapsed = now - slots_[slotOf(timer)].start;
    const std::uint32_t interval = intervalOf(timer);
    return elapsed >= interval ? 0 : interval - elapsed;
}

std::optional<TimerId> EffectTimers::due(std::uint32_t now) const {
    std::optional<TimerId> first;
    std::uint32_t latest = 0; // how long past its time the first one is
    for (TimerId timer : Both) {
        if (!running(timer) || remaining(timer, now) != 0) {
            continue;
        }
        const std::uint32_t late = (now - slots_[slotOf(timer)].start) - intervalOf(timer);
        if (!first || late > latest) {
            first = timer;
            latest = late;
        }
    }
    return first;
}

std::optional<std::uint32_t> EffectTimers::msUntilNext(std::uint32_t now) const {
    std::optional<std::uint32_t> next;
    for (TimerId timer : Both) {
        if (running(timer)) {
            const std::uint32_t left = remaining(timer, now);
            next = next ? std::min(*next, left) : left;
        }
    }
    return next;
}

} // namespace kelvarn
