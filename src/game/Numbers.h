// Number rules of the game: fixed-point values are counts of ten-thousandths, and every
// fractional-to-integer conversion rounds to the nearest integer with ties to even unless a rule
// says it rounds down.
#pragma once

#include <cmath>
#include <cstdint>

namespace kelvarn {

// A signed count of ten-thousandths (four decimal places).
using Fixed = std::int64_t;
inline constexpr Fixed FixedOne = 10000;

// Nearest integer, ties to the even neighbour: 226.5 -> 226, 227.5 -> 228, -1.5 -> -2.
inline std::int64_t roundHalfEven(double value) {
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<std::int64_t>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) {
        ++result;
    }
    return result;
}

// Rounds down, toward negative infinity.
inline std::int64_t roundDown(double value) {
    return static_cast<std::int64_t>(std::floor(value));
}

// A real number as fixed-point, rounded to the nearest ten-thousandth, ties to even.
inline Fixed toFixed(double value) {
    return roundHalfEven(value * double(FixedOne));
}

inline double fixedToDouble(Fixed value) {
    return double(value) / double(FixedOne);
}

// A fixed-point value rounded to an integer, ties to even, computed exactly.
inline std::int64_t roundFixed(Fixed value) {
    std::int64_t whole = value / FixedOne;
    std::int64_t rest = value % FixedOne;
    if (rest < 0) { // keep rest in 0..9999 so that whole is the floor
        rest += FixedOne;
        --whole;
    }
    if (rest > FixedOne / 2 || (rest == FixedOne / 2 && whole % 2 != 0)) {
        ++whole;
    }
    return whole;
}

// Whole pixels plus a fixed-point step, rounded ties to even: x + 3.6 -> nearest integer.
inline int addFixed(int whole, Fixed step) {
    return static_cast<int>(roundFixed(Fixed(whole) * FixedOne + step));
}

} // namespace kelvarn
