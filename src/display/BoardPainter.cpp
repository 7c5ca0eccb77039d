#include "display/BoardPainter.h"

#include "display/Form1Logic.h"

#include <algorithm>
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

// One run of board pixels: the lettered ground AND Pic2 AND Pic3, then OR Pic1.
KELVARN_WIDE void composeRow(std::uint32_t* __restrict to, const std::uint32_t* __restrict ground,
                             const std::uint32_t* __restrict hit,
                             const std::uint32_t* __restrict overlay,
                             const std::uint32_t* __restrict sprite, int n) {
    for (int i = 0; i < n; ++i) {
        to[i] = (ground[i] & hit[i] & overlay[i]) | sprite[i];
    }
}

// A layer and the list of what is drawn into it this frame: every transfer notes the pixels it
// may change (the ink of its picture inside its cell, cut to the layer), so that the next frame can
// clear them.
struct Target {
    Surface& surface;
    std::vector<Rect>& drawn;

    // The pixels a transfer of `picture` to (x, y) may change: its ink inside the cell.
    Rect cell(int x, int y, int w, int h, const Surface& picture, RasterOp op) const {
        const Rect ink = picture.inkBox(op).clippedTo({0, 0, w, h});
        return Rect{x + ink.x, y + ink.y, ink.width, ink.height}.clippedTo(surface.bounds());
    }
    // A cell inside the one noted just before it (the two pictures of a sprite) adds nothing.
    void note(const Rect& r) {
        if (r.empty()) {
            return;
        }
        if (!drawn.empty()) {
            Rect& last = drawn.back();
            if (r.clippedTo(last) == r) {
                return;
            }
            if (last.clippedTo(r) == last) {
                last = r;
                return;
            }
        }
        drawn.push_back(r);
    }
    void andIn(int x, int y, int w, int h, const Surface& picture) {
        note(cell(x, y, w, h, picture, RasterOp::And));
        surface.andIn(x, y, w, h, picture);
    }
    void orIn(int x, int y, int w, int h, const Surface& picture) {
        note(cell(x, y, w, h, picture, RasterOp::Or));
        surface.orIn(x, y, w, h, picture);
    }
    void andWhole(int x, int y, const Surface& picture) {
        andIn(x, y, picture.width(), picture.height(), picture);
    }
    void orWhole(int x, int y, const Surface& picture) {
        orIn(x, y, picture.width(), picture.height(), picture);
    }
    // A one-pixel black stroke from (x, y) to (x + 1, y + 1).
    void mark(int x, int y) {
        note(Rect{x, y, 2, 2}.clippedTo(surface.bounds()));
        surface.line(x, y, x + 1, y + 1, Black);
    }
};

bool boardSized(const Surface& s) {
    return s.width() == BoardLayers::Width && s.height() == BoardLayers::Height;
}

} // namespace

BoardPainter::BoardPainter() : changed_(BoardLayers::Width, BoardLayers::Height) {}

void BoardPainter::statusLines(const GameEdit& g) {
    // Written over last frame's strings, so that their room is reused.
    const auto line = [this](int i, const char* label, const std::string& value) {
        std::string& s = nowLines_[std::size_t(i)];
        s.assign(label);
        s += value;
    };
    line(0, " 炮弹: ", {});
    line(1, " 等级 ", std::to_string(g.level));
    line(2, " 得分: ", std::to_string(g.lastKillPoints));
    line(3, " 总得分: ", std::to_string(g.score));
    line(4, " 生命: ", std::to_string(g.life));
    line(5, " 速度: ", std::to_string(g.speedGauge));
    line(6, " 杀敌: ", std::to_string(g.kills));
    line(7, " 使用炮弹: ", std::to_string(g.shellsUsed));
    line(8, " 当前状态: ", g.statusText);
}

