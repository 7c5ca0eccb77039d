// A window described as data: its caption, inner size and place in twips, its default font and
// colours, and one row per control. Both toolkits build their windows from these rows, so the
// Linux and the Windows game cannot drift apart. Texts are UTF-8.
//
// Twips: 1440 to an inch, so 15 to a pixel on a 96-dpi screen. A position is that of a control's
// top-left corner in the inner area of the window (or frame) holding it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Services.h"

namespace kelvarn {

// Whole pixels for a length in twips on a screen of `dpi` dots per inch, rounded down.
constexpr int twipsToPixels(int twips, int dpi = 96) {
    return twips * dpi / 1440;
}

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend constexpr bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct TwipsPoint {
    int left = 0, top = 0;
    friend constexpr bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

// A pixel rectangle at a given resolution.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelRect toPixels(TwipsRect r, int dpi = 96) {
    return {twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi), twipsToPixels(r.width, dpi),
            twipsToPixels(r.height, dpi)};
}

// A font by family and size in points. An empty family means the window's default font.
struct FontSpec {
    std::string family;
    double points = 0;
    bool bold = false;
    bool given() const { return !family.empty(); }
};

// The program's own default font, for windows and controls whose table names none: "宋体" 9 pt,
// twelve pixels a character and a line at 96 dpi.
const FontSpec& programFont();

enum class ControlKind {
    Label,      // text on the window's background
    Button,     // push button
    Frame,      // captioned frame that holds other rows
    Image,      // a picture without border (an icon)
    PictureBox, // a picture in a sunken border two pixels wide
    Shape,      // a rectangle: a filled line or an outline
    Board,      // the play field, drawn by the game itself
};

enum class PointerShape { Arrow, CrossHair, ArrowQuestion };

// One control of a window.
struct LayoutRow {
    std::string name; // the control's name, as the handlers know it
    ControlKind kind = ControlKind::Label;
    TwipsRect place;
    std::string text;    // caption or label text
    std::string tooltip; // empty: none
    std::string picture; // a picture by its stem name ("Picture1"); empty: none
    std::string parent;  // the frame holding this row; empty: the window itself
    std::string tag;     // a label tagged "1" blinks in the high-score window
    FontSpec font;       // not given: the window's default font
    std::optional<Rgb> textColour;
    std::optional<Rgb> fillColour;    // a Shape filled in this colour (a line)
    std::optional<Rgb> outlineColour; // a Shape drawn as a one-pixel outline in this colour
    PointerShape pointer = PointerShape::Arrow;
    bool visible = true;
    bool wrap = false;        // a label whose long text wraps within its width
    bool transparent = false; // a label without a background of its own
    // A label whose lines stand this many twips apart, each on its own row, however tall its
    // font's own lines are; 0: the font's own line height.
    int lineHeight = 0;
};

// Where a window's inner area stands on the screen.
struct WindowPlace {
    bool centred = false; // at the centre of the screen; otherwise at `at`
    TwipsPoint at;
};

struct WindowLayout {
    std::string name;
    std::string caption;
    int width = 0, height = 0; // the inner area, in twips
    WindowPlace place;
    FontSpec font; // the window's default font
    std::optional<Rgb> background;
    std::optional<Rgb> textColour;
    std::string picture; // drawn from the inner area's top-left corner; empty: none
    std::vector<LayoutRow> rows;

    // Appends a row for the control `name` and hands it back to be filled in.
    LayoutRow& add(std::string control, ControlKind kind, TwipsRect where);

    // The row of the control `name`; throws std::out_of_range when there is none.
    const LayoutRow& row(std::string_view name) const;
    // The rows that `frame` holds (the window's own rows for an empty name), in table order.
    std::vector<const LayoutRow*> rowsIn(std::string_view frame) const;
};

} // namespace kelvarn
