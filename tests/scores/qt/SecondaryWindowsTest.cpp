// The help, about and update windows: their layout and texts, and how each one hands the game
// back when it closes.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "fakes/GameHarness.h"
#include "scores/Maker.h"
#include "scores/qt/Form2.h"
#include "scores/qt/frmHelp.h"
#include "scores/qt/frmSplash.h"

namespace kelvarn::test {
namespace {

const QString InitialHelp =
    QString(4, QLatin1Char(' ')) +
    QString::fromUtf8("其实我很早就喜欢玩潜艇大战，无奈每个潜艇游戏都多多少少有一些缺点"
                      "和不足，于是我研究了一些潜艇游戏源代码，自己编写了一个潜艇游戏，"
                      "对以前的潜艇大战取长补短，并保留原来潜艇大战的经典，很有意思，希"
                      "望大家多提意见，我会把它改的更好！") +
    QString(2, QLatin1Char(' '));
const QString RewardsHelp =
    QString(4, QLatin1Char(' ')) +
    QString::fromUtf8("潜艇分数不确定，与速度有关，速度越快，分数越高，一般在20~100之间"
                      "，每发一枚炮弹减10分，挨了飞机的一枚炮弹减15分，生命减1格") +
    QString(19, QLatin1Char(' ')) +
    QString::fromUtf8("注意:打潜艇有技巧,如果打左边打不死,可以打右边");
const QString ControlsHelp = QString::fromUtf8("方向键控制方向,空格键开炮");
const QString LevelsHelp =
    QString::fromUtf8("杀敌达到15个后增加到2，此后每加20个增加一等级，等级越高，难度越大");

struct Expected {
    const char* name;
    QRect geometry;
    const char* text; // nullptr: no text to compare
};

class SecondaryWindows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QFont::insertSubstitution(QString::fromUtf8("宋体"), QStringLiteral("AR PL UMing CN"));
    }

    // The state the menu command leaves before it shows a window that stops the game.
    void stopGame() {
        h.shell.setMainWindowEnabled(false);
        h.game.paused = true;
    }

    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename W> static W& child(QWidget& window, const char* name) {
        W* w = window.findChild<W*>(QString::fromLatin1(name));
        if (w == nullptr) {
            throw std::runtime_error(std::string("no control ") + name);
        }
        return *w;
    }

    static void expectFixedWindow(QWidget& window, const char* caption, QSize inner) {
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(caption));
        EXPECT_EQ(window.size(), inner);
        EXPECT_EQ(window.minimumSize(), inner);
        EXPECT_EQ(window.maximumSize(), inner);
        EXPECT_TRUE(window.isWindow());
        EXPECT_TRUE(window.testAttribute(Qt::WA_DeleteOnClose));
        EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    static void expectControls(QWidget& window, std::initializer_list<Expected> rows) {
        for (const Expected& row : rows) {
            SCOPED_TRACE(row.name);
            QWidget& w = child<QWidget>(window, row.name);
            EXPECT_EQ(w.geometry(), row.geometry);
            if (row.text == nullptr) {
                continue;
            }
            const QString expected = QString::fromUtf8(row.text);
            if (auto* label = qobject_cast<QLabel*>(&w)) {
                EXPECT_EQ(label->text(), expected);
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
            } else if (auto* button = qobject_cast<QPushButton*>(&w)) {
                EXPECT_EQ(button->text(), expected);
            } else if (auto* frame = qobject_cast<QGroupBox*>(&w)) {
                EXPECT_EQ(frame->title(), expected);
            }
        }
    }

    static bool songFaceInstalled() {
        const QString face = QStringLiteral("AR PL UMing CN");
        return QFontInfo(QFont(face)).family() == face;
    }

    // Every text fits its label: single lines within the width, the wrapped help text within the
    // label's height.
    static void expectTextsFit(QWidget& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            SCOPED_TRACE(label->objectName().toStdString());
            const QFontMetrics metrics(label->font());
            if (label->wordWrap()) {
                const QRect needed = metrics.boundingRect(
                    QRect(QPoint(0, 0), label->size()),
                    Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
                EXPECT_LE(needed.height(), label->height());
            } else {
                EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
                EXPECT_LE(metrics.height(), label->height());
            }
        }
    }

    GameHarness h;
};

