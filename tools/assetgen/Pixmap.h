// A small ARGB pixel buffer (0xAARRGGBB) with the few drawing helpers the generator needs. All
// drawing is our own arithmetic on whole pixels, so a run gives the same pixels on every machine
// that computes IEEE doubles alike; Qt is used only to encode PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Argb = std::uint32_t;

inline constexpr Argb Clear = 0x00000000u;

constexpr Argb opaque(std::uint32_t rgb) {
    return 0xFF000000u | (rgb & 0xFFFFFFu);
}
constexpr int red(Argb c) {
    return int((c >> 16) & 0xFF);
}
constexpr int green(Argb c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blue(Argb c) {
    return int(c & 0xFF);
}
constexpr int alpha(Argb c) {
    return int(c >> 24);
}
Argb rgba(double r, double g, double b, double a = 1.0); // channels 0..1, clamped, rounded

// Straight mix of two colours (t = 0 gives a, t = 1 gives b), alpha included.
Argb mix(Argb a, Argb b, double t);

class Pixmap {
  public:
    Pixmap() = default;
    Pixmap(int width, int height, Argb fill = Clear);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Argb at(int x, int y) const { return contains(x, y) ? pixels_[index(x, y)] : Clear; }
    void set(int x, int y, Argb colour) {
        if (contains(x, y)) {
            pixels_[index(x, y)] = colour;
        }
    }
    // Lays `colour` over the pixel with the given opacity (source-over).
    void blend(int x, int y, Argb colour, double opacity);
    void fill(Argb colour);
    void fillRect(int x, int y, int w, int h, Argb colour);
    // Copies every non-transparent pixel of `src` to (x, y).
    void stamp(const Pixmap& src, int x, int y);
    // Lays `src` over this buffer with its alpha at (x, y).
    void composite(const Pixmap& src, int x, int y);

    Pixmap mirrored() const;
    Pixmap cropped(int x, int y, int w, int h) const;
    Pixmap scaled(int factor) const; // nearest neighbour

    // Smallest rectangle holding every non-transparent pixel (w = 0 when there is none).
    struct Box {
        int x = 0, y = 0, w = 0, h = 0;
    };
    Box bounds() const;

    const std::vector<Argb>& pixels() const { return pixels_; }

  private:
    std::size_t index(int x, int y) const { return std::size_t(y) * width_ + x; }
    int width_ = 0;
    int height_ = 0;
    std::vector<Argb> pixels_;
};

// Writes `pixmap` as a PNG without metadata that could change from run to run. `withAlpha` keeps
// the alpha channel; otherwise the picture is stored as 24-bit RGB.
bool savePng(const Pixmap& pixmap, const std::string& path, bool withAlpha);

// Deterministic noise of our own: a hash of integer coordinates and a seed, and smooth value
// noise built from it. Both return values in [0, 1).
double hashNoise(int x, int y, std::uint32_t seed);
double valueNoise(double x, double y, std::uint32_t seed);
// Sum of `octaves` layers of value noise, each twice as fine and half as strong; in [0, 1).
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

// A fixed-seed generator for sounds and scattered details (xorshift32).
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t nextBits();
    double next() { return double(nextBits() >> 8) / double(1u << 24); } // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

  private:
    std::uint32_t state_;
};

} // namespace assetgen
