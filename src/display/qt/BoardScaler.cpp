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

constexpr std::uint32_t AllTiles = BoardScale::AllTiles;

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
    return resampleAndLetter();
}

QRegion BoardScaler::update(const BoardRegion& changed) {
    if (stale_) {
        rebuild();
        stale_ = false;
    } else {
        markChangedTiles(changed);
    }
    return resampleAndLetter();
}

QRegion BoardScaler::resampleAndLetter() {
    QRegion changed;
    resampleChangedTiles(changed);
    redrawStatusLines(changed);
    return changed;
}

void BoardScaler::rebuild() {
    arith_ = BoardScale(Width, Height, scale_);
    screen_ = QImage(arith_.deviceWidth(), arith_.deviceHeight(), QImage::Format_RGB32);
    screen_.setDevicePixelRatio(scale_);
    lettering_ = QImage(arith_.deviceWidth(), arith_.deviceHeight(), QImage::Format_Alpha8);

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

// Only the tiles the painter names are compared with the picture's copy of the board, so the
// still rest of the board costs nothing and only tiles that really changed are worked out again.
void BoardScaler::markChangedTiles(const BoardRegion& changed) {
    changedTiles_.fill(0);
    const Surface& board = layers_.MainBoard;
    for (const Rect& r : changed.rects()) {
        const std::uint32_t tiles = arith_.tilesOf(r.x, r.width);
        for (int y = std::max(r.y, 0); y < std::min(r.bottom(), Height); ++y) {
            const std::uint32_t* now = board.data() + std::size_t(y) * Width;
            std::uint32_t* was = previous_.data() + std::size_t(y) * Width;
            for (std::uint32_t left = tiles; left != 0; left &= left - 1) {
                const int t = std::countr_zero(left);
                const int x = t * TileWidth;
                const std::size_t bytes = std::size_t(std::min(TileWidth, Width - x)) * 4;
                if (std::memcmp(now + x, was + x, bytes) != 0) {
                    changedTiles_[std::size_t(y)] |= 1u << t;
                    std::memcpy(was + x, now + x, bytes);
                }
            }
        }
    }
}

void BoardScaler::resampleChangedTiles(QRegion& changed) {
    for (const Rect& band : arith_.changedBands(changedTiles_.data())) {
        // A device pixel on the edge also shows the board pixel beside it.
        changed += QRect(band.x, band.y, band.width, band.height).adjusted(-1, -1, 1, 1);
    }
    arith_.resampleTiles(layers_.MainBoard.data(), Width, changedTiles_.data(),
                         reinterpret_cast<std::uint32_t*>(screen_.bits()),
                         screen_.bytesPerLine() / 4);
}

QRect BoardScaler::deviceRect(const QRect& board) const {
    if (board.isEmpty()) {
        return {};
    }
    return QRect(QPoint(arith_.firstColumn(board.left()), arith_.firstRow(board.top())),
                 QPoint(arith_.lastColumn(board.right()), arith_.lastRow(board.bottom())));
}

bool BoardScaler::tilesTouch(const QRect& board) const {
    const QRect r = board & QRect(0, 0, Width, Height);
    if (r.isEmpty()) {
        return false;
    }
    const std::uint32_t mask = arith_.tilesOf(r.left(), r.width());
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

// The status lines under the sprites, at the screen's size, composed as the board itself was.
void BoardScaler::composeText(const QRect& device) {
    const BoardScale::Layers layers{background_.data(), layers_.Pic1.data(), layers_.Pic2.data(),
                                    layers_.Pic3.data(), Width};
    arith_.composeLettered(layers, lettering_.constBits(), lettering_.bytesPerLine(), textColour_,
                           device.left(), device.top(), device.right(), device.bottom(),
                           reinterpret_cast<std::uint32_t*>(screen_.bits()),
                           screen_.bytesPerLine() / 4);
}

} // namespace kelvarn
