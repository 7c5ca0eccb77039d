// The services the game leans on, as small interfaces. The rules reach the clock, the keyboard,
// the random generator, sounds, links, dialogs and the windows only through these, so that tests
// can replace each one with a scripted fake (see tests/fakes).
#pragma once

#include <cstdint>
#include <string>

namespace kelvarn {

// Milliseconds as a 32-bit count that wraps around; take every difference as uint32_t(a - b).
class TickCounter {
  public:
    virtual ~TickCounter() = default;
    virtual std::uint32_t tickCount() = 0;
};

// Key codes of the keys the game polls (the values the game has always used for them).
enum KeyCode : int {
    KeySpace = 0x20,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyA = 65,
};

// A key counts as pressed when it is down now or has been pressed since the previous query of
// that key; each query clears the "pressed since" latch of the key it asks about.
class KeyQuery {
  public:
    virtual ~KeyQuery() = default;
    virtual bool keyPressed(int key) = 0;
};

// One uniform generator: next() returns r with 0 <= r < 1.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void reseedFromClock() = 0;
};

// Plays sound/<name>.wav from the program's folder without waiting; a new sound cuts off the one
// still playing; silent when anything is missing.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void playSound(const std::string& name) = 0;
};

// Opens an address in the desktop's browser; failures are silent.
class LinkOpener {
  public:
    virtual ~LinkOpener() = default;
    virtual void openLink(const std::string& address) = 0;
};

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Modal boxes. Texts are UTF-8. inputBox opens with `text` in its field and returns the text as
// the player left it, or "" when cancelled.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const std::string& text, const std::string& title,
                              Buttons buttons) = 0;
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& text = {}) = 0;
};

// Controls of the main window whose enabled state the rules switch.
enum class Control {
    m1,         // "暂停"
    m2,         // "继续"
    m3,         // "退出"
    mhero,      // "英雄榜"
    menu,       // the "功能" title
    buy,        // the "买卖" title
    fg,         // "关于"
    h,          // "快速入门"
    shanbi,     // "超级修理"
    picexit,    // the exit label below the board
    miji,       // "秘技"
    ammo,       // "炮弹"
    spee,       // "火炮加速器"
    speedsuper, // "强力推进装置"
    yuhui,      // "特权待遇"
};

// The one-shot timers of the main window that end the timed power-ups.
enum class TimerId { Timer2, Timer3 };

// Windows other than the main window.
enum class WindowId { High, Form2, frmHelp, frmSplash };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr std::uint32_t value() const { return (std::uint32_t(r) << 16) | (g << 8) | b; }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// What the rules ask of the windows: enabling controls, the main window's timers, showing and
// closing windows, the date, and ending the program.
class WindowShell {
  public:
    virtual ~WindowShell() = default;
    virtual void setControlEnabled(Control control, bool enabled) = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;
    virtual void showMainWindow() = 0;
    // Closes the main window for good; its unload handler runs (and plays "end").
    virtual void unloadMainWindow() = 0;
    virtual void setTimerEnabled(TimerId timer, bool enabled) = 0;
    virtual void setWindowColour(Rgb colour) = 0;
    // Shows a window without making it modal. `afterRecord` applies to High only: the window
    // opened by the new-record flow hides "返回" and moves "退出" to the bottom edge.
    virtual void showWindow(WindowId window, bool afterRecord = false) = 0;
    // Today's date as the system's short date text.
    virtual std::string shortDateText() = 0;
    // Ends the program at once, without the main window's unload handler.
    virtual void endProgram() = 0;
};

} // namespace kelvarn
