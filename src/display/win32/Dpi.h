// The window frame around a client area at a given density. The call that knows the density of
// each monitor came with Windows 10; it is looked up at run time, so the program still starts on
// Windows 7, where every window has the system's density.
#pragma once

#include <windows.h>

namespace kelvarn {

// Grows `rect` from a client area to the whole window at `dpi`.
void adjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

} // namespace kelvarn
