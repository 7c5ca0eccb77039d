// The main window's table built into a plain Win32 window: places at two resolutions, what the
// labels are painted with, and the pointer reaching the window from a label.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "display/Form1Layout.h"
#include "platform/win32/LayoutBuilder.h"

namespace kelvarn::test {
namespace {

struct PlainWindow {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 500, 500, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ~PlainWindow() { DestroyWindow(hwnd); }
};

RECT placeIn(HWND window, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(LayoutBuilder, ControlsStandAtTheirTwipsAndTheBoardAndShapesAreTheWindowsOwn) {
    PlainWindow w;
    ASSERT_NE(w.hwnd, nullptr);
    LayoutBuilder controls(w.hwnd, form1Layout());
    controls.build();
    ASSERT_EQ(controls.dpi(), 96);
    const RECT exit = placeIn(w.hwnd, controls.control("picexit"));
    EXPECT_EQ(exit.left, 368);
    EXPECT_EQ(exit.top, 376);
    EXPECT_EQ(exit.right - exit.left, 37);
    EXPECT_EQ(exit.bottom - exit.top, 17);
    EXPECT_EQ(controls.control("MainBoard"), nullptr);
    EXPECT_EQ(controls.control("Shape1"), nullptr);
    EXPECT_FALSE(controls.isVisible("Shape1"));
    controls.setVisible("Shape1", true);
    EXPECT_TRUE(controls.isVisible("Shape1"));

    // At 144 dpi (150 %) every place grows by half.
    controls.relayout(144);
    const RECT larger = placeIn(w.hwnd, controls.control("picexit"));
    EXPECT_EQ(larger.left, 552);
    EXPECT_EQ(larger.right - larger.left, 55);
}

TEST(LayoutBuilder, LabelsArePaintedInTheirOwnColourOnTheWindowsColour) {
    PlainWindow w;
    LayoutBuilder controls(w.hwnd, form1Layout());
    controls.build();
    HWND exit = controls.control("picexit");
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = 0;
    ASSERT_TRUE(controls.handle(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(exit), brush));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 128, 128));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    LOGBRUSH look{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof look, &look);
    EXPECT_EQ(look.lbColor, RGB(0, 0, 0)); // the window's black

    controls.setTextColour("picexit", ExitLabelColours::hover);
    controls.setBackground(Rgb{0, 0, 255});
    controls.handle(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(exit),
                    brush);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 192));
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof look, &look);
    EXPECT_EQ(look.lbColor, RGB(0, 0, 255));
    DeleteDC(dc);

    // The cross-hair over the exit label; the window's own cursor elsewhere.
    LRESULT handled = 0;
    EXPECT_TRUE(controls.handle(WM_SETCURSOR, reinterpret_cast<WPARAM>(exit), HTCLIENT, handled));
    EXPECT_FALSE(controls.handle(WM_SETCURSOR, reinterpret_cast<WPARAM>(controls.control("TXT")),
                                 HTCLIENT, handled));
}

TEST(LayoutBuilder, PointerMessagesOfAWatchedLabelReachItsHandler) {
    PlainWindow w;
    LayoutBuilder controls(w.hwnd, form1Layout());
    controls.build();
    std::vector<UINT> seen;
    controls.watchPointer("picexit", [&seen](UINT message) { seen.push_back(message); });
    HWND exit = controls.control("picexit");
    SendMessageW(exit, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(exit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(exit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageW(controls.control("Label1"), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(seen, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

} // namespace
} // namespace kelvarn::test
