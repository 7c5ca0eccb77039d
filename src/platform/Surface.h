// A fixed-size 32-bit pixel buffer, the drawing surface of the board and its layers. Sprites are
// composed with AND and OR block transfers; hit tests read single pixels.
//
// Colours go in and come out as 0x00RRGGBB. The buffer itself holds every pixel as 0xFFRRGGBB, so
// that it can be handed to the toolkit as an image of opaque pixels without a copy: a compositor
// blends a pixel whose top byte is 0 with whatever lies behind the window. AND and OR of opaque
// pixels stay opaque, so the transfers need not know.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A loop over pixels marked KELVARN_WIDE is built twice where the system can pick the better one
// when the program starts: for processors with 256-bit vector instructions, and for all others.
// (Not in the address-checking build, whose start-up the early pick would run ahead of.)
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__) &&       \
    !defined(__SANITIZE_ADDRESS__)
#define KELVARN_WIDE __attribute__((target_clones("avx2", "default")))
#else
#define KELVARN_WIDE
#endif

namespace kelvarn {

// What a pixel read returns for a point outside the surface: no colour at all.
inline constexpr std::uint32_t InvalidColour = 0xFFFFFFFFu;
inline constexpr std::uint32_t White = 0xFFFFFFu;
inline constexpr std::uint32_t Black = 0x000000u;
// The top byte every stored pixel carries.
inline constexpr std::uint32_t Opaque = 0xFF000000u;

enum class RasterOp { And, Or, Copy };

// A rectangle of pixels: columns x .. x + width - 1, rows y .. y + height - 1.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    // The part of this rectangle inside `other`.
    Rect clippedTo(const Rect& other) const {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int r = std::min(right(), other.right());
        const int b = std::min(bottom(), other.bottom());
        if (r <= left || b <= top) {
            return {};
        }
        return {left, top, r - left, b - top};
    }
    bool intersects(const Rect& other) const { return !clippedTo(other).empty(); }
    // The smallest rectangle holding both (an empty one adds nothing).
    Rect united(const Rect& other) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t colour = White);

    int width() const { return width_; }
    int height() const { return height_; }

    void clear(std::uint32_t colour);
    // Clears to `colour`, then copies `picture` from its top-left corner, cut at our edges.
    void clearToPicture(const Surface& picture, std::uint32_t colour);

    Rect bounds() const { return {0, 0, width_, height_}; }
    // Sets the pixels of `r` (cut at our edges) to `colour`.
    void fill(const Rect& r, std::uint32_t colour);
    // Copies the pixels of `r` from the same place of `source` (cut at both edges).
    void copyFrom(const Surface& source, const Rect& r);

    // Transfers the width x height cell at (0, 0) of `source` to (x, y) of this surface, clipped
    // to the source's and this surface's edges.
    void blit(int x, int y, int width, int height, const Surface& source, RasterOp op);
    void andIn(int x, int y, int w, int h, const Surface& src) {
        blit(x, y, w, h, src, RasterOp::And);
    }
    void orIn(int x, int y, int w, int h, const Surface& src) {
        blit(x, y, w, h, src, RasterOp::Or);
    }
    // The smallest part of this picture outside which transferring it with `op` changes nothing:
    // the pixels that are not white for AND, not black for OR (every stored pixel is opaque, so OR
    // with opaque black keeps it), all of it for a copy. Sprites have wide margins of background;
    // transfers skip them, and a painter that clears what it drew need not clear them.
    Rect inkBox(RasterOp op) const;

    // A one-pixel line from (x0, y0) to (x1, y1), both ends drawn.
    void line(int x0, int y0, int x1, int y1, std::uint32_t colour);

    // The pixel at (x, y), or InvalidColour outside the surface.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t colour);

    // Rows of `width()` pixels, top to bottom, each 0xFFRRGGBB: for wrapping in an image of
    // format RGB32 without a copy. Whatever is drawn into it must leave the top byte at 0xFF.
    // Pixels written through it must be written before the surface is next transferred.
    std::uint32_t* data() {
        changed();
        return pixels_.data();
    }
    const std::uint32_t* data() const { return pixels_.data(); }

    friend bool operator==(const Surface& a, const Surface& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

  private:
    // The ink boxes are worked out when first asked for and kept until the pixels change.
    void changed() { inkKnown_ = false; }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    mutable bool inkKnown_ = false;
    mutable Rect andInk_;
    mutable Rect orInk_;
};

// Prints lines of text onto a surface (through the toolkit's text renderer, which the core does
// not know): each call prints one line, the next one line lower, with a transparent background.
class TextPrinter {
  public:
    virtual ~TextPrinter() = default;
    // Starts again at the top-left corner of `surface`, printing in `colour`.
    virtual void begin(Surface& surface, std::uint32_t colour) = 0;
    virtual void printLine(const std::string& utf8) = 0;
    virtual void end() = 0;

    // A printer that can tell where a line's glyphs may reach prints, between begin() and end(),
    // only inside `clip`; the lines still count and are remembered as printed. One that cannot
    // ignores the clip and says that a line may colour anything.
    virtual void clipTo(const Rect& clip) { (void)clip; }
    // The pixels that `utf8` printed as line `index` (0 at the top) may colour.
    virtual Rect lineArea(int index, const std::string& utf8) const {
        (void)index;
        (void)utf8;
        return {0, 0, 1 << 20, 1 << 20};
    }
};

} // namespace kelvarn
