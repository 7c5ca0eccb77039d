// What changed on the board between two frames, as a few rectangles any window toolkit can hand
// to its repaint call. The board is divided into cells of Cell x Cell pixels; a rectangle marks
// every cell it touches, so the region is a little larger than what was drawn, never smaller.
#pragma once

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
    void add(const Rect& r);
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

  private:
    int width_;
    int height_;
    int rows_;
    std::vector<std::uint64_t> cells_; // per row of cells, one bit per cell
    mutable std::vector<Rect> rects_;
    mutable bool rectsValid_ = false;
};

} // namespace kelvarn
