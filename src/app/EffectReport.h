// With KELVARN_REPORT_TIMERS=1 in its environment the program says on stderr, each time Timer2 or
// Timer3 goes off, how long after its start that was, measured on the steady clock, for the
// benchmark of the timed effects. Otherwise it says nothing.
#pragma once

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Services.h"

namespace kelvarn {

class EffectReport {
  public:
    EffectReport() {
        const char* on = std::getenv("KELVARN_REPORT_TIMERS");
        on_ = on != nullptr && std::strcmp(on, "1") == 0;
    }
    void started(TimerId timer) {
        if (on_) {
            start_[slot(timer)] = Clock::now();
        }
    }
    void wentOff(TimerId timer) {
        if (!on_) {
            return;
        }
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - start_[slot(timer)]).count();
        std::fprintf(stderr, "kelvarn: %s went off %.2f ms after its start\n",
                     timer == TimerId::Timer2 ? "Timer2" : "Timer3", ms);
        std::fflush(stderr);
    }

  private:
    using Clock = std::chrono::steady_clock;
    static std::size_t slot(TimerId timer) { return timer == TimerId::Timer2 ? 0 : 1; }
    bool on_ = false;
    std::array<Clock::time_point, 2> start_{};
};

} // namespace kelvarn
