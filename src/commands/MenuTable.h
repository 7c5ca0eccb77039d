// The main window's menu bar as data: one line per title, item and separator in menu-bar order,
// with the caption (its mnemonic after "&"), the shortcut, the picture beside it, the control
// whose enabled state it is and the command it runs. The Qt and the Win32 menu bar are both built
// from this table.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/Services.h"

namespace kelvarn {

class MenuCommands;

enum class MenuLineKind { Title, Item, Separator };

// The keys that menu shortcuts use.
enum class ShortcutKey { None, Letter, Delete, F1, F2, F3 };

struct MenuShortcut {
    ShortcutKey key = ShortcutKey::None;
    char letter = 0; // 'A' to 'Z' for ShortcutKey::Letter
    bool ctrl = false;

    bool given() const { return key != ShortcutKey::None; }
    // As the desktops write it: "Ctrl+P", "Del", "F1"; empty when there is none.
    std::string text() const;
    friend constexpr bool operator==(const MenuShortcut&, const MenuShortcut&) = default;
};

constexpr MenuShortcut ctrlKey(char letter) {
    return {ShortcutKey::Letter, letter, true};
}
constexpr MenuShortcut plainKey(ShortcutKey key) {
    return {key, 0, false};
}

// One line of the menu editor: depth 0 is a title on the bar, 1 a line of a bar menu, 2 a line of
// a nested menu. A title's menu holds the lines below it until the next line at its depth.
struct MenuLine {
    int depth;
    MenuLineKind kind;
    const char* name;    // the control's name ("restart", "menu2")
    const char* caption; // UTF-8; "&R" makes R the mnemonic
    void (MenuCommands::*click)() = nullptr;
    MenuShortcut shortcut = {};
    std::optional<Control> control = std::nullopt; // the rules switch this line's enabled state
    const char* picture = nullptr; // the picture beside the item, by its stem name ("Picture1")
};

// The whole tree, in menu-bar order.
std::span<const MenuLine> menuTree();

// The caption without its "&" and with the letter after it, if any, as the mnemonic.
struct MenuCaption {
    std::string shown; // "重新开始 R"
    char mnemonic = 0; // 'R', or 0 when there is none
};
MenuCaption splitMnemonic(const std::string& caption);

} // namespace kelvarn
