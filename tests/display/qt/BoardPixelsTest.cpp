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

// A game with a shell in the water and a plane in the sky, painted once by the Qt printer.
struct PaintedGame {
    PaintedGame() {
        h.game.shellList[1] = ShellState{150, 200, true};
        h.game.planeList[1] = PlaneState{250, 20, true, 1};
        painted.Pb();
    }
    GameHarness h;
    const Sprites sprites = loadSprites();
    QtTextPrinter printer{boardFont()};
    Form1Logic painted{h.game, h.layers, sprites, printer};
};

TEST(BoardPixels, ReachTheToolkitOpaqueWhileTheRulesReadPlainColours) {
    PaintedGame game;
    GameHarness& h = game.h;
    const Sprites& sprites = game.sprites;
    Form1Logic& painted = game.painted;

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

// The window repaints a frame's changed part rectangle by rectangle: each shows the board's own
// pixels, and nothing outside the part is touched.
TEST(BoardPixels, AChangedPartIsShownExactlyWhereItIs) {
    PaintedGame game;
    GameHarness& h = game.h;
    Form1Logic& painted = game.painted;
    h.game.shellList[1].y = 290;
    h.game.planeList[1].x = 40;
    h.game.score = 4500;
    painted.Pb();

    Form1 form(painted);
    const QPoint origin = form.MainBoard->contentsRect().topLeft();
    QRegion part;
    for (const Rect& r : painted.painter.changed().rects()) {
        part += QRect(origin.x() + r.x, origin.y() + r.y, r.width, r.height);
    }
    ASSERT_GT(part.rectCount(), 2);
    QImage shown(form.MainBoard->size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    // render() puts the top-left corner of the part at the offset given.
    form.MainBoard->render(&shown, part.boundingRect().topLeft(), part);
    int wrong = 0;
    int outside = 0;
    for (int y = 0; y < BoardLayers::Height; ++y) {
        for (int x = 0; x < BoardLayers::Width; ++x) {
            const QRgb p = shown.pixel(origin + QPoint(x, y));
            if (part.contains(origin + QPoint(x, y))) {
                wrong += p != (h.layers.MainBoard.pixel(x, y) | Opaque) ? 1 : 0;
            } else {
                outside += qAlpha(p) != 0 ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels of the changed part shown wrongly";
    EXPECT_EQ(outside, 0) << "pixels painted outside the changed part";
}

// The printer lays a text out once and prints it again from that: the lines must come out as the
// toolkit draws the string at the line's baseline, the first time and every time after.
TEST(BoardPixels, StatusLinesPrintAsTheToolkitDrawsTheirText) {
    const std::vector<std::string> lines{" 炮弹: ",   " 等级 3",   " 得分: 50", " 总得分: 123456",
                                         " 生命: 20", " 速度: 37", " 杀敌: 5",  " 当前状态: 危险"};
    QtTextPrinter printer{boardFont()};
    Surface printed(BoardLayers::Width, BoardLayers::Height, 0x3060A0);
    for (int round = 0; round < 2; ++round) {
        printed.clear(0x3060A0);
        printer.begin(printed, 0xF0E010);
        for (const std::string& line : lines) {
            printer.printLine(line);
        }
        printer.end();

        QImage drawn(BoardLayers::Width, BoardLayers::Height, QImage::Format_RGB32);
        drawn.fill(QColor(0x30, 0x60, 0xA0));
        QPainter painter(&drawn);
        painter.setFont(printer.font());
        painter.setPen(QColor(0xF0, 0xE0, 0x10));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            painter.drawText(0, int(i) * printer.lineHeight() + printer.ascent(),
                             QString::fromStdString(lines[i]));
        }
        painter.end();
        int wrong = 0;
        for (int y = 0; y < BoardLayers::Height; ++y) {
            for (int x = 0; x < BoardLayers::Width; ++x) {
                wrong += printed.pixel(x, y) == (drawn.pixel(x, y) & 0xFFFFFFu) ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels printed unlike the drawn text, round " << round + 1;
    }
}

} // namespace
} // namespace kelvarn::test
