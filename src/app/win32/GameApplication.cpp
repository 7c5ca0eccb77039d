#include "app/win32/GameApplication.h"

#include "display/Form1Layout.h"
#include "display/win32/Pictures.h"
#include "platform/win32/Utf16.h"
#include "scores/win32/ScoreFolders.h"
#include "scores/win32/SmallWindow.h"

namespace kelvarn {

namespace {

// The program's icon in the resources.
constexpr WORD ProgramIcon = 1;

} // namespace

GameApplication::GameApplication(HINSTANCE instance, const std::filesystem::path& programFolder)
    : instance_(instance), sound_(programFolder / L"sound"), scores_(makeFileScoreStore()),
      records_(*scores_), sprites_(loadSprites()),
      text_(boardTextFont().family.c_str(), boardTextFont().points),
      game_(Services{ticks_, keys_, random_, sound_, links_, dialogs_, *this, records_},
            layers_.Pic2),
      logic_(game_, layers_, sprites_, text_), commands_(game_, logic_),
      pictures_([](const std::string& stem) {
          return bitmapFromSurface(loadPicture(win32::toUtf16(stem).c_str()));
      }),
      form_(logic_, instance, &text_, pictures_), menuBar_(commands_, pictures_),
      windows_(game_, pictures_), driver_(logic_, ticks_), effects_(ticks_, [this](TimerId timer) {
          report_.wentOff(timer);
          if (timer == TimerId::Timer2) {
              logic_.Timer2_Timer();
          } else {
              logic_.Timer3_Timer();
          }
      }) {
    driver_.onFramePainted = [this] {
        if (!form_.unloaded()) {
            form_.MainBoard().boardChanged(logic_.painter.changed());
        }
        // For start-up measurements: the program has no console, a debugger sees this.
        if (driver_.framesRun() == 1) {
            OutputDebugStringW(L"kelvarn: first frame painted\n");
        }
    };
    // A frame never runs while a menu is open.
    form_.onMenuLoop = [this](bool open) {
        if (open) {
            menuBar_.onEnterMenuLoop();
        } else {
            menuBar_.onExitMenuLoop();
        }
        driver_.setMenuOpen(open);
    };
    form_.onCommand = [this](WORD id) { menuBar_.onCommand(id); };
    form_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message == WM_INITMENUPOPUP) {
            menuBar_.onInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
            result = 0;
            return true;
        }
        return false;
    };
    // A box stands over the window the player is at: the list while it is open (the main window
    // is disabled or gone then), otherwise the main window while it lives.
    dialogs_.owner = [this]() -> HWND {
        if (HWND list = windows_.open(WindowId::High)) {
            return list;
        }
        return !form_.unloaded() && IsWindowVisible(form_.hwnd()) ? form_.hwnd() : nullptr;
    };
    dialogs_.onClosed = [this] { driver_.wake(); };
    form_.onLabel1Click = [this] { commands_.Label1_Click(); };
    form_.onPicexitClick = [this] { commands_.picexit_Click(); };
}

GameApplication::~GameApplication() {
    driver_.stop();
    for (HICON icon : {bigIcon_, smallIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

bool GameApplication::start() {
    const int big = GetSystemMetrics(SM_CXICON);
    const int small = GetSystemMetrics(SM_CXSMICON);
    bigIcon_ = static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON, big, big, 0));
    smallIcon_ = static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON, small, small, 0));
    // The menu bar is on the window before the load handler runs, so that the start-up greying
    // of the resume item reaches it.
    if (!form_.create(menuBar_.menu(), bigIcon_, smallIcon_)) {
        return false;
    }
    menuBar_.attach(form_.hwnd());
    logic_.Form_Load();
    // The board shows its background until the first frame is painted.
    layers_.MainBoard.clearToPicture(sprites_.boardBackground, BoardLayers::Colour);
    form_.show();
    driver_.startAfterLoad(Form1Timers::Timer1Ms);
    return true;
}

