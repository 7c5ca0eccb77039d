// The whole Windows program put together: the Win32 services, the game state and its high-score
// keeper, the main window with its menu bar and commands, the other windows, the frame driver,
// and the window services the rules ask for (enabling controls, timers, showing and closing
// windows, ending the program). run() is the program's message loop.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/EffectReport.h"
#include "commands/MenuCommands.h"
#include "commands/win32/MenuBar.h"
#include "display/Form1Logic.h"
#include "display/win32/EffectTimerDriver.h"
#include "display/win32/Form1.h"
#include "display/win32/FrameDriver.h"
#include "display/win32/GdiTextPrinter.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32KeyQuery.h"
#include "platform/win32/Win32LinkOpener.h"
#include "platform/win32/Win32Random.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32TickCounter.h"
#include "scores/HeroRecords.h"
#include "scores/ScoreStore.h"
#include "scores/win32/SecondaryWindows.h"

namespace kelvarn {

class GameApplication : public WindowShell {
  public:
    // `programFolder` holds the folder `sound` and, where it can be written, the list data.dat.
    GameApplication(HINSTANCE instance, const std::filesystem::path& programFolder);
    ~GameApplication() override;
    GameApplication(const GameApplication&) = delete;
    GameApplication& operator=(const GameApplication&) = delete;

    // Creates the main window, loads the game into it, shows it and starts the frame loop 50 ms
    // later. False when the window cannot be made.
    bool start();
    // The message loop: until the program ends. Returns the exit code.
    int run();

    Form1& mainWindow() { return form_; }
    GameEdit& game() { return game_; }
    FrameDriver& driver() { return driver_; }
    EffectTimerDriver& effectTimers() { return effects_; }
    bool ended() const { return ended_; }
    Win32MenuBar& menuBar() { return menuBar_; }
    // The window when it is open, else null.
    HWND openWindow(WindowId window) const { return windows_.open(window); }

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
    // Sends a key or a click through the window it belongs to; true when it was taken.
    bool preTranslate(MSG& msg);

    HINSTANCE instance_;
    Win32TickCounter ticks_;
    Win32KeyQuery keys_;
    Win32Random random_;
    Win32SoundPlayer sound_;
    Win32LinkOpener links_;
    Win32Dialogs dialogs_;
    std::unique_ptr<ScoreStore> scores_;
    HeroRecords records_;
    BoardLayers layers_;
    Sprites sprites_;
    GdiTextPrinter text_;
    GameEdit game_;
    Form1Logic logic_;
    MenuCommands commands_;
    PictureLoader pictures_;
    Form1 form_;
    Win32MenuBar menuBar_;
    Win32SecondaryWindows windows_;
    FrameDriver driver_;
    EffectReport report_;
    EffectTimerDriver effects_; // Timer2 and Timer3; they outlive the main window
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool ended_ = false;
};

} // namespace kelvarn
