// Kelvarn for Windows: steer the warship, sink the submarines, dodge the bombs.
#include <windows.h>

#include <objbase.h>

#include "app/win32/GameApplication.h"
#include "scores/win32/ScoreFolders.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The pictures are decoded by the Windows Imaging Component, a COM library.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int code = 1;
    {
        kelvarn::GameApplication game(instance, kelvarn::programFolder());
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
