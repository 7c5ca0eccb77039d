// The board painter's memory between frames. A frame clears only what the last frame drew into
// each layer, prints a status line again only when its text or colour changed (the printed lines
// are kept on a lettered copy of the board's background), and composes the board only where
// something was or is. After every frame the board and its layers hold exactly what painting the
// whole frame afresh leaves; `changed()` tells the window which part of the board to show again.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "display/BoardRegion.h"
#include "display/Sprites.h"
#include "game/GameEdit.h"
#include "platform/Surface.h"

namespace kelvarn {

struct BoardLayers;

class BoardPainter {
  public:
    static constexpr int StatusLines = 9;

    BoardPainter();

    // One frame, drawn only where it differs from the last one.
    void paint(const GameEdit& game, BoardLayers& layers, const Sprites& sprites, TextPrinter& text,
               std::uint32_t textColour);
    // One frame drawn whole: every layer and the board cleared, every line printed.
    void paintWhole(const GameEdit& game, BoardLayers& layers, const Sprites& sprites,
                    TextPrinter& text, std::uint32_t textColour);
    // Someone else drew on the layers: the next frame is painted whole.
    void forget() { whole_ = true; }

    // The board pixels the last frame may have changed.
    const BoardRegion& changed() const { return changed_; }

  private:
    enum Layer { Sprite, Hit, Overlay, LayerCount };
    using Drawn = std::array<std::vector<Rect>, LayerCount>;

    void statusLines(const GameEdit& game);
    void drawSprites(const GameEdit& game, BoardLayers& layers, const Sprites& sprites);

    bool whole_ = true;
    std::array<std::string, StatusLines> lines_;    // as printed on lettered_
    std::array<std::string, StatusLines> nowLines_; // this frame's
    std::array<Rect, StatusLines> areas_{};         // what each line of lines_ may colour
    std::array<bool, StatusLines> areaKnown_{};     // areas_ worked out since the last whole paint
    std::uint32_t colour_ = 0;
    Surface lettered_; // the background with the status lines printed on it
    Drawn drawn_;      // what the last frame drew into each layer
    Drawn drawing_;    // what this frame draws
    BoardRegion changed_;
};

} // namespace kelvarn
