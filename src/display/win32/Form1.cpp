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

// A board pixel is dpi / 96 device pixels wide, and so is each of its border's.
int boardPixels(int length, int dpi) {
    return int(std::lround(double(length) * dpi / USER_DEFAULT_SCREEN_DPI));
}

} // namespace

// ---- board ----

BoardView::BoardView(const BoardLayers& layers, const Surface& background,
                     const GdiTextPrinter* text)
    : layers_(layers), text_(text),
      ground_(BoardLayers::Width, BoardLayers::Height, BoardLayers::Colour) {
    ground_.clearToPicture(background, BoardLayers::Colour);
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
    if (letteringDc_ != nullptr) {
        SelectObject(letteringDc_, oldFont_);
        SelectObject(letteringDc_, oldLettering_);
        DeleteDC(letteringDc_);
    }
    if (lettering_ != nullptr) {
        DeleteObject(lettering_);
    }
    if (letteringFont_ != nullptr) {
        DeleteObject(letteringFont_);
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
    const int border = boardPixels(BoardLayers::Border, dpi);
    const int w = boardPixels(BoardLayers::Width, dpi) + 2 * border;
    const int h = boardPixels(BoardLayers::Height, dpi) + 2 * border;
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

std::vector<RECT> BoardView::enlarge(const BoardRegion* changed) {
    const Surface& board = layers_.MainBoard;
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
        lines_.clear();
        // The glyphs at the screen's size: white on black in a bitmap of the screen's size.
        if (letteringDc_ != nullptr) {
            SelectObject(letteringDc_, oldFont_);
            SelectObject(letteringDc_, oldLettering_);
            DeleteDC(letteringDc_);
            DeleteObject(lettering_);
            DeleteObject(letteringFont_);
            letteringDc_ = nullptr;
            lettering_ = nullptr;
            letteringFont_ = nullptr;
            letteringBits_ = nullptr;
        }
        if (text_ != nullptr) {
            letteringDc_ = CreateCompatibleDC(nullptr);
            void* bits = nullptr;
            lettering_ =
                CreateDIBSection(letteringDc_, &screenInfo_, DIB_RGB_COLORS, &bits, nullptr, 0);
            letteringBits_ = static_cast<std::uint32_t*>(bits);
            oldLettering_ = SelectObject(letteringDc_, lettering_);
            letteringFont_ = text_->createFont(dpi_);
            oldFont_ = SelectObject(letteringDc_, letteringFont_);
            SetBkMode(letteringDc_, TRANSPARENT);
            SetTextColor(letteringDc_, RGB(255, 255, 255));
            SetTextAlign(letteringDc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
            cover_.assign(screen_.size(), 0);
        }
    } else {
        findChangedTiles(changed);
    }
    // What changed, in device pixels.
    std::vector<RECT> rects;
    for (const Rect& band : scale_.changedBands(changedTiles_.data())) {
        rects.push_back(RECT{scale_.firstColumn(band.x), scale_.firstRow(band.y),
                             scale_.lastColumn(band.right() - 1) + 1,
                             scale_.lastRow(band.bottom() - 1) + 1});
    }
    scale_.resampleTiles(board.data(), BoardLayers::Width, changedTiles_.data(), screen_.data(),
                         scale_.deviceWidth());
    sharpenStatusLines(rects);
    return rects;
}

void BoardView::findChangedTiles(const BoardRegion* changed) {
    const Surface& board = layers_.MainBoard;
    changedTiles_.assign(std::size_t(BoardLayers::Height), 0);
    auto compare = [&](int y, std::uint32_t tiles) {
        const std::uint32_t* now = board.data() + std::size_t(y) * BoardLayers::Width;
        std::uint32_t* was = previous_.data() + std::size_t(y) * BoardLayers::Width;
        for (std::uint32_t left = tiles; left != 0; left &= left - 1) {
            const int t = std::countr_zero(left);
            const int x = t * BoardScale::TileWidth;
            const int n = std::min(BoardScale::TileWidth, BoardLayers::Width - x);
            if (!std::equal(now + x, now + x + n, was + x)) {
                changedTiles_[std::size_t(y)] |= 1u << t;
                std::copy(now + x, now + x + n, was + x);
            }
        }
    };
    if (changed == nullptr) {
        const std::uint32_t all = scale_.tilesOf(0, BoardLayers::Width);
        for (int y = 0; y < BoardLayers::Height; ++y) {
            compare(y, all);
        }
        return;
    }
    // The painter names where the board may have changed; the still rest costs nothing.
    for (const Rect& r : changed->rects()) {
        const std::uint32_t tiles = scale_.tilesOf(r.x, r.width);
        for (int y = std::max(r.y, 0); y < std::min(r.bottom(), BoardLayers::Height); ++y) {
            compare(y, tiles);
        }
    }
}

bool BoardView::tilesTouch(const RECT& board) const {
    const int left = std::max<int>(board.left, 0);
    const int right = std::min<int>(board.right, BoardLayers::Width);
    if (left >= right) {
        return false;
    }
    const std::uint32_t mask = scale_.tilesOf(left, right - left);
    for (int y = std::max<int>(board.top, 0); y < std::min<int>(board.bottom, BoardLayers::Height);
         ++y) {
        if ((changedTiles_[std::size_t(y)] & mask) != 0) {
            return true;
        }
    }
    return false;
}

void BoardView::sharpenStatusLines(std::vector<RECT>& changed) {
    if (text_ == nullptr || letteringBits_ == nullptr) {
        return;
    }
    const std::vector<std::wstring>& printed = text_->lines();
    const int lineHeight = text_->lineHeight();
    if (lines_.size() < printed.size()) {
        lines_.resize(printed.size());
    }
    // Which board areas need their lettering again: a line that changed (where it was and where
    // it is now), and a line that a changed tile touches (the board's own letters changed there:
    // a sprite moved over them, or their colour changed).
    std::vector<RECT> redraw;
    static const std::wstring Nothing;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        const std::wstring& now = i < printed.size() ? printed[i] : Nothing;
        if (now != line.text) {
            RECT area{};
            if (!now.empty()) {
                const int top = int(i) * lineHeight;
                // The glyphs drawn at the screen's size may reach a little further.
                area = RECT{0, std::max(top - 1, 0),
                            std::min(text_->advance(now) + 2, BoardLayers::Width),
                            std::min(top + lineHeight + 1, BoardLayers::Height)};
            }
            RECT both;
            UnionRect(&both, &line.area, &area);
            if (!IsRectEmpty(&both)) {
                redraw.push_back(both);
            }
            line.text = now;
            line.area = area;
        } else if (!IsRectEmpty(&line.area)) {
            RECT around = line.area;
            InflateRect(&around, 1, 1);
            if (tilesTouch(around)) {
                redraw.push_back(line.area);
            }
        }
    }
    if (redraw.empty()) {
        return;
    }
    const int w = scale_.deviceWidth();
    std::vector<RECT> devices;
    for (const RECT& board : redraw) {
        const RECT device{scale_.firstColumn(std::max<int>(board.left, 0)),
                          scale_.firstRow(std::max<int>(board.top, 0)),
                          scale_.lastColumn(std::min<int>(board.right, BoardLayers::Width) - 1) + 1,
                          scale_.lastRow(std::min<int>(board.bottom, BoardLayers::Height) - 1) + 1};
        devices.push_back(device);
        for (int y = device.top; y < device.bottom; ++y) {
            std::fill_n(letteringBits_ + std::size_t(y) * std::size_t(w) + device.left,
                        device.right - device.left, 0u);
        }
    }
    GdiFlush();
    const double scale = scale_.scale();
    for (const RECT& device : devices) {
        SaveDC(letteringDc_);
        IntersectClipRect(letteringDc_, device.left, device.top, device.right, device.bottom);
        for (std::size_t i = 0; i < printed.size(); ++i) {
            const int baseline = int(std::lround((int(i) * lineHeight + text_->ascent()) * scale));
            TextOutW(letteringDc_, 0, baseline, printed[i].c_str(), int(printed[i].size()));
        }
        RestoreDC(letteringDc_, -1);
    }
    GdiFlush();
    const BoardScale::Layers layers{ground_.data(), layers_.Pic1.data(), layers_.Pic2.data(),
                                    layers_.Pic3.data(), BoardLayers::Width};
    for (const RECT& device : devices) {
        // The glyphs' cover of each device pixel: the grey level of the white-on-black text.
        for (int y = device.top; y < device.bottom; ++y) {
            const std::size_t row = std::size_t(y) * std::size_t(w);
            for (int x = device.left; x < device.right; ++x) {
                cover_[row + std::size_t(x)] =
                    std::uint8_t((letteringBits_[row + std::size_t(x)] >> 8) & 0xFF);
            }
        }
        scale_.composeLettered(layers, cover_.data(), w, text_->colour(), device.left, device.top,
                               device.right - 1, device.bottom - 1, screen_.data(), w);
        changed.push_back(device);
    }
}

void BoardView::boardChanged() {
    changedIn(nullptr);
}

void BoardView::boardChanged(const BoardRegion& changed) {
    changedIn(&changed);
}

void BoardView::changedIn(const BoardRegion* changed) {
    if (hwnd_ == nullptr) {
        return;
    }
    std::vector<RECT> rects;
    if (scaled()) {
        rects = enlarge(changed);
    } else if (changed == nullptr) {
        rects.push_back(RECT{0, 0, BoardLayers::Width, BoardLayers::Height});
    } else {
        for (const Rect& r : changed->rects()) {
            rects.push_back(RECT{r.x, r.y, r.right(), r.bottom()});
        }
    }
    if (rects.empty()) {
        return;
    }
    invalidate(rects);
    // Shown now, not when the message queue runs dry: the next frame is due in 29 ms.
    UpdateWindow(hwnd_);
}

void BoardView::invalidate(const std::vector<RECT>& rects) {
    const int border = boardPixels(BoardLayers::Border, dpi_);
    for (RECT r : rects) {
        OffsetRect(&r, border, border);
        InvalidateRect(hwnd_, &r, FALSE);
    }
}

namespace {

// Copies the part `part` (image coordinates) of a top-down 32-bit image of width x height
// pixels to (origin + part) of `dc`, as an image of just the rows the part covers.
void drawPart(HDC dc, int origin, const std::uint32_t* pixels, int width, int height, RECT part) {
    const int left = std::max<int>(part.left, 0);
    const int top = std::max<int>(part.top, 0);
    const int right = std::min<int>(part.right, width);
    const int bottom = std::min<int>(part.bottom, height);
    if (left >= right || top >= bottom) {
        return;
    }
    BITMAPINFO rows{};
    rows.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    rows.bmiHeader.biWidth = width;
    rows.bmiHeader.biHeight = -(bottom - top);
    rows.bmiHeader.biPlanes = 1;
    rows.bmiHeader.biBitCount = 32;
    rows.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, origin + left, origin + top, DWORD(right - left), DWORD(bottom - top),
                      left, 0, 0, UINT(bottom - top),
                      pixels + std::size_t(top) * std::size_t(width), &rows, DIB_RGB_COLORS);
}

} // namespace

