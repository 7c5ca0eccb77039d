#include "display/Form1Logic.h"

#include <string>

namespace kelvarn {

namespace {

constexpr int IconLeft = 38; // the stock icons stand right of " 炮弹: "
constexpr int IconTop = 5;
constexpr int IconPitch = 7;
constexpr int IconSize = 6;
constexpr int VesselWidth = 50; // the bottom rows of the vessel's pictures never show
constexpr int VesselHeight = 15;
constexpr int ShellCell = 20;
constexpr int PlaneCellWidth = 80;
constexpr int PlaneCellHeight = 40;
constexpr int BlastCellWidth = 67;
constexpr int BlastCellHeight = 60;

// A picture drawn whole, at its own size.
void andWhole(Surface& layer, int x, int y, const Surface& picture) {
    layer.andIn(x, y, picture.width(), picture.height(), picture);
}
void orWhole(Surface& layer, int x, int y, const Surface& picture) {
    layer.orIn(x, y, picture.width(), picture.height(), picture);
}

// The three whole-board transfers, AND Pic2, AND Pic3, OR Pic1, done in one pass over the
// pixels: the same result as three transfers, at a third of the memory traffic.
void composeOntoBoard(Surface& board, const Surface& hit, const Surface& overlay,
                      const Surface& sprite) {
    const int w = BoardLayers::Width;
    const int h = BoardLayers::Height;
    const bool sameSize = board.width() == w && board.height() == h && hit.width() == w &&
                          hit.height() == h && overlay.width() == w && overlay.height() == h &&
                          sprite.width() == w && sprite.height() == h;
    if (!sameSize) {
        board.andIn(0, 0, w, h, hit);
        board.andIn(0, 0, w, h, overlay);
        board.orIn(0, 0, w, h, sprite);
        return;
    }
    std::uint32_t* to = board.data();
    const std::uint32_t* a = hit.data();
    const std::uint32_t* b = overlay.data();
    const std::uint32_t* c = sprite.data();
    for (int i = 0; i < w * h; ++i) {
        to[i] = (to[i] & a[i] & b[i]) | c[i];
    }
}

} // namespace

// Paints one frame. Sprites go into three layers: Pic1 (black) collects every black-background
// picture by OR; Pic2 (white) is the hit layer and gets only the stock icons, the vessel and the
// cruising submarines; Pic3 (white) gets the white-background pictures of everything else. The
// board then takes Pic2 AND Pic3 AND, then Pic1 OR, so each drawing pixel shows its own colour.
void Form1Logic::Pb() {
    const GameEdit& g = game;
    Surface& board = layers.MainBoard;
    Surface& sprite = layers.Pic1;
    Surface& hit = layers.Pic2;
    Surface& overlay = layers.Pic3;

    sprite.clear(Black);
    hit.clear(White);
    overlay.clear(White);
    board.clearToPicture(sprites.boardBackground, BoardLayers::Colour);

    text.begin(board, boardTextColour.value());
    text.printLine(" 炮弹: ");
    text.printLine(" 等级 " + std::to_string(g.level));
    text.printLine(" 得分: " + std::to_string(g.lastKillPoints));
    text.printLine(" 总得分: " + std::to_string(g.score));
    text.printLine(" 生命: " + std::to_string(g.life));
    text.printLine(" 速度: " + std::to_string(g.speedGauge));
    text.printLine(" 杀敌: " + std::to_string(g.kills));
    text.printLine(" 使用炮弹: " + std::to_string(g.shellsUsed));
    text.printLine(" 当前状态: " + g.statusText);
    text.end();

    // The row of icons has no limit of its own; it simply runs off the board's edge.
    for (int i = 0; i < g.shells && IconLeft + IconPitch * i < board.width(); ++i) {
        const int x = IconLeft + IconPitch * i;
        hit.andIn(x, IconTop, IconSize, IconSize, sprites.bbb2);
        sprite.orIn(x, IconTop, IconSize, IconSize, sprites.bbb);
    }

    if (g.facing == 1 || g.facing == 2) {
        const bool left = g.facing == 1;
        hit.andIn(g.playerX, g.playerY, VesselWidth, VesselHeight, left ? sprites.sss : sprites.ss);
        sprite.orIn(g.playerX, g.playerY, VesselWidth, VesselHeight,
                    left ? sprites.sssss : sprites.ssss);
    }

    for (int i = 1; i <= g.bombList.size; ++i) {
        const BombState& bomb = g.bombList[i];
        if (bomb.active) {
            overlay.line(bomb.x, bomb.y, bomb.x + 1, bomb.y + 1, Black);
        }
    }

    for (int i = 1; i <= g.shellList.size; ++i) {
        const ShellState& shell = g.shellList[i];
        if (shell.active) {
            overlay.andIn(shell.x, shell.y, ShellCell, ShellCell, sprites.bbb2);
            sprite.orIn(shell.x, shell.y, ShellCell, ShellCell, sprites.bbb);
        }
    }

    for (int i = 1; i <= g.planeList.size; ++i) {
        const PlaneState& plane = g.planeList[i];
        if (!plane.active) {
            continue;
        }
        const bool left = plane.direction == 1;
        overlay.andIn(plane.x, plane.y, PlaneCellWidth, PlaneCellHeight,
                      left ? sprites.PicPlane1M : sprites.PicPlane2M);
        sprite.orIn(plane.x, plane.y, PlaneCellWidth, PlaneCellHeight,
                    left ? sprites.PicPlane1 : sprites.PicPlane2);
    }

    // A submarine first blanks its shape in the sprite layer, so it shows on top of shells and
    // planes. Only cruising ones go into the hit layer: shells pass through a sinking wreck.
    for (int i = 1; i <= g.subList.size; ++i) {
        const SubState& sub = g.subList[i];
        if (!sub.active) {
            continue;
        }
        const bool left = sub.direction == 1;
        const Surface* white;
        const Surface* black;
        Surface* layer;
        if (sub.sinkFrame != 0) {
            white = left ? &sprites.PicCrash1M : &sprites.PicCrash2M;
            black = left ? &sprites.PicCrash1 : &sprites.PicCrash2;
            layer = &overlay;
        } else {
            white = left ? &sprites.PicSub1M : &sprites.PicSub2M;
            black = left ? &sprites.PicSub1 : &sprites.PicSub2;
            layer = &hit;
        }
        andWhole(*layer, sub.x, sub.y, *white);
        andWhole(sprite, sub.x, sub.y, *white);
        orWhole(sprite, sub.x, sub.y, *black);
    }

    for (int i = 1; i <= g.blastList.size; ++i) {
        const BlastState& blast = g.blastList[i];
        // Frames 0-2 show picture 0, ... 9-11 picture 3; an explosion never lives past frame 11.
        const int k = blast.frame / 3;
        if (!blast.active || blast.frame < 0 || k >= int(sprites.PicExp.size())) {
            continue;
        }
        overlay.andIn(blast.x, blast.y, BlastCellWidth, BlastCellHeight, sprites.PicExpM[k]);
        sprite.orIn(blast.x, blast.y, BlastCellWidth, BlastCellHeight, sprites.PicExp[k]);
    }

    composeOntoBoard(board, hit, overlay, sprite);
}

} // namespace kelvarn
