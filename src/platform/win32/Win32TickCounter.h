// The tick counter on Windows: GetTickCount, milliseconds since the system started, wrapping
// around after about 49.7 days.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class Win32TickCounter : public TickCounter {
  public:
    std::uint32_t tickCount() override;
};

} // namespace kelvarn
