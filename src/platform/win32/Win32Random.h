// The random generator on Windows: a 64-bit Mersenne Twister that the performance counter
// reseeds.
#pragma once

#include <random>

#include "platform/Services.h"

namespace kelvarn {

class Win32Random final : public RandomSource {
  public:
    Win32Random();
    double next() override;
    void reseedFromClock() override;

  private:
    std::mt19937_64 engine_;
};

} // namespace kelvarn
