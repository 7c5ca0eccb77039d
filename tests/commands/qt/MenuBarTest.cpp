#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "commands/MenuCommands.h"
#include "commands/qt/MenuBar.h"
#include "display/Form1Logic.h"
#include "fakes/Fakes.h"
#include "scores/HeroRecords.h"
#include "scores/Maker.h"

namespace kelvarn::test {
namespace {

// A shell that greys the real menu actions, as the main window's does.
class MenuShell : public FakeShell {
  public:
    const MenuBarParts* parts = nullptr;
    void setControlEnabled(Control control, bool on) override {
        FakeShell::setControlEnabled(control, on);
        if (parts != nullptr) {
            parts->setControlEnabled(control, on);
        }
    }
};

// A game on fakes with its menu bar in a real (offscreen) window, loaded as at start-up.
struct MenuHarness {
    FakeTicks ticks;
    FakeKeys keys;
    FakeRandom random;
    FakeSound sound;
    FakeLinks links;
    FakeDialogs dialogs;
    MenuShell shell;
    FakeScoreStore scores;
    HeroRecords records{scores};
    FakeTextPrinter text;
    BoardLayers layers;
    Sprites sprites = Sprites::placeholders();
    GameEdit game{Services{ticks, keys, random, sound, links, dialogs, shell, records},
                  layers.Pic2};
    Form1Logic form{game, layers, sprites, text};
    MenuCommands commands{game, form};
    QMainWindow window;
    QMenuBar& bar = *window.menuBar();
    MenuBarParts parts = buildMenuBar(bar, commands);

