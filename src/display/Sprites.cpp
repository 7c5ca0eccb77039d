#include "display/Sprites.h"

namespace kelvarn {

namespace {

// A solid block inset by one pixel on a white or black ground.
Surface plain(int w, int h, bool whiteGround, std::uint32_t colour) {
    Surface s(w, h, whiteGround ? White : Black);
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            s.setPixel(x, y, colour);
        }
    }
    return s;
}

} // namespace

Sprites Sprites::placeholders() {
    Sprites s;
    auto pair = [](Surface& white, Surface& black, int ww, int wh, int bw, int bh,
                   std::uint32_t colour) {
        white = plain(ww, wh, true, colour);
        black = plain(bw, bh, false, colour);
    };
    pair(s.sss, s.sssss, 49, 18, 49, 18, 0xC040C0);
    pair(s.ss, s.ssss, 49, 18, 49, 18, 0xC040C0);
    pair(s.bbb2, s.bbb, 12, 16, 12, 16, 0x404040);
    pair(s.PicPlane1M, s.PicPlane1, 42, 20, 40, 19, 0x808080);
    pair(s.PicPlane2M, s.PicPlane2, 42, 21, 42, 21, 0x808080);
    pair(s.PicSub1M, s.PicSub1, 63, 20, 62, 20, 0x008080);
    pair(s.PicSub2M, s.PicSub2, 64, 19, 63, 19, 0x606060);
    pair(s.PicCrash1M, s.PicCrash1, 63, 32, 63, 32, 0x505050);
    pair(s.PicCrash2M, s.PicCrash2, 68, 37, 67, 36, 0x505050);
    const int expM[5][2] = {{68, 61}, {63, 59}, {61, 63}, {65, 63}, {63, 57}};
    const int exp[4][2] = {{65, 63}, {67, 62}, {62, 63}, {66, 63}};
    for (int k = 0; k < 5; ++k) {
        s.PicExpM[k] = plain(expM[k][0], expM[k][1], true, 0xFF8000);
    }
    for (int k = 0; k < 4; ++k) {
        s.PicExp[k] = plain(exp[k][0], exp[k][1], false, 0xFF8000);
    }
    s.boardBackground = Surface(442, 361, 0xE0E0E0);
    return s;
}

} // namespace kelvarn
