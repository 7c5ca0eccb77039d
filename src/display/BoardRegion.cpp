#include "display/BoardRegion.h"

#include <algorithm>
#include <bit>

namespace kelvarn {

BoardRegion::BoardRegion(int width, int height)
    : width_(std::clamp(width, 0, MaxWidth)), height_(std::max(height, 0)),
      cells_(std::size_t(height_), 0) {}

void BoardRegion::clear() {
    std::fill(cells_.begin(), cells_.end(), 0);
    rectsValid_ = false;
}

void BoardRegion::addAll() {
    add({0, 0, width_, height_});
}

void BoardRegion::unite(const BoardRegion& other) {
    const std::size_t n = std::min(cells_.size(), other.cells_.size());
    for (std::size_t i = 0; i < n; ++i) {
        cells_[i] |= other.cells_[i];
    }
    rectsValid_ = false;
}

bool BoardRegion::empty() const {
    return std::all_of(cells_.begin(), cells_.end(), [](std::uint64_t m) { return m == 0; });
}

bool BoardRegion::covers(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return false;
    }
    return ((cells_[std::size_t(y)] >> (x / Cell)) & 1) != 0;
}

int BoardRegion::area() const {
    int total = 0;
    for (const Rect& r : rects()) {
        total += r.width * r.height;
    }
    return total;
}

const std::vector<Rect>& BoardRegion::rects() const {
    if (rectsValid_) {
        return rects_;
    }
    rects_.clear();
    // The rows of each block of Cell rows taken together, then blocks marked alike as one band.
    const int blocks = (height_ + Cell - 1) / Cell;
    const auto blockMask = [this](int block) {
        std::uint64_t mask = 0;
        for (int y = block * Cell; y < std::min((block + 1) * Cell, height_); ++y) {
            mask |= cells_[std::size_t(y)];
        }
        return mask;
    };
    int block = 0;
    std::uint64_t mask = blocks > 0 ? blockMask(0) : 0;
    while (block < blocks) {
        int end = block + 1;
        std::uint64_t next = 0;
        while (end < blocks && (next = blockMask(end)) == mask) {
            ++end;
        }
        const int top = block * Cell;
        const int height = std::min(end * Cell, height_) - top;
        std::uint64_t bits = mask;
        while (bits != 0) {
            const int first = std::countr_zero(bits);
            const int run = std::countr_one(bits >> first);
            bits = first + run >= 64 ? 0 : bits & ~((std::uint64_t(1) << (first + run)) - 1);
            const int left = first * Cell;
            const int right = std::min((first + run) * Cell, width_);
            rects_.push_back({left, top, right - left, height});
        }
        block = end;
        mask = next;
    }
    rectsValid_ = true;
    return rects_;
}

} // namespace kelvarn
