// The arithmetic of a board enlarged for a high-density screen, without any toolkit: a screen
// with 1.5 or 2 device pixels per board pixel gets a picture of its own size in which every board
// pixel covers the same area. A device pixel straddling two board pixels shows their mix by area,
// so no board column is doubled beside a single one.
//
// Everything works on plain 32-bit pixel rows (0xFFRRGGBB or 0x00RRGGBB; the result always carries
// 0xFF in its top byte) given by a pointer and a stride in pixels, so that any window toolkit can
// hand its own image buffer. The board is brought up to date in tiles of TileWidth board columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvarn {

struct Rect;

// c0 with the share w (of 256) and c1 with the rest, channel by channel, rounded; top byte 0.
inline std::uint32_t mixColours(std::uint32_t c0, std::uint32_t c1, std::uint32_t w) {
    const std::uint32_t v = 256 - w;
    const std::uint32_t rb = ((c0 & 0xFF00FFu) * w + (c1 & 0xFF00FFu) * v + 0x800080u) >> 8;
    const std::uint32_t g = ((c0 & 0x00FF00u) * w + (c1 & 0x00FF00u) * v + 0x008000u) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

class BoardScale {
  public:
    static constexpr int TileWidth = 16; // board pixels per tile of a row
    static constexpr int MaxTiles = 32;  // tiles of a row fit one 32-bit mask
    static constexpr std::uint32_t AllTiles = 0xFFFFFFFFu;

    // Where device pixel i of an axis takes its colour from: board pixel `from` with the share
    // `weight` (of 256), and board pixel from + 1 with the rest.
    struct Tap {
        int from = 0;
        int weight = 256;
    };

    // The four pictures a board pixel is composed from, (ground AND hit AND overlay) OR sprite,
    // each `stride` pixels a row, all of the board's size.
    struct Layers {
        const std::uint32_t* ground = nullptr;
        const std::uint32_t* sprite = nullptr;
        const std::uint32_t* hit = nullptr;
        const std::uint32_t* overlay = nullptr;
        std::ptrdiff_t stride = 0;
    };

    BoardScale() = default;
    // A board of boardWidth x boardHeight pixels (at most MaxTiles tiles wide) at `scale` device
    // pixels per board pixel (at least 1).
    BoardScale(int boardWidth, int boardHeight, double scale);

    double scale() const { return scale_; }
    int boardWidth() const { return boardWidth_; }
    int boardHeight() const { return boardHeight_; }
    int deviceWidth() const { return int(across_.size()); }
    int deviceHeight() const { return int(down_.size()); }
    int tilesPerRow() const { return (boardWidth_ + TileWidth - 1) / TileWidth; }

    const Tap& across(int deviceX) const { return across_[std::size_t(deviceX)]; }
    const Tap& down(int deviceY) const { return down_[std::size_t(deviceY)]; }
    // The device columns that show board column x.
    int firstColumn(int x) const { return firstColumn_[std::size_t(x)]; }
    int lastColumn(int x) const { return lastColumn_[std::size_t(x)]; }
    // The device rows that show board rows top..bottom (inclusive).
    int firstRow(int top) const;
    int lastRow(int bottom) const;

    // The tiles of a row that board columns x .. x + width - 1 touch.
    std::uint32_t tilesOf(int x, int width) const;

    // The board rectangles that `changedTiles` (one mask per board row) marks as changed: one per
    // run of rows with changes, spanning the tiles changed anywhere in that run.
    std::vector<Rect> changedBands(const std::uint32_t* changedTiles) const;

    // Brings the enlarged picture `screen` (deviceWidth() x deviceHeight(), `screenStride`
    // pixels a row) up to date with `board` where it changed: `changedTiles` holds one mask per
    // board row, one bit per tile. The rows of the board already seen are remembered, so a
    // device row mixing a changed board row with an unchanged one needs only the changed one.
    // The first call after construction must cover the whole board.
    void resampleTiles(const std::uint32_t* board, std::ptrdiff_t boardStride,
                       const std::uint32_t* changedTiles, std::uint32_t* screen,
                       std::ptrdiff_t screenStride);
    // The same for the board pixels of one rectangle (clipped to the board), tile by tile.
    void resampleRect(const std::uint32_t* board, std::ptrdiff_t boardStride, int x, int y,
                      int width, int height, std::uint32_t* screen, std::ptrdiff_t screenStride);

    // Device pixels left..right x top..bottom (inclusive) composed again from the layers, with the
    // ground lettered in `textColour` as far as `cover` (one byte a device pixel, 255 = the glyph
    // covers it whole, `coverStride` bytes a row) says; each device pixel shows the mix by area of
    // the board pixels it covers. Where no glyph reaches, this is exactly the resampled board
    // without its letters.
    void composeLettered(const Layers& layers, const std::uint8_t* cover,
                         std::ptrdiff_t coverStride, std::uint32_t textColour, int left, int top,
                         int right, int bottom, std::uint32_t* screen,
                         std::ptrdiff_t screenStride) const;

  private:
    // Calls action(first, last) with the device columns of each run of tiles in `tiles`.
    template <typename Action> void forEachRun(std::uint32_t tiles, Action action) const;

    int boardWidth_ = 0;
    int boardHeight_ = 0;
    double scale_ = 1.0;
    std::vector<Tap> across_;
    std::vector<Tap> down_;
    std::vector<int> firstColumn_;
    std::vector<int> lastColumn_;
    std::vector<std::uint32_t> acrossRows_; // each board row at the screen's width
    std::vector<std::uint32_t> rectTiles_;  // scratch masks of resampleRect
};

} // namespace kelvarn
