// The board as a high-density screen shows it. The game draws its 400 x 360 board in board
// pixels; a screen with 1.5 or 2 device pixels per board pixel gets a picture of its own size in
// which every board pixel covers the same area: the board enlarged by the next whole factor
// without smoothing, then smoothed down to the screen's size (so a pixel straddling two board
// pixels shows their mix, and no board column is doubled beside a single one). The status lines
// are drawn again at the screen's own resolution, under the sprites exactly where the board has
// them, so the glyphs are sharp. The board and its layers themselves stay as the game left them.
//
// Only what changed since the last frame is worked out again: the picture is brought up to date
// in tiles, and update() says which part of the board changed.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRegion>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "display/BoardScale.h"
#include "display/Form1Logic.h"

namespace kelvarn {

class QtTextPrinter;

class BoardScaler {
  public:
    // `background` is the board's cleared look (its colour and background picture); `text`, when
    // given, is the printer whose lines the board carries.
    BoardScaler(const BoardLayers& layers, const Surface& background, const QtTextPrinter* text);

    // Device pixels per board pixel. Changing it draws the whole picture again on the next
    // update().
    void setScale(double scale);
    double scale() const { return scale_; }

    // Brings the picture up to date with the board; returns the changed part, in board pixels.
    QRegion update();
    // The board at the screen's resolution (its device pixel ratio set), opaque: every pixel
    // carries 0xFF in its top byte.
    const QImage& image() const { return screen_; }

  private:
    static constexpr int Width = BoardLayers::Width;
    static constexpr int Height = BoardLayers::Height;
    static constexpr int TileWidth = BoardScale::TileWidth;
    static constexpr int Tiles = (Width + TileWidth - 1) / TileWidth;

    // One status line and the board pixels it may colour.
    struct Line {
        QString text;
        QRect area; // in board pixels
    };

    void rebuild();
    void findChangedTiles();
    void resampleChangedTiles(QRegion& changed);
    void redrawStatusLines(QRegion& changed);
    void composeText(const QRect& device);
    // The device pixels that show any of these board pixels.
    QRect deviceRect(const QRect& board) const;
    bool tilesTouch(const QRect& board) const;
    // The board pixels status line `line` may colour when it reads `text`.
    QRect areaOf(const QString& text, int line) const;

    const BoardLayers& layers_;
    const Surface& background_;
    const QtTextPrinter* text_;
    std::optional<QFontMetrics> metrics_;

    double scale_ = 1.0;
    bool stale_ = true; // the whole picture must be drawn again
    BoardScale arith_;  // the enlargement itself
    QImage screen_;     // what the screen shows
    QImage lettering_;  // how far the glyphs of the status lines cover each device pixel
    Surface previous_;  // the board as the picture last showed it
    std::array<std::uint32_t, Height> changedTiles_{}; // per board row, one bit per tile
    std::vector<Line> lines_;
    QRgb textColour_ = 0;
};

} // namespace kelvarn
