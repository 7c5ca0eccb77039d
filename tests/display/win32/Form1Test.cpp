// The Windows main window on a game of fakes, driven through the messages the system sends it:
// keys to the handlers, the pointer feedback of the labels below the board, the title bar's close
// button, and a window that stays closed once it is unloaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

#include "display/Form1Layout.h"
#include "display/win32/Form1.h"
#include "display/win32/GdiTextPrinter.h"
#include "fakes/GameHarness.h"

namespace kelvarn::test {
namespace {

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

class Win32Form1 : public ::testing::Test {
  protected:
    GameHarness h;
    GdiTextPrinter text{boardTextFont().family.c_str(), boardTextFont().points};
    Form1 form{h.form, GetModuleHandleW(nullptr), &text, {}};

    void SetUp() override { ASSERT_TRUE(form.create(nullptr, nullptr, nullptr)); }
    HWND label(const char* name) { return form.controls().control(name); }
};

TEST_F(Win32Form1, TheBoardAndLabelsStandAtTheirPlacesInTheInnerArea) {
    RECT client;
    GetClientRect(form.hwnd(), &client);
    const int dpi = form.dpi();
    EXPECT_EQ(client.right, twipsToPixels(form1Layout().width, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(form1Layout().height, dpi));
    RECT board;
    GetWindowRect(form.MainBoard().hwnd(), &board);
    MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&board), 2);
    EXPECT_EQ(board.left, twipsToPixels(form1Layout().row("MainBoard").place.left, dpi));
    EXPECT_EQ(board.right - board.left,
              MulDiv(BoardLayers::Width + 2 * BoardLayers::Border, dpi, 96));
    EXPECT_NE(label("Label1"), nullptr);
    EXPECT_NE(label("picexit"), nullptr);
}

TEST_F(Win32Form1, KeyReleasesReachTheHandlersWithTheirKeyCode) {
    h.game.life = 12;
    SendMessageW(form.hwnd(), WM_KEYUP, 'A', 0);
    EXPECT_EQ(h.game.life, 1);
    h.keys.press(KeySpace);
    SendMessageW(form.hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(h.game.shellsUsed, 1);
    EXPECT_EQ(h.sound.count("put"), 1);
}

TEST_F(Win32Form1, TheLabelsFeedBackThePointerUntilItCrossesTheBackgroundOrTheBoard) {
    SendMessageW(label("Label1"), WM_MOUSEMOVE, 0, at(2, 2));
    EXPECT_TRUE(form.controls().isVisible("Shape1"));
    SendMessageW(label("picexit"), WM_MOUSEMOVE, 0, at(2, 2));
    EXPECT_EQ(form.exitColour(), ExitLabelColours::hover);
    EXPECT_TRUE(form.controls().isVisible("Shape1")) << "no leave event hides the underline";
    SendMessageW(label("picexit"), WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    EXPECT_EQ(form.exitColour(), ExitLabelColours::pressed);
    int clicks = 0;
    form.onPicexitClick = [&] { ++clicks; };
    SendMessageW(label("picexit"), WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_EQ(form.exitColour(), ExitLabelColours::pressed);
    EXPECT_EQ(clicks, 1);

    SendMessageW(form.MainBoard().hwnd(), WM_MOUSEMOVE, 0, at(50, 50));
    EXPECT_FALSE(form.controls().isVisible("Shape1"));
    EXPECT_EQ(form.exitColour(), ExitLabelColours::rest);
    SendMessageW(label("Label1"), WM_MOUSEMOVE, 0, at(2, 2));
    SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, at(2, 2));
    EXPECT_FALSE(form.controls().isVisible("Shape1"));
}

TEST_F(Win32Form1, TheTitleBarLeavesAsTheExitCommandsDoAndAnUnloadedWindowNeverReturns) {
    form.setEnabled(false);
    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(h.shell.ended) << "a disabled window ignores its close button";
    EXPECT_TRUE(IsWindow(form.hwnd()));

    form.setEnabled(true);
    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(h.shell.ended);
    EXPECT_EQ(h.sound.count("end"), 1);
    EXPECT_TRUE(IsWindow(form.hwnd())) << "only the program's end closes it";

    form.unload();
    EXPECT_TRUE(form.unloaded());
    EXPECT_FALSE(IsWindow(form.hwnd()));
    EXPECT_EQ(h.sound.count("end"), 2) << "the unload handler plays its sound";
    form.show();
    form.unload();
    EXPECT_EQ(h.sound.count("end"), 2);
}

// What the window shows of the board, at a board pixel.
std::uint32_t shown(HWND board, int x, int y, int dpi) {
    const double scale = dpi / 96.0;
    const int border = int(std::lround(BoardLayers::Border * scale));
    HDC dc = GetDC(board);
    const COLORREF c =
        GetPixel(dc, border + int((x + 0.5) * scale), border + int((y + 0.5) * scale));
    ReleaseDC(board, dc);
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

TEST_F(Win32Form1, TheBoardIsShownAgainOnlyWhereThePainterSaysItChanged) {
    form.show();
    BoardView& view = form.MainBoard();
    for (int dpi : {96, 144}) {
        view.place(0, 0, dpi);
        h.layers.MainBoard.clear(0x204060);
        view.boardChanged();
        EXPECT_EQ(shown(view.hwnd(), 200, 200, dpi), 0x204060u) << dpi << " dpi";

        h.layers.MainBoard.clear(0xC0A080);
        BoardRegion changed(BoardLayers::Width, BoardLayers::Height);
        changed.add(Rect{80, 40, 16, 16});
        changed.add(Rect{180, 150, 8, 8});
        view.boardChanged(changed);
        EXPECT_EQ(shown(view.hwnd(), 85, 45, dpi), 0xC0A080u) << dpi << " dpi";
        EXPECT_EQ(shown(view.hwnd(), 183, 156, dpi), 0xC0A080u) << dpi << " dpi";
        EXPECT_EQ(shown(view.hwnd(), 200, 200, dpi), 0x204060u) << dpi << " dpi";
        EXPECT_EQ(shown(view.hwnd(), 85, 60, dpi), 0x204060u) << dpi << " dpi";
    }
}

} // namespace
} // namespace kelvarn::test
