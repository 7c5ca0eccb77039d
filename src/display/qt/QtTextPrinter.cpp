#include "display/qt/QtTextPrinter.h"

#include <QFontMetrics>

#include "display/Form1Layout.h"
#include "platform/qt/QtLayout.h"

namespace kelvarn {

QFont boardFont() {
    return qtFont(boardTextFont());
}

QtTextPrinter::QtTextPrinter(const QFont& font) : font_(font), metrics_(font_) {
    lineHeight_ = metrics_.height();
    ascent_ = metrics_.ascent();
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
    clip_ = QRect();
}

void QtTextPrinter::clipTo(const Rect& clip) {
    clip_ = QRect(clip.x, clip.y, clip.width, clip.height);
    painter_->setClipRect(clip_);
}

Rect QtTextPrinter::lineArea(int index, const std::string& utf8) const {
    if (utf8.empty()) {
        return {};
    }
    // Measuring shapes the text, which costs more than the rest of a frame: lines come back to
    // texts they had before (the speed, the status word), so the last few answers are kept.
    for (const MeasuredLine& m : measured_) {
        if (m.index == index && m.text == utf8) {
            return m.area;
        }
    }
    const QString text = QString::fromStdString(utf8);
    const int top = index * lineHeight_;
    const QRect ink = metrics_.boundingRect(text).translated(0, top + ascent_);
    const QRect box(0, top, metrics_.horizontalAdvance(text), lineHeight_);
    // Smoothed glyph edges may reach a pixel or two past the measured ink.
    const QRect area = (ink | box).adjusted(-2, -2, 2, 2);
    const Rect result{area.x(), area.y(), area.width(), area.height()};
    if (measured_.size() < MeasuredKept) {
        measured_.push_back({index, utf8, result});
    } else {
        measured_[nextMeasured_] = {index, utf8, result};
        nextMeasured_ = (nextMeasured_ + 1) % MeasuredKept;
    }
    return result;
}

void QtTextPrinter::printLine(const std::string& utf8) {
    if (std::size_t(lineCount_) == lines_.size()) {
        lines_.emplace_back();
    }
    QString& line = lines_[std::size_t(lineCount_++)];
    line = QString::fromStdString(utf8);
    // A line whose glyphs cannot reach the clip is only remembered.
    if (clip_.isNull() || lineArea(lineCount_ - 1, utf8)
                              .intersects({clip_.x(), clip_.y(), clip_.width(), clip_.height()})) {
        // The same pixels as drawing the string with its baseline at y_ + ascent_.
        painter_->drawStaticText(QPointF(0, y_), laidOut(line));
    }
    y_ += lineHeight_;
}

const QStaticText& QtTextPrinter::laidOut(const QString& text) {
    for (const QStaticText& t : laidOut_) {
        if (t.text() == text) {
            return t;
        }
    }
    QStaticText t(text);
    t.setTextFormat(Qt::PlainText);
    t.prepare(QTransform(), font_);
    if (laidOut_.size() < LaidOutKept) {
        laidOut_.push_back(std::move(t));
        return laidOut_.back();
    }
    QStaticText& slot = laidOut_[nextLaidOut_];
    nextLaidOut_ = (nextLaidOut_ + 1) % LaidOutKept;
    slot = std::move(t);
    return slot;
}

void QtTextPrinter::end() {
    painter_.reset();
    image_ = QImage();
}

} // namespace kelvarn