bool GameApplication::preTranslate(MSG& msg) {
    if (msg.hwnd == nullptr) {
        return false;
    }
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!form_.unloaded() && top == form_.hwnd()) {
        // The menu bar's shortcuts.
        return menuBar_.translate(msg);
    }
    // In the small windows Tab moves between the buttons, Enter presses the focused or default
    // one and Esc closes the window; the keys of any other window go their usual way.
    return SmallWindow::isSmallWindow(top) && IsDialogMessageW(top, &msg);
}

int GameApplication::run() {
    // The frame timer and the timer of the timed effects; the message loop waits on both.
    HANDLE timers[2];
    DWORD count = 0;
    HANDLE frameTimer = driver_.waitHandle();
    HANDLE effectTimer = effects_.waitHandle();
    for (HANDLE h : {frameTimer, effectTimer}) {
        if (h != nullptr) {
            timers[count++] = h;
        }
    }
    MSG msg{};
    for (;;) {
        // Sleep until a message arrives or a timer is due. The timers reset themselves when a wait
        // sees them signalled.
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, timers, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        bool frameDue =
            woken < WAIT_OBJECT_0 + count && timers[woken - WAIT_OBJECT_0] == frameTimer;
        // A timed effect ends the moment it is due, before the messages that wait.
        if (woken < WAIT_OBJECT_0 + count && timers[woken - WAIT_OBJECT_0] == effectTimer) {
            effects_.check();
        }
        // Then the messages: a key, a click or a menu command that arrived before the frame is
        // due is handled before it, as between two frames.
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return int(msg.wParam);
            }
            if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
                msg.hwnd != nullptr && !form_.unloaded() &&
                GetAncestor(msg.hwnd, GA_ROOT) == form_.hwnd()) {
                keys_.keyWentDown(int(msg.wParam & 0xFF));
            }
            if (!preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (effectTimer != nullptr && WaitForSingleObject(effectTimer, 0) == WAIT_OBJECT_0) {
            effects_.check();
        }
        if (frameTimer != nullptr && !frameDue) {
            frameDue = WaitForSingleObject(frameTimer, 0) == WAIT_OBJECT_0;
        }
        if (frameDue) {
            driver_.timerSignalled();
        }
    }
}

void GameApplication::setControlEnabled(Control control, bool enabled) {
    if (control == Control::picexit) {
        if (HWND label = form_.unloaded() ? nullptr : form_.controls().control("picexit")) {
            EnableWindow(label, enabled ? TRUE : FALSE);
        }
        return;
    }
    menuBar_.setControlEnabled(control, enabled);
}

void GameApplication::setMainWindowEnabled(bool enabled) {
    form_.setEnabled(enabled);
}

void GameApplication::showMainWindow() {
    form_.show();
}

void GameApplication::unloadMainWindow() {
    // From here on no frame paints into the window, and nothing shows it again.
    driver_.stop();
    form_.unload();
}

void GameApplication::setTimerEnabled(TimerId timer, bool enabled) {
    if (enabled && !effects_.running(timer)) {
        report_.started(timer);
    }
    effects_.setEnabled(timer, enabled);
}

void GameApplication::setWindowColour(Rgb colour) {
    form_.setWindowColour(RGB(colour.r, colour.g, colour.b));
}

void GameApplication::showWindow(WindowId window, bool afterRecord) {
    windows_.show(window, afterRecord);
}

std::string GameApplication::shortDateText() {
    // The system's short date; a format that would not fit the list's 16 bytes falls back to
    // year/month/day.
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t text[80] = {};
    std::string utf8;
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, text, 80) > 0) {
        utf8 = win32::toUtf8(std::wstring_view(text));
    }
    if (utf8.empty() || utf8.size() > 16) {
        utf8 = std::to_string(today.wYear) + "/" + std::to_string(today.wMonth) + "/" +
               std::to_string(today.wDay);
    }
    return utf8;
}

void GameApplication::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    driver_.stop();
    setTimerEnabled(TimerId::Timer2, false);
    setTimerEnabled(TimerId::Timer3, false);
    windows_.closeAll();
    form_.closeSilently();
    PostQuitMessage(0);
}

} // namespace kelvarn
