#include "platform/win32/Win32Dialogs.h"

#include <algorithm>
#include <string>

#include "platform/DialogTexts.h"
#include "platform/InputBoxLayout.h"
#include "platform/win32/Utf16.h"

namespace kelvarn {
namespace {

// ---- the message box's captions ----

// The hook that gives the next message box of this thread the game's button captions as it
// appears, then takes itself away.
thread_local HHOOK captionHook = nullptr;

LRESULT CALLBACK captionBox(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = captionHook;
    wchar_t kind[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16) > 0 &&
        std::wstring_view(kind) == L"#32770") { // the box, not another window activated first
        const auto box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDYES, win32::toUtf16(dialog_texts::Yes).c_str());
        SetDlgItemTextW(box, IDNO, win32::toUtf16(dialog_texts::No).c_str());
        SetDlgItemTextW(box, IDOK, win32::toUtf16(dialog_texts::Ok).c_str());
        UnhookWindowsHookEx(hook);
        captionHook = nullptr;
        return 0;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

HWND usableOwner(const std::function<HWND()>& owner) {
    const HWND window = owner ? owner() : nullptr;
    return window != nullptr && IsWindow(window) ? window : nullptr;
}

// ---- the input box ----

struct InputBoxState {
    std::wstring title, prompt, text;
    HWND owner = nullptr;
    HFONT font = nullptr;
    bool accepted = false;
};

RECT pixelRect(TwipsRect r, int dpi) {
    const int x = MulDiv(r.left, dpi, 1440);
    const int y = MulDiv(r.top, dpi, 1440);
    return {x, y, x + MulDiv(r.width, dpi, 1440), y + MulDiv(r.height, dpi, 1440)};
}

HWND addControl(HWND box, const wchar_t* kind, const std::wstring& text, DWORD style, DWORD exStyle,
                int id, TwipsRect place, int dpi, HFONT font) {
    const RECT r = pixelRect(place, dpi);
    const HWND control = CreateWindowExW(exStyle, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                         r.left, r.top, r.right - r.left, r.bottom - r.top, box,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void layOut(HWND box, InputBoxState& state) {
    const InputBoxLayout& layout = inputBoxLayout();
    const int dpi = windowDpi(box);
    state.font =
        CreateFontW(-MulDiv(int(layout.font.points * 10), dpi, 720), 0, 0, 0,
                    layout.font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, win32::toUtf16(layout.font.family).c_str());
    SetWindowTextW(box, state.title.c_str());
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);

    // Tab order: the field, then the buttons.
    addControl(box, L"STATIC", state.prompt, SS_LEFT | SS_NOPREFIX, 0, Win32Dialogs::PromptId,
               layout.prompt, dpi, state.font);
    const HWND field =
        addControl(box, L"EDIT", state.text, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                   Win32Dialogs::FieldId, layout.field, dpi, state.font);
    addControl(box, L"BUTTON", win32::toUtf16(layout.okText), WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
               IDOK, layout.ok, dpi, state.font);
    addControl(box, L"BUTTON", win32::toUtf16(layout.cancelText), WS_TABSTOP | BS_PUSHBUTTON, 0,
               IDCANCEL, layout.cancel, dpi, state.font);

    // The inner area at its size, centred over the owner (or the screen's work area).
    RECT frame{0, 0, MulDiv(layout.width, dpi, 1440), MulDiv(layout.height, dpi, 1440)};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(box, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT around{};
    if (state.owner == nullptr || !GetWindowRect(state.owner, &around)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    x = std::max(int(work.left), std::min(x, int(work.right) - width));
    y = std::max(int(work.top), std::min(y, int(work.bottom) - height));
    SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

INT_PTR CALLBACK inputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<InputBoxState*>(lParam);
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        layOut(box, *state);
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const HWND field = GetDlgItem(box, Win32Dialogs::FieldId);
            std::wstring text(std::size_t(GetWindowTextLengthW(field)) + 1, L'\0');
            text.resize(std::size_t(GetWindowTextW(field, text.data(), int(text.size()))));
            state->text = std::move(text);
            state->accepted = true;
            EndDialog(box, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (state != nullptr && state->font != nullptr) {
            DeleteObject(state->font);
            state->font = nullptr;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// A dialog template without controls: the box makes its controls itself, in pixels at the
// monitor's resolution.
struct alignas(4) EmptyDialog {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};

} // namespace

Answer Win32Dialogs::messageBox(const std::string& text, const std::string& title,
                                Buttons buttons) {
    const HWND parent = usableOwner(owner);
    UINT style = buttons == Buttons::YesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK;
    style |= parent != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    captionHook = SetWindowsHookExW(WH_CBT, captionBox, nullptr, GetCurrentThreadId());
    const int result =
        MessageBoxW(parent, win32::toUtf16(text).c_str(), win32::toUtf16(title).c_str(), style);
    if (captionHook != nullptr) { // the box never appeared
        UnhookWindowsHookEx(captionHook);
        captionHook = nullptr;
    }
    if (onClosed) {
        onClosed();
    }
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return result == IDYES ? Answer::Yes : Answer::No;
}

std::string Win32Dialogs::inputBox(const std::string& prompt, const std::string& title,
                                   const std::string& text) {
    InputBoxState state;
    state.title = win32::toUtf16(title);
    state.prompt = win32::toUtf16(prompt);
    state.text = win32::toUtf16(text);
    state.owner = usableOwner(owner);
    EmptyDialog empty{};
    // Shown as soon as it is laid out: without WS_VISIBLE the dialog manager shows the box only
    // once the thread's message queue runs dry, which a busy queue can put off indefinitely.
    empty.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, state.owner, inputBoxProc,
                            reinterpret_cast<LPARAM>(&state));
    if (onClosed) {
        onClosed();
    }
    return state.accepted ? win32::toUtf8(std::wstring_view(state.text)) : std::string();
}

} // namespace kelvarn
