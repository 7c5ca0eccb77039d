// Dots per inch of a window, and the window frame around a client area at that density. The calls
// that give them per monitor came with Windows 10; they are looked up at run time, so the program
// still starts on Windows 7, where every window has the system's density.
#pragma once

#include <windows.h>

namespace kelvarn {

// The density the window is shown at (96 at 100 %).
int dpiForWindow(HWND window);
// Grows `rect` from a client area to the whole window at `dpi`.
void adjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

} // namespace kelvarn
