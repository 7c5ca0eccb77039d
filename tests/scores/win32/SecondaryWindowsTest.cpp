// The Win32 list, help, about and update windows, built from their tables and driven through the
// messages the system sends them, on a game of fakes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fakes/GameHarness.h"
#include "platform/win32/Utf16.h"
#include "scores/WindowLayouts.h"
#include "scores/win32/SecondaryWindows.h"

namespace kelvarn::test {
namespace {

std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// Lets the windows handle what is waiting for them.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND child(HWND window, const WindowLayout& layout, const char* name) {
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        if (layout.rows[i].name == name) {
            return GetDlgItem(window, LayoutBuilder::FirstControlId + int(i));
        }
    }
    return nullptr;
}

RECT placeIn(HWND window, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class Win32Windows : public ::testing::Test {
  protected:
    GameHarness h;
    Win32SecondaryWindows windows{h.game, {}};
};

TEST_F(Win32Windows, HelpWindowIsLaidOutInTwipsAndItsButtonsSwapTheText) {
    h.shell.setMainWindowEnabled(false);
    h.game.paused = true;
    windows.show(WindowId::Form2);
    HWND w = windows.open(WindowId::Form2);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(windowText(w), win32::toUtf16("帮助"));
    RECT inner;
    GetClientRect(w, &inner);
    EXPECT_EQ(inner.right, 237);
    EXPECT_EQ(inner.bottom, 204);
    const WindowLayout& layout = form2Layout();
    HWND t = child(w, layout, "t");
    const RECT at = placeIn(w, t);
    EXPECT_EQ(at.left, 16);
    EXPECT_EQ(at.top, 40);
    EXPECT_EQ(at.right - at.left, 153);
    EXPECT_EQ(windowText(t), win32::toUtf16(HelpTexts::initial()));

    SendMessageW(child(w, layout, "Command3"), BM_CLICK, 0, 0);
    EXPECT_EQ(windowText(t), win32::toUtf16(HelpTexts::rewards()));
    SendMessageW(child(w, layout, "Command1"), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(windows.open(WindowId::Form2), nullptr);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_FALSE(h.game.paused);
}

// The keys as the program's message loop hands them over.
void press(HWND window, WPARAM key) {
    MSG down{window, WM_KEYDOWN, key, 1, 0, {}};
    IsDialogMessageW(window, &down);
    pump();
}

TEST_F(Win32Windows, TabMovesBetweenButtonsEnterPressesTheFocusedOneEscClosesAsTheTitleBar) {
    h.shell.setMainWindowEnabled(false);
    windows.show(WindowId::Form2);
    HWND w = windows.open(WindowId::Form2);
    ASSERT_NE(w, nullptr);
    pump();
    const WindowLayout& layout = form2Layout();
    EXPECT_EQ(GetFocus(), child(w, layout, "Command1"));
    press(w, VK_TAB); // from the last button round to the first
    EXPECT_EQ(GetFocus(), child(w, layout, "Command3"));
    press(w, VK_RETURN);
    EXPECT_EQ(windowText(child(w, layout, "t")), win32::toUtf16(HelpTexts::rewards()));
    EXPECT_TRUE(IsWindow(w));
    press(w, VK_TAB);
    press(w, VK_TAB);
    press(w, VK_TAB);
    press(w, VK_TAB); // back on Command1
    press(w, VK_RETURN);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(h.shell.mainWindowEnabled);

    h.shell.setMainWindowEnabled(false);
    windows.show(WindowId::High);
    w = windows.open(WindowId::High);
    ASSERT_NE(w, nullptr);
    press(w, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_TRUE(h.dialogs.shown.empty()); // went back to the game, did not end it
}

TEST_F(Win32Windows, ClosingAStoppingWindowFromItsTitleBarGivesTheGameBack) {
    h.shell.setMainWindowEnabled(false);
    h.game.paused = true;
    windows.show(WindowId::frmHelp);
    HWND w = windows.open(WindowId::frmHelp);
    ASSERT_NE(w, nullptr);
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_FALSE(h.game.paused);
}

TEST_F(Win32Windows, AboutAddressOpensTheHomePageAndTheFrameHoldsIt) {
    windows.show(WindowId::frmHelp);
    HWND w = windows.open(WindowId::frmHelp);
    ASSERT_NE(w, nullptr);
    const WindowLayout& layout = frmHelpLayout();
    HWND address = child(w, layout, "Label4");
    const RECT at = placeIn(w, address);
    EXPECT_EQ(at.left, 16); // 8 in the frame, the frame at 8
    EXPECT_EQ(at.top, 160); // 24 in the frame, the frame at 136
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(address), STN_CLICKED),
                 reinterpret_cast<LPARAM>(address));
    ASSERT_EQ(h.links.opened.size(), 1u);
    EXPECT_TRUE(IsWindow(w));
    windows.closeAll();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(Win32Windows, ListAfterARecordShowsOnlyExitAtTheBottomEdge) {
    h.game.recordShown = true;
    windows.show(WindowId::High, true);
    HWND w = windows.open(WindowId::High);
    ASSERT_NE(w, nullptr);
    const WindowLayout& layout = highLayout();
    EXPECT_FALSE(IsWindowVisible(child(w, layout, "Command2")));
    const RECT exit = placeIn(w, child(w, layout, "Command1"));
    EXPECT_EQ(exit.left, 80);
    EXPECT_EQ(exit.top, 304);
    HWND listLabel = child(w, layout, "lblScore");
    const std::wstring list = windowText(listLabel);
    EXPECT_EQ(list.substr(0, 3), L"1: ");
    // Every line of the ten places lies wholly inside the list.
    const auto lines = std::count(list.begin(), list.end(), L'\n');
    EXPECT_EQ(lines, 20);
    const RECT area = placeIn(w, listLabel);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(listLabel, WM_GETFONT, 0, 0));
    const int pitch = labelLinePitch(layout.row("lblScore"), font, windowDpi(w));
    EXPECT_LE(lines * pitch, area.bottom - area.top);
    // Shown again, it is the same window.
    windows.show(WindowId::High, true);
    EXPECT_EQ(windows.open(WindowId::High), w);
}

TEST_F(Win32Windows, ListFromTheMenuGoesBackToTheGame) {
    h.shell.setMainWindowEnabled(false);
    h.game.paused = true;
    windows.show(WindowId::High);
    HWND w = windows.open(WindowId::High);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(child(w, highLayout(), "Command2")));
    SendMessageW(child(w, highLayout(), "Command2"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_FALSE(h.game.paused);
}

} // namespace
} // namespace kelvarn::test
