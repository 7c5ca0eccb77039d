#include "Catalogue.h"

#include <algorithm>
#include <stdexcept>

#include "Scenery.h"
#include "Sprites.h"

namespace assetgen {

bool isClearDrawingColour(std::uint32_t rgb) {
    const int r = int((rgb >> 16) & 0xFF), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
    if ((rgb & 0xFFFFFF) == 0xFFFFFF || (rgb & 0xFFFFFF) == 0) {
        return true;
    }
    return std::min({r, g, b}) <= 223 && std::max({r, g, b}) >= 32;
}

namespace {

struct Size {
    int w, h;
};

// Lays the drawing on a ground of exact white or exact black. Every drawing pixel must lie inside
// `area` (what both pictures of the pair share, cut to the cell the painter shows) and be a clear
// drawing colour, so that the two pictures agree wherever both have a pixel.
Pixmap onGround(const std::string& name, const Pixmap& drawing, Size size, Size area,
                std::uint32_t ground) {
    Pixmap out(size.w, size.h, opaque(ground));
    for (int y = 0; y < drawing.height(); ++y) {
        for (int x = 0; x < drawing.width(); ++x) {
            const Argb c = drawing.at(x, y);
            if (!alpha(c)) {
                continue;
            }
            if (alpha(c) != 0xFF) {
                throw std::runtime_error(name + ": a half-transparent drawing pixel");
            }
            if (x >= area.w || y >= area.h) {
                throw std::runtime_error(name + ": drawing outside the shared area at " +
                                         std::to_string(x) + "," + std::to_string(y));
            }
            if (!isClearDrawingColour(c)) {
                throw std::runtime_error(name + ": unclear drawing colour at " + std::to_string(x) +
                                         "," + std::to_string(y));
            }
            out.set(x, y, c);
        }
    }
    return out;
}

Pixmap sized(const std::string& name, Pixmap pixels, int w, int h) {
    if (pixels.width() != w || pixels.height() != h) {
        throw std::runtime_error(name + ": drawn at " + std::to_string(pixels.width()) + " x " +
                                 std::to_string(pixels.height()) + ", not " + std::to_string(w) +
                                 " x " + std::to_string(h));
    }
    return pixels;
}

void addPair(std::vector<Picture>& out, const std::string& whiteName, Size white,
             const std::string& blackName, Size black, Size cell, const Pixmap& drawing) {
    const Size area{std::min({white.w, black.w, cell.w}), std::min({white.h, black.h, cell.h})};
    out.push_back({whiteName, Ground::White, onGround(whiteName, drawing, white, area, 0xFFFFFF)});
    out.push_back({blackName, Ground::Black, onGround(blackName, drawing, black, area, 0x000000)});
}

} // namespace

std::vector<Picture> makePictures() {
    std::vector<Picture> out;
    const Pixmap vessel = vesselFacingLeft();
    // The vessel is shown in a 50 x 15 cell: its drawing keeps to the top 15 rows.
    addPair(out, "sss", {49, 18}, "sssss", {49, 18}, {50, 15}, vessel);
    addPair(out, "ss", {49, 18}, "ssss", {49, 18}, {50, 15}, vessel.mirrored());
    addPair(out, "bbb2", {12, 16}, "bbb", {12, 16}, {20, 20}, shellDrawing());
    addPair(out, "PicPlane1M", {42, 20}, "PicPlane1", {40, 19}, {80, 40}, planeFlyingLeft());
    addPair(out, "PicPlane2M", {42, 21}, "PicPlane2", {42, 21}, {80, 40}, planeFlyingRight());
    addPair(out, "PicSub1M", {63, 20}, "PicSub1", {62, 20}, {63, 20}, submarineMovingLeft());
    addPair(out, "PicSub2M", {64, 19}, "PicSub2", {63, 19}, {64, 19}, submarineMovingRight());
    addPair(out, "PicCrash1M", {63, 32}, "PicCrash1", {63, 32}, {63, 32}, wreckOfLeftSubmarine());
    addPair(out, "PicCrash2M", {68, 37}, "PicCrash2", {67, 36}, {68, 37}, wreckOfRightSubmarine());

    // Explosion pictures are shown in a 67 x 60 cell from their top-left corner.
    const Size expM[5] = {{68, 61}, {63, 59}, {61, 63}, {65, 63}, {63, 57}};
    const Size exp[4] = {{65, 63}, {67, 62}, {62, 63}, {66, 63}};
    for (int k = 0; k < 4; ++k) {
        const Size area{std::min({expM[k].w, exp[k].w, 67}), std::min({expM[k].h, exp[k].h, 60})};
        const Pixmap drawing = fireball(k, area.w, area.h);
        const std::string n = std::to_string(k);
        out.push_back({"PicExpM" + n, Ground::White,
                       onGround("PicExpM" + n, drawing, expM[k], area, 0xFFFFFF)});
        out.push_back(
            {"PicExp" + n, Ground::Black, onGround("PicExp" + n, drawing, exp[k], area, 0x000000)});
    }
    out.push_back({"PicExpM4", Ground::White,
                   onGround("PicExpM4", smallFireball(63, 57), expM[4], expM[4], 0xFFFFFF)});

    out.push_back({"MainBoard", Ground::Opaque, sized("MainBoard", boardBackground(), 442, 361)});
    out.push_back({"High", Ground::Opaque, sized("High", listBackground(), 359, 550)});
    out.push_back(
        {"frmHelp_Picture1", Ground::Opaque, sized("frmHelp_Picture1", aboutLogo(), 65, 27)});
    out.push_back({"Picture1", Ground::Transparent, sized("Picture1", pagePicture(), 17, 18)});
    out.push_back({"Picture2", Ground::Transparent, sized("Picture2", questionPicture(), 12, 15)});
    out.push_back({"Picture3", Ground::Transparent, sized("Picture3", arrowPicture(), 15, 11)});
    out.push_back(
        {"Form1_icon16", Ground::Transparent, sized("Form1_icon16", warshipIcon(16), 16, 16)});
    out.push_back(
        {"Form1_icon32", Ground::Transparent, sized("Form1_icon32", warshipIcon(32), 32, 32)});
    out.push_back(
        {"imgIcon16", Ground::Transparent, sized("imgIcon16", submarineIcon(16), 16, 16)});
    out.push_back(
        {"imgIcon32", Ground::Transparent, sized("imgIcon32", submarineIcon(32), 32, 32)});
    return out;
}

std::vector<Picture> makeDesktopIcons() {
    const Pixmap small = warshipIcon(16), large = warshipIcon(32);
    std::vector<Picture> out;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        // 48 is three times the 16 pixel drawing; the others are whole multiples of the 32.
        const Pixmap& drawing = size % 32 == 0 ? large : small;
        out.push_back({"kelvarn" + std::to_string(size), Ground::Transparent,
                       drawing.scaled(size / drawing.width())});
    }
    return out;
}

} // namespace assetgen
