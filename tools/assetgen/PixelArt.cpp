#include "PixelArt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace assetgen {

Pixmap fromArt(const std::vector<const char*>& rows, std::initializer_list<Ink> inks) {
    const int h = int(rows.size());
    int w = 0;
    for (const char* row : rows) {
        w = std::max(w, int(std::strlen(row)));
    }
    Pixmap out(w, h);
    for (int y = 0; y < h; ++y) {
        const std::string row = rows[std::size_t(y)];
        for (int x = 0; x < int(row.size()); ++x) {
            const char key = row[std::size_t(x)];
            if (key == '.' || key == ' ') {
                continue;
            }
            bool found = false;
            for (const Ink& ink : inks) {
                if (ink.key == key) {
                    out.set(x, y, opaque(ink.rgb));
                    found = true;
                    break;
                }
            }
            if (!found) {
                throw std::runtime_error(std::string("no ink for '") + key + "' in row " +
                                         std::to_string(y));
            }
        }
    }
    return out;
}

namespace {

Pixmap scale2x(const Pixmap& src) {
    Pixmap out(src.width() * 2, src.height() * 2);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const Argb p = src.at(x, y);
            const Argb a = src.at(x, y - 1), b = src.at(x + 1, y);
            const Argb c = src.at(x - 1, y), d = src.at(x, y + 1);
            out.set(2 * x, 2 * y, (c == a && c != d && a != b) ? a : p);
            out.set(2 * x + 1, 2 * y, (a == b && a != c && b != d) ? b : p);
            out.set(2 * x, 2 * y + 1, (d == c && d != b && c != a) ? c : p);
            out.set(2 * x + 1, 2 * y + 1, (b == d && b != a && d != c) ? d : p);
        }
    }
    return out;
}

} // namespace

Pixmap rotated(const Pixmap& src, double degrees, double cx, double cy, int w, int h, double ox,
               double oy) {
    const Pixmap big = scale2x(scale2x(scale2x(src)));
    const double k = 8.0;
    const double rad = degrees * 3.14159265358979323846 / 180.0;
    const double cs = std::cos(rad), sn = std::sin(rad);
    Pixmap out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // The centre of the output pixel, turned back into the source.
            const double dx = x + 0.5 - ox, dy = y + 0.5 - oy;
            const double sx = cx + dx * cs + dy * sn;
            const double sy = cy - dx * sn + dy * cs;
            const int bx = int(std::floor(sx * k)), by = int(std::floor(sy * k));
            out.set(x, y, big.at(bx, by));
        }
    }
    return out;
}

Pixmap outlined(const Pixmap& src, Argb colour, bool corners) {
    Pixmap out = src;
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            if (alpha(src.at(x, y))) {
                continue;
            }
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    if ((dx || dy) && (corners || !dx || !dy) && alpha(src.at(x + dx, y + dy))) {
                        near = true;
                    }
                }
            }
            if (near) {
                out.set(x, y, colour);
            }
        }
    }
    return out;
}

} // namespace assetgen
