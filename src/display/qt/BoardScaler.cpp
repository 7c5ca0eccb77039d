#include "display/qt/BoardScaler.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "display/qt/QtTextPrinter.h"

namespace kelvarn {

namespace {

constexpr std::uint32_t AllTiles = 0xFFFFFFFFu;
constexpr double Slack = 1e-9; // against rounding in board-to-device arithmetic

// c0 with the share w (of 256) and c1 with the rest, channel by channel, rounded.
inline std::uint32_t mix(std::uint32_t c0, std::uint32_t c1, std::uint32_t w) {
    const std::uint32_t v = 256 - w;
    const std::uint32_t rb = ((c0 & 0xFF00FFu) * w + (c1 & 0xFF00FFu) * v + 0x800080u) >> 8;
    const std::uint32_t g = ((c0 & 0x00FF00u) * w + (c1 & 0x00FF00u) * v + 0x008000u) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// Device pixel i of an axis covers board pixels [i / scale, (i + 1) / scale): at most two of
// them, since a board pixel is at least one device pixel wide.
template <typename Tap> std::vector<Tap> tapsFor(int boardPixels, int devicePixels, double scale) {
    std::vector<Tap> taps(static_cast<std::size_t>(devicePixels));
    for (int i = 0; i < devicePixels; ++i) {
        const double start = i / scale;
        const double end = (i + 1) / scale;
        Tap tap;
        tap.from = std::clamp(int(std::floor(start + Slack)), 0, boardPixels - 1);
        if (end > tap.from + 1 + Slack && tap.from + 1 < boardPixels) {
            tap.weight = int(std::lround((tap.from + 1 - start) * scale * 256));
            if (tap.weight <= 0) {
                tap = Tap{tap.from + 1, 256};
            }
            tap.weight = std::min(tap.weight, 256);
        }
        taps[std::size_t(i)] = tap;
    }
    return taps;
}

std::uint32_t* row(QImage& image, int y) {
    return reinterpret_cast<std::uint32_t*>(image.bits() + qsizetype(y) * image.bytesPerLine());
}

} // namespace

BoardScaler::BoardScaler(const BoardLayers& layers, const Surface& background,
                         const QtTextPrinter* text)
    : layers_(layers), background_(background), text_(text) {
    if (text_ != nullptr) {
        metrics_.emplace(text_->font());
    }
}

void BoardScaler::setScale(double scale) {
    if (scale != scale_) {
        scale_ = scale;
        stale_ = true;
    }
}

QRegion BoardScaler::update() {
    if (stale_) {
        rebuild();
        stale_ = false;
    } else {
        findChangedTiles();
    }
    QRegion changed;
    resampleChangedTiles(changed);
    redrawStatusLines(changed);
    return changed;
}

void BoardScaler::rebuild() {
    const int w = int(std::lround(Width * scale_));
    const int h = int(std::lround(Height * scale_));
    across_ = tapsFor<Tap>(Width, w, scale_);
    down_ = tapsFor<Tap>(Height, h, scale_);
    firstColumn_.assign(Width, w);
    lastColumn_.assign(Width, -1);
    for (int i = 0; i < w; ++i) {
        const Tap tap = across_[std::size_t(i)];
        const int last = tap.weight < 256 ? tap.from + 1 : tap.from;
        for (int x = tap.from; x <= last; ++x) {
            firstColumn_[std::size_t(x)] = std::min(firstColumn_[std::size_t(x)], i);
            lastColumn_[std::size_t(x)] = std::max(lastColumn_[std::size_t(x)], i);
        }
    }

    across_rows_.assign(std::size_t(Height) * std::size_t(w), Opaque);
    screen_ = QImage(w, h, QImage::Format_RGB32);
    screen_.setDevicePixelRatio(scale_);
    lettering_ = QImage(w, h, QImage::Format_Alpha8);

    previous_ = layers_.MainBoard;
    changedTiles_.fill(AllTiles);
    lines_.clear();
}

void BoardScaler::findChangedTiles() {
    const Surface& board = layers_.MainBoard;
    for (int y = 0; y < Height; ++y) {
        const std::uint32_t* now = board.data() + std::size_t(y) * Width;
        std::uint32_t* was = previous_.data() + std::size_t(y) * Width;
        std::uint32_t bits = 0;
        if (std::memcmp(now, was, Width * sizeof(std::uint32_t)) != 0) {
            for (int t = 0; t < Tiles; ++t) {
                const int x = t * TileWidth;
                const std::size_t bytes = std::size_t(std::min(TileWidth, Width - x)) * 4;
                if (std::memcmp(now + x, was + x, bytes) != 0) {
                    bits |= 1u << t;
                    std::memcpy(was + x, now + x, bytes);
                }
            }
        }
        changedTiles_[std::size_t(y)] = bits;
    }
}

void BoardScaler::resampleChangedTiles(QRegion& changed) {
    // What changed, in board pixels: one rectangle per run of rows with changes.
    int bandTop = -1;
    std::uint32_t bandBits = 0;
    for (int y = 0; y <= Height; ++y) {
        const std::uint32_t bits = y < Height ? changedTiles_[std::size_t(y)] : 0;
        if (bits != 0) {
            bandTop = bandTop < 0 ? y : bandTop;
            bandBits |= bits;
        } else if (bandTop >= 0) {
            const int first = std::countr_zero(bandBits);
            const int last = 31 - std::countl_zero(bandBits);
            const int right = std::min(Width, (last + 1) * TileWidth);
            // A device pixel on the edge also shows the board pixel beside it.
            changed += QRect(first * TileWidth, bandTop, right - first * TileWidth, y - bandTop)
                           .adjusted(-1, -1, 1, 1);
            bandTop = -1;
            bandBits = 0;
        }
    }

    // First across: each changed board row resampled to the screen's width; then down: each
    // device row is one of those rows, or the mix of two.
    const int width = screen_.width();
    const Surface& board = layers_.MainBoard;
    for (int y = 0; y < Height; ++y) {
        forEachRun(changedTiles_[std::size_t(y)], [&](int x0, int x1) {
            const std::uint32_t* from = board.data() + std::size_t(y) * Width;
            std::uint32_t* to = across_rows_.data() + std::size_t(y) * std::size_t(width);
            for (int x = x0; x <= x1; ++x) {
                const Tap tap = across_[std::size_t(x)];
                const std::uint32_t c = from[tap.from];
                to[x] =
                    Opaque |
                    (tap.weight < 256 ? mix(c, from[tap.from + 1], std::uint32_t(tap.weight)) : c);
            }
        });
    }
    for (int y = 0; y < screen_.height(); ++y) {
        const Tap tap = down_[std::size_t(y)];
        std::uint32_t bits = changedTiles_[std::size_t(tap.from)];
        if (tap.weight < 256) {
            bits |= changedTiles_[std::size_t(tap.from) + 1];
        }
        const std::uint32_t* upper = across_rows_.data() + std::size_t(tap.from) * width;
        std::uint32_t* out = row(screen_, y);
        forEachRun(bits, [&](int x0, int x1) {
            if (tap.weight == 256) {
                std::memcpy(out + x0, upper + x0, std::size_t(x1 - x0 + 1) * 4);
                return;
            }
            const std::uint32_t* lower = upper + width;
            for (int x = x0; x <= x1; ++x) {
                out[x] = Opaque | mix(upper[x], lower[x], std::uint32_t(tap.weight));
            }
        });
    }
}

template <typename Action> void BoardScaler::forEachRun(std::uint32_t tiles, Action action) const {
    while (tiles != 0) {
        const int first = std::countr_zero(tiles);
        const int run = std::countr_one(tiles >> first);
        tiles = first + run >= 32 ? 0 : tiles & ~((1u << (first + run)) - 1);
        const int left = first * TileWidth;
        const int right = std::min(Width, (first + run) * TileWidth) - 1;
        action(firstColumn_[std::size_t(left)], lastColumn_[std::size_t(right)]);
    }
}

QRect BoardScaler::deviceRect(const QRect& board) const {
    if (board.isEmpty()) {
        return {};
    }
    const int left = firstColumn_[std::size_t(board.left())];
    const int right = lastColumn_[std::size_t(board.right())];
    const int top = int(std::floor(board.top() * scale_ + Slack));
    const int bottom =
        std::min(screen_.height(), int(std::ceil((board.bottom() + 1) * scale_ - Slack))) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool BoardScaler::tilesTouch(const QRect& board) const {
    const QRect r = board & QRect(0, 0, Width, Height);
    if (r.isEmpty()) {
        return false;
    }
    const int first = r.left() / TileWidth;
    const int last = r.right() / TileWidth;
    const std::uint32_t mask =
        (last >= 31 ? AllTiles : (1u << (last + 1)) - 1) & ~((1u << first) - 1);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if ((changedTiles_[std::size_t(y)] & mask) != 0) {
            return true;
        }
    }
    return false;
}

QRect BoardScaler::areaOf(const QString& text, int line) const {
    if (text.isEmpty() || !metrics_) {
        return {};
    }
    const int top = line * text_->lineHeight();
    const QRect ink = metrics_->boundingRect(text).translated(0, top + text_->ascent());
    const QRect box(0, top, metrics_->horizontalAdvance(text), text_->lineHeight());
    // The glyphs drawn at the screen's size may reach a little further than at board size.
    return (ink | box).adjusted(-2, -1, 2, 1) & QRect(0, 0, Width, Height);
}

void BoardScaler::redrawStatusLines(QRegion& changed) {
    if (text_ == nullptr) {
        return;
    }
    const int count = text_->lineCount();
    textColour_ = text_->colour();
    if (lines_.size() < std::size_t(count)) {
        lines_.resize(std::size_t(count));
    }

    // Which board areas need their lettering again: a line that changed (where it was and where
    // it is now), and a line that a changed tile touches (a new colour changes the board's own
    // letters, so it is among these).
    QRegion redraw;
    static const QString Nothing;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        const QString& now = int(i) < count ? text_->line(int(i)) : Nothing;
        if (now != line.text) {
            const QRect area = areaOf(now, int(i));
            redraw += line.area | area;
            line.text = now;
            line.area = area;
        } else if (tilesTouch(line.area.adjusted(-1, -1, 1, 1))) {
            redraw += line.area;
        }
    }
    if (redraw.isEmpty()) {
        return;
    }

