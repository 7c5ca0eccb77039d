#include "display/BoardScale.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "platform/Surface.h"

namespace kelvarn {

namespace {

constexpr double Slack = 1e-9; // against rounding in board-to-device arithmetic

// Device pixel i of an axis covers board pixels [i / scale, (i + 1) / scale): at most two of
// them, since a board pixel is at least one device pixel wide.
std::vector<BoardScale::Tap> tapsFor(int boardPixels, int devicePixels, double scale) {
    std::vector<BoardScale::Tap> taps(static_cast<std::size_t>(devicePixels));
    for (int i = 0; i < devicePixels; ++i) {
        const double start = i / scale;
        const double end = (i + 1) / scale;
        BoardScale::Tap tap;
        tap.from = std::clamp(int(std::floor(start + Slack)), 0, boardPixels - 1);
        if (end > tap.from + 1 + Slack && tap.from + 1 < boardPixels) {
            tap.weight = int(std::lround((tap.from + 1 - start) * scale * 256));
            if (tap.weight <= 0) {
                tap = BoardScale::Tap{tap.from + 1, 256};
            }
            tap.weight = std::min(tap.weight, 256);
        }
        taps[std::size_t(i)] = tap;
    }
    return taps;
}

} // namespace

BoardScale::BoardScale(int boardWidth, int boardHeight, double scale)
    : boardWidth_(std::clamp(boardWidth, 0, MaxTiles * TileWidth)),
      boardHeight_(std::max(boardHeight, 0)), scale_(scale) {
    const int w = int(std::lround(boardWidth_ * scale_));
    const int h = int(std::lround(boardHeight_ * scale_));
    across_ = tapsFor(boardWidth_, w, scale_);
    down_ = tapsFor(boardHeight_, h, scale_);
    firstColumn_.assign(std::size_t(boardWidth_), w);
    lastColumn_.assign(std::size_t(boardWidth_), -1);
    for (int i = 0; i < w; ++i) {
        const Tap tap = across_[std::size_t(i)];
        const int last = tap.weight < 256 ? tap.from + 1 : tap.from;
        for (int x = tap.from; x <= last; ++x) {
            firstColumn_[std::size_t(x)] = std::min(firstColumn_[std::size_t(x)], i);
            lastColumn_[std::size_t(x)] = std::max(lastColumn_[std::size_t(x)], i);
        }
    }
    acrossRows_.assign(std::size_t(boardHeight_) * std::size_t(w), Opaque);
}

int BoardScale::firstRow(int top) const {
    return int(std::floor(top * scale_ + Slack));
}

int BoardScale::lastRow(int bottom) const {
    return std::min(deviceHeight(), int(std::ceil((bottom + 1) * scale_ - Slack))) - 1;
}

std::vector<Rect> BoardScale::changedBands(const std::uint32_t* changedTiles) const {
    std::vector<Rect> bands;
    int bandTop = -1;
    std::uint32_t bandTiles = 0;
    for (int y = 0; y <= boardHeight_; ++y) {
        const std::uint32_t tiles = y < boardHeight_ ? changedTiles[y] : 0;
        if (tiles != 0) {
            bandTop = bandTop < 0 ? y : bandTop;
            bandTiles |= tiles;
        } else if (bandTop >= 0) {
            const int left = std::countr_zero(bandTiles) * TileWidth;
            const int right = std::min(boardWidth_, (32 - std::countl_zero(bandTiles)) * TileWidth);
            bands.push_back(Rect{left, bandTop, right - left, y - bandTop});
            bandTop = -1;
            bandTiles = 0;
        }
    }
    return bands;
}

std::uint32_t BoardScale::tilesOf(int x, int width) const {
    const int left = std::max(x, 0);
    const int right = std::min(x + width, boardWidth_) - 1;
    if (right < left) {
        return 0;
    }
    const int first = left / TileWidth;
    const int last = right / TileWidth;
    return (last >= 31 ? AllTiles : (1u << (last + 1)) - 1) & ~((1u << first) - 1);
}

template <typename Action> void BoardScale::forEachRun(std::uint32_t tiles, Action action) const {
    while (tiles != 0) {
        const int first = std::countr_zero(tiles);
        const int run = std::countr_one(tiles >> first);
        tiles = first + run >= 32 ? 0 : tiles & ~((1u << (first + run)) - 1);
        const int left = first * TileWidth;
        const int right = std::min(boardWidth_, (first + run) * TileWidth) - 1;
        action(firstColumn_[std::size_t(left)], lastColumn_[std::size_t(right)]);
    }
}

void BoardScale::resampleTiles(const std::uint32_t* board, std::ptrdiff_t boardStride,
                               const std::uint32_t* changedTiles, std::uint32_t* screen,
                               std::ptrdiff_t screenStride) {
    // First across: each changed board row resampled to the screen's width; then down: each
    // device row is one of those rows, or the mix of two.
    const std::ptrdiff_t width = deviceWidth();
    for (int y = 0; y < boardHeight_; ++y) {
        forEachRun(changedTiles[y], [&](int x0, int x1) {
            const std::uint32_t* from = board + y * boardStride;
            std::uint32_t* to = acrossRows_.data() + y * width;
            for (int x = x0; x <= x1; ++x) {
                const Tap tap = across_[std::size_t(x)];
                const std::uint32_t c = from[tap.from];
                to[x] = Opaque | (tap.weight < 256
                                      ? mixColours(c, from[tap.from + 1], std::uint32_t(tap.weight))
                                      : c);
            }
        });
    }
    for (int y = 0; y < deviceHeight(); ++y) {
        const Tap tap = down_[std::size_t(y)];
        std::uint32_t bits = changedTiles[tap.from];
        if (tap.weight < 256) {
            bits |= changedTiles[tap.from + 1];
        }
        const std::uint32_t* upper = acrossRows_.data() + tap.from * width;
        std::uint32_t* out = screen + y * screenStride;
        forEachRun(bits, [&](int x0, int x1) {
            if (tap.weight == 256) {
                std::memcpy(out + x0, upper + x0, std::size_t(x1 - x0 + 1) * 4);
                return;
            }
            const std::uint32_t* lower = upper + width;
            for (int x = x0; x <= x1; ++x) {
                out[x] = Opaque | mixColours(upper[x], lower[x], std::uint32_t(tap.weight));
            }
        });
    }
}

void BoardScale::resampleRect(const std::uint32_t* board, std::ptrdiff_t boardStride, int x, int y,
                              int width, int height, std::uint32_t* screen,
                              std::ptrdiff_t screenStride) {
    const int top = std::max(y, 0);
    const int bottom = std::min(y + height, boardHeight_);
    const std::uint32_t tiles = tilesOf(x, width);
    if (top >= bottom || tiles == 0) {
        return;
    }
    rectTiles_.assign(std::size_t(boardHeight_), 0);
    std::fill(rectTiles_.begin() + top, rectTiles_.begin() + bottom, tiles);
    resampleTiles(board, boardStride, rectTiles_.data(), screen, screenStride);
}

void BoardScale::composeLettered(const Layers& layers, const std::uint8_t* cover,
                                 std::ptrdiff_t coverStride, std::uint32_t textColour, int left,
                                 int top, int right, int bottom, std::uint32_t* screen,
                                 std::ptrdiff_t screenStride) const {
    const std::uint32_t* ground = layers.ground;
    const std::uint32_t* sprite = layers.sprite;
    const std::uint32_t* hit = layers.hit;
    const std::uint32_t* overlay = layers.overlay;
    for (int y = top; y <= bottom; ++y) {
        const Tap down = down_[std::size_t(y)];
        const std::ptrdiff_t upperRow = down.from * layers.stride;
        const std::ptrdiff_t lowerRow = down.weight < 256 ? upperRow + layers.stride : upperRow;
        const std::uint8_t* coverRow = cover + y * coverStride;
        std::uint32_t* out = screen + y * screenStride;
        for (int x = left; x <= right; ++x) {
            const Tap across = across_[std::size_t(x)];
            const std::uint32_t ink = coverRow[x] + (coverRow[x] >> 7); // of 256
            auto seen = [&](std::ptrdiff_t i) {
                const std::uint32_t letter =
                    ink == 0 ? ground[i] : mixColours(textColour, ground[i], ink);
                return (letter & hit[i] & overlay[i]) | sprite[i];
            };
            const std::ptrdiff_t f = across.from;
            std::uint32_t upper = seen(upperRow + f);
            std::uint32_t lower = down.weight < 256 ? seen(lowerRow + f) : upper;
            if (across.weight < 256) {
                upper = mixColours(upper, seen(upperRow + f + 1), std::uint32_t(across.weight));
                if (down.weight < 256) {
                    lower = mixColours(lower, seen(lowerRow + f + 1), std::uint32_t(across.weight));
                }
            }
            out[x] =
                Opaque |
                (down.weight < 256 ? mixColours(upper, lower, std::uint32_t(down.weight)) : upper);
        }
    }
}

} // namespace kelvarn
