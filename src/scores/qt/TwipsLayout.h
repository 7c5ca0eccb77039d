// The small windows are laid out in twips, 15 to a pixel. These helpers turn a layout row (left,
// top, width, height in twips) into a control of that name, place and size, and set up a window of
// fixed size without maximise or minimise buttons.
#pragma once

#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>

namespace kelvarn {

constexpr int twipsToPixels(int twips) {
    return twips / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A top-level window that deletes itself when closed, with a title bar and a close button only,
// and an inner area of exactly width x height twips. Its default font is "宋体" 9 pt, twelve pixels
// a character and a line, which is what the help texts are measured for.
inline void setUpFixedWindow(QWidget& window, const char* name, const QString& caption, int width,
                             int height) {
    window.setObjectName(QString::fromLatin1(name));
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(caption);
    window.setFixedSize(twipsToPixels(width), twipsToPixels(height));
    QFont font(QString::fromUtf8("宋体"));
    font.setPointSize(9);
    window.setFont(font);
}

// Places the window's inner area (not its frame) at (left, top) twips on the screen.
inline void placeWindowAt(QWidget& window, int left, int top) {
    window.setGeometry(QRect(QPoint(twipsToPixels(left), twipsToPixels(top)), window.size()));
}

// A plain-text label: texts are shown exactly as written, runs of spaces included.
inline QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect where,
                        bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    label->setGeometry(where);
    return label;
}

// A push button; buttons show the cross-hair pointer unless told otherwise.
inline QPushButton* addButton(QWidget* parent, const char* name, const QString& caption,
                              QRect where, bool crossHair = true) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    if (crossHair) {
        button->setCursor(Qt::CrossCursor);
    }
    return button;
}

} // namespace kelvarn
