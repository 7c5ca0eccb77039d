// The whole program put together: the Qt services, the game state and its high-score keeper,
// the main window with its menu bar and commands, the other windows, the frame driver, and the
// window services the rules ask for (enabling controls, timers, showing and closing windows,
// ending the program).
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "app/EffectReport.h"
#include "commands/MenuCommands.h"
#include "display/Form1Logic.h"
#include "display/qt/Form1.h"
#include "display/qt/FrameDriver.h"
#include "display/qt/QtTextPrinter.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtSound.h"
#include "scores/HeroRecords.h"
#include "scores/ScoreStore.h"

class QAction;

namespace kelvarn {

class GameApplication : public QObject, public WindowShell {
    Q_OBJECT
  public:
    // `programFolder` holds the folder `sound`; the list lives in data.dat there, or in the
    // user's data folder when the program's folder cannot be written.
    explicit GameApplication(const QString& programFolder);
    ~GameApplication() override;

    // Loads the game into the main window, shows it and starts the frame loop 50 ms later.
    void start();

    Form1* mainWindow() const { return form_; }
    GameEdit& game() { return game_; }
    Form1Logic& logic() { return logic_; }
    MenuCommands& commands() { return commands_; }
    FrameDriver& driver() { return driver_; }
    bool ended() const { return ended_; }
    // The window when it is open, else null.
    QWidget* openWindow(WindowId window) const;
    // Timer2 (the repair) or Timer3 (the frozen planes).
    const QTimer& effectTimer(TimerId timer) const;

    // ---- WindowShell ----
    void setControlEnabled(Control control, bool enabled) override;
    void setMainWindowEnabled(bool enabled) override;
    void showMainWindow() override;
    void unloadMainWindow() override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void setWindowColour(Rgb colour) override;
    void showWindow(WindowId window, bool afterRecord) override;
    std::string shortDateText() override;
    void endProgram() override;

  private:
    QWidget* createWindow(WindowId window, bool afterRecord);

    QtTickCounter ticks_;
    QtKeyQuery keys_;
    QtRandom random_;
    QtSoundPlayer sound_;
    QtLinkOpener links_;
    QtDialogs dialogs_;
    std::unique_ptr<ScoreStore> scores_;
    HeroRecords records_;
    BoardLayers layers_;
    Sprites sprites_;
    QtTextPrinter text_;
    GameEdit game_;
    Form1Logic logic_;
    MenuCommands commands_;
    QPointer<Form1> form_;
    FrameDriver driver_;
    QTimer timer2_;
    QTimer timer3_;
    EffectReport report_;
    std::map<Control, QAction*> menuControls_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    bool ended_ = false;
};

} // namespace kelvarn
