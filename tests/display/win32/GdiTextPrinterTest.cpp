// The Windows status lines, printed with GDI only where a line changed, over a striped background
// that shows any part restored from the wrong place: the board and its layers stay exactly as
// painting the whole frame afresh leaves them, and a line that changed alone is all the board
// shows again.
#include <windows.h>

#include <gtest/gtest.h>

#include "display/Form1Layout.h"
#include "display/win32/GdiTextPrinter.h"
#include "fakes/GameHarness.h"
#include "platform/win32/Utf16.h"

namespace kelvarn::test {
namespace {

bool sameLayers(const BoardLayers& a, const BoardLayers& b) {
    return a.MainBoard == b.MainBoard && a.Pic1 == b.Pic1 && a.Pic2 == b.Pic2 && a.Pic3 == b.Pic3;
}

TEST(GdiTextPrinter, ChangedLinesAloneArePrintedAgainAndTheBoardIsAsPaintedWhole) {
    GameHarness h;
    for (int y = 0; y < h.sprites.boardBackground.height(); ++y) {
        for (int x = 0; x < h.sprites.boardBackground.width(); ++x) {
            h.sprites.boardBackground.setPixel(x, y, ((x + 2 * y) / 3) % 2 ? 0x3050A0 : 0xD0C890);
        }
    }
    GdiTextPrinter text{boardTextFont().family.c_str(), boardTextFont().points};
    Form1Logic painter{h.game, h.layers, h.sprites, text};
    BoardLayers whole;
    BoardPainter wholePainter;
    for (int t = 0; t < 40; ++t) {
        if (t == 25) {
            painter.boardTextColour = Rgb{0, 90, 255};
        }
        h.game.score = t % 4 == 0 ? 37 * t - 500 : h.game.score; // lengths 4, 3, 2, 3 ...
        h.game.level = 1 + t / 10;
        if (t % 6 < 3) { // the status word changes, and its length with it
            h.form.pause();
        } else {
            h.form.unpause();
        }
        h.game.playerX = 10 + 9 * t; // the vessel crosses the lines' right ends
        h.game.playerY = 90;
        h.game.planeList[1] = PlaneState{300 - 8 * t, 8, true, 1, 4, 0, false};
        painter.Pb();
        wholePainter.paintWhole(h.game, whole, h.sprites, text, painter.boardTextColour.value());
        ASSERT_TRUE(sameLayers(h.layers, whole)) << "frame " << t;
    }
    int lettered = 0;
    for (int y = 0; y < 9 * text.lineHeight(); ++y) {
        for (int x = 0; x < 100; ++x) {
            lettered += (h.layers.MainBoard.pixel(x, y) & 0xFFFFFFu) !=
                        (h.sprites.boardBackground.pixel(x, y) & 0xFFFFFFu);
        }
    }
    EXPECT_GT(lettered, 200) << "GDI printed no glyphs";

    // A still sea without a vessel or icons: only the score changes, and only its line shows again.
    h.game.planeList[1] = PlaneState{};
    h.game.facing = 0;
    h.game.shells = 0;
    painter.Pb();
    painter.Pb();
    EXPECT_TRUE(painter.painter.changed().empty()) << "nothing changed on a still sea";
    const std::string before = win32::toUtf8(std::wstring_view(text.lines().at(3)));
    h.game.score += 10000;
    painter.Pb();
    wholePainter.paintWhole(h.game, whole, h.sprites, text, painter.boardTextColour.value());
    EXPECT_TRUE(sameLayers(h.layers, whole));
    const Rect line =
        text.lineArea(3, before)
            .united(text.lineArea(3, win32::toUtf8(std::wstring_view(text.lines().at(3)))))
            .clippedTo(h.layers.MainBoard.bounds());
    const BoardRegion& changed = painter.painter.changed();
    ASSERT_FALSE(changed.empty());
    constexpr int Cell = BoardRegion::Cell;
    for (const Rect& r : changed.rects()) {
        EXPECT_GE(r.y, line.y / Cell * Cell);
        EXPECT_LE(r.bottom(), (line.bottom() + Cell - 1) / Cell * Cell);
        EXPECT_LE(r.right(), (line.right() + Cell - 1) / Cell * Cell);
    }
    EXPECT_LT(changed.area(), 400 * 3 * text.lineHeight());
}

} // namespace
} // namespace kelvarn::test
