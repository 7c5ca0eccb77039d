#include "scores/win32/SmallWindow.h"

#include "platform/win32/Utf16.h"

namespace kelvarn {

namespace {

constexpr wchar_t ClassName[] = L"KelvarnSmallWindow";
// Fixed size: a title bar with a close button, no maximise, no minimise, no sizing border.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

bool registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.style = CS_HREDRAW | CS_VREDRAW;
        c.lpfnWndProc = DefWindowProcW; // replaced per window once it is created
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        c.lpszClassName = ClassName;
        return RegisterClassExW(&c) != 0;
    }();
    return registered;
}

// Shown and enabled by its own state, whether or not its window is shown yet.
bool usable(HWND control) {
    return control != nullptr && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0 &&
           IsWindowEnabled(control);
}

bool isPushButton(HWND control) {
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, 16);
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(kind, L"BUTTON") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

bool SmallWindow::isSmallWindow(HWND window) {
    wchar_t kind[64] = {};
    return window != nullptr && GetClassNameW(window, kind, 64) > 0 &&
           lstrcmpW(kind, ClassName) == 0;
}

SmallWindow::SmallWindow(const WindowLayout& layout, PictureLoader pictures)
    : layout_(layout), pictures_(std::move(pictures)) {}

SmallWindow::~SmallWindow() = default;

bool SmallWindow::create() {
    if (!registerClass()) {
        return false;
    }
    const RECT outer = outerRect(layout_, WindowStyle, 0, false, systemDpi());
    hwnd_ =
        CreateWindowExW(0, ClassName, win32::toUtf16(layout_.caption).c_str(), WindowStyle,
                        outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return false;
    }
    *alive_ = true;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SmallWindow::windowProc));
    // On a screen of another resolution than the primary one, the inner area keeps its twips.
    const int dpi = windowDpi(hwnd_);
    if (dpi != systemDpi()) {
        const RECT fitted = outerRect(layout_, WindowStyle, 0, false, dpi);
        SetWindowPos(hwnd_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                     fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    controls_ = std::make_unique<LayoutBuilder>(hwnd_, layout_, pictures_);
    controls_->build();
    onCreated();
    if (HWND button = defaultButtonControl()) {
        SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        focused_ = button;
    }
    return true;
}

HWND SmallWindow::defaultButtonControl() const {
    HWND named = controls_ ? controls_->control(defaultButton()) : nullptr;
    if (usable(named)) {
        return named;
    }
    for (const LayoutRow& row : layout_.rows) {
        HWND button = row.kind == ControlKind::Button ? controls_->control(row.name) : nullptr;
        if (usable(button)) {
            return button;
        }
    }
    return nullptr;
}

void SmallWindow::focus(HWND control) {
    if (control == nullptr || !IsChild(hwnd_, control)) {
        return;
    }
    focused_ = control;
    SetFocus(control);
    if (!isPushButton(control)) {
        return;
    }
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (isPushButton(c)) {
            SendMessageW(c, BM_SETSTYLE, c == control ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
    }
}

void SmallWindow::show() {
    if (hwnd_ == nullptr) {
        return;
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void SmallWindow::close() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK SmallWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SmallWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        *self->alive_ = false;
        if (self->onDestroyed) {
            self->onDestroyed();
        }
        delete self;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT SmallWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls_ && controls_->handle(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT paints it all
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        if (controls_) {
            RECT area;
            GetClientRect(hwnd_, &area);
            controls_->paintBackground(dc, area);
        }
        EndPaint(hwnd_, &paint);
        return 0;
    }
    case DM_GETDEFID: {
        // Enter presses the focused push button, or else the default one.
        HWND current = GetFocus();
        HWND button = current != nullptr && IsChild(hwnd_, current) && isPushButton(current)
                          ? current
                          : defaultButtonControl();
        return button != nullptr ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
    }
    case WM_NEXTDLGCTL: {
        // Tab and Shift+Tab: the next or previous button.
        HWND current = GetFocus();
        HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(hwnd_, IsChild(hwnd_, current) ? current : nullptr,
                                            wParam != 0);
        focus(next);
        return 0;
    }
    case WM_COMMAND:
        // Esc, through IsDialogMessageW: as the title bar's close button.
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0 && lParam == 0) {
            onTitleBarClose();
            return 0;
        }
        // BN_CLICKED and STN_CLICKED are both 0.
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && controls_) {
            if (const LayoutRow* row = controls_->rowOfId(LOWORD(wParam))) {
                onClick(*row);
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            onActivate();
            // The focus goes back to the control that had it, so that the keys reach the buttons.
            HWND target = hwnd_ == nullptr   ? nullptr
                          : usable(focused_) ? focused_
                                             : defaultButtonControl();
            if (target != nullptr) {
                focus(target);
                return 0;
            }
        }
        break;
    case WM_SETFOCUS:
        if (usable(focused_) && IsChild(hwnd_, focused_)) {
            SetFocus(focused_);
        }
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_CLOSE:
        onTitleBarClose();
        return 0;
    case WM_DESTROY:
        onDestroying();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace kelvarn
