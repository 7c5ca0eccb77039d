#include "platform/qt/QtTickCounter.h"

#include <chrono>

namespace kelvarn {

std::uint32_t QtTickCounter::tickCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

} // namespace kelvarn
