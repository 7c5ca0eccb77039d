// Pixel art kept as text: each character of a row is one pixel, looked up in a palette of inks;
// '.' and ' ' are transparent, and short rows are padded with transparent pixels on the right. Plus
// the pixel-art operations the sprites are built with.
#pragma once

#include <initializer_list>
#include <vector>

#include "Pixmap.h"

namespace assetgen {

struct Ink {
    char key;
    std::uint32_t rgb;
};

// Throws std::runtime_error for a character without an ink.
Pixmap fromArt(const std::vector<const char*>& rows, std::initializer_list<Ink> inks);

// Every opaque pixel's colour replaced through `recolour` (alpha kept).
template <class F> Pixmap recoloured(const Pixmap& src, F recolour) {
    Pixmap out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const Argb c = src.at(x, y);
            out.set(x, y, alpha(c) ? ((c & 0xFF000000u) | (recolour(c) & 0xFFFFFFu)) : c);
        }
    }
    return out;
}

// Hard-edged rotation by `degrees` (clockwise on screen) about (cx, cy) of the source, placed so
// that the centre lands on (ox, oy) of a new w x h buffer. The source is first enlarged eightfold
// with Scale2x, which keeps its edges clean, then sampled once per pixel: no new colours appear.
Pixmap rotated(const Pixmap& src, double degrees, double cx, double cy, int w, int h, double ox,
               double oy);

// Adds a one-pixel outline of `colour` around every opaque region (8-neighbourhood when
// `corners` is true, otherwise only up, down, left, right).
Pixmap outlined(const Pixmap& src, Argb colour, bool corners);

} // namespace assetgen
