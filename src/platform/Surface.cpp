#include "platform/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kelvarn {

namespace {

// Whole cells at a time, so that a block transfer is one call however many rows it has.
KELVARN_WIDE void andCell(std::uint32_t* __restrict to, std::ptrdiff_t toStride,
                          const std::uint32_t* __restrict from, std::ptrdiff_t fromStride,
                          int width, int height) {
    for (int row = 0; row < height; ++row, to += toStride, from += fromStride) {
        for (int i = 0; i < width; ++i) {
            to[i] &= from[i];
        }
    }
}

KELVARN_WIDE void orCell(std::uint32_t* __restrict to, std::ptrdiff_t toStride,
                         const std::uint32_t* __restrict from, std::ptrdiff_t fromStride, int width,
                         int height) {
    for (int row = 0; row < height; ++row, to += toStride, from += fromStride) {
        for (int i = 0; i < width; ++i) {
            to[i] |= from[i];
        }
    }
}

KELVARN_WIDE void fillCell(std::uint32_t* to, std::ptrdiff_t stride, std::uint32_t colour,
                           int width, int height) {
    for (int row = 0; row < height; ++row, to += stride) {
        for (int i = 0; i < width; ++i) {
            to[i] = colour;
        }
    }
}

} // namespace

Surface::Surface(int width, int height, std::uint32_t colour)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), colour | Opaque) {}

void Surface::clear(std::uint32_t colour) {
    changed();
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
    changed();
    const Rect c = r.clippedTo(bounds());
    if (c.empty()) {
        return;
    }
    fillCell(pixels_.data() + std::size_t(c.y) * width_ + c.x, width_, colour | Opaque, c.width,
             c.height);
}

void Surface::copyFrom(const Surface& source, const Rect& r) {
    changed();
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

Rect Surface::inkBox(RasterOp op) const {
    if (op == RasterOp::Copy) {
        return bounds();
    }
    if (!inkKnown_) {
        const auto box = [this](std::uint32_t background) {
            int left = width_;
            int right = 0;
            int top = height_;
            int bottom = 0;
            for (int y = 0; y < height_; ++y) {
                const std::uint32_t* row = &pixels_[std::size_t(y) * width_];
                int first = 0;
                while (first < width_ && row[first] == background) {
                    ++first;
                }
                if (first == width_) {
                    continue;
                }
                int last = width_ - 1;
                while (row[last] == background) {
                    --last;
                }
                left = std::min(left, first);
                right = std::max(right, last + 1);
                top = std::min(top, y);
                bottom = y + 1;
            }
            return right > left ? Rect{left, top, right - left, bottom - top} : Rect{};
        };
        andInk_ = box(White | Opaque);
        orInk_ = box(Black | Opaque);
        inkKnown_ = true;
    }
    return op == RasterOp::And ? andInk_ : orInk_;
}

void Surface::blit(int x, int y, int width, int height, const Surface& source, RasterOp op) {
    changed();
    // The cell is taken from the source's top-left corner: never more than the source holds, and
    // only the part of it that changes anything.
    const Rect ink = source.inkBox(op).clippedTo({0, 0, width, height});
    if (ink.empty()) {
        return;
    }
    width = ink.width;
    height = ink.height;
    int srcX = ink.x;
    int srcY = ink.y;
    x += ink.x;
    y += ink.y;
    if (x < 0) {
        srcX -= x;
        width += x;
        x = 0;
    }
    if (y < 0) {
        srcY -= y;
        height += y;
        y = 0;
    }
    width = std::min(width, width_ - x);
    height = std::min(height, height_ - y);
    if (width <= 0 || height <= 0) {
        return;
    }
    const std::uint32_t* from = &source.pixels_[std::size_t(srcY) * source.width_ + srcX];
    std::uint32_t* to = &pixels_[std::size_t(y) * width_ + x];
    if (op == RasterOp::Copy) {
        for (int row = 0; row < height; ++row) {
            std::copy(from + std::size_t(row) * source.width_,
                      from + std::size_t(row) * source.width_ + width,
                      to + std::size_t(row) * width_);
        }
        return;
    }
    if (op == RasterOp::And) {
        andCell(to, width_, from, source.width_, width, height);
    } else {
        orCell(to, width_, from, source.width_, width, height);
    }
}

void Surface::line(int x0, int y0, int x1, int y1, std::uint32_t colour) {
    changed();
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
    changed();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    pixels_[std::size_t(y) * width_ + x] = colour | Opaque;
}

} // namespace kelvarn
