#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// A picture of one colour inset by a pixel on a white or black ground, as the test pictures are.
Surface picture(const Surface& like, bool whiteGround, std::uint32_t colour) {
    Surface s(like.width(), like.height(), whiteGround ? White : Black);
    for (int y = 1; y < s.height() - 1; ++y) {
        for (int x = 1; x < s.width() - 1; ++x) {
            s.setPixel(x, y, colour);
        }
    }
    return s;
}

void recolour(Surface& white, Surface& black, std::uint32_t colour) {
    white = picture(white, true, colour);
    black = picture(black, false, colour);
}

// A picture whose every pixel has a colour of its own, made from its column and row.
Surface numbered(const Surface& like) {
    Surface s(like.width(), like.height(), White);
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            s.setPixel(x, y, std::uint32_t(0x010000 * x + 0x000100 * y));
        }
    }
    return s;
}

// The part of `layer` at (x0, y0) holds exactly the picture from its column `fromX` and row
// `fromY` on, `width` by `height` pixels; the number of pixels that differ.
int differing(const Surface& layer, int x0, int y0, const Surface& picture, int fromX, int fromY,
              int width, int height) {
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            wrong += layer.pixel(x0 + x, y0 + y) == picture.pixel(fromX + x, fromY + y) ? 0 : 1;
        }
    }
    return wrong;
}

