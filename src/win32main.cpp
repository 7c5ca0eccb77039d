// Kelvarn for Windows: steer the warship, sink the submarines, dodge the bombs.
#include <windows.h>

#include <objbase.h>

#include <string>

#include "app/win32/GameApplication.h"

namespace {

// The folder kelvarn.exe lives in, without a trailing separator.
std::wstring programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) {
            return L".";
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The pictures are decoded by the Windows Imaging Component, a COM library.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int code = 1;
    {
        kelvarn::GameApplication game(instance, programFolder());
        if (game.start()) {
            code = game.run();
        } else {
            OutputDebugStringW(L"kelvarn: the main window could not be created\n");
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return code;
}
