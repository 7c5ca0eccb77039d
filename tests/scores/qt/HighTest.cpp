#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "fakes/GameHarness.h"
#include "scores/HeroList.h"
#include "scores/qt/High.h"

namespace kelvarn::test {
namespace {

// Runs the deletion that WA_DeleteOnClose schedules.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString shownText(const GameEdit& game) {
    QString s = QString::fromStdString(heroListText(game.heroList));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

TEST(HighWindow, HasItsCaptionControlsAndLook) {
    GameHarness h;
    h.game.heroList[1] = {"林海", 1234, "2026/12/8"};
    QPointer<High> high = new High(h.game, false);

    EXPECT_EQ(high->windowTitle(), QStringLiteral("英雄榜 3.0"));
    EXPECT_EQ(high->geometry(), QRect(273, 111, 207, 307));
    EXPECT_EQ(high->minimumSize(), high->maximumSize()) << "fixed size";
    EXPECT_FALSE(high->windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(high->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(high->testAttribute(Qt::WA_DeleteOnClose));

    EXPECT_EQ(high->Shape1->geometry(), QRect(16, 8, 181, 269));
    EXPECT_EQ(high->lblScore->geometry(), QRect(16, 8, 183, 269));
    EXPECT_EQ(high->lblScore->text(), shownText(h.game));
    EXPECT_TRUE(
        high->lblScore->text().startsWith(QStringLiteral("1: 林海\n分数: 1234  日期 2026/12/8\n")));
    EXPECT_EQ(high->lblScore->palette().color(QPalette::WindowText), QColor(224, 224, 224));
    EXPECT_FALSE(high->lblScore->autoFillBackground());
    EXPECT_EQ(high->lblScore->font().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(high->lblScore->font().pointSizeF(), 9.75);

    EXPECT_EQ(high->Command2->text(), QStringLiteral("返回"));
    EXPECT_EQ(high->Command2->geometry(), QRect(40, 280, 49, 25));
    EXPECT_EQ(high->Command1->text(), QStringLiteral("退出"));
    EXPECT_EQ(high->Command1->geometry(), QRect(128, 280, 49, 25));
    EXPECT_EQ(high->Command1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(high->Command2->cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(high->Command2->isHidden());
    EXPECT_EQ(high->Timer1->interval(), 200);
    EXPECT_TRUE(high->Timer1->isActive());
    delete high;
}

TEST(HighWindow, AfterARecordOnlyExitShowsAtTheBottomEdge) {
    GameHarness h;
    High high(h.game, true);
    EXPECT_TRUE(high.Command2->isHidden());
    EXPECT_EQ(high.Command1->geometry(), QRect(80, 304, 49, 25));
    high.setAttribute(Qt::WA_DeleteOnClose, false);
}

TEST(HighWindow, ListIsReadAgainOnEveryActivationAndShownAsPlainText) {
    GameHarness h;
    High high(h.game, false);
    high.setAttribute(Qt::WA_DeleteOnClose, false);
    h.game.heroList[2] = {"<b>x</b>", 5, "d"};
    EXPECT_NE(high.lblScore->text(), shownText(h.game));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&high, &activate);
    EXPECT_EQ(high.lblScore->text(), shownText(h.game));
    EXPECT_EQ(high.lblScore->textFormat(), Qt::PlainText) << "names are never read as markup";
}

TEST(HighWindow, TimerBlinksOnlyLabelsTaggedOne) {
    GameHarness h;
    High high(h.game, false);
    high.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* tagged = new QLabel(QStringLiteral("!"), &high);
    tagged->setProperty("tag", QStringLiteral("1"));
    high.Timer1_Timer();
    EXPECT_TRUE(tagged->isHidden());
    EXPECT_FALSE(high.lblScore->isHidden());
    high.Timer1_Timer();
    EXPECT_FALSE(tagged->isHidden());
}

TEST(HighWindow, BackReturnsToTheGameAndCloses) {
    GameHarness h;
    h.game.paused = true;
    h.shell.mainWindowEnabled = false;
    QPointer<High> high = new High(h.game, false);
    high->show();
    high->Command2->click();
    flushDeletes();
    EXPECT_TRUE(high.isNull());
    EXPECT_TRUE(h.shell.mainWindowEnabled);
    EXPECT_TRUE(h.shell.mainWindowVisible);
    EXPECT_FALSE(h.game.paused);
    EXPECT_FALSE(h.shell.ended);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(HighWindow, ExitAfterARecordSavesTheNewEntryAndEnds) {
    GameHarness h;
    h.game.score = 300;
    h.dialogs.answers.push_back(Answer::Yes);
    h.dialogs.inputs.push_back("Kim");
    h.game.finishGame(GameEdit::EndSound::Never);
    ASSERT_TRUE(h.game.recordShown);
    h.sound.played.clear();

    QPointer<High> high = new High(h.game, true);
    high->show();
    EXPECT_TRUE(high->lblScore->text().startsWith(QStringLiteral("1: Kim\n分数: 300  日期 ")));
    high->Command1->click();
    flushDeletes();
    EXPECT_TRUE(high.isNull());
    EXPECT_EQ(h.dialogs.shown.back().text, "感谢您使用本游戏！谢谢！");
    EXPECT_EQ(h.sound.played, std::vector<std::string>{"end"});
    EXPECT_EQ(h.scores.saves, 1);
    EXPECT_EQ(decodeHeroList(h.scores.bytes)[1].entryName, "Kim");
    EXPECT_TRUE(h.shell.ended);
}

// The title bar's close button must neither strand a disabled main window nor drop a new record.
TEST(HighWindow, TitleBarCloseActsAsBackFromTheMenuAndAsExitAfterARecord) {
    GameHarness fromMenu;
    fromMenu.game.paused = true;
    fromMenu.shell.mainWindowEnabled = false;
    QPointer<High> menuHigh = new High(fromMenu.game, false);
    menuHigh->show();
    menuHigh->close();
    flushDeletes();
    EXPECT_TRUE(menuHigh.isNull());
    EXPECT_TRUE(fromMenu.shell.mainWindowEnabled);
    EXPECT_FALSE(fromMenu.game.paused);
    EXPECT_FALSE(fromMenu.shell.ended);
    EXPECT_EQ(fromMenu.scores.saves, 0);

    GameHarness afterRecord;
    afterRecord.game.score = 10;
    afterRecord.dialogs.answers.push_back(Answer::Yes);
    afterRecord.dialogs.inputs.push_back("Lee");
    afterRecord.game.finishGame(GameEdit::EndSound::Never);
    QPointer<High> recordHigh = new High(afterRecord.game, true);
    recordHigh->show();
    recordHigh->close();
    flushDeletes();
    EXPECT_TRUE(recordHigh.isNull());
    EXPECT_EQ(afterRecord.dialogs.shown.back().text, "感谢您使用本游戏！谢谢！");
    EXPECT_EQ(afterRecord.scores.saves, 1);
    EXPECT_EQ(decodeHeroList(afterRecord.scores.bytes)[1].entryName, "Lee");
    EXPECT_TRUE(afterRecord.shell.ended);
}

} // namespace
} // namespace kelvarn::test
