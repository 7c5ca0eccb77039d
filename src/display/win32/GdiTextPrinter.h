// Prints the board's status lines into a pixel surface with GDI. Each line is drawn into a small
// device-independent bitmap holding that strip of the surface, with a transparent background, and
// copied back, so the surface keeps its opaque pixels and only the strips of text are touched.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Surface.h"

namespace kelvarn {

class GdiTextPrinter : public TextPrinter {
  public:
    // `face` in UTF-8, `points` at 96 dots per inch: the board is drawn in board pixels.
    GdiTextPrinter(const char* face, double points);
    ~GdiTextPrinter() override;
    GdiTextPrinter(const GdiTextPrinter&) = delete;
    GdiTextPrinter& operator=(const GdiTextPrinter&) = delete;

    void begin(Surface& surface, std::uint32_t colour) override;
    void printLine(const std::string& utf8) override;
    void end() override;

    // Line i has its top at i * lineHeight().
    int lineHeight() const { return lineHeight_; }
    int ascent() const { return ascent_; }
    // The lines printed since the last begin(), and their colour (0x00RRGGBB).
    const std::vector<std::wstring>& lines() const { return lines_; }
    std::uint32_t colour() const { return colour_; }
    // A font of the same face and size for `dpi` dots per inch; the caller deletes it.
    HFONT createFont(int dpi) const;

  private:
    void makeStrip(int width);

    std::wstring face_;
    double points_;
    HFONT font_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP strip_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    std::uint32_t* stripBits_ = nullptr;
    int stripWidth_ = 0;
    int lineHeight_ = 12;
    int ascent_ = 10;

    Surface* surface_ = nullptr;
    std::uint32_t colour_ = 0;
    int y_ = 0;
    std::vector<std::wstring> lines_;
};

} // namespace kelvarn
