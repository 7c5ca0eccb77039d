#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

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

// A transfer pixel by pixel, as the block transfers must come out.
void transferByHand(Surface& to, int x, int y, int w, int h, const Surface& from, RasterOp op) {
    for (int row = 0; row < std::min(h, from.height()); ++row) {
        for (int col = 0; col < std::min(w, from.width()); ++col) {
            const std::uint32_t target = to.pixel(x + col, y + row);
            if (target == InvalidColour) {
                continue;
            }
            const std::uint32_t source = from.pixel(col, row);
            to.setPixel(x + col, y + row,
                        op == RasterOp::And  ? target & source
                        : op == RasterOp::Or ? target | source
                                             : source);
        }
    }
}

// Transfers skip the background margins of a picture: wherever the picture lands, cut by any
// edge or by a cell smaller than the picture, the result is what pixel-by-pixel transfers give;
// a picture changed after a transfer is transferred with its new ink.
TEST(SurfaceTransfer, SkipsOnlyWhatChangesNothing) {
    Surface white(30, 20, White);
    white.setPixel(7, 4, 0x102030);
    white.setPixel(21, 15, 0x405060);
    Surface black(30, 20, Black);
    black.setPixel(3, 9, 0x0A0B0C);
    black.setPixel(26, 2, 0x708090);
    EXPECT_EQ(white.inkBox(RasterOp::And), (Rect{7, 4, 15, 12}));
    EXPECT_EQ(black.inkBox(RasterOp::Or), (Rect{3, 2, 24, 8}));
    EXPECT_EQ(white.inkBox(RasterOp::Copy), white.bounds());
    EXPECT_TRUE(Surface(5, 5, White).inkBox(RasterOp::And).empty());

    Surface target(50, 40, 0x8899AA);
    for (int y = 0; y < 40; y += 3) {
        target.setPixel(y, y, 0x123456);
    }
    for (const RasterOp op : {RasterOp::And, RasterOp::Or, RasterOp::Copy}) {
        const Surface& picture = op == RasterOp::Or ? black : white;
        for (const auto& [w, h] : {std::pair{30, 20}, {12, 9}, {40, 40}}) {
            for (int x = -31; x <= 51; x += 2) {
                for (int y = -21; y <= 41; y += 3) {
                    Surface fast = target;
                    Surface slow = target;
                    fast.blit(x, y, w, h, picture, op);
                    transferByHand(slow, x, y, w, h, picture, op);
                    ASSERT_EQ(fast, slow)
                        << int(op) << " at " << x << "," << y << " " << w << " x " << h;
                }
            }
        }
    }

    white.setPixel(0, 0, Black); // widens the ink to the top-left corner
    Surface fast = target;
    Surface slow = target;
    fast.andIn(-3, 1, 30, 20, white);
    fast.andIn(2, 2, 30, 20, white);
    transferByHand(slow, -3, 1, 30, 20, white, RasterOp::And);
    transferByHand(slow, 2, 2, 30, 20, white, RasterOp::And);
    EXPECT_EQ(fast, slow);
    EXPECT_EQ(white.inkBox(RasterOp::And), (Rect{0, 0, 22, 16}));
}

} // namespace
} // namespace kelvarn