void BoardView::paint(HDC dc, HRGN update, const RECT& bounds) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int border = boardPixels(BoardLayers::Border, dpi_);
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
    // Only the rectangles waiting to be painted, each one block of pixels.
    std::vector<RECT> parts;
    const DWORD size = update != nullptr ? GetRegionData(update, 0, nullptr) : 0;
    if (size >= sizeof(RGNDATAHEADER)) {
        std::vector<std::uint8_t> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (GetRegionData(update, size, data) == size) {
            const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
            parts.assign(rects, rects + data->rdh.nCount);
        }
    }
    if (parts.empty()) {
        parts.push_back(bounds);
    }
    const bool enlarged = dpi_ != USER_DEFAULT_SCREEN_DPI;
    if (enlarged && stale_) {
        enlarge(nullptr);
    }
    const Surface& board = layers_.MainBoard;
    for (RECT part : parts) {
        OffsetRect(&part, -border, -border);
        if (enlarged) {
            drawPart(dc, border, screen_.data(), scale_.deviceWidth(), scale_.deviceHeight(), part);
        } else {
            drawPart(dc, border, board.data(), board.width(), board.height(), part);
        }
    }
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
            // The region waiting to be painted, taken before BeginPaint empties it.
            HRGN update = CreateRectRgn(0, 0, 0, 0);
            if (update != nullptr && GetUpdateRgn(hwnd, update, FALSE) == ERROR) {
                DeleteObject(update);
                update = nullptr;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            self->paint(dc, update, ps.rcPaint);
            EndPaint(hwnd, &ps);
            if (update != nullptr) {
                DeleteObject(update);
            }
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
      board_(logic.layers, logic.sprites.boardBackground, text),
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
