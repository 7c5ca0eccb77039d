// What the board hands to the toolkit is opaque: a compositor blends a pixel whose top byte is 0
// with the desktop behind the window, and the sea turns pale over a grey desktop.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "display/qt/Form1.h"
#include "display/qt/Pictures.h"
#include "display/qt/QtTextPrinter.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

TEST(BoardPixels, ReachTheToolkitOpaqueWhileTheRulesReadPlainColours) {
    GameHarness h;
    h.game.shellList[1] = ShellState{150, 200, true};
    h.game.planeList[1] = PlaneState{250, 20, true, 1};
    const Sprites sprites = loadSprites();
    QtTextPrinter printer(boardFont());
    Form1Logic painted(h.game, h.layers, sprites, printer);
    painted.Pb();

    // Background picture, status text, sprites, the compose pass: every pixel in the buffer.
    const Surface& board = h.layers.MainBoard;
    int transparent = 0;
    for (int i = 0; i < board.width() * board.height(); ++i) {
        transparent += (board.data()[i] >> 24) == 0xFF ? 0 : 1;
    }
    EXPECT_EQ(transparent, 0) << "pixels of the board without 0xFF in the top byte";
    EXPECT_EQ(board.pixel(399, 359), sprites.boardBackground.pixel(399, 359));
    EXPECT_EQ(h.layers.Pic2.pixel(399, 359), White) << "the hit layer's empty is 0xFFFFFF";
    EXPECT_EQ(h.layers.Pic2.pixel(400, 0), InvalidColour);

    // And as the window shows it, drawn into a transparent image the way a compositor gets it.
    Form1 form(painted);
    QImage shown(form.MainBoard->size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    form.MainBoard->render(&shown);
    const QRect field = form.MainBoard->contentsRect();
    int seeThrough = 0;
    for (int y = field.top(); y <= field.bottom(); ++y) {
        for (int x = field.left(); x <= field.right(); ++x) {
            seeThrough += qAlpha(shown.pixel(x, y)) == 255 ? 0 : 1;
        }
    }
    EXPECT_EQ(seeThrough, 0) << "pixels of the shown board a compositor would blend";
    EXPECT_EQ(shown.pixel(field.topLeft() + QPoint(399, 359)) & 0xFFFFFFu, board.pixel(399, 359));
}

} // namespace
} // namespace kelvarn::test
