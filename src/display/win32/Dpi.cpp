#include "display/win32/Dpi.h"

namespace kelvarn {

void adjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 == nullptr
                   ? nullptr
                   : reinterpret_cast<AdjustWindowRectExForDpiFn>(reinterpret_cast<void*>(
                         GetProcAddress(user32, "AdjustWindowRectExForDpi")));
    }();
    if (adjustForDpi != nullptr && adjustForDpi(&rect, style, menu, exStyle, UINT(dpi))) {
        return;
    }
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

} // namespace kelvarn
