#include "platform/win32/Win32LinkOpener.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace kelvarn {

void Win32LinkOpener::openLink(const std::string& address) {
    // The shell may hand the address to extensions that need COM on this thread; initialise it
    // for the call unless the program already has.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteW(nullptr, L"open", win32::toUtf16(address).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

} // namespace kelvarn
