#include "display/win32/Form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "display/Form1Layout.h"
#include "display/win32/Dpi.h"
#include "platform/win32/Utf16.h"

namespace kelvarn {

namespace {

constexpr wchar_t BoardClass[] = L"KelvarnBoard";
constexpr wchar_t FormClass[] = L"KelvarnForm1";
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD FormExStyle = 0;

// A board pixel is dpi / 96 device pixels wide; the sunken border around it two board pixels.
int boardPixels(int length, int dpi) {
    return int(std::lround(double(length) * dpi / USER_DEFAULT_SCREEN_DPI));
}

} // namespace

// ---- board ----

BoardView::BoardView(const BoardLayers& layers, const GdiTextPrinter* text)
    : layers_(layers), text_(text) {
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = BoardLayers::Width;
    info_.bmiHeader.biHeight = -BoardLayers::Height; // top-down rows, as the surface holds them
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 32;
    info_.bmiHeader.biCompression = BI_RGB;
}

BoardView::~BoardView() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
}

bool BoardView::create(HWND parent, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, BoardClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &BoardView::windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = BoardClass;
        RegisterClassExW(&wc);
    }
    hwnd_ = CreateWindowExW(0, BoardClass, L"MainBoard", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                            nullptr, instance, this);
    return hwnd_ != nullptr;
}

void BoardView::place(int x, int y, int dpi) {
    if (dpi != dpi_) {
        stale_ = true;
    }
    dpi_ = dpi;
    const int border = boardPixels(2, dpi);
    const int w = boardPixels(BoardLayers::Width, dpi) + 2 * border;
    const int h = boardPixels(BoardLayers::Height, dpi) + 2 * border;
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

RECT BoardView::enlarge() {
    const Surface& board = layers_.MainBoard;
    const int tiles = (BoardLayers::Width + BoardScale::TileWidth - 1) / BoardScale::TileWidth;
    if (stale_) {
        // A new density, or the first picture: every tile, at the new size.
        stale_ = false;
        scale_ = BoardScale(BoardLayers::Width, BoardLayers::Height,
                            double(dpi_) / USER_DEFAULT_SCREEN_DPI);
        screen_.assign(std::size_t(scale_.deviceWidth()) * std::size_t(scale_.deviceHeight()),
                       Opaque);
        screenInfo_ = info_;
        screenInfo_.bmiHeader.biWidth = scale_.deviceWidth();
        screenInfo_.bmiHeader.biHeight = -scale_.deviceHeight();
        previous_ = board;
        changedTiles_.assign(std::size_t(BoardLayers::Height), BoardScale::AllTiles);
    } else {
        changedTiles_.assign(std::size_t(BoardLayers::Height), 0);
        for (int y = 0; y < BoardLayers::Height; ++y) {
            const std::uint32_t* now = board.data() + std::size_t(y) * BoardLayers::Width;
            std::uint32_t* was = previous_.data() + std::size_t(y) * BoardLayers::Width;
            for (int t = 0; t < tiles; ++t) {
                const int x = t * BoardScale::TileWidth;
                const int n = std::min(BoardScale::TileWidth, BoardLayers::Width - x);
                if (!std::equal(now + x, now + x + n, was + x)) {
                    changedTiles_[std::size_t(y)] |= 1u << t;
                    std::copy(now + x, now + x + n, was + x);
                }
            }
        }
    }
    RECT changed{scale_.deviceWidth(), scale_.deviceHeight(), 0, 0};
    for (int y = 0; y < BoardLayers::Height; ++y) {
        const std::uint32_t bits = changedTiles_[std::size_t(y)];
        if (bits == 0) {
            continue;
        }
        const int first = std::countr_zero(bits);
        const int last = 31 - std::countl_zero(bits);
        const int lastColumn = std::min(BoardLayers::Width, (last + 1) * BoardScale::TileWidth) - 1;
        changed.left =
            std::min<LONG>(changed.left, scale_.firstColumn(first * BoardScale::TileWidth));
        changed.right = std::max<LONG>(changed.right, scale_.lastColumn(lastColumn) + 1);
        changed.top = std::min<LONG>(changed.top, scale_.firstRow(y));
        changed.bottom = std::max<LONG>(changed.bottom, scale_.lastRow(y) + 1);
    }
    scale_.resampleTiles(board.data(), BoardLayers::Width, changedTiles_.data(), screen_.data(),
                         scale_.deviceWidth());
    return changed;
}

void BoardView::boardChanged() {
    if (hwnd_ == nullptr) {
        return;
    }
    const int border = boardPixels(2, dpi_);
    RECT inner{border, border, border + boardPixels(BoardLayers::Width, dpi_),
               border + boardPixels(BoardLayers::Height, dpi_)};
    if (scaled()) {
        const RECT changed = enlarge();
        if (changed.left >= changed.right || changed.top >= changed.bottom) {
            return;
        }
        inner = RECT{border + changed.left, border + changed.top, border + changed.right,
                     border + changed.bottom};
    }
    InvalidateRect(hwnd_, &inner, FALSE);
    // Shown now, not when the message queue runs dry: the next frame is due in 29 ms.
    UpdateWindow(hwnd_);
}

void BoardView::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int border = boardPixels(2, dpi_);
    // The sunken border: shadow above and left, light below and right, two rings.
    for (int i = 0; i < border; ++i) {
        const bool outer = i < border / 2 || border == 1;
        HBRUSH dark = GetSysColorBrush(outer ? COLOR_3DSHADOW : COLOR_3DDKSHADOW);
        HBRUSH light = GetSysColorBrush(outer ? COLOR_3DHILIGHT : COLOR_3DLIGHT);
        RECT top{client.left + i, client.top + i, client.right - i, client.top + i + 1};
        RECT left{client.left + i, client.top + i, client.left + i + 1, client.bottom - i};
        RECT bottom{client.left + i, client.bottom - i - 1, client.right - i, client.bottom - i};
        RECT right{client.right - i - 1, client.top + i, client.right - i, client.bottom - i};
        FillRect(dc, &bottom, light);
        FillRect(dc, &right, light);
        FillRect(dc, &top, dark);
        FillRect(dc, &left, dark);
    }
    const Surface& board = layers_.MainBoard;
    if (dpi_ == USER_DEFAULT_SCREEN_DPI) {
        SetDIBitsToDevice(dc, border, border, DWORD(board.width()), DWORD(board.height()), 0, 0, 0,
                          UINT(board.height()), board.data(), &info_, DIB_RGB_COLORS);
        return;
    }
    if (stale_) {
        enlarge();
    }
    SetDIBitsToDevice(dc, border, border, DWORD(scale_.deviceWidth()), DWORD(scale_.deviceHeight()),
                      0, 0, 0, UINT(scale_.deviceHeight()), screen_.data(), &screenInfo_,
                      DIB_RGB_COLORS);
    (void)text_;
}

