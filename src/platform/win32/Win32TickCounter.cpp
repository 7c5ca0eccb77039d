#include "platform/win32/Win32TickCounter.h"

#include <windows.h>

#include <mmsystem.h>

namespace kelvarn {

Win32TickCounter::Win32TickCounter() : finePeriod_(timeBeginPeriod(1) == TIMERR_NOERROR) {}

Win32TickCounter::~Win32TickCounter() {
    if (finePeriod_) {
        timeEndPeriod(1);
    }
}

std::uint32_t Win32TickCounter::tickCount() {
    return timeGetTime();
}

} // namespace kelvarn
