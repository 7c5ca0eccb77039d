#include "display/qt/QtTextPrinter.h"

#include <QFontMetrics>

#include "display/Form1Layout.h"
#include "platform/qt/QtLayout.h"

namespace kelvarn {

QFont boardFont() {
    return qtFont(boardTextFont());
}

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
    colour_ = colour & 0xFFFFFF;
    painter_->setPen(QColor::fromRgb(colour_));
    y_ = 0;
    lineCount_ = 0;
}

void QtTextPrinter::printLine(const std::string& utf8) {
    if (std::size_t(lineCount_) == lines_.size()) {
        lines_.emplace_back();
    }
    QString& line = lines_[std::size_t(lineCount_++)];
    line = QString::fromStdString(utf8);
    painter_->drawText(0, y_ + ascent_, line);
    y_ += lineHeight_;
}

void QtTextPrinter::end() {
    painter_.reset();
    image_ = QImage();
}

} // namespace kelvarn