TEST_F(SecondaryWindows, HelpWindowIsLaidOutAsDesigned) {
    auto* w = new Form2(h.game);
    expectFixedWindow(*w, "帮助", {237, 204});
    EXPECT_EQ(w->geometry().topLeft(), QPoint(273, 122));
    expectControls(*w, {{"imgIcon", {16, 8, 32, 32}, nullptr},
                        {"Label1", {72, 16, 121, 17}, "Kelvarn"},
                        {"t", {16, 40, 153, 129}, nullptr},
                        {"Command3", {176, 40, 57, 25}, "赏罚"},
                        {"Command6", {176, 72, 57, 25}, "操作"},
                        {"Command8", {176, 104, 57, 25}, "作者"},
                        {"Command2", {176, 136, 57, 25}, "关数"},
                        {"Command1", {64, 176, 57, 25}, "确定"}});
    EXPECT_EQ(child<QLabel>(*w, "t").text(), InitialHelp);
    EXPECT_TRUE(child<QLabel>(*w, "t").wordWrap());

    QLabel& icon = child<QLabel>(*w, "imgIcon");
    EXPECT_EQ(icon.toolTip(), QString::fromUtf8("帮助"));
    EXPECT_EQ(icon.cursor().shape(), Qt::WhatsThisCursor);
    EXPECT_EQ(child<QLabel>(*w, "Label1").cursor().shape(), Qt::WhatsThisCursor);
    for (const char* name : {"Command3", "Command6", "Command8", "Command1"}) {
        EXPECT_EQ(child<QPushButton>(*w, name).cursor().shape(), Qt::CrossCursor) << name;
    }
    EXPECT_FALSE(child<QPushButton>(*w, "Command2").testAttribute(Qt::WA_SetCursor));
    delete w;
}

TEST_F(SecondaryWindows, HelpButtonsShowTheirTextsInAnyOrder) {
    auto* w = new Form2(h.game);
    w->show();
    QLabel& t = child<QLabel>(*w, "t");
    const std::vector<std::pair<const char*, QString>> presses = {
        {"Command2", LevelsHelp},   {"Command3", RewardsHelp}, {"Command8", QString()},
        {"Command6", ControlsHelp}, {"Command3", RewardsHelp}, {"Command2", LevelsHelp}};
    for (const auto& [name, expected] : presses) {
        QTest::mouseClick(&child<QPushButton>(*w, name), Qt::LeftButton);
        if (expected.isNull()) {
            // The credits name the maker by every line it has, each part after a run of spaces.
            for (const char* part : {maker::Author, maker::Studio, maker::Email, maker::HomePage}) {
                EXPECT_TRUE(t.text().contains(QString::fromUtf8(part))) << part;
            }
            EXPECT_TRUE(t.text().contains(QStringLiteral("  ")));
            EXPECT_FALSE(t.text().contains(QLatin1Char('\n')));
        } else {
            EXPECT_EQ(t.text(), expected) << name;
        }
    }
    w->close();
    flushDeletes();
}

TEST_F(SecondaryWindows, HelpOkReturnsToTheRunningGameAndReopeningStartsAfresh) {
    for (int round = 0; round < 2; ++round) {
        stopGame();
        QPointer<Form2> w = new Form2(h.game);
        w->show();
        EXPECT_EQ(child<QLabel>(*w, "t").text(), InitialHelp);
        QTest::mouseClick(&child<QPushButton>(*w, "Command3"), Qt::LeftButton);
        QTest::mouseClick(&child<QPushButton>(*w, "Command1"), Qt::LeftButton);
        EXPECT_FALSE(h.game.paused);
        EXPECT_TRUE(h.shell.mainWindowEnabled);
        flushDeletes();
        EXPECT_TRUE(w.isNull());
    }
}

TEST_F(SecondaryWindows, ClosingFromTheTitleBarReturnsToTheGame) {
    stopGame();
    QPointer<QWidget> help = new Form2(h.game);
    help->show();
    help->windowHandle()->close();
    EXPECT_FALSE(h.game.paused);
    EXPECT_TRUE(h.shell.mainWindowEnabled);

    stopGame();
    QPointer<QWidget> about = new frmHelp(h.game);
    about->show();
    about->windowHandle()->close();
    EXPECT_FALSE(h.game.paused);
    EXPECT_TRUE(h.shell.mainWindowEnabled);

    // The update report never stopped the game and leaves a pause alone.
    stopGame();
    QPointer<QWidget> report = new frmSplash();
    report->show();
    report->windowHandle()->close();
    EXPECT_TRUE(h.game.paused);
    EXPECT_FALSE(h.shell.mainWindowEnabled);

    flushDeletes();
    EXPECT_TRUE(help.isNull());
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(report.isNull());
}

