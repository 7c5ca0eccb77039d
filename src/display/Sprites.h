// The pictures of the main window, each a pixel surface of its exact size. Every drawing exists
// twice: on a white background (AND-ed into a white layer; the names ending in M, and sss, ss,
// bbb2) and on a black background (OR-ed into the black sprite layer).
#pragma once

#include <array>

#include "platform/Surface.h"

namespace kelvarn {

struct Sprites {
    Surface sss, sssss;             // vessel facing left: white, black background; 49 x 18
    Surface ss, ssss;               // vessel facing right
    Surface bbb2, bbb;              // shell, 12 x 16; its top-left 6 x 6 is the stock icon
    Surface PicPlane1M, PicPlane1;  // plane flying left: 42 x 20, 40 x 19
    Surface PicPlane2M, PicPlane2;  // plane flying right: 42 x 21 both
    Surface PicSub1M, PicSub1;      // submarine moving left: 63 x 20, 62 x 20
    Surface PicSub2M, PicSub2;      // submarine moving right: 64 x 19, 63 x 19
    Surface PicCrash1M, PicCrash1;  // wreck, direction 1: 63 x 32 both
    Surface PicCrash2M, PicCrash2;  // wreck, direction 2: 68 x 37, 67 x 36
    std::array<Surface, 5> PicExpM; // explosion, white background; picture 4 is never drawn
    std::array<Surface, 4> PicExp;  // explosion, black background
    Surface boardBackground;        // 442 x 361, drawn from the board's top-left corner

    // Plain pictures of the right sizes (a solid drawing inset by one pixel on the right
    // background), for tests and for a program whose pictures failed to load.
    static Sprites placeholders();
};

} // namespace kelvarn
