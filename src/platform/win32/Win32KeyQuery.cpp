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
    return (state & SHORT(0x8001)) != 0 && foregroundIsOurs();
}

} // namespace kelvarn
