#include <gtest/gtest.h>

#include "game/Numbers.h"

namespace kelvarn {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(226.5), 226);
    EXPECT_EQ(roundHalfEven(227.5), 228);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.59), -2);
    EXPECT_EQ(roundHalfEven(204.49), 204);
}

TEST(Rounding, FixedPointSumsRoundExactly) {
    EXPECT_EQ(addFixed(200, toFixed(4.5)), 204); // 204.5
    EXPECT_EQ(addFixed(201, toFixed(4.5)), 206); // 205.5
    EXPECT_EQ(addFixed(104, toFixed(3.6)), 108);
    EXPECT_EQ(addFixed(10, toFixed(-1.5)), 8);  // 8.5 -> 8
    EXPECT_EQ(addFixed(11, toFixed(-1.5)), 10); // 9.5 -> 10
    EXPECT_EQ(addFixed(0, -5000), 0);           // -0.5 -> 0
    EXPECT_EQ(addFixed(0, -15000), -2);         // -1.5 -> -2
}

TEST(Rounding, RealsBecomeTenThousandthsTiesToEven) {
    EXPECT_EQ(toFixed(1.06 * 1.5), 15900);
    EXPECT_EQ(toFixed(0.26244), 2624);
    EXPECT_EQ(roundDown(-0.5), -1);
    EXPECT_EQ(roundDown(329.99), 329);
}

} // namespace
} // namespace kelvarn
