#include "platform/win32/LayoutBuilder.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/win32/Utf16.h"

namespace kelvarn {

namespace {

// Calls that came with later versions of Windows are looked up when they are needed, so that the
// program still starts where they are missing.
template <class Function> Function lateCall(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name)));
}

void ensureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

LRESULT CALLBACK pointerWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR data) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        (*reinterpret_cast<LayoutBuilder::PointerHandler*>(data))(message);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &pointerWatch, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

DWORD labelStyle(const LayoutRow& row) {
    // SS_NOTIFY: the label takes the pointer (tooltips, clicks, its own cursor) instead of
    // letting it through to the window. A label with its own line height draws its lines itself
    // (WM_DRAWITEM), since a static control puts them at its font's line height.
    if (row.lineHeight > 0) {
        return SS_NOTIFY | SS_OWNERDRAW;
    }
    return SS_NOTIFY | SS_NOPREFIX | (row.wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

} // namespace

int windowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        lateCall<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return int(dpi);
        }
    }
    return systemDpi();
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

HFONT createFont(const FontSpec& font, int dpi) {
    const int height = -int(std::lround(font.points * dpi / 72.0));
    // A face with a Chinese name is asked for with the GB2312 characters, so that a system that
    // lacks the named face still picks one that has them.
    const bool chinese = std::any_of(font.family.begin(), font.family.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0x80) != 0;
    });
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       chinese ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       win32::toUtf16(font.family).c_str());
}

HCURSOR pointerCursor(PointerShape pointer) {
    switch (pointer) {
    case PointerShape::CrossHair:
        return LoadCursorW(nullptr, MAKEINTRESOURCEW(32515)); // IDC_CROSS
    case PointerShape::ArrowQuestion:
        return LoadCursorW(nullptr, MAKEINTRESOURCEW(32651)); // IDC_HELP
    case PointerShape::Arrow:
        break;
    }
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
}

RECT outerRect(const WindowLayout& layout, DWORD style, DWORD exStyle, bool hasMenu, int dpi) {
    RECT r{0, 0, twipsToPixels(layout.width, dpi), twipsToPixels(layout.height, dpi)};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        lateCall<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        adjustForDpi(&r, style, hasMenu ? TRUE : FALSE, exStyle, UINT(dpi));
    } else {
        AdjustWindowRectEx(&r, style, hasMenu ? TRUE : FALSE, exStyle);
    }
    int left = twipsToPixels(layout.place.at.left, dpi);
    int top = twipsToPixels(layout.place.at.top, dpi);
    if (layout.place.centred) {
        left = (GetSystemMetrics(SM_CXSCREEN) - twipsToPixels(layout.width, dpi)) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - twipsToPixels(layout.height, dpi)) / 2;
    }
    OffsetRect(&r, left, top);
    return r;
}

int labelLinePitch(const LayoutRow& row, HFONT font, int dpi) {
    if (row.lineHeight > 0) {
        return twipsToPixels(row.lineHeight, dpi);
    }
    HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    HGDIOBJ old = SelectObject(screen, font);
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return int(metrics.tmHeight + metrics.tmExternalLeading);
}

LayoutBuilder::LayoutBuilder(HWND window, const WindowLayout& layout, PictureLoader pictures)
    : window_(window), layout_(layout), pictures_(std::move(pictures)), dpi_(windowDpi(window)),
      backgroundColour_(layout.background) {
    if (backgroundColour_) {
        backgroundBrush_ = CreateSolidBrush(colourRef(*backgroundColour_));
    }
    if (!layout.picture.empty() && pictures_) {
        background_ = pictures_(layout.picture);
    }
}

LayoutBuilder::~LayoutBuilder() {
    for (HWND hwnd : shapeOverlaid_) {
        if (IsWindow(hwnd)) {
            RemoveWindowSubclass(hwnd, &LayoutBuilder::shapesOver, 2);
        }
    }
    for (const auto& [hwnd, handler] : pointerHandlers_) {
        if (IsWindow(hwnd)) {
            RemoveWindowSubclass(hwnd, &pointerWatch, 1);
        }
    }
    if (tooltips_ != nullptr && IsWindow(tooltips_)) {
        DestroyWindow(tooltips_);
    }
    // The controls use the fonts until they go: a builder outlives its window's controls only
    // when the window is destroyed first, which is how the windows use it.
    for (auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
    for (HBITMAP bitmap : bitmaps_) {
        DeleteObject(bitmap);
    }
    if (background_ != nullptr) {
        DeleteObject(background_);
    }
    if (backgroundBrush_ != nullptr) {
        DeleteObject(backgroundBrush_);
    }
}

HFONT LayoutBuilder::fontFor(const FontSpec& wanted) {
    const FontSpec& font = wanted.given()         ? wanted
                           : layout_.font.given() ? layout_.font
                                                  : programFont();
    const std::string key = font.family + '/' + std::to_string(font.points) + '/' +
                            (font.bold ? "b" : "") + '/' + std::to_string(dpi_);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(key, createFont(font, dpi_)).first;
    }
    return it->second;
}