    MenuHarness() {
        shell.parts = &parts;
        random.push({0.25});
        form.Form_Load();
    }
    QAction& item(const char* name) {
        QAction* a = bar.findChild<QAction*>(QString::fromLatin1(name));
        if (a == nullptr) {
            throw std::logic_error(std::string("no action ") + name);
        }
        return *a;
    }
    QMenu& menu(const char* name) {
        QMenu* m = bar.findChild<QMenu*>(QString::fromLatin1(name));
        if (m == nullptr) {
            throw std::logic_error(std::string("no menu ") + name);
        }
        return *m;
    }
};

// The tree as text: one line per entry, two spaces deeper per level, "name caption [shortcut]".
void dumpMenu(const QList<QAction*>& actions, int depth, std::string& out) {
    for (QAction* a : actions) {
        out += std::string(std::size_t(depth) * 2, ' ');
        if (a->isSeparator()) {
            out += a->objectName().toStdString() + " -\n";
            continue;
        }
        out += a->objectName().toStdString() + " " + a->text().toStdString();
        if (!a->shortcut().isEmpty()) {
            out += " [" + a->shortcut().toString(QKeySequence::PortableText).toStdString() + "]";
        }
        out += "\n";
        if (a->menu() != nullptr) {
            dumpMenu(a->menu()->actions(), depth + 1, out);
        }
    }
}

TEST(MenuBar, TreeHasEveryMenuItemSeparatorAndShortcutInItsPlace) {
    MenuHarness h;
    std::string tree;
    dumpMenu(h.bar.actions(), 0, tree);
    EXPECT_EQ(tree, "menu2 游戏\n"
                    "  restart 重新开始 &R\n"
                    "  o -\n"
                    "  m1 暂停 [Ctrl+P]\n"
                    "  m2 继续 [Ctrl+N]\n"
                    "  o2 -\n"
                    "  m3 退出 [Del]\n"
                    "menu 功能\n"
                    "  miji 秘技\n"
                    "  o3 -\n"
                    "  mhero 英雄榜\n"
                    "buy 买卖\n"
                    "  ammo 炮弹\n"
                    "  qq -\n"
                    "  bl 补血包\n"
                    "  uy -\n"
                    "  shirt 定时机器\n"
                    "  vgfv -\n"
                    "  spee 火炮加速器\n"
                    "  ew -\n"
                    "  speedsuper 强力推进装置\n"
                    "act 特技\n"
                    "  shanbi 超级修理 [F2]\n"
                    "  E -\n"
                    "  yuhui 特权待遇 [F3]\n"
                    "sz 设置\n"
                    "  color 窗体颜色\n"
                    "    black 黑色\n"
                    "    blue 天蓝\n"
                    "    green 深绿\n"
                    "    yellow 土黄\n"
                    "    grey 粉红\n"
                    "  colorword 字体颜色\n"
                    "    wordblue 蓝色\n"
                    "    vv 灰色\n"
                    "    fd 深绿\n"
                    "  asdd 等级\n"
                    "    asghhj 高\n"
                    "    addgf 低\n"
                    "gy 帮助\n"
                    "  h 快速入门 [F1]\n"
                    "  gtgtr -\n"
                    "  renew 更新报告\n"
                    "  fg 关于 [Ctrl+H]\n"
                    "web 网络\n"
                    "  site 我的主页 [Ctrl+W]\n"
                    "  htrg -\n"
                    "  update 升级 &U\n"
                    "  mail 软件下载\n");
}

// The tree shows "&" in exactly these two captions; it marks the mnemonic and is not shown.
TEST(MenuBar, RestartAndUpgradeShowTheirMnemonicLetters) {
    MenuHarness h;
    EXPECT_EQ(QKeySequence::mnemonic(h.item("restart").text()), QKeySequence(Qt::ALT | Qt::Key_R));
    EXPECT_EQ(h.item("restart").iconText(), QString::fromUtf8("重新开始 R"));
    EXPECT_EQ(h.item("update").iconText(), QString::fromUtf8("升级 U"));
}

TEST(MenuBar, PartsListTheTenMenusAndSwitchTitlesThroughTheirMenus) {
    MenuHarness h;
    QStringList titles;
    for (QMenu* m : h.parts.menus) {
        titles << m->title();
    }
    EXPECT_EQ(titles.join(' ').toStdString(),
              "游戏 功能 买卖 特技 设置 窗体颜色 字体颜色 等级 帮助 网络");
    EXPECT_EQ(h.parts.action(Control::menu), h.menu("menu").menuAction());
    EXPECT_EQ(h.parts.action(Control::buy), h.menu("buy").menuAction());
    EXPECT_EQ(h.parts.action(Control::picexit), nullptr) << "the exit label is the window's";
    EXPECT_FALSE(h.parts.setControlEnabled(Control::picexit, false));
}

TEST(MenuBar, PicturesSitBesideCheatQuickStartAndExitOnly) {
    MenuHarness h;
    const std::pair<const char*, const char*> pictured[] = {
        {"miji", ":/pictures/Picture1.png"},
        {"h", ":/pictures/Picture2.png"},
        {"m3", ":/pictures/Picture3.png"},
    };
    for (const auto& [name, resource] : pictured) {
        EXPECT_TRUE(QFile::exists(QString::fromLatin1(resource))) << resource;
        EXPECT_FALSE(h.item(name).icon().isNull()) << name;
    }
    int withIcon = 0;
    for (QAction* a : h.bar.findChildren<QAction*>()) {
        withIcon += a->icon().isNull() ? 0 : 1;
    }
    EXPECT_EQ(withIcon, 3);
}

// What triggering an item did, in a word, on a fresh game where every question is declined.
std::string effectOf(const char* name) {
    MenuHarness h;
    const Rgb unlikely{1, 2, 3}; // so that setting the design-time black shows as well
    h.shell.windowColour = unlikely;
    h.dialogs.answers = {Answer::No};
    h.dialogs.inputs = {""};
    if (std::string(name) == "m2") {
        h.form.pause(); // only a paused game can be resumed
    }
    h.item(name).trigger();
    std::string effect;
    if (!h.dialogs.shown.empty()) {
        effect += (h.dialogs.shown[0].input ? "input " : "box ") + h.dialogs.shown[0].title + " " +
                  h.dialogs.shown[0].text;
    }
    for (const auto& [window, afterRecord] : h.shell.windowsShown) {
        effect += "window " + std::to_string(int(window));
    }
    if (h.game.paused != (std::string(name) == "m2")) {
        effect += h.game.paused ? " paused" : " resumed";
    }
    if (!h.shell.mainWindowEnabled) {
        effect += " disabled";
    }
    if (!(h.shell.windowColour == unlikely)) {
        effect += "window colour " + std::to_string(h.shell.windowColour.value());
    }
    if (!(h.form.boardTextColour == Rgb{192, 0, 192})) {
        effect += "text colour " + std::to_string(h.form.boardTextColour.value());
    }
    if (h.game.bombBurstBase != 3) {
        effect += "bombs " + std::to_string(h.game.bombBurstBase);
    }
    for (const std::string& address : h.links.opened) {
        effect += "link " + address;
    }
    return effect;
}

TEST(MenuBar, EveryItemCallsItsOwnHandler) {
    const std::pair<const char*, std::string> expected[] = {
        {"restart", "box Kelvarn 重新来?"},
        {"m1", " paused"},
        {"m2", " resumed"},
        {"m3", "box 退出 不玩了?"},
        {"miji",
         "input 获取秘籍 若您已获得密码，请输入密码，若没有，请登陆我的网站或发邮件索取密码"},
        {"mhero", "window " + std::to_string(int(WindowId::High)) + " paused disabled"},
        {"ammo", "box 使用物品 耗掉550分,炮弹暂时无限,继续?"},
        {"bl", "box 使用物品 耗掉180分,继续?"},
        {"shirt", "box 使用物品 耗掉700分,敌人飞机暂时不动，继续?"},
        {"spee", "box 使用物品 耗掉1000分,继续?"},
        {"speedsuper", "box 使用物品 耗掉950分,速度增加3倍,继续?"},
        {"shanbi", "box 使用物品 耗掉540分,生命达到30,需时间,继续?"},
        {"yuhui", "box 使用物品 耗掉1300分,发炮不耗费分数，继续?"},
        {"black", "window colour 0"},
        {"blue", "window colour 192"},
        {"green", "window colour 32768"},
        {"yellow", "window colour 12632064"},
        {"grey", "window colour 12583104"},
        {"wordblue", "text colour 192"},
        {"vv", "text colour 12632256"},
        {"fd", "text colour 49152"},
        {"asghhj", "bombs 40"},
        {"addgf", "bombs 4"},
        {"h", "window " + std::to_string(int(WindowId::Form2)) + " paused disabled"},
        {"renew", "window " + std::to_string(int(WindowId::frmSplash))},
        {"fg", "window " + std::to_string(int(WindowId::frmHelp)) + " paused disabled"},
        {"site", std::string("link ") + maker::HomePage},
        {"update", std::string("link ") + maker::HomePage},
        {"mail", std::string("link ") + maker::HomePage},
    };
    for (const auto& [name, effect] : expected) {
        EXPECT_EQ(effectOf(name), effect) << name;
    }
}

TEST(MenuBar, EnabledStatesFollowPauseResumePurchasesAndCheats) {
    MenuHarness h;
    auto enabledNames = [&h] {
        QStringList off;
        for (QAction* a : h.bar.findChildren<QAction*>()) {
            if (!a->isEnabled() && !a->objectName().isEmpty()) {
                off << a->objectName();
            }
        }
        off.sort();
        return off.join(' ').toStdString();
    };
    EXPECT_EQ(enabledNames(), "m2") << "a game starts with only 继续 greyed";

    h.form.pause();
    EXPECT_EQ(enabledNames(), "buy fg h m1 m3 menu mhero shanbi");
    EXPECT_TRUE(h.menu("act").menuAction()->isEnabled());
    EXPECT_TRUE(h.item("yuhui").isEnabled());

    h.form.unpause();
    EXPECT_EQ(enabledNames(), "m2");

    h.game.score = 100000;
    h.dialogs.answers.assign(7, Answer::Yes);
    for (const char* name : {"ammo", "bl", "shirt", "spee", "speedsuper", "shanbi", "yuhui"}) {
        h.item(name).trigger();
    }
    EXPECT_EQ(enabledNames(), "ammo m2 spee speedsuper yuhui");

    h.dialogs.inputs = {"15842"};
    h.item("miji").trigger();
    EXPECT_EQ(enabledNames(), "ammo m2 miji spee speedsuper yuhui");

    h.dialogs.answers = {Answer::Yes};
    h.item("restart").trigger();
    h.form.pause();
    h.form.unpause();
    EXPECT_EQ(enabledNames(), "ammo m2 miji spee speedsuper yuhui") << "nothing sold comes back";
}

TEST(MenuBar, ShortcutsOfGreyedItemsDoNothing) {
    MenuHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));

