// The main window: the menu bar, the board with its sunken border, the labels below it and the
// underline of the address label. It owns no game rules: events go to Form1Logic and the board
// shows the surface the painter composed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "display/BoardRegion.h"
#include "display/BoardScale.h"
#include "display/Form1Logic.h"
#include "display/win32/GdiTextPrinter.h"
#include "platform/win32/LayoutBuilder.h"

namespace kelvarn {

// The visible play field: 400 x 360 board pixels inside a 2-pixel sunken border, shown pixel for
// pixel at 96 dots per inch. On a denser screen every board pixel covers the same area of the
// screen, a device pixel straddling two board pixels showing their mix (BoardScale); only the
// tiles of the board that changed since the last frame are worked out again.
class BoardView {
  public:
    // `background` is the board's background picture; `text`, when given, is the printer whose
    // status lines the board carries.
    BoardView(const BoardLayers& layers, const Surface& background, const GdiTextPrinter* text);
    ~BoardView();
    BoardView(const BoardView&) = delete;
    BoardView& operator=(const BoardView&) = delete;

    bool create(HWND parent, HINSTANCE instance);
    HWND hwnd() const { return hwnd_; }
    // Places the board at `dpi`: its border's top-left corner at (x, y) of the parent.
    void place(int x, int y, int dpi);
    // The painter has drawn a new frame: anywhere on the board, or only inside `changed`. Only
    // the part of the window that shows what changed is painted again.
    void boardChanged();
    void boardChanged(const BoardRegion& changed);
    std::function<void()> onMouseMove;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void changedIn(const BoardRegion* changed);
    // Paints the parts of the window in `update` (when null, in `bounds`).
    void paint(HDC dc, HRGN update, const RECT& bounds);
    bool scaled() const { return dpi_ != USER_DEFAULT_SCREEN_DPI; }
    // Brings the enlarged picture up to date where the board changed (anywhere when `changed` is
    // null); the device pixels of the board that changed, as rectangles.
    std::vector<RECT> enlarge(const BoardRegion* changed);
    // Draws the status lines again at the screen's resolution where they changed or where a
    // changed tile touches them, under the sprites as on the board; adds to `changed`.
    void sharpenStatusLines(std::vector<RECT>& changed);
    // Marks the tiles of each board row that differ from the picture's copy of the board, looking
    // only inside `changed` when it is given.
    void findChangedTiles(const BoardRegion* changed);
    // Asks for the device rectangles (board coordinates inside the border) to be painted again.
    void invalidate(const std::vector<RECT>& rects);
    bool tilesTouch(const RECT& board) const;

    const BoardLayers& layers_;
    const GdiTextPrinter* text_;
    HWND hwnd_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    BITMAPINFO info_{};
    // The enlarged board, and the board as it last showed.
    BoardScale scale_;
    std::vector<std::uint32_t> screen_;
    BITMAPINFO screenInfo_{};
    Surface previous_;
    std::vector<std::uint32_t> changedTiles_;
    bool stale_ = true;
    // The status lines as the enlarged picture shows them: their text and the board pixels they
    // may colour; the glyphs' cover of each device pixel, drawn at the screen's size.
    struct Line {
        std::wstring text;
        RECT area{};
    };
    std::vector<Line> lines_;
    Surface ground_; // the cleared board: its colour and background picture
    HDC letteringDc_ = nullptr;
    HBITMAP lettering_ = nullptr;
    HGDIOBJ oldLettering_ = nullptr;
    HFONT letteringFont_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    std::uint32_t* letteringBits_ = nullptr;
    std::vector<std::uint8_t> cover_;
};

class Form1 {
  public:
    // `pictures` gives the pictures of the layout rows.
    Form1(Form1Logic& logic, HINSTANCE instance, const GdiTextPrinter* text,
          PictureLoader pictures);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window, hidden, with `menu` (may be null) as its menu bar and `icon` as its
    // icons. False when the window cannot be made.
    bool create(HMENU menu, HICON bigIcon, HICON smallIcon);
    HWND hwnd() const { return hwnd_; }
    BoardView& MainBoard() { return board_; }
    int dpi() const { return dpi_; }
    // The labels below the board (after create()).
    LayoutBuilder& controls() { return *controls_; }

    // Shows the window (never again once it is unloaded).
    void show();
    void setEnabled(bool enabled);
    void setWindowColour(COLORREF colour);
    COLORREF windowColour() const { return colour_; }

    // Closes the window for good: its unload handler runs, and it never comes back.
    void unload();
    bool unloaded() const { return unloaded_; }
    // The program is ending: close without the unload handler.
    void closeSilently();

    // ---- pointer feedback ----
    void Form_MouseMove();
    void MainBoard_MouseMove();
    void Label1_MouseMove();
    void picexit_MouseMove();
    void picexit_MouseDown();
    void picexit_MouseUp();
    Rgb exitColour() const { return exitColour_; }
    // Clicks of the address and the exit label: a button pressed and released over the label.
    std::function<void()> onLabel1Click;
    std::function<void()> onPicexitClick;

    // Hooks for whoever builds the window: menu commands (WM_COMMAND ids from the menu bar and
    // its accelerators), the menu loop opening and closing, the controls below the board to be
    // laid out again at a new density, and any message the window does not handle itself (true:
    // handled, with `result`).
    std::function<void(WORD id)> onCommand;
    std::function<void(bool open)> onMenuLoop;
    std::function<void(int dpi)> onDpiChanged;
    std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)> onMessage;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK labelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void setExitColour(Rgb colour);
    // Sizes the window around its inner area at the current density; `place` also puts the inner
    // area at its place on the screen.
    void layout(bool place);

    Form1Logic& logic_;
    HINSTANCE instance_;
    PictureLoader pictures_;
    BoardView board_;
    std::unique_ptr<LayoutBuilder> controls_;
    HWND Label1_ = nullptr;
    HWND picexit_ = nullptr;
    Rgb exitColour_;
    HWND hwnd_ = nullptr;
    COLORREF colour_ = RGB(0, 0, 0);
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool unloaded_ = false;
    bool closingSilently_ = false;
    bool unloading_ = false;
};

} // namespace kelvarn
