// The main window's menu bar on Windows, built from the menu table: menus made with CreateMenu and
// AppendMenuW (mnemonics after "&", the shortcut shown after a tab), an accelerator table with the
// same shortcuts, enabled states switched with EnableMenuItem, and the three pictures beside
// their items (SetMenuItemBitmaps). Item clicks reach the window as WM_COMMAND and go on to the
// menu commands; opening any menu or nested menu is the click of its title.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "platform/Services.h"
#include "platform/win32/LayoutBuilder.h"

namespace kelvarn {

class MenuCommands;
struct MenuLine;

class Win32MenuBar {
  public:
    // `commands` must outlive the bar. `pictures` gives the three menu pictures.
    Win32MenuBar(MenuCommands& commands, const PictureLoader& pictures);
    ~Win32MenuBar();
    Win32MenuBar(const Win32MenuBar&) = delete;
    Win32MenuBar& operator=(const Win32MenuBar&) = delete;

    // Puts the bar on the window (SetMenu); the window then owns the menus and destroys them
    // with itself.
    void attach(HWND window);
    HMENU menu() const { return bar_; }
    HACCEL accelerators() const { return accelerators_; }

    // For the message loop: a shortcut of the bar becomes the WM_COMMAND of its item.
    bool translate(MSG& message) const;

    // WM_COMMAND with this id: runs the item's command when the item and every menu above it
    // are enabled. False when the id is not the bar's.
    bool onCommand(UINT id);
    // WM_ENTERMENULOOP / WM_EXITMENULOOP / WM_INITMENUPOPUP of the window. A menu that opens
    // inside the menu loop clicks its title; the look-ups a shortcut makes do not.
    void onEnterMenuLoop() { inMenuLoop_ = true; }
    void onExitMenuLoop() { inMenuLoop_ = false; }
    void onInitMenuPopup(HMENU popup, bool systemMenu);

    // Switches the control's item or title; false when the control is not on the bar.
    bool setControlEnabled(Control control, bool enabled);
    bool isControlEnabled(Control control) const;

    // Ids: FirstId plus the line's place in the table.
    static constexpr UINT FirstId = 0x1000;

  private:
    struct Placed {
        const MenuLine* line;
        HMENU owner;   // the menu that holds the line
        UINT position; // its place in that menu
        HMENU submenu; // a title's own menu
        int parent;    // index of the title above, or -1 for the bar's titles
    };
    bool reachable(int index) const;

    MenuCommands& commands_;
    HMENU bar_ = nullptr;
    HWND window_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::vector<Placed> placed_;
    std::map<Control, int> controls_;
    std::vector<HBITMAP> bitmaps_;
    bool inMenuLoop_ = false;
};

} // namespace kelvarn
