// What changed on the board between two frames, as a few rectangles any window toolkit can hand
// to its repaint call. Each row of the board is divided into cells of Cell pixels; a rectangle
// marks every cell of its rows that it touches, so the region is a little wider than what was
// drawn, never smaller. The rectangles for the toolkit are coarser still: whole blocks of
// Cell x Cell pixels, so that their number stays small.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "platform/Surface.h"

namespace kelvarn {

class BoardRegion {
  public:
    static constexpr int Cell = 8;
    static constexpr int MaxWidth = 64 * Cell; // one 64-bit mask a row of cells

    BoardRegion(int width, int height);

    void clear();
    void add(const Rect& r) {
        const Rect c = r.clippedTo({0, 0, width_, height_});
        if (c.empty()) {
            return;
        }
        const int first = c.x / Cell;
        const int last = (c.right() - 1) / Cell;
        const std::uint64_t mask =
            (last >= 63 ? ~std::uint64_t(0) : (std::uint64_t(1) << (last + 1)) - 1) &
            ~((std::uint64_t(1) << first) - 1);
        for (int y = c.y; y < c.bottom(); ++y) {
            cells_[std::size_t(y)] |= mask;
        }
        rectsValid_ = false;
    }
    void addAll();
    void unite(const BoardRegion& other);
    bool empty() const;
    bool covers(int x, int y) const;
    // How many board pixels the region holds.
    int area() const;

    // Disjoint rectangles covering the region, clipped to the board, top to bottom and left to
    // right; rows of cells marked alike are one rectangle. Each rectangle of a band has the same
    // top and height, and no two touch side by side (what a toolkit's region of bands expects).
    const std::vector<Rect>& rects() const;

    // The region row by row, exactly as marked: calls action(y, left, right) for every run of
    // marked cells of row y, columns left .. right - 1, clipped to the board.
    template <typename Action> void forEachRun(Action action) const {
        for (int y = 0; y < height_; ++y) {
            std::uint64_t bits = cells_[std::size_t(y)];
            while (bits != 0) {
                const int first = std::countr_zero(bits);
                const int run = std::countr_one(bits >> first);
                bits = first + run >= 64 ? 0 : bits & ~((std::uint64_t(1) << (first + run)) - 1);
                action(y, first * Cell, std::min((first + run) * Cell, width_));
            }
        }
    }

  private:
    int width_;
    int height_;
    std::vector<std::uint64_t> cells_; // per board row, one bit per cell
    mutable std::vector<Rect> rects_;
    mutable bool rectsValid_ = false;
};

} // namespace kelvarn