LRESULT CALLBACK BoardView::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<BoardView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
        case WM_ERASEBKGND:
            return 1; // every pixel is painted
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            self->paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (self->onMouseMove) {
                self->onMouseMove();
            }
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---- the window ----

Form1::Form1(Form1Logic& logic, HINSTANCE instance, const GdiTextPrinter* text,
             PictureLoader pictures)
    : logic_(logic), instance_(instance), pictures_(std::move(pictures)),
      board_(logic.layers, text),
      exitColour_(form1Layout().row("picexit").textColour.value_or(ExitLabelColours::rest)) {
    const Rgb background = form1Layout().background.value_or(Rgb{});
    colour_ = RGB(background.r, background.g, background.b);
}

Form1::~Form1() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Form1::create(HMENU menu, HICON bigIcon, HICON smallIcon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Form1::windowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hIcon = bigIcon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = FormClass;
    RegisterClassExW(&wc);
    const std::wstring caption = win32::toUtf16(form1Layout().caption);
    hwnd_ = CreateWindowExW(FormExStyle, FormClass, caption.c_str(), FormStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance_,
                            this);
    if (hwnd_ == nullptr) {
        return false;
    }
    if (bigIcon != nullptr) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    }
    if (smallIcon != nullptr) {
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
    if (!board_.create(hwnd_, instance_)) {
        return false;
    }
    dpi_ = windowDpi(hwnd_);
    // The window's own picture is its icon, not a picture drawn on its background.
    const WindowLayout& form = form1Layout();
    controls_ = std::make_unique<LayoutBuilder>(
        hwnd_, form, [this, icon = form.picture](const std::string& stem) -> HBITMAP {
            return stem == icon || !pictures_ ? nullptr : pictures_(stem);
        });
    controls_->build();
    board_.onMouseMove = [this] { MainBoard_MouseMove(); };
    const LayoutRow& boardRow = form.row("MainBoard");
    if (!boardRow.tooltip.empty()) {
        controls_->addTooltip(board_.hwnd(), boardRow.tooltip);
    }
    // The address and the exit label tell the window about the pointer over them.
    Label1_ = controls_->control("Label1");
    picexit_ = controls_->control("picexit");
    for (HWND label : {Label1_, picexit_}) {
        if (label != nullptr) {
            SetWindowSubclass(label, &Form1::labelProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    layout(true);
    return true;
}

void Form1::layout(bool place) {
    const WindowLayout& form = form1Layout();
    const int width = twipsToPixels(form.width, dpi_);
    const int height = twipsToPixels(form.height, dpi_);
    RECT frame{0, 0, width, height};
    adjustWindowRectForDpi(frame, FormStyle, GetMenu(hwnd_) != nullptr, FormExStyle, dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int x = 0;
    int y = 0;
    if (place) {
        // The inner area, below the title bar and the menu bar, stands at its place on the screen.
        x = twipsToPixels(form.place.at.left, dpi_) + frame.left;
        y = twipsToPixels(form.place.at.top, dpi_) + frame.top;
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(hwnd_, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top, flags);
    // A menu bar too long for the window wraps onto a second line: grow the window by as much.
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.bottom - client.top != height || client.right - client.left != width) {
        RECT now;
        GetWindowRect(hwnd_, &now);
        SetWindowPos(hwnd_, nullptr, 0, 0,
                     now.right - now.left + width - (client.right - client.left),
                     now.bottom - now.top + height - (client.bottom - client.top),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    const TwipsRect board = form.row("MainBoard").place;
    board_.place(twipsToPixels(board.left, dpi_), twipsToPixels(board.top, dpi_), dpi_);
}

void Form1::show() {
    if (unloaded_ || hwnd_ == nullptr) {
        return;
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

void Form1::setEnabled(bool enabled) {
    if (!unloaded_ && hwnd_ != nullptr) {
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    }
}

void Form1::setWindowColour(COLORREF colour) {
    colour_ = colour;
    if (controls_ != nullptr) {
        controls_->setBackground(Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    }
    if (!unloaded_ && hwnd_ != nullptr) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

// Pointer feedback. There are no leave events: the underline goes and the exit label calms down
// only when the pointer next moves over the window's background or the board.
void Form1::setExitColour(Rgb colour) {
    exitColour_ = colour;
    if (controls_ != nullptr) {
        controls_->setTextColour("picexit", colour);
    }
}

void Form1::Form_MouseMove() {
    controls_->setVisible("Shape1", false);
    setExitColour(ExitLabelColours::rest);
}

void Form1::MainBoard_MouseMove() {
    controls_->setVisible("Shape1", false);
    setExitColour(ExitLabelColours::rest);
}

void Form1::Label1_MouseMove() {
    controls_->setVisible("Shape1", true);
}

void Form1::picexit_MouseMove() {
    setExitColour(ExitLabelColours::hover);
}

void Form1::picexit_MouseDown() {
    setExitColour(ExitLabelColours::pressed);
}

void Form1::picexit_MouseUp() {
    setExitColour(ExitLabelColours::pressed);
}

LRESULT CALLBACK Form1::labelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    auto* self = reinterpret_cast<Form1*>(data);
    const bool exit = hwnd == self->picexit_;
    switch (message) {
    case WM_MOUSEMOVE:
        if (exit) {
            self->picexit_MouseMove();
        } else {
            self->Label1_MouseMove();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The label keeps the pointer until the button comes up, wherever it goes.
        SetCapture(hwnd);
        if (exit) {
            self->picexit_MouseDown();
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool captured = GetCapture() == hwnd;
        if (captured) {
            ReleaseCapture();
        }
        if (exit) {
            self->picexit_MouseUp();
        }
        // A click is a left press and release over the label.
        RECT client;
        GetClientRect(hwnd, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (message == WM_LBUTTONUP && captured && PtInRect(&client, at)) {
            const auto& click = exit ? self->onPicexitClick : self->onLabel1Click;
            if (click) {
                click();
            }
        }
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &Form1::labelProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Form1::unload() {
    if (unloaded_) {
        return;
    }
    unloading_ = true;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    unloading_ = false;
}

void Form1::closeSilently() {
    if (unloaded_) {
        return;
    }
    closingSilently_ = true;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK Form1::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        auto* self = static_cast<Form1*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (onMessage) {
        LRESULT result = 0;
        if (onMessage(message, wParam, lParam, result)) {
            return result;
        }
    }
    if (controls_ != nullptr && message != WM_DPICHANGED) {
        LRESULT result = 0;
        if (controls_->handle(message, wParam, lParam, result)) {
            return result;
        }
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        if (controls_ != nullptr) {
            controls_->paintBackground(reinterpret_cast<HDC>(wParam), client);
        } else {
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        return 1;
    }
    case WM_MOUSEMOVE:
        if (controls_ != nullptr) {
            Form_MouseMove();
        }
        return 0;
    case WM_KEYDOWN:
        // Auto-repeat presses come here too: holding two arrows keeps the speed gauge at 0.
        logic_.Form_KeyDown();
        return 0;
    case WM_KEYUP:
        // Windows repeats a held key as presses only: every release is real. The virtual-key
        // codes are the game's own key codes.
        logic_.Form_KeyUp(int(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(hwnd_);
        }
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && onCommand) {
            onCommand(LOWORD(wParam)); // a menu item or an accelerator
            return 0;
        }
        break;
    case WM_ENTERMENULOOP:
        if (onMenuLoop) {
            onMenuLoop(true);
        }
        return 0;
    case WM_EXITMENULOOP:
        if (onMenuLoop) {
            onMenuLoop(false);
        }
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layout(false);
        controls_->relayout(dpi_);
        if (onDpiChanged) {
            onDpiChanged(dpi_);
        }
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    }
    case WM_CLOSE:
        if (unloaded_) {
            return 0;
        }
        if (closingSilently_ || unloading_) {
            unloaded_ = true;
            if (unloading_) {
                logic_.Form_Unload();
            }
            ShowWindow(hwnd_, SW_HIDE);
            DestroyWindow(hwnd_);
            return 0;
        }
        // Closed through the title bar: leave the way the exit commands do, so that a score that
        // makes the list is offered before the program ends.
        if (IsWindowEnabled(hwnd_)) {
            logic_.closeFromTitleBar();
        }
        return 0;
    case WM_DESTROY:
        unloaded_ = true;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace kelvarn
