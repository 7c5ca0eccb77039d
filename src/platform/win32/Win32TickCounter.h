// The tick counter on Windows: timeGetTime, milliseconds since the system started, wrapping
// around after about 49.7 days as GetTickCount does. GetTickCount moves in steps of the system
// tick (about 15.6 ms), which would put the frames 31 ms apart; with the timer period set to 1 ms
// for as long as the counter lives, timeGetTime moves in 1 ms steps.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class Win32TickCounter : public TickCounter {
  public:
    Win32TickCounter();
    ~Win32TickCounter() override;
    Win32TickCounter(const Win32TickCounter&) = delete;
    Win32TickCounter& operator=(const Win32TickCounter&) = delete;

    std::uint32_t tickCount() override;

  private:
    bool finePeriod_ = false;
};

} // namespace kelvarn
