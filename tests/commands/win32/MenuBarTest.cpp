// The Win32 menu bar built from the menu table, driven as the window's messages drive it, on a game
// of fakes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/MenuTable.h"
#include "commands/win32/MenuBar.h"
#include "fakes/GameHarness.h"
#include "platform/win32/Utf16.h"

namespace kelvarn::test {
namespace {

// An item's text as the menu holds it: its length first, then the text itself.
std::wstring menuText(HMENU menu, UINT position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, position, TRUE, &item)) {
        return L"(no item)";
    }
    std::wstring text(std::size_t(item.cch) + 1, L'\0');
    item.dwTypeData = text.data();
    item.cch = UINT(text.size());
    if (!GetMenuItemInfoW(menu, position, TRUE, &item)) {
        return L"(unreadable)";
    }
    text.resize(item.cch);
    return text;
}

// The index of a menu line by its control's name.
UINT idOf(const char* name) {
    const auto tree = menuTree();
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (std::string(tree[i].name) == name) {
            return Win32MenuBar::FirstId + UINT(i);
        }
    }
    return 0;
}

TEST(Win32MenuBar, CaptionsMnemonicsShortcutsAndPicturesComeFromTheTable) {
    GameHarness h;
    std::vector<std::string> asked;
    Win32MenuBar bar(h.commands, [&asked](const std::string& stem) {
        asked.push_back(stem);
        return CreateBitmap(4, 4, 1, 32, nullptr);
    });
    HMENU menus = bar.menu();
    EXPECT_EQ(asked, (std::vector<std::string>{"Picture3", "Picture1", "Picture2"}));
    ASSERT_EQ(GetMenuItemCount(menus), 7);
    EXPECT_EQ(menuText(menus, 0), win32::toUtf16("游戏"));
    EXPECT_EQ(menuText(menus, 6), win32::toUtf16("网络"));
    HMENU game = GetSubMenu(menus, 0);
    // The exit item carries its picture beside its text.
    MENUITEMINFOW picture{};
    picture.cbSize = sizeof picture;
    picture.fMask = MIIM_CHECKMARKS | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(game, 5, TRUE, &picture));
    EXPECT_EQ(picture.wID, idOf("m3"));
    EXPECT_NE(picture.hbmpUnchecked, nullptr);
    EXPECT_EQ(picture.hbmpChecked, picture.hbmpUnchecked);
    EXPECT_EQ(menuText(game, 0), win32::toUtf16("重新开始 &R"));
    EXPECT_EQ(menuText(game, 2), win32::toUtf16("暂停\tCtrl+P"));
    EXPECT_EQ(menuText(game, 5), win32::toUtf16("退出\tDel"));
    HMENU settings = GetSubMenu(menus, 4);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(settings, 0)), 5); // five window colours

    // The accelerators carry the same shortcuts as the items.
    ACCEL keys[16];
    const int n = CopyAcceleratorTableW(bar.accelerators(), keys, 16);
    ASSERT_EQ(n, 8);
    bool ctrlP = false, del = false;
    for (int i = 0; i < n; ++i) {
        ctrlP |= keys[i].key == 'P' && (keys[i].fVirt & FCONTROL) && keys[i].cmd == idOf("m1");
        del |= keys[i].key == VK_DELETE && !(keys[i].fVirt & FCONTROL) && keys[i].cmd == idOf("m3");
    }
    EXPECT_TRUE(ctrlP);
    EXPECT_TRUE(del);
}

TEST(Win32MenuBar, GreyedItemsAndItemsUnderGreyedTitlesDoNothing) {
    GameHarness h;
    Win32MenuBar bar(h.commands, {});
    h.game.paused = false;
    ASSERT_TRUE(bar.setControlEnabled(Control::m1, false));
    EXPECT_FALSE(bar.isControlEnabled(Control::m1));
    EXPECT_TRUE(bar.onCommand(idOf("m1")));
    EXPECT_FALSE(h.game.paused);
    bar.setControlEnabled(Control::m1, true);
    bar.onCommand(idOf("m1"));
    EXPECT_TRUE(h.game.paused);

    // "英雄榜" sits under the greyed "功能".
    bar.setControlEnabled(Control::menu, false);
    bar.onCommand(idOf("mhero"));
    EXPECT_TRUE(h.shell.windowsShown.empty());
    bar.setControlEnabled(Control::menu, true);
    bar.onCommand(idOf("mhero"));
    EXPECT_EQ(h.shell.windowsShown.size(), 1u);
    EXPECT_FALSE(bar.setControlEnabled(Control::picexit, false));
    EXPECT_FALSE(bar.onCommand(0x10));
}

TEST(Win32MenuBar, OnlyMenusOpenedInTheMenuLoopClickTheirTitle) {
    GameHarness h;
    Win32MenuBar bar(h.commands, {});
    HMENU settings = GetSubMenu(bar.menu(), 4);
    bar.onInitMenuPopup(settings, false); // a shortcut looking up its item
    EXPECT_EQ(h.sound.count("Bu"), 0);
    bar.onEnterMenuLoop();
    bar.onInitMenuPopup(settings, false);
    bar.onInitMenuPopup(GetSubMenu(settings, 0), false);
    bar.onInitMenuPopup(settings, true); // the window's own system menu
    bar.onExitMenuLoop();
    EXPECT_EQ(h.sound.count("Bu"), 2);
}

} // namespace
} // namespace kelvarn::test