void LayoutBuilder::build() {
    ensureCommonControls();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    built_.reserve(layout_.rows.size());
    int id = FirstControlId;
    for (const LayoutRow& row : layout_.rows) {
        Built b{&row, nullptr, row.visible, row.textColour, {row.place.left, row.place.top}};
        const int controlId = id++;
        const wchar_t* kindClass = L"STATIC";
        DWORD style = WS_CHILD;
        DWORD exStyle = 0;
        HBITMAP picture = nullptr;
        switch (row.kind) {
        case ControlKind::Label:
            style |= labelStyle(row);
            if (row.transparent) {
                exStyle |= WS_EX_TRANSPARENT;
            }
            break;
        case ControlKind::Button:
            kindClass = L"BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::Frame:
            kindClass = L"BUTTON";
            style |= BS_GROUPBOX;
            exStyle |= WS_EX_TRANSPARENT;
            break;
        case ControlKind::PictureBox:
            exStyle |= WS_EX_CLIENTEDGE; // a sunken border of two pixels
            [[fallthrough]];
        case ControlKind::Image:
            style |= SS_BITMAP | SS_NOTIFY;
            if (pictures_ && !row.picture.empty()) {
                picture = pictures_(row.picture);
            }
            break;
        case ControlKind::Shape:
        case ControlKind::Board:
            built_.push_back(b);
            continue;
        }
        if (row.visible) {
            style |= WS_VISIBLE;
        }
        built_.push_back(b);
        const PixelRect p = place(built_.back());
        HWND hwnd = CreateWindowExW(exStyle, kindClass, win32::toUtf16(row.text).c_str(), style,
                                    p.x, p.y, p.width, p.height, window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    instance, nullptr);
        built_.back().hwnd = hwnd;
        if (hwnd == nullptr) {
            continue;
        }
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(row.font)), FALSE);
        if (picture != nullptr) {
            bitmaps_.push_back(picture);
            SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        }
        if (!row.tooltip.empty()) {
            addTooltip(hwnd, row.tooltip);
        }
    }
    // A shape later in the table lies over the controls it overlaps.
    for (const Built& b : built_) {
        if (b.hwnd == nullptr) {
            continue;
        }
        const PixelRect c = place(b);
        const bool overlaid = std::any_of(built_.begin(), built_.end(), [&](const Built& s) {
            if (s.row <= b.row || s.row->kind != ControlKind::Shape) {
                return false;
            }
            const PixelRect p = place(s);
            return p.x < c.x + c.width && c.x < p.x + std::max(p.width, 1) &&
                   p.y < c.y + c.height && c.y < p.y + std::max(p.height, 1);
        });
        if (overlaid && SetWindowSubclass(b.hwnd, &LayoutBuilder::shapesOver, 2,
                                          reinterpret_cast<DWORD_PTR>(this))) {
            shapeOverlaid_.push_back(b.hwnd);
        }
    }
    // A frame lies under the rows it holds.
    for (const Built& b : built_) {
        if (b.row->kind == ControlKind::Frame && b.hwnd != nullptr) {
            SetWindowPos(b.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

LayoutBuilder::Built* LayoutBuilder::find(std::string_view name) {
    for (Built& b : built_) {
        if (b.row->name == name) {
            return &b;
        }
    }
    return nullptr;
}

const LayoutBuilder::Built* LayoutBuilder::find(std::string_view name) const {
    return const_cast<LayoutBuilder*>(this)->find(name);
}

HWND LayoutBuilder::control(std::string_view name) const {
    const Built* b = find(name);
    return b != nullptr ? b->hwnd : nullptr;
}

const LayoutRow* LayoutBuilder::rowOf(HWND control) const {
    if (control == nullptr) {
        return nullptr;
    }
    for (const Built& b : built_) {
        if (b.hwnd == control) {
            return b.row;
        }
    }
    return nullptr;
}

const LayoutRow* LayoutBuilder::rowOfId(int id) const {
    const int index = id - FirstControlId;
    if (index < 0 || std::size_t(index) >= layout_.rows.size()) {
        return nullptr;
    }
    return &layout_.rows[std::size_t(index)];
}

PixelRect LayoutBuilder::place(const Built& b) const {
    TwipsRect r = b.row->place;
    r.left = b.at.left;
    r.top = b.at.top;
    if (!b.row->parent.empty()) {
        if (const Built* frame = find(b.row->parent)) {
            r.left += frame->at.left;
            r.top += frame->at.top;
        }
    }
    return toPixels(r, dpi_);
}

PixelRect LayoutBuilder::pixelPlace(const LayoutRow& row) const {
    const Built* b = find(row.name);
    if (b != nullptr) {
        return place(*b);
    }
    Built loose{&row, nullptr, row.visible, row.textColour, {row.place.left, row.place.top}};
    return place(loose);
}

const LayoutBuilder::Built* LayoutBuilder::builtOf(HWND control) const {
    for (const Built& b : built_) {
        if (b.hwnd != nullptr && b.hwnd == control) {
            return &b;
        }
    }
    return nullptr;
}

void LayoutBuilder::drawLines(const Built& b, HDC dc, const RECT& area) {
    const int length = GetWindowTextLengthW(b.hwnd);
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(b.hwnd, text.data(), length + 1)));
    HGDIOBJ oldFont = SelectObject(dc, fontFor(b.row->font));
    const std::optional<Rgb> colour = b.textColour ? b.textColour : layout_.textColour;
    SetTextColor(dc, colour ? colourRef(*colour) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    const int pitch = labelLinePitch(*b.row, nullptr, dpi_);
    int top = area.top;
    std::size_t start = 0;
    while (start < text.size() && top < area.bottom) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == L'\r') {
            --stop;
        }
        // Down to the label's bottom edge, so that no line loses the foot of its characters.
        RECT line{area.left, top, area.right, area.bottom};
        DrawTextW(dc, text.data() + start, int(stop - start), &line,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        top += pitch;
        start = end + 1;
    }
    SelectObject(dc, oldFont);
}

bool LayoutBuilder::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const Built* b = item->CtlType == ODT_STATIC ? builtOf(item->hwndItem) : nullptr;
        if (b == nullptr) {
            return false;
        }
        drawLines(*b, item->hDC, item->rcItem);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        HWND hwnd = reinterpret_cast<HWND>(lParam);
        const Built* b = nullptr;
        for (const Built& candidate : built_) {
            if (candidate.hwnd == hwnd) {
                b = &candidate;
            }
        }
        if (b == nullptr) {
            return false;
        }
        HDC dc = reinterpret_cast<HDC>(wParam);
        const std::optional<Rgb> colour = b->textColour ? b->textColour : layout_.textColour;
        if (colour) {
            SetTextColor(dc, colourRef(*colour));
        }
        const bool seeThrough = b->row->transparent || b->row->kind == ControlKind::Frame;
        if (background_ != nullptr && seeThrough) {
            // Over the window's picture: draw the text alone, the picture stays.
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
        }
        if (backgroundBrush_ != nullptr) {
            SetBkMode(dc, TRANSPARENT);
            SetBkColor(dc, colourRef(*backgroundColour_));
            result = reinterpret_cast<LRESULT>(backgroundBrush_);
            return true;
        }
        if (!colour) {
            return false;
        }
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    case WM_SETCURSOR: {
        const LayoutRow* row = rowOf(reinterpret_cast<HWND>(wParam));
        if (row == nullptr || row->pointer == PointerShape::Arrow) {
            return false;
        }
        SetCursor(pointerCursor(row->pointer));
        result = TRUE;
        return true;
    }
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        relayout(HIWORD(wParam));
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void LayoutBuilder::paintBackground(HDC dc, const RECT& area) const {
    FillRect(dc, &area,
             backgroundBrush_ != nullptr ? backgroundBrush_ : GetSysColorBrush(COLOR_BTNFACE));
    if (background_ != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, background_);
        BITMAP info{};
        GetObjectW(background_, sizeof info, &info);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    for (const Built& b : built_) {
        if (b.row->kind == ControlKind::Shape && b.visible) {
            drawShape(dc, b, 0, 0);
        }
    }
}

void LayoutBuilder::drawShape(HDC dc, const Built& b, int dx, int dy) const {
    const PixelRect p = place(b);
    RECT r{p.x, p.y, p.x + std::max(p.width, 1), p.y + std::max(p.height, 1)};
    OffsetRect(&r, -dx, -dy);
    if (b.row->outlineColour) {
        HBRUSH pen = CreateSolidBrush(colourRef(*b.row->outlineColour));
        FrameRect(dc, &r, pen);
        DeleteObject(pen);
    } else if (b.row->fillColour) {
        HBRUSH fill = CreateSolidBrush(colourRef(*b.row->fillColour));
        FillRect(dc, &r, fill);
        DeleteObject(fill);
    }
}

LRESULT CALLBACK LayoutBuilder::shapesOver(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR /*id*/, DWORD_PTR builder) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &LayoutBuilder::shapesOver, 2);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    if (message != WM_PAINT) {
        return DefSubclassProc(control, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    const auto* self = reinterpret_cast<const LayoutBuilder*>(builder);
    const Built* under = self->builtOf(control);
    if (under == nullptr) {
        return result;
    }
    const PixelRect at = self->place(*under);
    HDC dc = GetDC(control);
    for (const Built& b : self->built_) {
        if (b.row > under->row && b.row->kind == ControlKind::Shape && b.visible) {
            self->drawShape(dc, b, at.x, at.y);
        }
    }
    ReleaseDC(control, dc);
    return result;
}

void LayoutBuilder::repaintUnder(const Built& b) {
    const PixelRect p = place(b);
    const RECT r{p.x, p.y, p.x + std::max(p.width, 1), p.y + std::max(p.height, 1)};
    RedrawWindow(window_, &r, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void LayoutBuilder::setText(std::string_view name, const std::string& text) {
    Built* b = find(name);
    if (b == nullptr || b->hwnd == nullptr) {
        return;
    }
    SetWindowTextW(b->hwnd, win32::toUtf16(text).c_str());
    if (b->row->transparent) {
        repaintUnder(*b);
    }
}

void LayoutBuilder::setVisible(std::string_view name, bool visible) {
    Built* b = find(name);
    if (b == nullptr || b->visible == visible) {
        return;
    }
    b->visible = visible;
    if (b->hwnd != nullptr) {
        ShowWindow(b->hwnd, visible ? SW_SHOWNA : SW_HIDE);
        if (!visible && (b->row->transparent || background_ != nullptr)) {
            repaintUnder(*b);
        }
    } else {
        repaintUnder(*b);
    }
}

bool LayoutBuilder::isVisible(std::string_view name) const {
    const Built* b = find(name);
    return b != nullptr && b->visible;
}

void LayoutBuilder::setTextColour(std::string_view name, Rgb colour) {
    Built* b = find(name);
    if (b == nullptr || b->textColour == colour) {
        return;
    }
    b->textColour = colour;
    if (b->hwnd != nullptr) {
        if (b->row->transparent) {
            repaintUnder(*b);
        } else {
            InvalidateRect(b->hwnd, nullptr, TRUE);
        }
    }
}

void LayoutBuilder::setBackground(Rgb colour) {
    if (backgroundColour_ == colour) {
        return;
    }
    backgroundColour_ = colour;
    if (backgroundBrush_ != nullptr) {
        DeleteObject(backgroundBrush_);
    }
    backgroundBrush_ = CreateSolidBrush(colourRef(colour));
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void LayoutBuilder::moveTo(std::string_view name, TwipsPoint at) {
    Built* b = find(name);
    if (b == nullptr) {
        return;
    }
    b->at = at;
    if (b->hwnd != nullptr) {
        const PixelRect p = place(*b);
        MoveWindow(b->hwnd, p.x, p.y, p.width, p.height, TRUE);
    }
}

void LayoutBuilder::watchPointer(std::string_view name, PointerHandler handler) {
    HWND hwnd = control(name);
    if (hwnd == nullptr || !handler) {
        return;
    }
    pointerHandlers_.emplace_back(hwnd, std::make_unique<PointerHandler>(std::move(handler)));
    SetWindowSubclass(hwnd, &pointerWatch, 1,
                      reinterpret_cast<DWORD_PTR>(pointerHandlers_.back().second.get()));
}

void LayoutBuilder::addTooltip(HWND control, const std::string& text) {
    ensureCommonControls();
    if (tooltips_ == nullptr) {
        tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (tooltips_ == nullptr) {
            return;
        }
    }
    std::wstring wide = win32::toUtf16(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LayoutBuilder::relayout(int dpi) {
    if (dpi <= 0 || dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    std::map<std::string, HFONT> oldFonts;
    oldFonts.swap(fonts_);
    for (Built& b : built_) {
        if (b.hwnd == nullptr) {
            continue;
        }
        const PixelRect p = place(b);
        MoveWindow(b.hwnd, p.x, p.y, p.width, p.height, FALSE);
        SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(b.row->font)), FALSE);
    }
    for (auto& [key, font] : oldFonts) {
        DeleteObject(font);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace kelvarn