struct Rect {
    int x0, y0, x1, y1; // both ends included
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

struct Painter : ::testing::Test {
    GameHarness h;
    GameEdit& g = h.game;
    const Surface& board = h.layers.MainBoard;
    const Surface& hit = h.layers.Pic2;
};

TEST_F(Painter, HitLayerHoldsExactlyTheIconsTheVesselAndCruisingSubmarines) {
    g.shells = 3;
    g.bombList[4] = BombState{300, 60, true, 0};
    g.shellList[2] = ShellState{150, 150, true};
    g.shellList[3] = ShellState{10, 200, false}; // free slots draw nothing
    g.planeList[1] = PlaneState{300, 20, true, 1, 4, 0, false};
    g.subList[1] = SubState{50, 250, true, 50, 2, 1, 0};  // cruising
    g.subList[2] = SubState{250, 250, true, 0, 1, 0, 3};  // a wreck
    g.subList[3] = SubState{320, 300, false, 0, 2, 0, 0}; // free
    g.blastList[10] = BlastState{100, 300, true, 5};
    h.form.Pb();

    std::vector<Rect> drawn = {
        {201, 105, 247, 118}, // the vessel's drawing, cut off below row 118
        {51, 251, 112, 267},  // the cruising submarine's white-background picture (64 x 19)
    };
    for (int i = 0; i < 3; ++i) {
        drawn.push_back({39 + 7 * i, 6, 43 + 7 * i, 10}); // top-left 6 x 6 of the shell picture
    }
    int stray = 0;
    int missing = 0;
    for (int y = 0; y < hit.height(); ++y) {
        for (int x = 0; x < hit.width(); ++x) {
            bool inside = false;
            for (const Rect& r : drawn) {
                inside = inside || r.holds(x, y);
            }
            const bool painted = hit.pixel(x, y) != White;
            stray += painted && !inside ? 1 : 0;
            missing += !painted && inside ? 1 : 0;
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(missing, 0);

    // Everything else is drawn in the overlay layer and shows on the board.
    const Surface& overlay = h.layers.Pic3;
    EXPECT_EQ(overlay.pixel(300, 60), Black);
    EXPECT_EQ(overlay.pixel(301, 61), Black);
    EXPECT_NE(overlay.pixel(151, 151), White);
    EXPECT_NE(overlay.pixel(301, 21), White);
    EXPECT_NE(overlay.pixel(251, 251), White);
    EXPECT_NE(overlay.pixel(101, 301), White);
    EXPECT_EQ(overlay.pixel(11, 201), White);
    EXPECT_EQ(overlay.pixel(321, 301), White);
    EXPECT_EQ(board.pixel(300, 60), Black);
}

// Submarines enter at x = -37 and planes at -82 (4 pixels a frame): what shows of them at the
// left edge is the part of the picture right of the edge, in the hit layer too.
TEST_F(Painter, SpritesCutByTheEdgeShowTheirVisiblePart) {
    h.sprites.PicSub2M = numbered(h.sprites.PicSub2M);
    h.sprites.PicPlane2M = numbered(h.sprites.PicPlane2M);
    g.subList[1] = SubState{-37, 200, true, 40, 2, 1, 0};
    g.planeList[1] = PlaneState{-82 + 4 * 12, 20, true, 2, 4, 0, false};
    h.form.Pb();
    EXPECT_EQ(differing(hit, 0, 200, h.sprites.PicSub2M, 37, 0, 64 - 37, 19), 0);
    EXPECT_EQ(hit.pixel(64 - 37, 201), White);
    EXPECT_EQ(differing(h.layers.Pic3, 0, 20, h.sprites.PicPlane2M, 34, 0, 42 - 34, 21), 0);
    EXPECT_EQ(h.layers.Pic3.pixel(42 - 34, 21), White);

    // The top edge alike.
    Surface layer(20, 20, White);
    layer.blit(-3, -5, 10, 10, h.sprites.PicSub2M, RasterOp::And);
    EXPECT_EQ(differing(layer, 0, 0, h.sprites.PicSub2M, 3, 5, 7, 5), 0);
}

TEST_F(Painter, StockIconsStandSevenPixelsApartAndRunOffTheEdge) {
    g.shells = 6;
    h.form.Pb();
    for (int x : {38, 45, 52, 59, 66, 73}) {
        EXPECT_EQ(hit.pixel(x, 5), White) << "ground of the picture's corner";
        EXPECT_NE(hit.pixel(x + 1, 6), White) << x;
        EXPECT_NE(hit.pixel(x + 5, 10), White) << x;
        EXPECT_EQ(hit.pixel(x + 1, 11), White) << "cut to 6 x 6";
        EXPECT_EQ(hit.pixel(x + 6, 6), White) << "cut to 6 x 6";
    }
    EXPECT_EQ(hit.pixel(81, 6), White);

    g.shells = 0;
    h.form.Pb();
    for (int x = 0; x < 400; ++x) {
        ASSERT_EQ(hit.pixel(x, 6), White) << x;
    }
    EXPECT_EQ(h.text.lines.at(0), " 炮弹: ");

    g.shells = 1000; // the row runs off the board without harm
    h.form.Pb();
    EXPECT_NE(hit.pixel(396, 6), White);
    g.shells = -4;
    h.form.Pb();
    EXPECT_EQ(hit.pixel(39, 6), White);
}

TEST_F(Painter, StatusLinesShowValuesAtTheirNaturalWidth) {
    g.score = -30;
    g.lastKillPoints = 197;
    g.life = 3;
    g.speedGauge = 100;
    g.kills = 12;
    g.shellsUsed = 0;
    g.statusText = "修理中----";
    h.form.boardTextColour = Rgb{0, 0, 255};
    h.form.Pb();
    const std::vector<std::string> expected = {
        " 炮弹: ",    " 等级 1",   " 得分: 197",   " 总得分: -30",         " 生命: 3",
        " 速度: 100", " 杀敌: 12", " 使用炮弹: 0", " 当前状态: 修理中----"};
    EXPECT_EQ(h.text.lines, expected);
    EXPECT_EQ(h.text.colour, 0x0000FFu);
}

TEST_F(Painter, VesselPictureFollowsTheFacing) {
    recolour(h.sprites.sss, h.sprites.sssss, 0x112233);
    recolour(h.sprites.ss, h.sprites.ssss, 0x445566);
    g.facing = 1;
    h.form.Pb();
    EXPECT_EQ(board.pixel(220, 110), 0x112233u);
    g.facing = 2;
    h.form.Pb();
    EXPECT_EQ(board.pixel(220, 110), 0x445566u);
    g.facing = 0;
    h.form.Pb();
    EXPECT_EQ(hit.pixel(220, 110), White);
    EXPECT_EQ(board.pixel(220, 110), 0xE0E0E0u);
}

TEST_F(Painter, ExplosionShowsPictureFrameDividedByThree) {
    const std::uint32_t colours[4] = {0xFF0000, 0xFF8000, 0xFFFF00, 0xFFFFF0};
    for (int k = 0; k < 4; ++k) {
        recolour(h.sprites.PicExpM[k], h.sprites.PicExp[k], colours[k]);
    }
    const std::pair<int, int> frames[] = {{0, 0}, {2, 0}, {3, 1}, {8, 2}, {9, 3}, {11, 3}};
    for (auto [frame, k] : frames) {
        g.blastList[1] = BlastState{150, 200, true, frame};
        h.form.Pb();
        EXPECT_EQ(board.pixel(180, 230), colours[k]) << "frame " << frame;
    }
}

TEST_F(Painter, SubmarineHidesAShellWhilePlanesMixByOr) {
    recolour(h.sprites.bbb2, h.sprites.bbb, 0x404040);
    recolour(h.sprites.PicSub1M, h.sprites.PicSub1, 0x008080);
    recolour(h.sprites.PicPlane1M, h.sprites.PicPlane1, 0x00FF00);
    recolour(h.sprites.PicPlane2M, h.sprites.PicPlane2, 0xFF0000);
    g.shellList[1] = ShellState{100, 200, true};
    g.subList[1] = SubState{95, 195, true, 40, 1, 1, 0};
    g.planeList[1] = PlaneState{200, 30, true, 1, 4, 0, false};
    g.planeList[2] = PlaneState{210, 35, true, 2, 4, 0, false};
    h.form.Pb();
    EXPECT_EQ(board.pixel(105, 205), 0x008080u) << "the submarine covers the shell";
    EXPECT_EQ(board.pixel(220, 40), 0xFFFF00u) << "overlapping planes combine";
    EXPECT_EQ(board.pixel(205, 32), 0x00FF00u);
}

TEST_F(Painter, EveryFrameStartsFromTheBackground) {
    Surface background(442, 361, 0);
    for (int y = 0; y < 361; ++y) {
        for (int x = 0; x < 442; ++x) {
            background.setPixel(x, y, std::uint32_t(x * 1000 + y));
        }
    }
    h.sprites.boardBackground = background;
    g.shellList[1] = ShellState{100, 200, true};
    h.form.Pb();
    EXPECT_NE(board.pixel(105, 205), background.pixel(105, 205));
    g.shellList.free(1);
    h.form.Pb();
    EXPECT_EQ(board.pixel(105, 205), background.pixel(105, 205));
    EXPECT_EQ(board.pixel(399, 359), background.pixel(399, 359));
    EXPECT_EQ(h.layers.Pic3.pixel(105, 205), White);
    EXPECT_EQ(h.layers.Pic1.pixel(105, 205), Black);
}

// The window is asked to show again where a sprite was and where it is, and not the still sea:
// in rectangles that do not overlap, band by band.
TEST_F(Painter, ChangedPartIsWhereSpritesWereAndAre) {
    g.shellList[1] = ShellState{100, 200, true};
    h.form.Pb();
    g.shellList[1].y = 260;
    h.form.Pb();
    const BoardRegion& changed = h.form.painter.changed();
    EXPECT_TRUE(changed.covers(105, 205) && changed.covers(105, 265));
    EXPECT_FALSE(changed.covers(399, 359) || changed.covers(300, 200));
    EXPECT_LT(changed.area(), BoardLayers::Width * BoardLayers::Height / 10);
    int area = 0;
    const std::vector<kelvarn::Rect>& rects = changed.rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        area += rects[i].width * rects[i].height;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(rects[i].intersects(rects[j]));
            EXPECT_TRUE(rects[j].y < rects[i].y ||
                        (rects[j].y == rects[i].y && rects[j].height == rects[i].height &&
                         rects[j].right() < rects[i].x));
        }
    }
    EXPECT_EQ(area, changed.area());
}

} // namespace
} // namespace kelvarn::test
