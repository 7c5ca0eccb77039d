#include "platform/win32/Win32KeyQuery.h"

#include <windows.h>

namespace kelvarn {
namespace {

bool foregroundIsOurs() {
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    return foreground != nullptr && GetWindowThreadProcessId(foreground, &process) != 0 &&
           process == GetCurrentProcessId();
}

} // namespace

bool Win32KeyQuery::keyPressed(int key) {
    // The high bit: down now; the low bit: pressed since the previous call (the call clears it).
    const SHORT state = GetAsyncKeyState(key);
    bool pressedSince = false;
    if (key >= 0 && key < int(pressedSince_.size())) {
        pressedSince = pressedSince_[std::size_t(key)];
        pressedSince_[std::size_t(key)] = false;
    }
    return ((state & SHORT(0x8001)) != 0 || pressedSince) && foregroundIsOurs();
}

void Win32KeyQuery::keyWentDown(int key) {
    if (key >= 0 && key < int(pressedSince_.size())) {
        pressedSince_[std::size_t(key)] = true;
    }
}

} // namespace kelvarn