    h.dialogs.answers = {Answer::No};
    QTest::keyClick(&h.window, Qt::Key_F2);
    ASSERT_EQ(h.dialogs.shown.size(), 1u) << "F2 asks to sell the repair";
    EXPECT_EQ(h.dialogs.shown[0].text, "耗掉540分,生命达到30,需时间,继续?");

    QTest::keyClick(&h.window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(h.game.paused) << "继续 is greyed while playing";
    QTest::keyClick(&h.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(h.game.paused);

    h.dialogs.shown.clear();
    QTest::keyClick(&h.window, Qt::Key_F2);
    QTest::keyClick(&h.window, Qt::Key_Delete);
    QTest::keyClick(&h.window, Qt::Key_F1);
    QTest::keyClick(&h.window, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(h.dialogs.shown.empty()) << "no repair and no exit question while paused";
    EXPECT_TRUE(h.shell.windowsShown.empty());

    h.dialogs.answers = {Answer::No};
    QTest::keyClick(&h.window, Qt::Key_F3);
    ASSERT_EQ(h.dialogs.shown.size(), 1u) << "free firing is still for sale";
    EXPECT_EQ(h.dialogs.shown[0].text, "耗掉1300分,发炮不耗费分数，继续?");

    QTest::keyClick(&h.window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(h.game.paused);
    h.dialogs.answers = {Answer::No};
    QTest::keyClick(&h.window, Qt::Key_Delete);
    ASSERT_EQ(h.dialogs.shown.size(), 2u);
    EXPECT_EQ(h.dialogs.shown[1].text, "不玩了?");
}

TEST(MenuBar, EveryTitleClicksEachTimeItsMenuOpens) {
    MenuHarness h;
    for (QAction* title : h.bar.actions()) {
        h.sound.played.clear();
        title->menu()->popup(QPoint(0, 0));
        title->menu()->hide();
        title->menu()->popup(QPoint(0, 0));
        title->menu()->hide();
        EXPECT_EQ(h.sound.played, (std::vector<std::string>{"Bu", "Bu"}))
            << title->text().toStdString();
    }

    // "设置" and then its "窗体颜色": two clicks.
    h.sound.played.clear();
    QMenu& settings = h.menu("sz");
    settings.popup(QPoint(0, 0));
    settings.setActiveAction(h.menu("color").menuAction());
    QTest::keyClick(&settings, Qt::Key_Right);
    EXPECT_TRUE(h.menu("color").isVisible());
    EXPECT_EQ(h.sound.played, (std::vector<std::string>{"Bu", "Bu"}));
    h.menu("color").hide();
    settings.hide();
}

TEST(MenuBar, TitlesOpenedByKeyboardClickToo) {
    MenuHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    h.sound.played.clear();
    QTest::keyClick(&h.window, Qt::Key_Alt);
    QTest::keyClick(&h.bar, Qt::Key_Down); // opens "游戏"
    ASSERT_TRUE(h.menu("menu2").isVisible());
    QTest::keyClick(&h.menu("menu2"), Qt::Key_Right); // on to "功能"
    EXPECT_TRUE(h.menu("menu").isVisible());
    EXPECT_EQ(h.sound.played, (std::vector<std::string>{"Bu", "Bu"}));
    QTest::keyClick(&h.menu("menu"), Qt::Key_Escape);
}

} // namespace
} // namespace kelvarn::test
