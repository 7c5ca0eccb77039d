// The main window's menu bar, built from the menu table: seven menus, three of them nested under
// the settings menu, every item wired to its handler in MenuCommands and every title clicking as
// its menu opens.
#pragma once

#include <map>
#include <vector>

#include "platform/Services.h"

class QAction;
class QMenu;
class QMenuBar;

namespace kelvarn {

class MenuCommands;

struct MenuBarParts {
    // The action whose enabled state each control is; for the two titles among the controls
    // (menu, buy) their menu's own action. The exit label (picexit) is the window's, not the menu
    // bar's.
    std::map<Control, QAction*> controls;
    // The ten menus in the order they appear: menu2, menu, buy, act, sz, color, colorword, asdd,
    // gy, web.
    std::vector<QMenu*> menus;

    QAction* action(Control control) const;
    // Switches the control's action; false when the control is not on the menu bar.
    bool setControlEnabled(Control control, bool enabled) const;
};

// Builds the whole tree into `bar`. Every action and menu is named after its control ("restart",
// "menu2", ...). `commands` must outlive the bar.
MenuBarParts buildMenuBar(QMenuBar& bar, MenuCommands& commands);

} // namespace kelvarn
