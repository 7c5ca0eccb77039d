#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/GameApplication.h"
#include "scores/qt/High.h"

namespace kelvarn::test {
namespace {

// The whole program, except that the end of the program is only noted.
struct Program : GameApplication {
    using GameApplication::GameApplication;
    void endProgram() override { endAsked = true; }
    bool endAsked = false;
};

struct WholeProgram : ::testing::Test {
    QTemporaryDir folder;
    Program app{folder.path()};
};

QList<QWidget*> visibleWindowsNamed(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible()) {
            found.append(w);
        }
    }
    return found;
}

TEST_F(WholeProgram, RepairAndFreezeEndOnTheMillisecondWhateverHappensMeanwhile) {
    const QTimer& repair = app.effectTimer(TimerId::Timer2);
    const QTimer& freeze = app.effectTimer(TimerId::Timer3);
    EXPECT_EQ(repair.timerType(), Qt::PreciseTimer);
    EXPECT_EQ(freeze.timerType(), Qt::PreciseTimer);
    EXPECT_EQ(repair.interval(), 12700);
    EXPECT_EQ(freeze.interval(), 20000);
    EXPECT_FALSE(repair.isActive() || freeze.isActive()) << "neither runs after loading";

    app.setTimerEnabled(TimerId::Timer2, true);
    QTest::qWait(30);
    app.setTimerEnabled(TimerId::Timer2, true);
    EXPECT_LE(repair.remainingTime(), 12700 - 20) << "enabling a running timer restarts nothing";
    app.logic().pause();
    EXPECT_TRUE(repair.isActive()) << "wall-clock time: a pause does not stop the repair";
    app.logic().Timer2_Timer();
    EXPECT_FALSE(repair.isActive()) << "one shot";
}

TEST_F(WholeProgram, TheUpdateReportIsOneWindowBroughtToTheFront) {
    app.showWindow(WindowId::frmSplash, false);
    QWidget* report = app.openWindow(WindowId::frmSplash);
    ASSERT_NE(report, nullptr);
    app.showWindow(WindowId::frmSplash, false);
    EXPECT_EQ(app.openWindow(WindowId::frmSplash), report);
    EXPECT_EQ(visibleWindowsNamed(QStringLiteral("frmSplash")).size(), 1);

    report->close();
    EXPECT_EQ(app.openWindow(WindowId::frmSplash), nullptr) << "closed is gone";
    app.showWindow(WindowId::frmSplash, false);
    EXPECT_NE(app.openWindow(WindowId::frmSplash), nullptr) << "and can be opened afresh";
    app.openWindow(WindowId::frmSplash)->close();
}

TEST_F(WholeProgram, TheFarewellOfTheListStandsOverTheList) {
    app.mainWindow()->show();
    app.setMainWindowEnabled(false);
    app.showWindow(WindowId::High, false);
    auto* list = qobject_cast<High*>(app.openWindow(WindowId::High));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));

    QWidget* owner = nullptr;
    QPoint boxCentre, listCentre;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("感谢您使用本游戏！谢谢！"));
        owner = box->parentWidget();
        boxCentre = box->frameGeometry().center();
        listCentre = list->frameGeometry().center();
        box->accept();
    });
    list->Command1_Click();
    EXPECT_EQ(owner, list);
    EXPECT_LE((boxCentre - listCentre).manhattanLength(), 4);
    EXPECT_TRUE(app.endAsked);
}

} // namespace
} // namespace kelvarn::test
