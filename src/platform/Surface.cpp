#include "platform/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kelvarn {

namespace {

KELVARN_WIDE void andRow(std::uint32_t* __restrict to, const std::uint32_t* __restrict from,
                         int n) {
    for (int i = 0; i < n; ++i) {
        to[i] &= from[i];
    }
}

KELVARN_WIDE void orRow(std::uint32_t* __restrict to, const std::uint32_t* __restrict from, int n) {
    for (int i = 0; i < n; ++i) {
        to[i] |= from[i];
    }
}

KELVARN_WIDE void fillRow(std::uint32_t* to, std::uint32_t colour, int n) {
    for (int i = 0; i < n; ++i) {
        to[i] = colour;
    }
}

} // namespace

Surface::Surface(int width, int height, std::uint32_t colour)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), colour | Opaque) {}

void Surface::clear(std::uint32_t colour) {
    colour |= Opaque;
    // A few pixels by hand, then the cleared part copied onto the rest, doubling each time: the
    // library's block copy is several times faster than one store per pixel, and clearing the
    // layers is most of what a frame costs.
    constexpr std::size_t Seed = 64;
    const std::size_t total = pixels_.size();
    std::size_t filled = std::min(total, Seed);
    std::fill_n(pixels_.begin(), filled, colour);
    while (filled < total) {
        const std::size_t n = std::min(filled, total - filled);
        std::memcpy(pixels_.data() + filled, pixels_.data(), n * sizeof(std::uint32_t));
        filled += n;
    }
}

Rect Rect::clippedTo(const Rect& other) const {
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    const int r = std::min(right(), other.right());
    const int b = std::min(bottom(), other.bottom());
    if (r <= left || b <= top) {
        return {};
    }
    return {left, top, r - left, b - top};
}

Rect Rect::united(const Rect& other) const {
    if (empty()) {
        return other;
    }
    if (other.empty()) {
        return *this;
    }
    const int left = std::min(x, other.x);
    const int top = std::min(y, other.y);
    return {left, top, std::max(right(), other.right()) - left,
            std::max(bottom(), other.bottom()) - top};
}

void Surface::fill(const Rect& r, std::uint32_t colour) {
    const Rect c = r.clippedTo(bounds());
    for (int y = c.y; y < c.bottom(); ++y) {
        fillRow(pixels_.data() + std::size_t(y) * width_ + c.x, colour | Opaque, c.width);
    }
}

void Surface::copyFrom(const Surface& source, const Rect& r) {
    const Rect c = r.clippedTo(bounds()).clippedTo(source.bounds());
    for (int y = c.y; y < c.bottom(); ++y) {
        std::memcpy(pixels_.data() + std::size_t(y) * width_ + c.x,
                    source.pixels_.data() + std::size_t(y) * source.width_ + c.x,
                    std::size_t(c.width) * sizeof(std::uint32_t));
    }
}

void Surface::clearToPicture(const Surface& picture, std::uint32_t colour) {
    clear(colour);
    blit(0, 0, picture.width(), picture.height(), picture, RasterOp::Copy);
}

void Surface::blit(int x, int y, int width, int height, const Surface& source, RasterOp op) {
    // The cell is taken from the source's top-left corner: never more than the source holds.
    width = std::min(width, source.width_);
    height = std::min(height, source.height_);
    int srcX = 0;
    int srcY = 0;
    if (x < 0) {
        srcX = -x;
        width += x;
        x = 0;
    }
    if (y < 0) {
        srcY = -y;
        height += y;
        y = 0;
    }
    width = std::min(width, width_ - x);
    height = std::min(height, height_ - y);
    if (width <= 0 || height <= 0) {
        return;
    }
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* from = &source.pixels_[std::size_t(srcY + row) * source.width_ + srcX];
        std::uint32_t* to = &pixels_[std::size_t(y + row) * width_ + x];
        switch (op) {
        case RasterOp::And:
            andRow(to, from, width);
            break;
        case RasterOp::Or:
            orRow(to, from, width);
            break;
        case RasterOp::Copy:
            std::copy(from, from + width, to);
            break;
        }
    }
}

void Surface::line(int x0, int y0, int x1, int y1, std::uint32_t colour) {
    // Bresenham, every point clipped on its own.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        setPixel(x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

std::uint32_t Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return InvalidColour;
    }
    return pixels_[std::size_t(y) * width_ + x] & ~Opaque;
}

void Surface::setPixel(int x, int y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    pixels_[std::size_t(y) * width_ + x] = colour | Opaque;
}

} // namespace kelvarn
