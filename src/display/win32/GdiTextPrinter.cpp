#include "display/win32/GdiTextPrinter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/Utf16.h"

namespace kelvarn {

GdiTextPrinter::GdiTextPrinter(const char* face, double points)
    : face_(win32::toUtf16(face)), points_(points) {
    font_ = createFont(USER_DEFAULT_SCREEN_DPI);
    dc_ = CreateCompatibleDC(nullptr);
    oldFont_ = SelectObject(dc_, font_);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc_, &metrics)) {
        lineHeight_ = int(metrics.tmHeight);
        ascent_ = int(metrics.tmAscent);
    }
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

GdiTextPrinter::~GdiTextPrinter() {
    if (dc_ != nullptr) {
        SelectObject(dc_, oldFont_);
        if (strip_ != nullptr) {
            SelectObject(dc_, oldBitmap_);
            DeleteObject(strip_);
        }
        DeleteDC(dc_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

HFONT GdiTextPrinter::createFont(int dpi) const {
    LOGFONTW lf{};
    lf.lfHeight = -LONG(std::lround(points_ * dpi / 72.0));
    lf.lfWeight = FW_NORMAL;
    // The status lines are Chinese: ask for a face with the GB2312 characters, so a system that
    // lacks the named face still picks one that has them.
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t n = std::min(face_.size(), std::size_t(LF_FACESIZE - 1));
    std::copy_n(face_.data(), n, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

void GdiTextPrinter::makeStrip(int width) {
    if (strip_ != nullptr && stripWidth_ == width) {
        return;
    }
    if (strip_ != nullptr) {
        SelectObject(dc_, oldBitmap_);
        DeleteObject(strip_);
        strip_ = nullptr;
        stripBits_ = nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -lineHeight_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    strip_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip_ == nullptr) {
        stripWidth_ = 0;
        return;
    }
    stripBits_ = static_cast<std::uint32_t*>(bits);
    stripWidth_ = width;
    oldBitmap_ = SelectObject(dc_, strip_);
}

void GdiTextPrinter::begin(Surface& surface, std::uint32_t colour) {
    surface_ = &surface;
    colour_ = colour & 0xFFFFFFu;
    y_ = 0;
    lines_.clear();
    makeStrip(surface.width());
    SetTextColor(dc_, RGB((colour_ >> 16) & 0xFF, (colour_ >> 8) & 0xFF, colour_ & 0xFF));
}

void GdiTextPrinter::printLine(const std::string& utf8) {
    lines_.push_back(win32::toUtf16(utf8));
    const int top = y_;
    y_ += lineHeight_;
    if (surface_ == nullptr || stripBits_ == nullptr || top >= surface_->height()) {
        return;
    }
    // The strip holds the rows of the surface the line covers; below the surface's last row it
    // holds nothing of interest and nothing is copied back.
    const int rows = std::min(lineHeight_, surface_->height() - top);
    const std::size_t rowBytes = std::size_t(stripWidth_) * 4;
    std::uint32_t* rowsOfSurface = surface_->data() + std::size_t(top) * std::size_t(stripWidth_);
    GdiFlush();
    std::memcpy(stripBits_, rowsOfSurface, rowBytes * std::size_t(rows));
    const std::wstring& text = lines_.back();
    TextOutW(dc_, 0, 0, text.c_str(), int(text.size()));
    GdiFlush();
    // GDI leaves the top byte of the pixels it draws at 0; the surface keeps every pixel opaque.
    const std::size_t count = std::size_t(stripWidth_) * std::size_t(rows);
    for (std::size_t i = 0; i < count; ++i) {
        rowsOfSurface[i] = stripBits_[i] | Opaque;
    }
}

void GdiTextPrinter::end() {
    surface_ = nullptr;
}

} // namespace kelvarn