// Sprites go into three layers: Pic1 (black) collects every black-background picture by OR; Pic2
// (white) is the hit layer and gets only the stock icons, the vessel and the cruising
// submarines; Pic3 (white) gets the white-background pictures of everything else.
void BoardPainter::drawSprites(const GameEdit& g, BoardLayers& layers, const Sprites& sprites) {
    for (std::vector<Rect>& list : drawing_) {
        list.clear();
    }
    Target sprite{layers.Pic1, drawing_[Sprite]};
    Target hit{layers.Pic2, drawing_[Hit]};
    Target overlay{layers.Pic3, drawing_[Overlay]};

    // The row of icons has no limit of its own; it simply runs off the board's edge. It is noted
    // as one strip.
    Rect icons;
    for (int i = 0; i < g.shells && IconLeft + IconPitch * i < layers.Pic2.width(); ++i) {
        const int x = IconLeft + IconPitch * i;
        layers.Pic2.andIn(x, IconTop, IconSize, IconSize, sprites.bbb2);
        layers.Pic1.orIn(x, IconTop, IconSize, IconSize, sprites.bbb);
        icons = icons.united(Rect{x, IconTop, IconSize, IconSize});
    }
    hit.note(icons.clippedTo(layers.Pic2.bounds()));
    sprite.note(icons.clippedTo(layers.Pic1.bounds()));

    if (g.facing == 1 || g.facing == 2) {
        const bool left = g.facing == 1;
        hit.andIn(g.playerX, g.playerY, VesselWidth, VesselHeight, left ? sprites.sss : sprites.ss);
        sprite.orIn(g.playerX, g.playerY, VesselWidth, VesselHeight,
                    left ? sprites.sssss : sprites.ssss);
    }

    for (int i = 1; i <= g.bombList.size; ++i) {
        const BombState& bomb = g.bombList[i];
        if (bomb.active) {
            overlay.mark(bomb.x, bomb.y);
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
        Target* layer;
        if (sub.sinkFrame != 0) {
            white = left ? &sprites.PicCrash1M : &sprites.PicCrash2M;
            black = left ? &sprites.PicCrash1 : &sprites.PicCrash2;
            layer = &overlay;
        } else {
            white = left ? &sprites.PicSub1M : &sprites.PicSub2M;
            black = left ? &sprites.PicSub1 : &sprites.PicSub2;
            layer = &hit;
        }
        layer->andWhole(sub.x, sub.y, *white);
        sprite.andWhole(sub.x, sub.y, *white);
        sprite.orWhole(sub.x, sub.y, *black);
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
}

void BoardPainter::paintWhole(const GameEdit& game, BoardLayers& layers, const Sprites& sprites,
                              TextPrinter& text, std::uint32_t textColour) {
    Surface& board = layers.MainBoard;
    layers.Pic1.clear(Black);
    layers.Pic2.clear(White);
    layers.Pic3.clear(White);
    board.clearToPicture(sprites.boardBackground, BoardLayers::Colour);

    statusLines(game);
    text.begin(board, textColour);
    for (const std::string& line : nowLines_) {
        text.printLine(line);
    }
    text.end();

    drawSprites(game, layers, sprites);
    composeOntoBoard(board, layers.Pic2, layers.Pic3, layers.Pic1);

    changed_.clear();
    changed_.addAll();
    std::swap(drawn_, drawing_);
    whole_ = !(boardSized(board) && boardSized(layers.Pic1) && boardSized(layers.Pic2) &&
               boardSized(layers.Pic3));
    if (!whole_) {
        // What the next frames restore the board from: its background with the lines on it.
        lettered_ = Surface(BoardLayers::Width, BoardLayers::Height, BoardLayers::Colour);
        lettered_.clearToPicture(sprites.boardBackground, BoardLayers::Colour);
        text.begin(lettered_, textColour);
        for (const std::string& line : nowLines_) {
            text.printLine(line);
        }
        text.end();
        lines_ = nowLines_;
        colour_ = textColour;
        areaKnown_.fill(false);
    }
}

// Paints one frame where it differs from the last. The board then takes Pic2 AND Pic3 AND, then
// Pic1 OR, over the lettered background, so each drawing pixel shows its own colour.
void BoardPainter::paint(const GameEdit& game, BoardLayers& layers, const Sprites& sprites,
                         TextPrinter& text, std::uint32_t textColour) {
    Surface& board = layers.MainBoard;
    if (whole_ || !boardSized(board) || !boardSized(layers.Pic1) || !boardSized(layers.Pic2) ||
        !boardSized(layers.Pic3)) {
        paintWhole(game, layers, sprites, text, textColour);
        return;
    }
    changed_.clear();

    // What the last frame drew goes; the board shows its lettered background there again.
    const std::array<Surface*, LayerCount> surfaces{&layers.Pic1, &layers.Pic2, &layers.Pic3};
    const std::array<std::uint32_t, LayerCount> blank{Black, White, White};
    for (int l = 0; l < LayerCount; ++l) {
        for (const Rect& r : drawn_[std::size_t(l)]) {
            surfaces[std::size_t(l)]->fill(r, blank[std::size_t(l)]);
            changed_.add(r);
        }
    }

    // Lines whose text or colour changed are printed again, where they were and where they
    // are now, over the background; the lines around them are printed again inside that part.
    statusLines(game);
    Rect relettered;
    for (int i = 0; i < StatusLines; ++i) {
        const std::size_t n = std::size_t(i);
        if (textColour != colour_ || lines_[n] != nowLines_[n]) {
            if (!areaKnown_[n]) {
                areas_[n] = text.lineArea(i, lines_[n]);
            }
            relettered = relettered.united(areas_[n]);
            if (lines_[n] != nowLines_[n]) {
                areas_[n] = text.lineArea(i, nowLines_[n]);
            }
            areaKnown_[n] = true;
            relettered = relettered.united(areas_[n]);
        }
    }
    relettered = relettered.clippedTo(board.bounds());
    if (!relettered.empty()) {
        lettered_.fill(relettered, BoardLayers::Colour);
        lettered_.copyFrom(sprites.boardBackground, relettered);
        text.begin(lettered_, textColour);
        text.clipTo(relettered);
        for (const std::string& line : nowLines_) {
            text.printLine(line);
        }
        text.end();
        lines_ = nowLines_;
        colour_ = textColour;
        changed_.add(relettered);
    } else {
        areaKnown_.fill(false); // areas_ may hold lines that were not printed
    }

    drawSprites(game, layers, sprites);
    for (const std::vector<Rect>& list : drawing_) {
        for (const Rect& r : list) {
            changed_.add(r);
        }
    }
    std::swap(drawn_, drawing_);

    // Composition, only where something was or is, row by row.
    const std::uint32_t* ground = lettered_.data();
    const std::uint32_t* hit = layers.Pic2.data();
    const std::uint32_t* overlay = layers.Pic3.data();
    const std::uint32_t* sprite = layers.Pic1.data();
    std::uint32_t* to = board.data();
    changed_.forEachRun([&](int y, int left, int right) {
        const std::size_t i = std::size_t(y) * BoardLayers::Width + std::size_t(left);
        composeRow(to + i, ground + i, hit + i, overlay + i, sprite + i, right - left);
    });
}

void Form1Logic::Pb() {
    painter.paint(game, layers, sprites, text, boardTextColour.value());
}

} // namespace kelvarn
