// Prints the board's status lines into a pixel surface with QPainter, drawing straight into the
// surface's own buffer (no copy). The buffer holds opaque pixels, as an RGB32 image must, and
// text drawn over opaque pixels leaves them opaque.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/Surface.h"

namespace kelvarn {

class QtTextPrinter : public TextPrinter {
  public:
    explicit QtTextPrinter(const QFont& font);
    void begin(Surface& surface, std::uint32_t colour) override;
    void printLine(const std::string& utf8) override;
    void end() override;

  private:
    QFont font_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    int y_ = 0;
};

} // namespace kelvarn