TEST_F(SecondaryWindows, AboutWindowIsLaidOutAsDesigned) {
    auto* w = new frmHelp(h.game);
    expectFixedWindow(*w, "关于Kelvarn", {221, 225});
    EXPECT_EQ(w->geometry().topLeft(), QPoint(262, 122));
    const std::string address = std::string("网址：") + maker::HomePage;
    const std::string email = std::string("电子邮件：") + maker::Email;
    expectControls(*w, {{"Picture1", {16, 0, 69, 31}, nullptr},
                        {"Label2", {96, 8, 105, 17}, "Kelvarn"},
                        {"Label6", {16, 40, 153, 17}, maker::Author},
                        {"Label1", {16, 64, 193, 17}, maker::Studio},
                        {"Label7", {16, 88, 97, 17}, "当前版本： 3.0"},
                        {"Command1", {144, 96, 65, 25}, "确定"},
                        {"Label3", {16, 112, 121, 17}, "绿色软件 免费传播"},
                        {"Frame1", {8, 136, 201, 81}, "联系方式"},
                        {"Label4", {8, 24, 161, 17}, address.c_str()},
                        {"Label5", {8, 48, 185, 17}, email.c_str()}});

    QLabel& logo = child<QLabel>(*w, "Picture1");
    EXPECT_EQ(logo.contentsRect(), QRect(2, 2, 65, 27)); // inside the sunken border
    EXPECT_EQ(logo.frameShadow(), QFrame::Sunken);
    const QFont title = child<QLabel>(*w, "Label2").font();
    EXPECT_EQ(title.family(), QString::fromUtf8("宋体"));
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 10.5);
    QLabel& addressLabel = child<QLabel>(*w, "Label4");
    EXPECT_EQ(addressLabel.parentWidget(), &child<QGroupBox>(*w, "Frame1"));
    EXPECT_EQ(addressLabel.cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(child<QPushButton>(*w, "Command1").cursor().shape(), Qt::CrossCursor);
    delete w;
}

TEST_F(SecondaryWindows, AboutAddressOpensTheHomePageAndStaysOpen) {
    stopGame();
    QPointer<frmHelp> w = new frmHelp(h.game);
    w->show();
    QLabel& address = child<QLabel>(*w, "Label4");
    QTest::mouseClick(&address, Qt::RightButton);
    EXPECT_TRUE(h.links.opened.empty());
    QTest::mouseClick(&address, Qt::LeftButton);
    EXPECT_EQ(h.links.opened, std::vector<std::string>{maker::HomePage});
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(h.game.paused);

    QTest::mouseClick(&child<QPushButton>(*w, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(h.game.paused);
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

TEST_F(SecondaryWindows, UpdateReportListsTheChangesAndClosesOnlyItself) {
    QPointer<frmSplash> w = new frmSplash();
    expectFixedWindow(*w, "更新报告", {318, 260});
    EXPECT_EQ(w->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    expectControls(*w, {{"Label1", {16, 16, 121, 17}, "从2.0版本到3.0版本"},
                        {"Label2", {32, 48, 273, 17}, "1,增加了难度设置"},
                        {"Label6", {32, 72, 273, 17}, "2,增加了关数"},
                        {"Label5", {32, 96, 273, 17}, "3,增加了更新报告 就是这个"},
                        {"Label4", {32, 120, 273, 17}, "4,增加了“定时机器”特技"},
                        {"Label3", {32, 144, 273, 17}, "5,取消禁止移动窗体"},
                        {"Label9", {32, 168, 273, 17}, "6,能够升级"},
                        {"Label7", {32, 192, 273, 17}, "7，减少BUG"},
                        {"Command1", {120, 232, 73, 25}, "退出"}});
    EXPECT_EQ(child<QPushButton>(*w, "Command1").cursor().shape(), Qt::CrossCursor);

    // Opened beside a running game and the help window: quitting it touches neither.
    QPointer<Form2> help = new Form2(h.game);
    help->show();
    w->show();
    QTest::mouseClick(&child<QPushButton>(*w, "Command1"), Qt::LeftButton);
    flushDeletes();
    EXPECT_TRUE(w.isNull());
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(h.game.paused);
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    delete help;
}

TEST_F(SecondaryWindows, EveryTextFitsItsPlace) {
    if (!songFaceInstalled()) {
        GTEST_SKIP() << "the Song face AR PL UMing CN is not installed";
    }
    auto* help = new Form2(h.game);
    expectTextsFit(*help);
    for (const char* name : {"Command3", "Command6", "Command8", "Command2"}) {
        SCOPED_TRACE(name);
        child<QPushButton>(*help, name).click();
        expectTextsFit(*help);
    }
    auto* about = new frmHelp(h.game);
    expectTextsFit(*about);
    auto* report = new frmSplash();
    expectTextsFit(*report);
    delete help;
    delete about;
    delete report;
}

} // namespace
} // namespace kelvarn::test
