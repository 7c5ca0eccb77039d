#include "commands/qt/MenuBar.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "commands/MenuCommands.h"
#include "commands/MenuTable.h"
#include "platform/qt/QtLayout.h"

namespace kelvarn {

namespace {

// A picture that is not there leaves the item without one.
void setPicture(QAction& action, const char* stem) {
    const QPixmap picture(picturePath(stem));
    if (!picture.isNull()) {
        action.setIcon(QIcon(picture));
        action.setIconVisibleInMenu(true);
    }
}

} // namespace

QAction* MenuBarParts::action(Control control) const {
    const auto it = controls.find(control);
    return it == controls.end() ? nullptr : it->second;
}

bool MenuBarParts::setControlEnabled(Control control, bool enabled) const {
    QAction* a = action(control);
    if (a == nullptr) {
        return false;
    }
    a->setEnabled(enabled);
    return true;
}

MenuBarParts buildMenuBar(QMenuBar& bar, MenuCommands& commands) {
    MenuBarParts parts;
    QMenu* open[2] = {nullptr, nullptr}; // the menu at depth 0 and at depth 1 being filled
    for (const MenuLine& line : menuTree()) {
        const QString caption = QString::fromUtf8(line.caption);
        const QString name = QString::fromLatin1(line.name);
        QAction* action = nullptr;
        if (line.kind == MenuLineKind::Title) {
            QMenu* parent = line.depth == 0 ? nullptr : open[0];
            QMenu* menu = parent != nullptr ? parent->addMenu(caption) : bar.addMenu(caption);
            menu->setObjectName(name);
            QObject::connect(menu, &QMenu::aboutToShow, menu,
                             [&commands] { commands.menuTitle_Click(); });
            open[line.depth] = menu;
            parts.menus.push_back(menu);
            action = menu->menuAction();
        } else if (line.kind == MenuLineKind::Separator) {
            action = open[line.depth - 1]->addSeparator();
        } else {
            action = open[line.depth - 1]->addAction(caption);
            QObject::connect(action, &QAction::triggered, action,
                             [&commands, click = line.click] { (commands.*click)(); });
        }
        action->setObjectName(name);
        if (line.shortcut.given()) {
            action->setShortcut(QKeySequence(QString::fromStdString(line.shortcut.text())));
        }
        if (line.picture != nullptr) {
            setPicture(*action, line.picture);
        }
        if (line.control) {
            parts.controls[*line.control] = action;
        }
    }
    return parts;
}

} // namespace kelvarn
