#include "app/GameApplication.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "commands/qt/MenuBar.h"
#include "display/qt/Pictures.h"
#include "scores/qt/Form2.h"
#include "scores/qt/High.h"
#include "scores/qt/ScoreFolders.h"
#include "scores/qt/frmHelp.h"
#include "scores/qt/frmSplash.h"

namespace kelvarn {

GameApplication::GameApplication(const QString& programFolder)
    : sound_(programFolder + QStringLiteral("/sound")), scores_(makeFileScoreStore()),
      records_(*scores_), sprites_((initialiseResources(), loadSprites())), text_(boardFont()),
      game_(Services{ticks_, keys_, random_, sound_, links_, dialogs_, *this, records_},
            layers_.Pic2),
      logic_(game_, layers_, sprites_, text_), commands_(game_, logic_), form_(new Form1(logic_)),
      driver_(logic_, ticks_) {
    qApp->installEventFilter(&keys_);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(loadPicture(QStringLiteral("Form1_icon16"))));
    icon.addPixmap(QPixmap::fromImage(loadPicture(QStringLiteral("Form1_icon32"))));
    form_->setWindowIcon(icon);
    form_->Label1->onClick = [this] { commands_.Label1_Click(); };
    form_->picexit->onClick = [this] { commands_.picexit_Click(); };

    // The menu bar is built before the load handler runs, so that the start-up greying of
    // the continue item (m2) reaches it. A frame never runs while a menu is open; closing one wakes
    // the frame loop (queued: the menu is still the active popup while it hides).
    const MenuBarParts parts = buildMenuBar(*form_->menuBar(), commands_);
    menuControls_ = parts.controls;
    for (QMenu* menu : parts.menus) {
        connect(menu, &QMenu::aboutToHide, &driver_, &FrameDriver::wake, Qt::QueuedConnection);
    }

    // A box stands over the window the player is at: the list while it is open (the main window
    // is disabled or gone then), otherwise the main window while it lives.
    dialogs_.parent = [this]() -> QWidget* {
        if (QWidget* list = openWindow(WindowId::High)) {
            return list;
        }
        return form_ && !form_->unloaded() && form_->isVisible() ? form_.data() : nullptr;
    };
    dialogs_.onClosed = [this] { driver_.wake(); };
    driver_.onFramePainted = [this] {
        if (form_ && !form_->unloaded()) {
            form_->MainBoard->boardChanged(logic_.painter.changed());
        }
    };

    // The repair and the freeze end to the millisecond: a coarse timer may be 5 % late or early.
    timer2_.setTimerType(Qt::PreciseTimer);
    timer3_.setTimerType(Qt::PreciseTimer);
    timer2_.setInterval(12700);
    timer3_.setInterval(20000);
    connect(&timer2_, &QTimer::timeout, this, [this] {
        report_.wentOff(TimerId::Timer2);
        logic_.Timer2_Timer();
    });
    connect(&timer3_, &QTimer::timeout, this, [this] {
        report_.wentOff(TimerId::Timer3);
        logic_.Timer3_Timer();
    });

    sound_.preload({"Bu", "put", "explo", "hit", "dea", "error", "end"});
}

GameApplication::~GameApplication() {
    driver_.stop();
    delete form_.data();
}

void GameApplication::start() {
    logic_.Form_Load();
    // The board shows its background until the first frame is painted.
    layers_.MainBoard.clearToPicture(sprites_.boardBackground, BoardLayers::Colour);
    form_->show();
    driver_.startAfterLoad(50);
}

void GameApplication::setControlEnabled(Control control, bool enabled) {
    if (control == Control::picexit) {
        if (form_) {
            form_->picexit->setEnabled(enabled);
        }
        return;
    }
    auto it = menuControls_.find(control);
    if (it != menuControls_.end() && it->second != nullptr) {
        it->second->setEnabled(enabled);
    }
}

void GameApplication::setMainWindowEnabled(bool enabled) {
    if (form_ && !form_->unloaded()) {
        form_->setEnabled(enabled);
    }
}

void GameApplication::showMainWindow() {
    if (form_ && !form_->unloaded()) {
        form_->show();
        form_->activateWindow();
    }
}

void GameApplication::unloadMainWindow() {
    // From here on no frame paints into the window, and nothing shows it again.
    driver_.stop();
    if (form_) {
        form_->unload();
    }
}

void GameApplication::setTimerEnabled(TimerId timer, bool enabled) {
    QTimer& t = timer == TimerId::Timer2 ? timer2_ : timer3_;
    if (!enabled) {
        t.stop();
    } else if (!t.isActive()) {
        // Enabling a running timer leaves its interval running.
        t.start();
        report_.started(timer);
    }
}

void GameApplication::setWindowColour(Rgb colour) {
    if (form_) {
        form_->setWindowColour(QColor(colour.r, colour.g, colour.b));
    }
}

void GameApplication::showWindow(WindowId window, bool afterRecord) {
    // Each window exists once: chosen again while it is open, it comes to the front.
    QWidget* w = openWindow(window);
    if (w == nullptr) {
        w = createWindow(window, afterRecord);
        if (w == nullptr) {
            return;
        }
        w->setAttribute(Qt::WA_DeleteOnClose);
        windows_[window] = w;
    }
    w->show();
    w->raise();
    w->activateWindow();
}

QWidget* GameApplication::openWindow(WindowId window) const {
    // A closed window is gone, even while its deletion is still on the way.
    const auto it = windows_.find(window);
    return it != windows_.end() && it->second && !it->second->isHidden() ? it->second.data()
                                                                         : nullptr;
}

const QTimer& GameApplication::effectTimer(TimerId timer) const {
    return timer == TimerId::Timer2 ? timer2_ : timer3_;
}

QWidget* GameApplication::createWindow(WindowId window, bool afterRecord) {
    // No parent: a window parented to the main window would be disabled with it.
    switch (window) {
    case WindowId::High:
        return new High(game_, afterRecord);
    case WindowId::Form2:
        return new Form2(game_);
    case WindowId::frmHelp:
        return new frmHelp(game_);
    case WindowId::frmSplash:
        return new frmSplash();
    }
    return nullptr;
}

std::string GameApplication::shortDateText() {
    // The system's short date; a format that would not fit the list's 16 bytes falls back to
    // year/month/day.
    const QDate today = QDate::currentDate();
    QString text = QLocale::system().toString(today, QLocale::ShortFormat);
    if (text.toUtf8().size() > 16 || text.isEmpty()) {
        text = today.toString(QStringLiteral("yyyy/M/d"));
    }
    return text.toStdString();
}

void GameApplication::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    driver_.stop();
    timer2_.stop();
    timer3_.stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != form_.data()) {
            w->hide();
        }
    }
    if (form_ && !form_->unloaded()) {
        form_->closeSilently();
    }
    QCoreApplication::exit(0);
}

} // namespace kelvarn
