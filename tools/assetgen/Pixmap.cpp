#include "Pixmap.h"

#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

int channel(double v) {
    return int(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

} // namespace

Argb rgba(double r, double g, double b, double a) {
    return (Argb(channel(a)) << 24) | (Argb(channel(r)) << 16) | (Argb(channel(g)) << 8) |
           Argb(channel(b));
}

Argb mix(Argb a, Argb b, double t) {
    auto one = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return (Argb(one(alpha(a), alpha(b))) << 24) | (Argb(one(red(a), red(b))) << 16) |
           (Argb(one(green(a), green(b))) << 8) | Argb(one(blue(a), blue(b)));
}

Pixmap::Pixmap(int width, int height, Argb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

void Pixmap::blend(int x, int y, Argb colour, double opacity) {
    if (!contains(x, y)) {
        return;
    }
    const double sa = std::clamp(opacity * alpha(colour) / 255.0, 0.0, 1.0);
    if (sa <= 0.0) {
        return;
    }
    const Argb under = pixels_[index(x, y)];
    const double da = alpha(under) / 255.0;
    const double oa = sa + da * (1.0 - sa);
    auto one = [&](int s, int d) { return (s * sa + d * da * (1.0 - sa)) / oa / 255.0; };
    pixels_[index(x, y)] = rgba(one(red(colour), red(under)), one(green(colour), green(under)),
                                one(blue(colour), blue(under)), oa);
}

void Pixmap::fill(Argb colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Pixmap::fillRect(int x, int y, int w, int h, Argb colour) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            set(i, j, colour);
        }
    }
}

void Pixmap::stamp(const Pixmap& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j) {
        for (int i = 0; i < src.width(); ++i) {
            if (alpha(src.at(i, j)) != 0) {
                set(x + i, y + j, src.at(i, j));
            }
        }
    }
}

void Pixmap::composite(const Pixmap& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j) {
        for (int i = 0; i < src.width(); ++i) {
            blend(x + i, y + j, src.at(i, j), 1.0);
        }
    }
}

Pixmap Pixmap::mirrored() const {
    Pixmap out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            out.set(width_ - 1 - x, y, at(x, y));
        }
    }
    return out;
}

Pixmap Pixmap::cropped(int x, int y, int w, int h) const {
    Pixmap out(w, h);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            out.set(i, j, at(x + i, y + j));
        }
    }
    return out;
}

Pixmap Pixmap::scaled(int factor) const {
    Pixmap out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.set(x, y, at(x / factor, y / factor));
        }
    }
    return out;
}

Pixmap::Box Pixmap::bounds() const {
    int x0 = width_, y0 = height_, x1 = -1, y1 = -1;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (alpha(at(x, y)) != 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        return {};
    }
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

bool savePng(const Pixmap& pixmap, const std::string& path, bool withAlpha) {
    QImage image(pixmap.width(), pixmap.height(),
                 withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < pixmap.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixmap.width(); ++x) {
            const Argb c = pixmap.at(x, y);
            line[x] = withAlpha ? c : (0xFF000000u | c);
        }
    }
    // A fixed resolution (96 dots per inch, which Qt writes anyway), no text, no colour profile:
    // nothing that depends on the machine or the moment.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QImageWriter writer(QString::fromStdString(path), "png");
    writer.setQuality(0); // strongest compression
    return writer.write(image);
}

namespace {

std::uint32_t mixBits(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double hashNoise(int x, int y, std::uint32_t seed) {
    const std::uint32_t h =
        mixBits(std::uint32_t(x) * 0x9E3779B1u ^ mixBits(std::uint32_t(y) * 0x85EBCA77u ^ seed));
    return double(h >> 8) / double(1u << 24);
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
    const double c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0.0, weight = 1.0, total = 0.0, scale = 1.0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x * scale, y * scale, seed + 1013u * std::uint32_t(i)) * weight;
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}

std::uint32_t Random::nextBits() {
    std::uint32_t x = state_;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    state_ = x;
    return x;
}

} // namespace assetgen
