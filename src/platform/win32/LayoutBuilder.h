// Win32 controls from the toolkit-free window tables: labels (static controls), push buttons,
// group-box frames, pictures and shapes, each at its row's place in twips converted at the
// window's resolution (96 dpi is 15 twips a pixel), with its font, colours, tooltip and pointer.
//
// The window that owns a builder hands it the messages it needs (see handle()) and paints its
// background through paintBackground(): the window's colour, its picture and the shapes, which
// are drawn by the window itself rather than by controls of their own, so that they never cover
// what lies under them and never take the pointer.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/WindowLayout.h"

namespace kelvarn {

// A picture by its stem name ("Picture1") as a new bitmap that the caller owns and deletes, or
// nullptr when there is none.
using PictureLoader = std::function<HBITMAP(const std::string& stem)>;

inline COLORREF colourRef(Rgb c) {
    return RGB(c.r, c.g, c.b);
}

// The resolution of the screen the window is on (per monitor where the system knows it), 96 when
// nothing can tell.
int windowDpi(HWND window);
// The resolution of the primary screen, for windows not yet created.
int systemDpi();
// A font of the given size in points at `dpi`; the caller deletes it.
HFONT createFont(const FontSpec& font, int dpi);
HCURSOR pointerCursor(PointerShape pointer);
// The outer rectangle of a window whose inner area is the layout's, at the layout's place (or
// centred on the primary screen), for the given styles at `dpi`.
RECT outerRect(const WindowLayout& layout, DWORD style, DWORD exStyle, bool hasMenu, int dpi);
// The pixels from one line of a label to the next at `dpi`: the row's own line height, or else
// that of `font` (its characters' height and the gap it asks for between lines).
int labelLinePitch(const LayoutRow& row, HFONT font, int dpi);

class LayoutBuilder {
  public:
    LayoutBuilder(HWND window, const WindowLayout& layout, PictureLoader pictures = {});
    ~LayoutBuilder();
    LayoutBuilder(const LayoutBuilder&) = delete;
    LayoutBuilder& operator=(const LayoutBuilder&) = delete;

    // Creates every row's control but the board's, which its window builds itself. Control ids
    // count up from FirstControlId in table order.
    void build();
    static constexpr int FirstControlId = 100;

    const WindowLayout& layout() const { return layout_; }
    int dpi() const { return dpi_; }
    // nullptr when the row has no control of its own (a shape, the board) or does not exist.
    HWND control(std::string_view name) const;
    // The row whose control `control` is, or nullptr.
    const LayoutRow* rowOf(HWND control) const;
    // The row whose control has the id `id`, or nullptr.
    const LayoutRow* rowOfId(int id) const;
    // Where a row lies in the window's inner area, in pixels at the window's resolution (a row
    // held by a frame is offset by the frame's place).
    PixelRect pixelPlace(const LayoutRow& row) const;

    // Hands over a message of the window. Returns true when the builder has dealt with it, with
    // the window procedure's result in `result`: the colours of labels and frames
    // (WM_CTLCOLORSTATIC), the pointer over controls (WM_SETCURSOR), and a new resolution
    // (WM_DPICHANGED: the window takes the suggested rectangle and every control its new place
    // and font).
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window's colour, its picture from the top-left corner, and the visible shapes.
    void paintBackground(HDC dc, const RECT& area) const;

    // Changes a control's text; a transparent label gets what lies under it repainted first.
    void setText(std::string_view name, const std::string& utf8);
    // Shows or hides a control or a shape.
    void setVisible(std::string_view name, bool visible);
    bool isVisible(std::string_view name) const;
    // Changes a label's text colour.
    void setTextColour(std::string_view name, Rgb colour);
    // Changes the window's background colour.
    void setBackground(Rgb colour);
    // Moves a control to a point in twips.
    void moveTo(std::string_view name, TwipsPoint at);
    // Calls `handler` with every pointer message a control receives (WM_MOUSEMOVE and the button
    // messages), before the control handles it: the main window's hover feedback.
    using PointerHandler = std::function<void(UINT message)>;
    void watchPointer(std::string_view name, PointerHandler handler);
    // A tooltip for any control of the window (the board's, for one).
    void addTooltip(HWND control, const std::string& utf8);
    // Lays the controls out again for a new resolution.
    void relayout(int dpi);

  private:
    struct Built {
        const LayoutRow* row;
        HWND hwnd = nullptr; // nullptr for shapes
        bool visible = true;
        std::optional<Rgb> textColour;
        TwipsPoint at; // moveTo() may change the row's place
    };
    Built* find(std::string_view name);
    const Built* find(std::string_view name) const;
    HFONT fontFor(const FontSpec& font);
    void repaintUnder(const Built& built);
    const Built* builtOf(HWND control) const;
    // A shape in `dc` whose origin lies at (dx, dy) in the window's inner area.
    void drawShape(HDC dc, const Built& shape, int dx, int dy) const;
    // A shape that comes after a control in the table lies over it, as on Linux: the control,
    // once painted, gets those shapes drawn over it.
    static LRESULT CALLBACK shapesOver(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR builder);
    std::vector<HWND> shapeOverlaid_;
    // A label with a line height of its own: each line at its row, in the label's colour.
    void drawLines(const Built& built, HDC dc, const RECT& area);
    PixelRect place(const Built& built) const;

    HWND window_;
    const WindowLayout& layout_;
    PictureLoader pictures_;
    int dpi_;
    std::vector<Built> built_;
    std::map<std::string, HFONT> fonts_; // by family, size and weight
    std::vector<HBITMAP> bitmaps_;
    HBITMAP background_ = nullptr;
    HBRUSH backgroundBrush_ = nullptr;
    std::optional<Rgb> backgroundColour_;
    HWND tooltips_ = nullptr;
    std::vector<std::pair<HWND, std::unique_ptr<PointerHandler>>> pointerHandlers_;
};

} // namespace kelvarn
