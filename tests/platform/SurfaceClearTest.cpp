#include <gtest/gtest.h>

#include "platform/Surface.h"

namespace kelvarn {
namespace {

// Clearing copies blocks of growing size; every pixel must get the colour whatever the size,
// including sizes that are not a power of two and surfaces smaller than the first block.
TEST(SurfaceClear, ReachesEveryPixelOfEverySize) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {3, 5}, {8, 8}, {63, 1}, {65, 1}, {7, 131}, {400, 360}};
    for (const auto& size : sizes) {
        Surface s(size[0], size[1], 0x123456);
        s.setPixel(size[0] - 1, size[1] - 1, 0x654321);
        s.clear(0xFFFFFF);
        int wrong = 0;
        for (int y = 0; y < size[1]; ++y) {
            for (int x = 0; x < size[0]; ++x) {
                wrong += s.pixel(x, y) == 0xFFFFFF ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0) << size[0] << " x " << size[1];
    }
}

} // namespace
} // namespace kelvarn
