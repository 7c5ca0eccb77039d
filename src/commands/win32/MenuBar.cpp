#include "commands/win32/MenuBar.h"

#include "commands/MenuCommands.h"
#include "commands/MenuTable.h"
#include "platform/win32/Utf16.h"

namespace kelvarn {

namespace {

WORD virtualKey(const MenuShortcut& shortcut) {
    switch (shortcut.key) {
    case ShortcutKey::Letter:
        return WORD(shortcut.letter);
    case ShortcutKey::Delete:
        return VK_DELETE;
    case ShortcutKey::F1:
        return VK_F1;
    case ShortcutKey::F2:
        return VK_F2;
    case ShortcutKey::F3:
        return VK_F3;
    case ShortcutKey::None:
        break;
    }
    return 0;
}

} // namespace

Win32MenuBar::Win32MenuBar(MenuCommands& commands, const PictureLoader& pictures)
    : commands_(commands) {
    const std::span<const MenuLine> tree = menuTree();
    bar_ = CreateMenu();
    HMENU open[2] = {nullptr, nullptr}; // the menu at depth 0 and at depth 1 being filled
    int openTitle[2] = {-1, -1};
    UINT filled[3] = {0, 0, 0}; // lines already in the bar, and in each open menu
    std::vector<ACCEL> keys;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const MenuLine& line = tree[i];
        const UINT id = FirstId + UINT(i);
        HMENU owner = line.depth == 0 ? bar_ : open[line.depth - 1];
        const int parent = line.depth == 0 ? -1 : openTitle[line.depth - 1];
        Placed placed{&line, owner, filled[line.depth]++, nullptr, parent};
        std::wstring caption = win32::toUtf16(line.caption);
        if (line.shortcut.given()) {
            caption += L'\t' + win32::toUtf16(line.shortcut.text());
            ACCEL key{};
            key.fVirt = BYTE(FVIRTKEY | (line.shortcut.ctrl ? FCONTROL : 0));
            key.key = virtualKey(line.shortcut);
            key.cmd = WORD(id);
            keys.push_back(key);
        }
        switch (line.kind) {
        case MenuLineKind::Title:
            placed.submenu = CreatePopupMenu();
            AppendMenuW(owner, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(placed.submenu),
                        caption.c_str());
            open[line.depth] = placed.submenu;
            openTitle[line.depth] = int(i);
            filled[line.depth + 1] = 0;
            break;
        case MenuLineKind::Separator:
            AppendMenuW(owner, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuLineKind::Item:
            AppendMenuW(owner, MF_STRING, id, caption.c_str());
            break;
        }
        if (line.picture != nullptr && pictures) {
            if (HBITMAP picture = pictures(line.picture)) {
                bitmaps_.push_back(picture);
                // By its place in its own menu: a search by command would also look into the
                // submenus, whose items' ids are their menu handles.
                SetMenuItemBitmaps(owner, placed.position, MF_BYPOSITION, picture, picture);
            }
        }
        if (line.control) {
            controls_[*line.control] = int(i);
        }
        placed_.push_back(placed);
    }
    if (!keys.empty()) {
        accelerators_ = CreateAcceleratorTableW(keys.data(), int(keys.size()));
    }
}

Win32MenuBar::~Win32MenuBar() {
    if (accelerators_ != nullptr) {
        DestroyAcceleratorTable(accelerators_);
    }
    // A bar never attached to a window is still ours to destroy.
    if (window_ == nullptr && bar_ != nullptr) {
        DestroyMenu(bar_);
    }
    for (HBITMAP bitmap : bitmaps_) {
        DeleteObject(bitmap);
    }
}

void Win32MenuBar::attach(HWND window) {
    window_ = window;
    SetMenu(window, bar_);
}

bool Win32MenuBar::translate(MSG& message) const {
    if (accelerators_ == nullptr || window_ == nullptr || !IsWindow(window_)) {
        return false;
    }
    return TranslateAcceleratorW(window_, accelerators_, &message) != 0;
}

bool Win32MenuBar::reachable(int index) const {
    for (int i = index; i >= 0; i = placed_[std::size_t(i)].parent) {
        const Placed& p = placed_[std::size_t(i)];
        const UINT state = GetMenuState(p.owner, p.position, MF_BYPOSITION);
        if (state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED)) != 0) {
            return false;
        }
    }
    return true;
}

bool Win32MenuBar::onCommand(UINT id) {
    if (id < FirstId || id >= FirstId + placed_.size()) {
        return false;
    }
    const int index = int(id - FirstId);
    const MenuLine& line = *placed_[std::size_t(index)].line;
    // A greyed item, or one under a greyed title, does nothing, even through its shortcut.
    if (line.kind == MenuLineKind::Item && line.click != nullptr && reachable(index)) {
        (commands_.*line.click)();
    }
    return true;
}

void Win32MenuBar::onInitMenuPopup(HMENU popup, bool systemMenu) {
    if (systemMenu || !inMenuLoop_) {
        return;
    }
    for (const Placed& p : placed_) {
        if (p.submenu == popup) {
            commands_.menuTitle_Click();
            return;
        }
    }
}

bool Win32MenuBar::setControlEnabled(Control control, bool enabled) {
    const auto it = controls_.find(control);
    if (it == controls_.end()) {
        return false;
    }
    const Placed& p = placed_[std::size_t(it->second)];
    EnableMenuItem(p.owner, p.position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (p.owner == bar_ && window_ != nullptr) {
        DrawMenuBar(window_);
    }
    return true;
}

bool Win32MenuBar::isControlEnabled(Control control) const {
    const auto it = controls_.find(control);
    if (it == controls_.end()) {
        return false;
    }
    const Placed& p = placed_[std::size_t(it->second)];
    const UINT state = GetMenuState(p.owner, p.position, MF_BYPOSITION);
    return state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

} // namespace kelvarn
