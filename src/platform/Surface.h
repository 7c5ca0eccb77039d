// A fixed-size 32-bit pixel buffer, the drawing surface of the board and its layers. Sprites are
// composed with AND and OR block transfers; hit tests read single pixels.
//
// Colours go in and come out as 0x00RRGGBB. The buffer itself holds every pixel as 0xFFRRGGBB, so
// that it can be handed to the toolkit as an image of opaque pixels without a copy: a compositor
// blends a pixel whose top byte is 0 with whatever lies behind the window. AND and OR of opaque
// pixels stay opaque, so the transfers need not know.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvarn {

// What a pixel read returns for a point outside the surface: no colour at all.
inline constexpr std::uint32_t InvalidColour = 0xFFFFFFFFu;
inline constexpr std::uint32_t White = 0xFFFFFFu;
inline constexpr std::uint32_t Black = 0x000000u;
// The top byte every stored pixel carries.
inline constexpr std::uint32_t Opaque = 0xFF000000u;

enum class RasterOp { And, Or, Copy };

class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t colour = White);

    int width() const { return width_; }
    int height() const { return height_; }

    void clear(std::uint32_t colour);
    // Clears to `colour`, then copies `picture` from its top-left corner, cut at our edges.
    void clearToPicture(const Surface& picture, std::uint32_t colour);

    // Transfers the width x height cell at (0, 0) of `source` to (x, y) of this surface, clipped
    // to the source's and this surface's edges.
    void blit(int x, int y, int width, int height, const Surface& source, RasterOp op);
    void andIn(int x, int y, int w, int h, const Surface& src) {
        blit(x, y, w, h, src, RasterOp::And);
    }
    void orIn(int x, int y, int w, int h, const Surface& src) {
        blit(x, y, w, h, src, RasterOp::Or);
    }

    // A one-pixel line from (x0, y0) to (x1, y1), both ends drawn.
    void line(int x0, int y0, int x1, int y1, std::uint32_t colour);

    // The pixel at (x, y), or InvalidColour outside the surface.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t colour);

    // Rows of `width()` pixels, top to bottom, each 0xFFRRGGBB: for wrapping in an image of
    // format RGB32 without a copy. Whatever is drawn into it must leave the top byte at 0xFF.
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

    friend bool operator==(const Surface&, const Surface&) = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
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
};

} // namespace kelvarn
