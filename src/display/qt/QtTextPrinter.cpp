#include "display/qt/QtTextPrinter.h"

#include <QFontMetrics>

namespace kelvarn {

QtTextPrinter::QtTextPrinter(const QFont& font) : font_(font) {
    const QFontMetrics metrics(font_);
    lineHeight_ = metrics.height();
    ascent_ = metrics.ascent();
}

void QtTextPrinter::begin(Surface& surface, std::uint32_t colour) {
    image_ = QImage(reinterpret_cast<uchar*>(surface.data()), surface.width(), surface.height(),
                    qsizetype(surface.width()) * 4, QImage::Format_RGB32);
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setFont(font_);
    painter_->setPen(QColor::fromRgb(colour & 0xFFFFFF));
    y_ = 0;
}

void QtTextPrinter::printLine(const std::string& utf8) {
    painter_->drawText(0, y_ + ascent_, QString::fromStdString(utf8));
    y_ += lineHeight_;
}

void QtTextPrinter::end() {
    painter_.reset();
    image_ = QImage();
}

} // namespace kelvarn
