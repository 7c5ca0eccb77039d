#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolTip>

#include "display/qt/Form1.h"
#include "display/qt/FrameDriver.h"
#include "fakes/GameHarness.h"
#include "platform/qt/QtTickCounter.h"
#include "scores/Maker.h"

namespace kelvarn::test {
namespace {

struct MainWindow : ::testing::Test {
    GameHarness h;
    Form1 form{h.form};
    void SetUp() override {
        // The labels' commands, wired as the program wires them.
        form.Label1->onClick = [this] { h.commands.Label1_Click(); };
        form.picexit->onClick = [this] { h.commands.picexit_Click(); };
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(MainWindow, IsLaidOutAsDesigned) {
    EXPECT_EQ(form.windowTitle(), "Kelvarn");
    EXPECT_EQ(form.centralWidget()->size(), QSize(420, 399));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed size";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);

    EXPECT_EQ(form.MainBoard->geometry(), QRect(8, 8, 404, 364));
    EXPECT_EQ(form.MainBoard->contentsRect().size(), QSize(400, 360)) << "2-pixel border";
    EXPECT_EQ(form.MainBoard->toolTip(), "Mouse here!");

    EXPECT_EQ(form.Label1->geometry(), QRect(8, 376, 185, 17));
    EXPECT_EQ(form.Label1->text(), QString::fromUtf8(maker::HomePage));
    EXPECT_EQ(form.Label1->toolTip(),
              QStringLiteral("网址：") + QString::fromUtf8(maker::HomePage));
    EXPECT_EQ(form.Label1->cursor().shape(), Qt::CrossCursor);
    EXPECT_TRUE(form.Label1->font().bold());
    EXPECT_DOUBLE_EQ(form.Label1->font().pointSizeF(), 10.5);

    EXPECT_EQ(form.TXT->geometry(), QRect(224, 376, 93, 17));
    EXPECT_EQ(form.TXT->text(), QString::fromUtf8(maker::Studio));
    EXPECT_EQ(form.TXT->toolTip(), QString::fromUtf8(maker::Author));

    EXPECT_EQ(form.picexit->geometry(), QRect(368, 376, 37, 17));
    EXPECT_EQ(form.picexit->text(), QStringLiteral("退出"));
    EXPECT_EQ(form.picexit->toolTip(), QStringLiteral("退出游戏"));
    EXPECT_EQ(form.picexit->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(form.exitColour(), QColor(255, 128, 128));

    EXPECT_EQ(form.Shape1->geometry(), QRect(8, 392, 177, 1));
    EXPECT_TRUE(form.Shape1->isHidden());
}

TEST_F(MainWindow, PointerFeedbackHasNoLeaveEvents) {
    QWidget* background = form.centralWidget();
    QTest::mouseMove(form.Label1, QPoint(20, 8));
    EXPECT_TRUE(form.Shape1->isVisible()) << "the address is underlined under the pointer";

    QTest::mouseMove(form.picexit, QPoint(10, 8));
    EXPECT_TRUE(form.Shape1->isVisible()) << "leaving the label does not hide the underline";
    EXPECT_EQ(form.exitColour(), QColor(255, 255, 192));

    QTest::mousePress(form.picexit, Qt::RightButton, {}, QPoint(10, 8));
    EXPECT_EQ(form.exitColour(), QColor(128, 255, 128));
    QTest::mouseMove(form.picexit, QPoint(12, 8));
    EXPECT_EQ(form.exitColour(), QColor(255, 255, 192)) << "moving while held turns it back";
    QTest::mouseRelease(form.picexit, Qt::RightButton, {}, QPoint(12, 8));
    EXPECT_EQ(form.exitColour(), QColor(128, 255, 128));

    QTest::mouseMove(form.MainBoard, QPoint(100, 100));
    EXPECT_TRUE(form.Shape1->isHidden());
    EXPECT_EQ(form.exitColour(), QColor(255, 128, 128));

    QTest::mouseMove(form.Label1, QPoint(20, 8));
    QTest::mouseMove(background, QPoint(210, 395));
    EXPECT_TRUE(form.Shape1->isHidden()) << "the window's background hides the underline";
}

TEST_F(MainWindow, TheStudioNameShowsTheAuthorAndIsNotTheBackground) {
    QTest::mouseMove(form.Label1, QPoint(20, 8));
    QTest::mouseMove(form.picexit, QPoint(10, 8));
    QTest::mouseMove(form.TXT, QPoint(40, 8));
    QTest::mouseMove(form.TXT, QPoint(45, 9));
    EXPECT_TRUE(form.Shape1->isVisible()) << "moving over the studio's name hides nothing";
    EXPECT_EQ(form.exitColour(), QColor(255, 255, 192));
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return QToolTip::isVisible() && QToolTip::text() == QString::fromUtf8(maker::Author);
        },
        5000))
        << "the pointer resting on the studio's name shows the author's line";
    QToolTip::hideText();
}

TEST(MainWindowPlace, TheInnerAreaBelowTheMenuBarStandsWhereDesigned) {
    GameHarness h;
    Form1 form{h.form};
    form.menuBar()->addMenu(QStringLiteral("游戏"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_GT(form.menuBar()->height(), 0);
    EXPECT_EQ(form.centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(187, 96));
}

TEST_F(MainWindow, ADisabledExitLabelDoesNotReact) {
    form.picexit->setEnabled(false);
    QTest::mouseMove(form.picexit, QPoint(10, 8));
    QTest::mouseClick(form.picexit, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(form.exitColour(), QColor(255, 128, 128));
    EXPECT_FALSE(h.game.paused) << "no exit while the label is greyed";
}

TEST_F(MainWindow, ClickingTheAddressOpensTheHomePage) {
    QTest::mouseClick(form.Label1, Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_EQ(h.links.opened, std::vector<std::string>{maker::HomePage});
}

TEST_F(MainWindow, KeysReachTheHandlersOnlyWithKeyPreview) {
    h.keys.press(KeySpace);
    QTest::keyRelease(&form, Qt::Key_A);
    EXPECT_EQ(h.game.life, 1) << "releasing A sets life to 1";
    EXPECT_EQ(h.game.shellsUsed, 1) << "a release with the space bar pressed fires";

    h.form.keyPreview = false;
    h.game.life = 20;
    QTest::keyRelease(&form, Qt::Key_A);
    EXPECT_EQ(h.game.life, 20);
}

TEST_F(MainWindow, AutoRepeatReleasesFireNothing) {
    h.keys.press(KeySpace);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QString(" "), true);
    QApplication::sendEvent(&form, &repeatRelease);
    EXPECT_EQ(h.game.shellsUsed, 0);
}

// ---- the frame driver ----

struct Driven : ::testing::Test {
    GameHarness h{true};
    QtTickCounter clock;
    FrameDriver driver{h.form, clock};
    void waitFor(int ms) { QTest::qWait(ms); }
};

TEST_F(Driven, APauseLetsTheWaitingFrameShowItThenHoldsUntilTheResume) {
    driver.startAfterLoad(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.framesRun() >= 5; }, 5000));

    h.form.pause(); // handled while the next frame waits for its time
    const int atPause = driver.framesRun();
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.framesRun() > atPause; }, 1000));
    EXPECT_EQ(h.text.lines.back(), " 当前状态: 暂停") << "the waiting frame painted the word";
    const int spawnCounter = h.form.loop.spawnCounter();
    const int refillCounter = h.form.loop.refillCounter();
    waitFor(250);
    EXPECT_EQ(driver.framesRun(), atPause + 1) << "exactly one frame after the pause";
    EXPECT_EQ(h.form.loop.spawnCounter(), spawnCounter) << "the counters stand still";
    EXPECT_EQ(h.form.loop.refillCounter(), refillCounter);

    h.form.unpause();
    EXPECT_TRUE(QTest::qWaitFor([&] { return driver.framesRun() > atPause + 1; }, 1000));
}

TEST_F(Driven, NoFrameRunsOnceTheGameHasEnded) {
    driver.startAfterLoad(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.framesRun() >= 2; }, 5000));
    h.game.gameEnded = true;
    const int frames = driver.framesRun();
    waitFor(150);
    EXPECT_LE(driver.framesRun(), frames + 1);
    waitFor(100);
    const int later = driver.framesRun();
    waitFor(100);
    EXPECT_EQ(driver.framesRun(), later);
}

} // namespace
} // namespace kelvarn::test
