#include "display/BoardScale.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Surface.h"

namespace kelvarn::test {
namespace {

TEST(BoardScale, ChangedTilesBecomeOneRectanglePerRunOfRowsClippedToTheBoard) {
    // A board of 400 columns: 25 tiles of 16, the last one whole.
    const BoardScale scale(400, 10, 1.5);
    std::vector<std::uint32_t> tiles(10, 0);
    tiles[1] = 1u << 2;         // columns 32..47
    tiles[2] = 1u << 5;         // columns 80..95: the run spans tiles 2 to 5
    tiles[6] = 1u << 24;        // the last tile, columns 384..399
    tiles[9] = (1u << 31) | 1u; // a bit past the board's tiles is cut at its edge
    const std::vector<Rect> bands = scale.changedBands(tiles.data());
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ((std::vector<int>{bands[0].x, bands[0].y, bands[0].right(), bands[0].bottom()}),
              (std::vector<int>{32, 1, 96, 3}));
    EXPECT_EQ((std::vector<int>{bands[1].x, bands[1].y, bands[1].right(), bands[1].bottom()}),
              (std::vector<int>{384, 6, 400, 7}));
    EXPECT_EQ((std::vector<int>{bands[2].x, bands[2].y, bands[2].right(), bands[2].bottom()}),
              (std::vector<int>{0, 9, 400, 10}));
    EXPECT_TRUE(scale.changedBands(std::vector<std::uint32_t>(10, 0).data()).empty());
}

} // namespace
} // namespace kelvarn::test
