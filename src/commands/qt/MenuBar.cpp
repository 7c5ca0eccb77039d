#include "commands/qt/MenuBar.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <optional>

#include "commands/MenuCommands.h"

namespace kelvarn {

namespace {

enum class Kind { Title, Item, Separator };

// One line of the menu editor: depth 0 is a title on the bar, 1 a line of a bar menu, 2 a line
// of a nested menu. A title's menu holds the lines below it until the next line at its depth.
struct MenuLine {
    int depth;
    Kind kind;
    const char* name;
    const char* caption;
    void (MenuCommands::*click)() = nullptr;
    const char* shortcut = nullptr;
    std::optional<Control> control = std::nullopt;
    const char* picture = nullptr;
};

using F = MenuCommands;
constexpr Kind T = Kind::Title, I = Kind::Item, S = Kind::Separator;

const MenuLine MenuTree[] = {
    {0, T, "menu2", "游戏"},
    {1, I, "restart", "重新开始 &R", &F::restart_Click},
    {1, S, "o", "-"},
    {1, I, "m1", "暂停", &F::m1_Click, "Ctrl+P", Control::m1},
    {1, I, "m2", "继续", &F::m2_Click, "Ctrl+N", Control::m2},
    {1, S, "o2", "-"},
    {1, I, "m3", "退出", &F::m3_Click, "Del", Control::m3, ":/pictures/Picture3.png"},
    {0, T, "menu", "功能", nullptr, nullptr, Control::menu},
    {1, I, "miji", "秘技", &F::miji_Click, nullptr, Control::miji, ":/pictures/Picture1.png"},
    {1, S, "o3", "-"},
    {1, I, "mhero", "英雄榜", &F::mhero_Click, nullptr, Control::mhero},
    {0, T, "buy", "买卖", nullptr, nullptr, Control::buy},
    {1, I, "ammo", "炮弹", &F::ammo_Click, nullptr, Control::ammo},
    {1, S, "qq", "-"},
    {1, I, "bl", "补血包", &F::bl_Click},
    {1, S, "uy", "-"},
    {1, I, "shirt", "定时机器", &F::shirt_Click},
    {1, S, "vgfv", "-"},
    {1, I, "spee", "火炮加速器", &F::spee_Click, nullptr, Control::spee},
    {1, S, "ew", "-"},
    {1, I, "speedsuper", "强力推进装置", &F::speedsuper_Click, nullptr, Control::speedsuper},
    {0, T, "act", "特技"},
    {1, I, "shanbi", "超级修理", &F::shanbi_Click, "F2", Control::shanbi},
    {1, S, "E", "-"},
    {1, I, "yuhui", "特权待遇", &F::yuhui_Click, "F3", Control::yuhui},
    {0, T, "sz", "设置"},
    {1, T, "color", "窗体颜色"},
    {2, I, "black", "黑色", &F::black_Click},
    {2, I, "blue", "天蓝", &F::blue_Click},
    {2, I, "green", "深绿", &F::green_Click},
    {2, I, "yellow", "土黄", &F::yellow_Click},
    {2, I, "grey", "粉红", &F::grey_Click},
    {1, T, "colorword", "字体颜色"},
    {2, I, "wordblue", "蓝色", &F::wordblue_Click},
    {2, I, "vv", "灰色", &F::vv_Click},
    {2, I, "fd", "深绿", &F::fd_Click},
    {1, T, "asdd", "等级"},
    {2, I, "asghhj", "高", &F::asghhj_Click},
    {2, I, "addgf", "低", &F::addgf_Click},
    {0, T, "gy", "帮助"},
    {1, I, "h", "快速入门", &F::h_Click, "F1", Control::h, ":/pictures/Picture2.png"},
    {1, S, "gtgtr", "-"},
    {1, I, "renew", "更新报告", &F::renew_Click},
    {1, I, "fg", "关于", &F::fg_Click, "Ctrl+H", Control::fg},
    {0, T, "web", "网络"},
    {1, I, "site", "我的主页", &F::site_Click, "Ctrl+W"},
    {1, S, "htrg", "-"},
    {1, I, "update", "升级 &U", &F::update_Click},
    {1, I, "mail", "软件下载", &F::mail_Click},
};

// A picture that is not there leaves the item without one.
void setPicture(QAction& action, const char* resource) {
    const QPixmap picture(QString::fromLatin1(resource));
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
    for (const MenuLine& line : MenuTree) {
        const QString caption = QString::fromUtf8(line.caption);
        const QString name = QString::fromLatin1(line.name);
        QAction* action = nullptr;
        if (line.kind == Kind::Title) {
            QMenu* parent = line.depth == 0 ? nullptr : open[0];
            QMenu* menu = parent != nullptr ? parent->addMenu(caption) : bar.addMenu(caption);
            menu->setObjectName(name);
            QObject::connect(menu, &QMenu::aboutToShow, menu,
                             [&commands] { commands.menuTitle_Click(); });
            open[line.depth] = menu;
            parts.menus.push_back(menu);
            action = menu->menuAction();
        } else if (line.kind == Kind::Separator) {
            action = open[line.depth - 1]->addSeparator();
        } else {
            action = open[line.depth - 1]->addAction(caption);
            QObject::connect(action, &QAction::triggered, action,
                             [&commands, click = line.click] { (commands.*click)(); });
        }
        action->setObjectName(name);
        if (line.shortcut != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(line.shortcut)));
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
