// The tick counter: milliseconds of the steady clock, as a 32-bit count that wraps around.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class QtTickCounter : public TickCounter {
  public:
    std::uint32_t tickCount() override;
};

} // namespace kelvarn
