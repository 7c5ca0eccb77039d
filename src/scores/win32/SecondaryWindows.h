// The windows other than the main window on Windows, each at most once: created when shown,
// destroyed when closed. The program's composition shows them for the rules (WindowShell's
// showWindow) and asks which is open (a box stands over the list while it is open).
#pragma once

#include <windows.h>

#include <map>

#include "platform/Services.h"
#include "platform/win32/LayoutBuilder.h"

namespace kelvarn {

class GameEdit;
class SmallWindow;

class Win32SecondaryWindows {
  public:
    // Both must outlive the windows.
    Win32SecondaryWindows(GameEdit& game, PictureLoader pictures);
    ~Win32SecondaryWindows();
    Win32SecondaryWindows(const Win32SecondaryWindows&) = delete;
    Win32SecondaryWindows& operator=(const Win32SecondaryWindows&) = delete;

    // Shows the window without making it modal; chosen again while it is open, it comes to the
    // front. `afterRecord` applies to High only.
    void show(WindowId window, bool afterRecord = false);
    // The open window, or nullptr.
    HWND open(WindowId window) const;
    // Closes every open window (the program is ending).
    void closeAll();

  private:
    SmallWindow* make(WindowId window, bool afterRecord);
    GameEdit& game_;
    PictureLoader pictures_;
    std::map<WindowId, SmallWindow*> open_;
};

} // namespace kelvarn
