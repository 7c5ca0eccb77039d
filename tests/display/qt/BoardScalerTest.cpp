// The board on high-density screens, frame after frame of a busy sea whose planes and submarines
// cross the status lines while the lines change length and colour.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "display/qt/BoardScaler.h"
#include "display/qt/Pictures.h"
#include "display/qt/QtTextPrinter.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

// Frame t of a sea in motion.
void stage(GameEdit& g, int t) {
    g.playerX = 20 + (5 * t) % 300;
    g.facing = 1 + (t / 20) % 2;
    g.shells = t % 9;
    g.score = 37 * t - 500;
    g.speedGauge = t % 7;
    g.statusText = t % 10 < 5 ? "修理中----" : "正常";
    g.planeList[1] = PlaneState{-40 + 9 * t, 30, true, 1 + (t / 30) % 2, 4, 0, false};
    g.subList[1] = SubState{380 - 7 * t, 95, true, 60, 1, 3, 0};
    g.subList[2] = SubState{50, 200 + t, true, 60, 2, 0, 1};
    g.shellList[1] = ShellState{100, 130 + 4 * t, true};
    g.bombList[1] = BombState{150 + t, 60, t % 3 != 0, 0};
    g.blastList[1] = BlastState{200, 150, t % 12 != 11, t % 12};
}

struct ScaledBoard : ::testing::TestWithParam<double> {
    GameHarness h;
    Sprites sprites = (initialiseResources(), loadSprites());
    QtTextPrinter printer{boardFont()};
    Form1Logic painter{h.game, h.layers, sprites, printer};
    Surface ground{BoardLayers::Width, BoardLayers::Height};
    ScaledBoard() { ground.clearToPicture(sprites.boardBackground, BoardLayers::Colour); }

    QImage drawnAfresh() {
        BoardScaler fresh(h.layers, ground, &printer);
        fresh.setScale(GetParam());
        fresh.update();
        return fresh.image();
    }
};

// The picture kept up to date tile by tile, told by the painter what changed, is the one drawn
// afresh; the board the painter drew only where it changed, with the real glyphs, is the one
// painted whole; the part reported as changed holds every device pixel that changed; and wherever a
// sprite's drawing covers a board pixel, the device pixels inside it show the drawing's colour,
// letters or not (as on the board, where every sprite covers the text).
TEST_P(ScaledBoard, KeptUpToDateAsIfDrawnAfresh) {
    const double scale = GetParam();
    BoardScaler kept(h.layers, ground, &printer);
    kept.setScale(scale);
    kept.update();
    BoardLayers whole;
    BoardPainter wholePainter;
    int covered = 0;
    for (int t = 0; t < 60; ++t) {
        if (t == 30) {
            painter.boardTextColour = Rgb{0, 0, 255};
        }
        stage(h.game, t);
        painter.Pb();
        wholePainter.paintWhole(h.game, whole, sprites, printer, painter.boardTextColour.value());
        ASSERT_TRUE(whole.MainBoard == h.layers.MainBoard && whole.Pic1 == h.layers.Pic1 &&
                    whole.Pic2 == h.layers.Pic2 && whole.Pic3 == h.layers.Pic3)
            << "frame " << t;
        const QImage before = kept.image().copy();
        const QRegion changed = kept.update(painter.painter.changed());
        const QImage after = kept.image();
        if (t % 3 == 2) { // a tile left behind stays wrong until it changes again
            ASSERT_EQ(after, drawnAfresh()) << "frame " << t;
        }
        ASSERT_EQ(after.devicePixelRatio(), scale);

        for (int y = 0; y < after.height(); ++y) {
            const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
            for (int x = 0; x < after.width(); ++x) {
                const QPoint board(int(x / scale), int(y / scale));
                if (was[x] != now[x]) {
                    ASSERT_TRUE(changed.contains(board))
                        << "frame " << t << " at " << x << "," << y;
                }
                const bool inside =
                    std::ceil(board.x() * scale) <= x && x + 1 <= (board.x() + 1) * scale &&
                    std::ceil(board.y() * scale) <= y && y + 1 <= (board.y() + 1) * scale;
                const std::uint32_t drawing = h.layers.Pic1.pixel(board.x(), board.y());
                const std::uint32_t mask = h.layers.Pic2.pixel(board.x(), board.y()) &
                                           h.layers.Pic3.pixel(board.x(), board.y());
                if (inside && drawing != Black && drawing == mask) {
                    ++covered;
                    ASSERT_EQ(now[x], 0xFF000000u | drawing)
                        << "frame " << t << " at " << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(covered, 10000);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledBoard, ::testing::Values(1.25, 1.5, 1.75, 2.0, 3.0));

} // namespace
} // namespace kelvarn::test
