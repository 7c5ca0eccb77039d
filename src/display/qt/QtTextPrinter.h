// Prints the board's status lines into a pixel surface with QPainter, drawing straight into the
// surface's own buffer (no copy). The buffer holds opaque pixels, as an RGB32 image must, and
// text drawn over opaque pixels leaves them opaque. It keeps the lines of the last frame, so that a
// high-density screen can draw them again at its own resolution.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace kelvarn {

class QtTextPrinter : public TextPrinter {
  public:
    explicit QtTextPrinter(const QFont& font);
    void begin(Surface& surface, std::uint32_t colour) override;
    void printLine(const std::string& utf8) override;
    void end() override;
    void clipTo(const Rect& clip) override;
    Rect lineArea(int index, const std::string& utf8) const override;

    // What was printed since the last begin(): line i has its baseline at
    // i * lineHeight() + ascent(), from the left edge.
    const QFont& font() const { return font_; }
    int lineHeight() const { return lineHeight_; }
    int ascent() const { return ascent_; }
    QRgb colour() const { return colour_; }
    int lineCount() const { return lineCount_; }
    const QString& line(int i) const { return lines_[std::size_t(i)]; }

  private:
    QFont font_;
    QFontMetrics metrics_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    int y_ = 0;
    QRect clip_; // where this round of lines may print; none: anywhere
    QRgb colour_ = 0;
    std::vector<QString> lines_; // slots are reused from frame to frame
    int lineCount_ = 0;

    // The last lines measured by lineArea(), oldest replaced first.
    struct MeasuredLine {
        int index;
        std::string text;
        Rect area;
    };
    static constexpr std::size_t MeasuredKept = 48;
    mutable std::vector<MeasuredLine> measured_;
    mutable std::size_t nextMeasured_ = 0;

    // The last texts printed, laid out once: a line printed again is not shaped again.
    const QStaticText& laidOut(const QString& text);
    static constexpr std::size_t LaidOutKept = 48;
    std::vector<QStaticText> laidOut_;
    std::size_t nextLaidOut_ = 0;
};

// The board's font: the window's default face at 9 points.
QFont boardFont();

} // namespace kelvarn
