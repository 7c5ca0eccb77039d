#include "platform/win32/Win32TickCounter.h"

#include <windows.h>

namespace kelvarn {

std::uint32_t Win32TickCounter::tickCount() {
    return GetTickCount();
}

} // namespace kelvarn
