// The random generator: a 64-bit Mersenne Twister that the clock reseeds.
#pragma once

#include <random>

#include "platform/Services.h"

namespace kelvarn {

class QtRandom final : public RandomSource {
  public:
    QtRandom();
    double next() override;
    void reseedFromClock() override;

  private:
    std::mt19937_64 engine_;
};

} // namespace kelvarn