    QRegion devices;
    for (const QRect& board : redraw) {
        const QRect device = deviceRect(board);
        for (int y = device.top(); y <= device.bottom(); ++y) {
            std::memset(lettering_.bits() + qsizetype(y) * lettering_.bytesPerLine() +
                            device.left(),
                        0, std::size_t(device.width()));
        }
        devices += device;
    }
    {
        QPainter painter(&lettering_);
        painter.setClipRegion(devices);
        painter.scale(scale_, scale_);
        painter.setFont(text_->font());
        painter.setPen(Qt::white);
        const QRect bounds = redraw.boundingRect();
        for (int i = 0; i < count; ++i) {
            const int top = i * text_->lineHeight();
            if (top - 2 <= bounds.bottom() && top + text_->lineHeight() + 2 > bounds.top()) {
                painter.drawText(0, top + text_->ascent(), text_->line(i));
            }
        }
    }
    for (const QRect& device : devices) {
        composeText(device);
    }
    for (const QRect& board : redraw) {
        changed += board.adjusted(-1, -1, 1, 1);
    }
}

// The status lines under the sprites, at the screen's size. Each board pixel a device pixel
// covers is composed as the board itself was, (ground AND hit AND overlay) OR sprite, with the
// ground lettered as far as the glyphs drawn at the screen's size cover this device pixel; the
// device pixel shows the mix by area. Where no glyph reaches, this is exactly the resampled
// board without its letters.
void BoardScaler::composeText(const QRect& device) {
    const std::uint32_t* ground = background_.data();
    const std::uint32_t* sprite = layers_.Pic1.data();
    const std::uint32_t* hit = layers_.Pic2.data();
    const std::uint32_t* overlay = layers_.Pic3.data();
    for (int y = device.top(); y <= device.bottom(); ++y) {
        const Tap down = down_[std::size_t(y)];
        const std::size_t upperRow = std::size_t(down.from) * Width;
        const std::size_t lowerRow = down.weight < 256 ? upperRow + Width : upperRow;
        const uchar* cover = lettering_.constBits() + qsizetype(y) * lettering_.bytesPerLine();
        std::uint32_t* out = row(screen_, y);
        for (int x = device.left(); x <= device.right(); ++x) {
            const Tap across = across_[std::size_t(x)];
            const std::uint32_t ink = cover[x] + (cover[x] >> 7); // of 256
            auto seen = [&](std::size_t i) {
                const std::uint32_t letter =
                    ink == 0 ? ground[i] : mix(textColour_, ground[i], ink);
                return (letter & hit[i] & overlay[i]) | sprite[i];
            };
            const std::size_t f = std::size_t(across.from);
            std::uint32_t upper = seen(upperRow + f);
            std::uint32_t lower = down.weight < 256 ? seen(lowerRow + f) : upper;
            if (across.weight < 256) {
                upper = mix(upper, seen(upperRow + f + 1), std::uint32_t(across.weight));
                if (down.weight < 256) {
                    lower = mix(lower, seen(lowerRow + f + 1), std::uint32_t(across.weight));
                }
            }
            out[x] = Opaque |
                     (down.weight < 256 ? mix(upper, lower, std::uint32_t(down.weight)) : upper);
        }
    }
}

} // namespace kelvarn
